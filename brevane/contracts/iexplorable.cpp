#include "brevane/contracts/iexplorable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIExplorable, tarvex_brevane_contracts_database_iexplorable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iexplorable_default_init(TarvexBrevaneContractsDatabaseIExplorableIface*) {}

#define IEXPLORABLE_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_IEXPLORABLE_GET_INTERFACE(self)

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_database_iexplorable_load_objects(TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind, const gchar* database, const gchar* schema, const gchar* extra_data, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IEXPLORABLE_IFACE(self);
  return iface->load_objects ? iface->load_objects(self, kind, database, schema, extra_data, error) : nullptr;
}

void tarvex_brevane_contracts_database_iexplorable_exec_command(TarvexBrevaneContractsDatabaseIExplorable* self, TarvexProvidersContractsDBObject kind, const gchar* database, const gchar* schema, const gchar* object, const gchar* extra_data, const gchar* command, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = IEXPLORABLE_IFACE(self);
  if (iface->exec_command) iface->exec_command(self, kind, database, schema, object, extra_data, command, error);
}
