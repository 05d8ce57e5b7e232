#include "brevane/contracts/iexplorable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIExplorable,
                        tarvex_brevane_contracts_database_iexplorable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iexplorable_default_init(
    TarvexBrevaneContractsDatabaseIExplorableIface*) {}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_database_iexplorable_load_objects(
    TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* schema, const gchar* extra_data, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIExplorableIface::load_objects>(
      self, kind, database, schema, extra_data, error);
}

void tarvex_brevane_contracts_database_iexplorable_exec_command(
    TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* schema, const gchar* object, const gchar* extra_data,
    const gchar* command, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIExplorableIface::exec_command>(
      self, kind, database, schema, object, extra_data, command, error);
}
