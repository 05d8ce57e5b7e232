#include "brevane/contracts/icontainer.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsContainerIContainer,
                        tarvex_brevane_contracts_container_icontainer, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_container_icontainer_default_init(
    TarvexBrevaneContractsContainerIContainerIface*) {}

#define ICONTAINER_IFACE(self) TARVEX_BREVANE_CONTRACTS_CONTAINER_ICONTAINER_GET_INTERFACE(self)

gboolean tarvex_brevane_contracts_container_icontainer_has(
    TarvexBrevaneContractsContainerIContainer* self, GType type) {
  g_return_val_if_fail(self != NULL, FALSE);
  auto* iface = ICONTAINER_IFACE(self);
  return iface->has ? iface->has(self, type) : FALSE;
}

void tarvex_brevane_contracts_container_icontainer_register_instance(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type, GObject* instance) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONTAINER_IFACE(self);
  if (iface->register_instance) iface->register_instance(self, key_type, instance);
}

void tarvex_brevane_contracts_container_icontainer_register_type(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type, GType value_type) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONTAINER_IFACE(self);
  if (iface->register_type) iface->register_type(self, key_type, value_type);
}

void tarvex_brevane_contracts_container_icontainer_register_factory(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type,
    TarvexBrevaneContractsContainerServiceFactory factory) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONTAINER_IFACE(self);
  if (iface->register_factory) iface->register_factory(self, key_type, factory);
}

GObject* tarvex_brevane_contracts_container_icontainer_resolve(
    TarvexBrevaneContractsContainerIContainer* self, GType type) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONTAINER_IFACE(self);
  return iface->resolve ? iface->resolve(self, type) : nullptr;
}
