#include "brevane/contracts/iclonable.h"

#include <gee.h>

#include <vector>

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

using tarvex::GRef;

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsIClonable, tarvex_brevane_contracts_iclonable,
                        G_TYPE_OBJECT)

namespace {

struct PropertyList {
  GParamSpec** specs = nullptr;
  guint count = 0;
  explicit PropertyList(GObject* object) {
    specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object), &count);
  }
  ~PropertyList() { g_free(specs); }
  GParamSpec** begin() const { return specs; }
  GParamSpec** end() const { return specs + count; }
};

bool is_construct(const GParamSpec* pspec) {
  return pspec->flags & (G_PARAM_CONSTRUCT | G_PARAM_CONSTRUCT_ONLY);
}

template <typename T>
GRef<T> get_object_property(GObject* object, const char* name) {
  GObject* value = nullptr;
  g_object_get(object, name, &value, nullptr);
  return tarvex::adoptGRef(reinterpret_cast<T*>(value));
}

// Elements handed out by libgee are the collection's own copies (references
// or duplicated texts), released with the collection's destroy function.
GDestroyNotify destroy_func(gpointer collection, const char* property) {
  gpointer func = nullptr;
  g_object_get(collection, property, &func, nullptr);
  return reinterpret_cast<GDestroyNotify>(func);
}

void copy_list(GObject* source, GObject* copy, const char* name) {
  GRef<GeeArrayList> from = get_object_property<GeeArrayList>(source, name);
  GRef<GeeArrayList> to = get_object_property<GeeArrayList>(copy, name);
  if (!from || !to || from == to) return;
  gint size = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(from.get()));
  for (gint i = 0; i < size; i++) {
    gpointer item = gee_abstract_list_get(GEE_ABSTRACT_LIST(from.get()), i);
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(to.get()), item);
    GDestroyNotify destroy = destroy_func(from.get(), "g-destroy-func");
    if (destroy && item) destroy(item);
  }
}

void copy_map(GObject* source, GObject* copy, const char* name) {
  GRef<GeeHashMap> from = get_object_property<GeeHashMap>(source, name);
  GRef<GeeHashMap> to = get_object_property<GeeHashMap>(copy, name);
  if (!from || !to || from == to) return;
  GRef<GeeMapIterator> it =
      tarvex::adoptGRef(gee_abstract_map_map_iterator(GEE_ABSTRACT_MAP(from.get())));
  GDestroyNotify key_destroy = destroy_func(from.get(), "k-destroy-func");
  GDestroyNotify value_destroy = destroy_func(from.get(), "v-destroy-func");
  while (gee_map_iterator_next(it.get())) {
    gpointer key = gee_map_iterator_get_key(it.get());
    gpointer value = gee_map_iterator_get_value(it.get());
    gee_abstract_map_set(GEE_ABSTRACT_MAP(to.get()), key, value);
    if (key_destroy && key) key_destroy(key);
    if (value_destroy && value) value_destroy(value);
  }
}

GObject* default_clone(TarvexBrevaneContractsIClonable* self) {
  GObject* source = G_OBJECT(self);
  GType type = G_OBJECT_TYPE(source);
  PropertyList props(source);

  // Construct properties first, as the constructor takes them.
  std::vector<const char*> names;
  std::vector<GValue> values;
  for (GParamSpec* pspec : props) {
    if (!is_construct(pspec) || !(pspec->flags & G_PARAM_READABLE)) continue;
    names.push_back(pspec->name);
    values.emplace_back();
    values.back() = G_VALUE_INIT;
    g_value_init(&values.back(), G_PARAM_SPEC_VALUE_TYPE(pspec));
    g_object_get_property(source, pspec->name, &values.back());
  }
  GObject* copy = g_object_new_with_properties(type, static_cast<guint>(names.size()), names.data(),
                                               values.data());
  for (GValue& value : values) g_value_unset(&value);
  if (!copy) return nullptr;
  if (g_object_is_floating(copy)) g_object_ref_sink(copy);

  for (GParamSpec* pspec : props) {
    if (!(pspec->flags & G_PARAM_READABLE)) continue;
    GType value_type = G_PARAM_SPEC_VALUE_TYPE(pspec);
    if ((pspec->flags & G_PARAM_WRITABLE) && !(pspec->flags & G_PARAM_CONSTRUCT_ONLY)) {
      tarvex::GValueHolder value(value_type);
      g_object_get_property(source, pspec->name, value.get());
      g_object_set_property(copy, pspec->name, value.get());
    } else if (!(pspec->flags & G_PARAM_WRITABLE) && g_type_is_a(value_type, GEE_TYPE_ARRAY_LIST)) {
      copy_list(source, copy, pspec->name);
    } else if (!(pspec->flags & G_PARAM_WRITABLE) && g_type_is_a(value_type, GEE_TYPE_HASH_MAP)) {
      copy_map(source, copy, pspec->name);
    }
  }
  return copy;
}

}  // namespace

static void tarvex_brevane_contracts_iclonable_default_init(
    TarvexBrevaneContractsIClonableIface* iface) {
  iface->clone = default_clone;
}

GObject* tarvex_brevane_contracts_iclonable_clone(TarvexBrevaneContractsIClonable* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsIClonableIface::clone>(self);
}
