#include "brevane/contracts/icachable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseICachable, tarvex_brevane_contracts_database_icachable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_icachable_default_init(TarvexBrevaneContractsDatabaseICachableIface*) {}

#define ICACHABLE_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_ICACHABLE_GET_INTERFACE(self)

void tarvex_brevane_contracts_database_icachable_append(TarvexBrevaneContractsDatabaseICachable* self, const gchar* key, const gchar* value) {
  g_return_if_fail(self != NULL);
  auto* iface = ICACHABLE_IFACE(self);
  if (iface->append) iface->append(self, key, value);
}

gchar* tarvex_brevane_contracts_database_icachable_lookup(TarvexBrevaneContractsDatabaseICachable* self, const gchar* key) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICACHABLE_IFACE(self);
  return iface->lookup ? iface->lookup(self, key) : nullptr;
}

void tarvex_brevane_contracts_database_icachable_clear(TarvexBrevaneContractsDatabaseICachable* self) {
  g_return_if_fail(self != NULL);
  auto* iface = ICACHABLE_IFACE(self);
  if (iface->clear) iface->clear(self);
}
