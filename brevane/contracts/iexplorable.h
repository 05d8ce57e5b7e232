// Lists a server's objects of one kind for the host, and runs the object
// tree's administrative commands.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIExplorable TarvexBrevaneContractsDatabaseIExplorable;
typedef struct _TarvexBrevaneContractsDatabaseIExplorableIface
    TarvexBrevaneContractsDatabaseIExplorableIface;

struct _TarvexBrevaneContractsDatabaseIExplorableIface {
  GTypeInterface parent_iface;
  TarvexProvidersContractsTableModel* (*load_objects)(
      TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind,
      const gchar* database, const gchar* schema, const gchar* extra_data, GError** error);
  void (*exec_command)(TarvexBrevaneContractsDatabaseIExplorable* self,
                       TarvexProvidersContractsDBObject kind, const gchar* database,
                       const gchar* schema, const gchar* object, const gchar* extra_data,
                       const gchar* command, GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IEXPLORABLE \
  (tarvex_brevane_contracts_database_iexplorable_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IEXPLORABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IEXPLORABLE, \
                              TarvexBrevaneContractsDatabaseIExplorable))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IEXPLORABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IEXPLORABLE))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IEXPLORABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IEXPLORABLE, \
                                 TarvexBrevaneContractsDatabaseIExplorableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_iexplorable_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_database_iexplorable_load_objects(
    TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* schema, const gchar* extra_data, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iexplorable_exec_command(
    TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* schema, const gchar* object, const gchar* extra_data,
    const gchar* command, GError** error);

G_END_DECLS
