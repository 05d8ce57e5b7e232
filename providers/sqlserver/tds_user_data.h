// TdsUserData: the record one login's db-lib handlers report into: six
// state flags and the queue of messages that arrived since the provider last
// cleared its pending results.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersSupportsTdsUserData TarvexProvidersSupportsTdsUserData;

struct _TarvexProvidersSupportsTdsUserData {
  guint8 closing;
  guint8 timed_out;
  guint8 failed;
  guint8 dead;
  guint8 cancelled;
  guint8 cancelling;
  // TdsMessage objects, oldest first.
  GeeArrayQueue* queue;
};

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_USER_DATA \
  (tarvex_providers_supports_tds_user_data_get_type())

TARVEX_EXPORT GType tarvex_providers_supports_tds_user_data_get_type(void) G_GNUC_CONST;
// Copies the flags into `dest` and shares the queue (releasing the one
// `dest` held).
TARVEX_EXPORT void tarvex_providers_supports_tds_user_data_copy(
    const TarvexProvidersSupportsTdsUserData* self, TarvexProvidersSupportsTdsUserData* dest);
TARVEX_EXPORT void tarvex_providers_supports_tds_user_data_destroy(
    TarvexProvidersSupportsTdsUserData* self);
TARVEX_EXPORT TarvexProvidersSupportsTdsUserData* tarvex_providers_supports_tds_user_data_dup(
    const TarvexProvidersSupportsTdsUserData* self);
TARVEX_EXPORT void tarvex_providers_supports_tds_user_data_free(
    TarvexProvidersSupportsTdsUserData* self);

G_END_DECLS
