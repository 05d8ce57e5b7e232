#include "brevane/contracts/icachable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseICachable,
                        tarvex_brevane_contracts_database_icachable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_icachable_default_init(
    TarvexBrevaneContractsDatabaseICachableIface*) {}

void tarvex_brevane_contracts_database_icachable_append(
    TarvexBrevaneContractsDatabaseICachable* self, const gchar* key, const gchar* value) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseICachableIface::append>(self, key, value);
}

gchar* tarvex_brevane_contracts_database_icachable_lookup(
    TarvexBrevaneContractsDatabaseICachable* self, const gchar* key) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseICachableIface::lookup>(self, key);
}

void tarvex_brevane_contracts_database_icachable_clear(
    TarvexBrevaneContractsDatabaseICachable* self) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseICachableIface::clear>(self);
}
