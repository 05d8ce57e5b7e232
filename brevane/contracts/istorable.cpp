#include "brevane/contracts/istorable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsStorageIStorable,
                        tarvex_brevane_contracts_storage_istorable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_storage_istorable_default_init(
    TarvexBrevaneContractsStorageIStorableIface* iface) {}

gboolean tarvex_brevane_contracts_storage_istorable_load(
    TarvexBrevaneContractsStorageIStorable* self, const gchar* location, GError** error) {
  g_return_val_if_fail(self != NULL, FALSE);
  auto* iface = TARVEX_BREVANE_CONTRACTS_STORAGE_ISTORABLE_GET_INTERFACE(self);
  return iface->load ? iface->load(self, location, error) : FALSE;
}

gboolean tarvex_brevane_contracts_storage_istorable_save(
    TarvexBrevaneContractsStorageIStorable* self, const gchar* location, GError** error) {
  g_return_val_if_fail(self != NULL, FALSE);
  auto* iface = TARVEX_BREVANE_CONTRACTS_STORAGE_ISTORABLE_GET_INTERFACE(self);
  return iface->save ? iface->save(self, location, error) : FALSE;
}
