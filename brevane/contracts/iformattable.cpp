#include "brevane/contracts/iformattable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIFormattable, tarvex_brevane_contracts_database_iformattable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iformattable_default_init(TarvexBrevaneContractsDatabaseIFormattableIface*) {}

#define IFORMATTABLE_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_IFORMATTABLE_GET_INTERFACE(self)

void tarvex_brevane_contracts_database_iformattable_option(TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* name, const gchar* value) {
  g_return_if_fail(self != NULL);
  auto* iface = IFORMATTABLE_IFACE(self);
  if (iface->option) iface->option(self, name, value);
}

gchar* tarvex_brevane_contracts_database_iformattable_beautify(TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IFORMATTABLE_IFACE(self);
  return iface->beautify ? iface->beautify(self, statements) : nullptr;
}

gchar* tarvex_brevane_contracts_database_iformattable_minify(TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IFORMATTABLE_IFACE(self);
  return iface->minify ? iface->minify(self, statements) : nullptr;
}
