// The driver contract IProvider and the forward-only reader IDataReader.
// Both libraries include this one header, so the slot types cannot diverge.
#pragma once

#include <gio/gio.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/server.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsIProvider TarvexProvidersContractsIProvider;
typedef struct _TarvexProvidersContractsIProviderIface TarvexProvidersContractsIProviderIface;
typedef struct _TarvexProvidersContractsIDataReader TarvexProvidersContractsIDataReader;
typedef struct _TarvexProvidersContractsIDataReaderIface TarvexProvidersContractsIDataReaderIface;

/* Slots in order. `mode` is passed through to the implementation. */
struct _TarvexProvidersContractsIProviderIface {
  GTypeInterface parent_iface;
  void (*open)(TarvexProvidersContractsIProvider* self, TarvexProvidersContractsServer* server,
               const gchar* connection_string, GError** error);
  void (*close)(TarvexProvidersContractsIProvider* self, GError** error);
  TarvexProvidersContractsTableModel* (*execute_model)(TarvexProvidersContractsIProvider* self,
                                                       const gchar* statement, guint32 mode,
                                                       GError** error);
  gint64 (*execute_affect)(TarvexProvidersContractsIProvider* self, const gchar* statement,
                           guint32 mode, GError** error);
  TarvexProvidersContractsValueObject* (*execute_scalar)(TarvexProvidersContractsIProvider* self,
                                                         const gchar* statement, guint32 mode,
                                                         GError** error);
  GObject** (*execute_statements)(TarvexProvidersContractsIProvider* self, const gchar* statements,
                                  guint32 mode, gint* result_length1, GError** error);
  TarvexProvidersContractsIDataReader* (*execute_reader)(TarvexProvidersContractsIProvider* self,
                                                         const gchar* statement, GError** error);
  gboolean (*transaction)(TarvexProvidersContractsIProvider* self, GError** error);
  void (*commit)(TarvexProvidersContractsIProvider* self, GError** error);
  void (*rollback)(TarvexProvidersContractsIProvider* self, GError** error);
  gboolean (*get_is_opened)(TarvexProvidersContractsIProvider* self);
};

/* Slots in order; positions are column positions counted from 0. */
struct _TarvexProvidersContractsIDataReaderIface {
  GTypeInterface parent_iface;
  gboolean (*bulk)(TarvexProvidersContractsIDataReader* self, GError** error);
  gboolean (*read)(TarvexProvidersContractsIDataReader* self, GError** error);
  void (*close)(TarvexProvidersContractsIDataReader* self, GError** error);
  gchar* (*get_name)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_dbms_type)(TarvexProvidersContractsIDataReader* self, guint16 position,
                          GError** error);
  TarvexProvidersContractsDataType (*get_data_type)(TarvexProvidersContractsIDataReader* self,
                                                    guint16 position, GError** error);
  gint64 (*get_size)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gboolean (*is_null)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gboolean (*get_boolean)(TarvexProvidersContractsIDataReader* self, guint16 position,
                          GError** error);
  gchar (*get_char)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gint8 (*get_int8)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  guint8 (*get_uint8)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gint16 (*get_int16)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  guint16 (*get_uint16)(TarvexProvidersContractsIDataReader* self, guint16 position,
                        GError** error);
  gint32 (*get_int32)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  guint32 (*get_uint32)(TarvexProvidersContractsIDataReader* self, guint16 position,
                        GError** error);
  gint64 (*get_int64)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  guint64 (*get_uint64)(TarvexProvidersContractsIDataReader* self, guint16 position,
                        GError** error);
  gdouble (*get_decimal)(TarvexProvidersContractsIDataReader* self, guint16 position,
                         GError** error);
  gdouble (*get_money)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gfloat (*get_float)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gdouble (*get_double)(TarvexProvidersContractsIDataReader* self, guint16 position,
                        GError** error);
  void (*get_date)(TarvexProvidersContractsIDataReader* self, guint16 position, GDate* result,
                   GError** error);
  GDateTime* (*get_time)(TarvexProvidersContractsIDataReader* self, guint16 position,
                         GError** error);
  GDateTime* (*get_datetime)(TarvexProvidersContractsIDataReader* self, guint16 position,
                             GError** error);
  gint64 (*get_timespan)(TarvexProvidersContractsIDataReader* self, guint16 position,
                         GError** error);
  gchar* (*get_string)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_string16)(TarvexProvidersContractsIDataReader* self, guint16 position,
                         GError** error);
  gchar* (*get_guid)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  guint8* (*get_binary)(TarvexProvidersContractsIDataReader* self, guint16 position,
                        gint* result_length1, GError** error);
  GDateTime* (*get_timestamp)(TarvexProvidersContractsIDataReader* self, guint16 position,
                              GError** error);
  gchar* (*get_enum)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_flag)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_set)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_xml)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_json)(TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
  gchar* (*get_geometry)(TarvexProvidersContractsIDataReader* self, guint16 position,
                         GError** error);
  gchar* (*get_geography)(TarvexProvidersContractsIDataReader* self, guint16 position,
                          GError** error);
  TarvexProvidersContractsValueObject* (*get_variant)(TarvexProvidersContractsIDataReader* self,
                                                      guint16 position, GError** error);
  guint8* (*get_object)(TarvexProvidersContractsIDataReader* self, guint16 position,
                        gint* result_length1, GError** error);
  TarvexProvidersContractsValueObject* (*get_value)(TarvexProvidersContractsIDataReader* self,
                                                    guint16 position, GError** error);
  TarvexProvidersContractsValueObject** (*get_values)(TarvexProvidersContractsIDataReader* self,
                                                      gint* result_length1, GError** error);
  gint (*get_field_count)(TarvexProvidersContractsIDataReader* self);
  gboolean (*get_is_closed)(TarvexProvidersContractsIDataReader* self);
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_IPROVIDER (tarvex_providers_contracts_iprovider_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IPROVIDER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IPROVIDER, \
                              TarvexProvidersContractsIProvider))
#define TARVEX_PROVIDERS_CONTRACTS_IS_IPROVIDER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IPROVIDER))
#define TARVEX_PROVIDERS_CONTRACTS_IPROVIDER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IPROVIDER, \
                                 TarvexProvidersContractsIProviderIface))
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_IDATA_READER \
  (tarvex_providers_contracts_idata_reader_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IDATA_READER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IDATA_READER, \
                              TarvexProvidersContractsIDataReader))
#define TARVEX_PROVIDERS_CONTRACTS_IS_IDATA_READER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IDATA_READER))
#define TARVEX_PROVIDERS_CONTRACTS_IDATA_READER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IDATA_READER, \
                                 TarvexProvidersContractsIDataReaderIface))

TARVEX_EXPORT GType tarvex_providers_contracts_iprovider_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_providers_contracts_iprovider_open(
    TarvexProvidersContractsIProvider* self, TarvexProvidersContractsServer* server,
    const gchar* connection_string, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_iprovider_close(
    TarvexProvidersContractsIProvider* self, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_providers_contracts_iprovider_execute_model(TarvexProvidersContractsIProvider* self,
                                                   const gchar* statement, guint32 mode,
                                                   GError** error);
TARVEX_EXPORT gint64 tarvex_providers_contracts_iprovider_execute_affect(
    TarvexProvidersContractsIProvider* self, const gchar* statement, guint32 mode, GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_providers_contracts_iprovider_execute_scalar(TarvexProvidersContractsIProvider* self,
                                                    const gchar* statement, guint32 mode,
                                                    GError** error);
TARVEX_EXPORT GObject** tarvex_providers_contracts_iprovider_execute_statements(
    TarvexProvidersContractsIProvider* self, const gchar* statements, guint32 mode,
    gint* result_length1, GError** error);
TARVEX_EXPORT TarvexProvidersContractsIDataReader*
tarvex_providers_contracts_iprovider_execute_reader(TarvexProvidersContractsIProvider* self,
                                                    const gchar* statement, GError** error);
TARVEX_EXPORT gboolean tarvex_providers_contracts_iprovider_transaction(
    TarvexProvidersContractsIProvider* self, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_iprovider_commit(
    TarvexProvidersContractsIProvider* self, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_iprovider_rollback(
    TarvexProvidersContractsIProvider* self, GError** error);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_iprovider_get_is_opened(TarvexProvidersContractsIProvider* self);

TARVEX_EXPORT GType tarvex_providers_contracts_idata_reader_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gboolean tarvex_providers_contracts_idata_reader_bulk(
    TarvexProvidersContractsIDataReader* self, GError** error);
TARVEX_EXPORT gboolean tarvex_providers_contracts_idata_reader_read(
    TarvexProvidersContractsIDataReader* self, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_idata_reader_close(
    TarvexProvidersContractsIDataReader* self, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_name(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_dbms_type(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_providers_contracts_idata_reader_get_data_type(TarvexProvidersContractsIDataReader* self,
                                                      guint16 position, GError** error);
TARVEX_EXPORT gint64 tarvex_providers_contracts_idata_reader_get_size(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gboolean tarvex_providers_contracts_idata_reader_is_null(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gboolean tarvex_providers_contracts_idata_reader_get_boolean(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar tarvex_providers_contracts_idata_reader_get_char(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gint8 tarvex_providers_contracts_idata_reader_get_int8(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT guint8 tarvex_providers_contracts_idata_reader_get_uint8(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gint16 tarvex_providers_contracts_idata_reader_get_int16(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT guint16 tarvex_providers_contracts_idata_reader_get_uint16(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gint32 tarvex_providers_contracts_idata_reader_get_int32(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT guint32 tarvex_providers_contracts_idata_reader_get_uint32(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gint64 tarvex_providers_contracts_idata_reader_get_int64(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT guint64 tarvex_providers_contracts_idata_reader_get_uint64(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gdouble tarvex_providers_contracts_idata_reader_get_decimal(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gdouble tarvex_providers_contracts_idata_reader_get_money(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gfloat tarvex_providers_contracts_idata_reader_get_float(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gdouble tarvex_providers_contracts_idata_reader_get_double(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_idata_reader_get_date(
    TarvexProvidersContractsIDataReader* self, guint16 position, GDate* result, GError** error);
TARVEX_EXPORT GDateTime* tarvex_providers_contracts_idata_reader_get_time(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT GDateTime* tarvex_providers_contracts_idata_reader_get_datetime(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gint64 tarvex_providers_contracts_idata_reader_get_timespan(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_string(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_string16(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_guid(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT guint8* tarvex_providers_contracts_idata_reader_get_binary(
    TarvexProvidersContractsIDataReader* self, guint16 position, gint* result_length1,
    GError** error);
TARVEX_EXPORT GDateTime* tarvex_providers_contracts_idata_reader_get_timestamp(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_enum(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_flag(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_set(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_xml(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_json(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_geometry(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT gchar* tarvex_providers_contracts_idata_reader_get_geography(
    TarvexProvidersContractsIDataReader* self, guint16 position, GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_providers_contracts_idata_reader_get_variant(TarvexProvidersContractsIDataReader* self,
                                                    guint16 position, GError** error);
TARVEX_EXPORT guint8* tarvex_providers_contracts_idata_reader_get_object(
    TarvexProvidersContractsIDataReader* self, guint16 position, gint* result_length1,
    GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_providers_contracts_idata_reader_get_value(TarvexProvidersContractsIDataReader* self,
                                                  guint16 position, GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueObject**
tarvex_providers_contracts_idata_reader_get_values(TarvexProvidersContractsIDataReader* self,
                                                   gint* result_length1, GError** error);
TARVEX_EXPORT gint
tarvex_providers_contracts_idata_reader_get_field_count(TarvexProvidersContractsIDataReader* self);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_idata_reader_get_is_closed(TarvexProvidersContractsIDataReader* self);

G_END_DECLS
