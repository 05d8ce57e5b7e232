// The per-connection store of text values under text keys. Safe to use from
// several threads.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/icachable.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_DATA_CACHE \
  (tarvex_brevane_supports_database_data_cache_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_data_cache_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseDataCache,
                         tarvex_brevane_supports_database_data_cache,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, DATA_CACHE, GObject)

struct _TarvexBrevaneSupportsDatabaseDataCacheClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseDataCache*
tarvex_brevane_supports_database_data_cache_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseDataCache*
tarvex_brevane_supports_database_data_cache_construct(GType object_type);

G_END_DECLS
