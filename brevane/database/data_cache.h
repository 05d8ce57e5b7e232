// The per-connection store of text values under text keys. Safe to use from
// several threads.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/icachable.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsDatabaseDataCache TarvexBrevaneSupportsDatabaseDataCache;
typedef struct _TarvexBrevaneSupportsDatabaseDataCacheClass
    TarvexBrevaneSupportsDatabaseDataCacheClass;
typedef struct _TarvexBrevaneSupportsDatabaseDataCachePrivate
    TarvexBrevaneSupportsDatabaseDataCachePrivate;

struct _TarvexBrevaneSupportsDatabaseDataCache {
  GObject parent_instance;
};

struct _TarvexBrevaneSupportsDatabaseDataCacheClass {
  GObjectClass parent_class;
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_DATA_CACHE \
  (tarvex_brevane_supports_database_data_cache_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_DATA_CACHE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_DATA_CACHE, \
                              TarvexBrevaneSupportsDatabaseDataCache))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_DATA_CACHE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_DATA_CACHE))

TARVEX_EXPORT GType tarvex_brevane_supports_database_data_cache_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseDataCache*
tarvex_brevane_supports_database_data_cache_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseDataCache*
tarvex_brevane_supports_database_data_cache_construct(GType object_type);

G_END_DECLS
