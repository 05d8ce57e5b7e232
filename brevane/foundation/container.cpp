#include "brevane/foundation/container.h"

#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"

using tarvex::GRef;

typedef struct _TarvexBrevaneFoundationContainerPrivate TarvexBrevaneFoundationContainerPrivate;
struct _TarvexBrevaneFoundationContainerPrivate {
  // Registration happens at start-up on one thread; the lock keeps a first
  // resolution from a worker thread from building a service twice.
  std::recursive_mutex lock;
  std::unordered_map<GType, GType> type_map;
  // A key may stand for "no object" (a factory or a construction gave none).
  std::unordered_map<GType, GRef<GObject>> instance_map;
  std::unordered_map<GType, TarvexBrevaneContractsContainerServiceFactory> factory_map;
  // Keys whose construction is under way, to stop on a dependency cycle.
  std::unordered_set<GType> building;
};

static void tarvex_brevane_foundation_container_icontainer_init(
    TarvexBrevaneContractsContainerIContainerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneFoundationContainer, tarvex_brevane_foundation_container, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_CONTAINER_TYPE_ICONTAINER,
                          tarvex_brevane_foundation_container_icontainer_init))

static void tarvex_brevane_foundation_container_class_setup(
    TarvexBrevaneFoundationContainerClass*) {}

namespace {

using Private = TarvexBrevaneFoundationContainerPrivate;

Private* priv_of(TarvexBrevaneContractsContainerIContainer* self) {
  return tarvex_brevane_foundation_container_get_private(self);
}

bool is_service_type(GType type) {
  return G_TYPE_IS_INTERFACE(type) || G_TYPE_IS_OBJECT(type);
}

gboolean container_has(TarvexBrevaneContractsContainerIContainer* self, GType type) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(is_service_type(type), "type.is_interface () || type.is_object ()",
                                 FALSE);
  auto* priv = priv_of(self);
  std::lock_guard<std::recursive_mutex> guard(priv->lock);
  if (priv->instance_map.count(type) || priv->factory_map.count(type)) return TRUE;
  return priv->type_map.count(type) ? TRUE : FALSE;
}

void container_register_instance(TarvexBrevaneContractsContainerIContainer* self, GType key_type,
                                 GObject* instance) {
  g_return_if_fail(instance != NULL);
  TARVEX_RETURN_IF_FAIL_TEXT(is_service_type(key_type),
                             "key_type.is_interface () || key_type.is_object ()");
  TARVEX_RETURN_IF_FAIL_TEXT(g_type_is_a(G_OBJECT_TYPE(instance), key_type),
                             "instance.get_type ().is_a (key_type)");
  auto* priv = priv_of(self);
  std::lock_guard<std::recursive_mutex> guard(priv->lock);
  priv->instance_map[key_type] = tarvex::retainGRef(instance);
}

void container_register_type(TarvexBrevaneContractsContainerIContainer* self, GType key_type,
                             GType value_type) {
  TARVEX_RETURN_IF_FAIL_TEXT(is_service_type(key_type),
                             "key_type.is_interface () || key_type.is_object ()");
  TARVEX_RETURN_IF_FAIL_TEXT(G_TYPE_IS_OBJECT(value_type), "value_type.is_object ()");
  TARVEX_RETURN_IF_FAIL_TEXT(g_type_is_a(value_type, key_type), "value_type.is_a (key_type)");
  auto* priv = priv_of(self);
  std::lock_guard<std::recursive_mutex> guard(priv->lock);
  priv->type_map[key_type] = value_type;
}

void container_register_factory(TarvexBrevaneContractsContainerIContainer* self, GType key_type,
                                TarvexBrevaneContractsContainerServiceFactory factory) {
  TARVEX_RETURN_IF_FAIL_TEXT(is_service_type(key_type),
                             "key_type.is_interface () || key_type.is_object ()");
  auto* priv = priv_of(self);
  std::lock_guard<std::recursive_mutex> guard(priv->lock);
  priv->factory_map[key_type] = factory;
}

GRef<GObject> resolve_type(TarvexBrevaneContractsContainerIContainer* self, GType type);

// One value per chosen construct property: the service its type resolves to.
std::vector<GValue> get_matched_property_values(TarvexBrevaneContractsContainerIContainer* self,
                                                const std::vector<GParamSpec*>& chosen) {
  std::vector<GValue> values(chosen.size(), GValue G_VALUE_INIT);
  for (size_t i = 0; i < chosen.size(); i++) {
    GType value_type = G_PARAM_SPEC_VALUE_TYPE(chosen[i]);
    g_value_init(&values[i], value_type);
    GRef<GObject> service = resolve_type(self, value_type);
    if (service && g_type_is_a(G_OBJECT_TYPE(service.get()), value_type))
      g_value_set_object(&values[i], service.get());
  }
  return values;
}

GRef<GObject> construct(TarvexBrevaneContractsContainerIContainer* self, GType build_type) {
  auto* priv = priv_of(self);
  GObjectClass* klass = static_cast<GObjectClass*>(g_type_class_ref(build_type));
  guint n_props = 0;
  GParamSpec** list = g_object_class_list_properties(klass, &n_props);
  std::vector<GParamSpec*> chosen;
  for (guint i = 0; i < n_props; i++) {
    GParamSpec* pspec = list[i];
    if (!(pspec->flags & (G_PARAM_CONSTRUCT | G_PARAM_CONSTRUCT_ONLY))) continue;
    GType value_type = G_PARAM_SPEC_VALUE_TYPE(pspec);
    if (priv->instance_map.count(value_type) || priv->factory_map.count(value_type) ||
        priv->type_map.count(value_type))
      chosen.push_back(pspec);
  }
  g_free(list);

  std::vector<GValue> values = get_matched_property_values(self, chosen);
  std::vector<const char*> names;
  for (GParamSpec* pspec : chosen) names.push_back(pspec->name);

  GObject* object = g_object_new_with_properties(build_type, static_cast<guint>(names.size()),
                                                 names.data(), values.data());
  for (GValue& v : values) g_value_unset(&v);
  g_type_class_unref(klass);
  if (object && g_object_is_floating(object)) g_object_ref_sink(object);
  return tarvex::adoptGRef(object);
}

GRef<GObject> resolve_type(TarvexBrevaneContractsContainerIContainer* self, GType type) {
  auto* priv = priv_of(self);
  std::lock_guard<std::recursive_mutex> guard(priv->lock);

  if (auto it = priv->instance_map.find(type); it != priv->instance_map.end()) return it->second;

  if (auto it = priv->factory_map.find(type); it != priv->factory_map.end()) {
    GObject* made = it->second ? it->second(self) : nullptr;
    if (made && g_object_is_floating(made)) g_object_ref_sink(made);
    GRef<GObject> stored = tarvex::adoptGRef(made);
    priv->instance_map[type] = stored;
    return stored;
  }

  GType build_type = type;
  if (auto it = priv->type_map.find(type); it != priv->type_map.end()) build_type = it->second;
  if (!G_TYPE_IS_OBJECT(build_type) || G_TYPE_IS_ABSTRACT(build_type)) return nullptr;

  if (priv->building.count(type)) {
    g_warning("container: construct properties of %s depend on itself", g_type_name(type));
    return nullptr;
  }
  priv->building.insert(type);
  GRef<GObject> object = construct(self, build_type);
  priv->building.erase(type);

  priv->instance_map[type] = object;
  return object;
}

GObject* container_resolve(TarvexBrevaneContractsContainerIContainer* self, GType type) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(is_service_type(type), "type.is_interface () || type.is_object ()",
                                 nullptr);
  return resolve_type(self, type).leak();
}

}  // namespace

static void tarvex_brevane_foundation_container_icontainer_init(
    TarvexBrevaneContractsContainerIContainerIface* iface) {
  iface->has = container_has;
  iface->register_instance = container_register_instance;
  iface->register_type = container_register_type;
  iface->register_factory = container_register_factory;
  iface->resolve = container_resolve;
}

TarvexBrevaneFoundationContainer* tarvex_brevane_foundation_container_construct(GType object_type) {
  g_return_val_if_fail(g_type_is_a(object_type, TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER), nullptr);
  return static_cast<TarvexBrevaneFoundationContainer*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneFoundationContainer* tarvex_brevane_foundation_container_new(void) {
  return tarvex_brevane_foundation_container_construct(TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER);
}
