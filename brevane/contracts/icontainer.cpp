#include "brevane/contracts/icontainer.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsContainerIContainer,
                        tarvex_brevane_contracts_container_icontainer, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_container_icontainer_default_init(
    TarvexBrevaneContractsContainerIContainerIface*) {}

gboolean tarvex_brevane_contracts_container_icontainer_has(
    TarvexBrevaneContractsContainerIContainer* self, GType type) {
  return tarvex::call_slot<&TarvexBrevaneContractsContainerIContainerIface::has>(self, type);
}

void tarvex_brevane_contracts_container_icontainer_register_instance(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type, GObject* instance) {
  tarvex::call_slot<&TarvexBrevaneContractsContainerIContainerIface::register_instance>(
      self, key_type, instance);
}

void tarvex_brevane_contracts_container_icontainer_register_type(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type, GType value_type) {
  tarvex::call_slot<&TarvexBrevaneContractsContainerIContainerIface::register_type>(self, key_type,
                                                                                    value_type);
}

void tarvex_brevane_contracts_container_icontainer_register_factory(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type,
    TarvexBrevaneContractsContainerServiceFactory factory) {
  tarvex::call_slot<&TarvexBrevaneContractsContainerIContainerIface::register_factory>(
      self, key_type, factory);
}

GObject* tarvex_brevane_contracts_container_icontainer_resolve(
    TarvexBrevaneContractsContainerIContainer* self, GType type) {
  return tarvex::call_slot<&TarvexBrevaneContractsContainerIContainerIface::resolve>(self, type);
}
