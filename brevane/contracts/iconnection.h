// A database connection: hands out its dialect objects, opens and closes,
// runs SQL texts synchronously and asynchronously, drives transactions and
// reports its status and server version. Signals "opened" and "closed" carry
// the connection.
//
// `flags` is handed through to the provider unchanged; callers pass 0.
// A result of `execute` is a TableModel (a statement with rows) or a
// ValueUInt64 (the affected-row count of one without), in batch order.
#pragma once

#include <gio/gio.h>

#include "brevane/contracts/db_status.h"
#include "brevane/contracts/iadaptable.h"
#include "brevane/contracts/ibuildable.h"
#include "brevane/contracts/icachable.h"
#include "brevane/contracts/iexplorable.h"
#include "brevane/contracts/iformattable.h"
#include "brevane/contracts/iinspectable.h"
#include "brevane/contracts/istatement.h"
#include "common/tarvex-export.h"
#include "providers/contracts/provider.h"
#include "providers/contracts/server.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIConnection TarvexBrevaneContractsDatabaseIConnection;
typedef struct _TarvexBrevaneContractsDatabaseIConnectionIface
    TarvexBrevaneContractsDatabaseIConnectionIface;

struct _TarvexBrevaneContractsDatabaseIConnectionIface {
  GTypeInterface parent_iface;
  TarvexBrevaneContractsDatabaseIAdaptable* (*adapter)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseIBuildable* (*builder)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseIExplorable* (*explorer)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseIInspectable* (*inspector)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseIStatement* (*statement)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseIFormattable* (*formatter)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseICachable* (*cache)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  void (*open)(TarvexBrevaneContractsDatabaseIConnection* self,
               TarvexProvidersContractsServer* server, GObject* context, GError** error);
  void (*reopen)(TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
  void (*open_async)(TarvexBrevaneContractsDatabaseIConnection* self,
                     TarvexProvidersContractsServer* server, GObject* context,
                     GAsyncReadyCallback callback, gpointer user_data);
  void (*open_finish)(TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result,
                      GError** error);
  void (*reopen_async)(TarvexBrevaneContractsDatabaseIConnection* self,
                       GAsyncReadyCallback callback, gpointer user_data);
  void (*reopen_finish)(TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result,
                        GError** error);
  void (*close)(TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
  void (*execute_no_query_async)(TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql,
                                 GAsyncReadyCallback callback, gpointer user_data);
  gint (*execute_no_query_finish)(TarvexBrevaneContractsDatabaseIConnection* self,
                                  GAsyncResult* result, GError** error);
  gint (*execute_no_query)(TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql,
                           guint32 flags, GError** error);
  void (*execute_as_model_async)(TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql,
                                 GAsyncReadyCallback callback, gpointer user_data);
  TarvexProvidersContractsTableModel* (*execute_as_model_finish)(
      TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
  TarvexProvidersContractsTableModel* (*execute_as_model)(
      TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
      GError** error);
  void (*execute_as_scalar_async)(TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql,
                                  GAsyncReadyCallback callback, gpointer user_data);
  TarvexProvidersContractsValueObject* (*execute_as_scalar_finish)(
      TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
  TarvexProvidersContractsValueObject* (*execute_as_scalar)(
      TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
      GError** error);
  void (*execute_async)(TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql,
                        GAsyncReadyCallback callback, gpointer user_data);
  GObject** (*execute_finish)(TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result,
                              gint* result_length1, GError** error);
  GObject** (*execute)(TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql,
                       guint32 flags, gint* result_length1, GError** error);
  TarvexProvidersContractsIDataReader* (*execute_reader)(
      TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GError** error);
  gboolean (*transaction)(TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
  void (*rollback)(TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
  void (*commit)(TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
  TarvexProvidersContractsServer* (*get_server)(TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexProvidersContractsIProvider* (*get_provider)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  TarvexBrevaneContractsDatabaseDBStatus (*get_status)(
      TarvexBrevaneContractsDatabaseIConnection* self);
  void (*set_status)(TarvexBrevaneContractsDatabaseIConnection* self,
                     TarvexBrevaneContractsDatabaseDBStatus value);
  const gchar* (*get_version)(TarvexBrevaneContractsDatabaseIConnection* self);
  guint32 (*get_major_version)(TarvexBrevaneContractsDatabaseIConnection* self);
  guint32 (*get_minor_version)(TarvexBrevaneContractsDatabaseIConnection* self);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION \
  (tarvex_brevane_contracts_database_iconnection_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION, \
                              TarvexBrevaneContractsDatabaseIConnection))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ICONNECTION(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION, \
                                 TarvexBrevaneContractsDatabaseIConnectionIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_iconnection_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIAdaptable*
tarvex_brevane_contracts_database_iconnection_adapter(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIBuildable*
tarvex_brevane_contracts_database_iconnection_builder(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIExplorable*
tarvex_brevane_contracts_database_iconnection_explorer(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIInspectable*
tarvex_brevane_contracts_database_iconnection_inspector(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIStatement*
tarvex_brevane_contracts_database_iconnection_statement(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIFormattable*
tarvex_brevane_contracts_database_iconnection_formatter(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseICachable*
tarvex_brevane_contracts_database_iconnection_cache(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_open(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexProvidersContractsServer* server,
    GObject* context, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_reopen(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_open_async(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexProvidersContractsServer* server,
    GObject* context, GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_open_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_reopen_async(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncReadyCallback callback,
    gpointer user_data);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_reopen_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_close(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data);
TARVEX_EXPORT gint tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT gint tarvex_brevane_contracts_database_iconnection_execute_no_query(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_execute_as_model_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_database_iconnection_execute_as_model_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_database_iconnection_execute_as_model(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_execute_as_scalar_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_brevane_contracts_database_iconnection_execute_as_scalar_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_execute_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data);
TARVEX_EXPORT GObject** tarvex_brevane_contracts_database_iconnection_execute_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, gint* result_length1,
    GError** error);
TARVEX_EXPORT GObject** tarvex_brevane_contracts_database_iconnection_execute(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    gint* result_length1, GError** error);
TARVEX_EXPORT TarvexProvidersContractsIDataReader*
tarvex_brevane_contracts_database_iconnection_execute_reader(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GError** error);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_database_iconnection_transaction(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_rollback(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_commit(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error);
TARVEX_EXPORT TarvexProvidersContractsServer*
tarvex_brevane_contracts_database_iconnection_get_server(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexProvidersContractsIProvider*
tarvex_brevane_contracts_database_iconnection_get_provider(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseDBStatus
tarvex_brevane_contracts_database_iconnection_get_status(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iconnection_set_status(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexBrevaneContractsDatabaseDBStatus value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_database_iconnection_get_version(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT guint32 tarvex_brevane_contracts_database_iconnection_get_major_version(
    TarvexBrevaneContractsDatabaseIConnection* self);
TARVEX_EXPORT guint32 tarvex_brevane_contracts_database_iconnection_get_minor_version(
    TarvexBrevaneContractsDatabaseIConnection* self);

G_END_DECLS
