#include "brevane/database/data_cache.h"

#include <gee.h>

#include <mutex>

#include "common/tarvex-gobject-private.h"

using tarvex::GRef;

typedef struct _TarvexBrevaneSupportsDatabaseDataCachePrivate
    TarvexBrevaneSupportsDatabaseDataCachePrivate;
struct _TarvexBrevaneSupportsDatabaseDataCachePrivate {
  std::recursive_mutex lock;
  // Keys and values are copied in and freed on replacement or removal.
  GRef<GeeHashMap> map = GRef<GeeHashMap>::adopt(gee_hash_map_new(
      G_TYPE_STRING, GBoxedCopyFunc(g_strdup), g_free, G_TYPE_STRING, GBoxedCopyFunc(g_strdup),
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
};

static void tarvex_brevane_supports_database_data_cache_icachable_init(
    TarvexBrevaneContractsDatabaseICachableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseDataCache, tarvex_brevane_supports_database_data_cache,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICACHABLE,
                          tarvex_brevane_supports_database_data_cache_icachable_init))

namespace {

using Cache = TarvexBrevaneContractsDatabaseICachable;
using Guard = std::lock_guard<std::recursive_mutex>;

TarvexBrevaneSupportsDatabaseDataCachePrivate* priv_of(Cache* self) {
  return tarvex_brevane_supports_database_data_cache_get_private(self);
}

void cache_append(Cache* self, const gchar* key, const gchar* value) {
  g_return_if_fail(key != NULL);
  g_return_if_fail(value != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(priv->map.get()), key, value);
}

gchar* cache_lookup(Cache* self, const gchar* key) {
  g_return_val_if_fail(key != NULL, nullptr);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  // The map hands out a copy made by its value-copy function.
  return static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(priv->map.get()), key));
}

void cache_clear(Cache* self) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  gee_abstract_map_clear(GEE_ABSTRACT_MAP(priv->map.get()));
}

}  // namespace

static void tarvex_brevane_supports_database_data_cache_icachable_init(
    TarvexBrevaneContractsDatabaseICachableIface* iface) {
  iface->append = cache_append;
  iface->lookup = cache_lookup;
  iface->clear = cache_clear;
}

static void tarvex_brevane_supports_database_data_cache_class_setup(
    TarvexBrevaneSupportsDatabaseDataCacheClass*) {}

TarvexBrevaneSupportsDatabaseDataCache* tarvex_brevane_supports_database_data_cache_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneSupportsDatabaseDataCache*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsDatabaseDataCache* tarvex_brevane_supports_database_data_cache_new(void) {
  return tarvex_brevane_supports_database_data_cache_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_DATA_CACHE);
}
