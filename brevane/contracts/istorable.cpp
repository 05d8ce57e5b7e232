#include "brevane/contracts/istorable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsStorageIStorable,
                        tarvex_brevane_contracts_storage_istorable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_storage_istorable_default_init(
    TarvexBrevaneContractsStorageIStorableIface* iface) {}

gboolean tarvex_brevane_contracts_storage_istorable_load(
    TarvexBrevaneContractsStorageIStorable* self, const gchar* location, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsStorageIStorableIface::load>(self, location,
                                                                               error);
}

gboolean tarvex_brevane_contracts_storage_istorable_save(
    TarvexBrevaneContractsStorageIStorable* self, const gchar* location, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsStorageIStorableIface::save>(self, location,
                                                                               error);
}
