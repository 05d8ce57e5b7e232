#include "brevane/foundation/services.h"

#include <mutex>

#include "common/tarvex-gobject-private.h"

struct _TarvexBrevaneFoundationServicesPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneFoundationServices, tarvex_brevane_foundation_services,
                   G_TYPE_OBJECT)

static void tarvex_brevane_foundation_services_class_setup(TarvexBrevaneFoundationServicesClass*) {}

namespace {

std::mutex s_lock;
// The process-wide container; kept for the life of the process.
TarvexBrevaneFoundationContainer* s_container = nullptr;

TarvexBrevaneContractsContainerIContainer* container() {
  std::lock_guard<std::mutex> guard(s_lock);
  return s_container ? TARVEX_BREVANE_CONTRACTS_CONTAINER_ICONTAINER(s_container) : nullptr;
}

}  // namespace

TarvexBrevaneFoundationServices* tarvex_brevane_foundation_services_new(void) {
  return static_cast<TarvexBrevaneFoundationServices*>(
      g_object_new(TARVEX_BREVANE_FOUNDATION_TYPE_SERVICES, nullptr));
}

void tarvex_brevane_foundation_services_initialize(void) {
  std::lock_guard<std::mutex> guard(s_lock);
  if (!s_container) s_container = tarvex_brevane_foundation_container_new();
}

void tarvex_brevane_foundation_services_register_instance(GType key_type, GObject* instance) {
  g_return_if_fail(instance != NULL);
  tarvex_brevane_contracts_container_icontainer_register_instance(container(), key_type, instance);
}

void tarvex_brevane_foundation_services_register_type(GType key_type, GType value_type) {
  tarvex_brevane_contracts_container_icontainer_register_type(container(), key_type, value_type);
}

gpointer tarvex_brevane_foundation_services_get(GType t_type) {
  return tarvex_brevane_contracts_container_icontainer_resolve(container(), t_type);
}
