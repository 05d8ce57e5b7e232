#include "brevane/contracts/iformattable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIFormattable,
                        tarvex_brevane_contracts_database_iformattable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iformattable_default_init(
    TarvexBrevaneContractsDatabaseIFormattableIface*) {}

void tarvex_brevane_contracts_database_iformattable_option(
    TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* name, const gchar* value) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIFormattableIface::option>(self, name, value);
}

gchar* tarvex_brevane_contracts_database_iformattable_beautify(
    TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIFormattableIface::beautify>(self,
                                                                                       statements);
}

gchar* tarvex_brevane_contracts_database_iformattable_minify(
    TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIFormattableIface::minify>(self,
                                                                                     statements);
}
