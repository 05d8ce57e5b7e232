// Answers questions about a dialect's types and the option lists of the
// host's editors.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/db_meta_type.h"
#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIInspectable
    TarvexBrevaneContractsDatabaseIInspectable;
typedef struct _TarvexBrevaneContractsDatabaseIInspectableIface
    TarvexBrevaneContractsDatabaseIInspectableIface;

struct _TarvexBrevaneContractsDatabaseIInspectableIface {
  GTypeInterface parent_iface;
  gchar** (*support)(TarvexBrevaneContractsDatabaseIInspectable* self,
                     TarvexBrevaneContractsDatabaseDbMetaType kind, gint* result_length1);
  gchar* (*get_type_default)(TarvexBrevaneContractsDatabaseIInspectable* self,
                             const gchar* native_type);
  TarvexProvidersContractsDataType (*get_data_type)(
      TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type, gint mode);
  gchar* (*get_sql_type)(TarvexBrevaneContractsDatabaseIInspectable* self,
                         TarvexProvidersContractsDataType type);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IINSPECTABLE \
  (tarvex_brevane_contracts_database_iinspectable_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IINSPECTABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IINSPECTABLE, \
                              TarvexBrevaneContractsDatabaseIInspectable))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IINSPECTABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IINSPECTABLE))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IINSPECTABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IINSPECTABLE, \
                                 TarvexBrevaneContractsDatabaseIInspectableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_iinspectable_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gchar** tarvex_brevane_contracts_database_iinspectable_support(
    TarvexBrevaneContractsDatabaseIInspectable* self, TarvexBrevaneContractsDatabaseDbMetaType kind,
    gint* result_length1);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_iinspectable_get_type_default(
    TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type);
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_brevane_contracts_database_iinspectable_get_data_type(
    TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type, gint mode);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_iinspectable_get_sql_type(
    TarvexBrevaneContractsDatabaseIInspectable* self, TarvexProvidersContractsDataType type);

G_END_DECLS
