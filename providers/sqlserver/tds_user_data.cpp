#include "providers/sqlserver/tds_user_data.h"

void tarvex_providers_supports_tds_user_data_copy(const TarvexProvidersSupportsTdsUserData* self,
                                                  TarvexProvidersSupportsTdsUserData* dest) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(dest != NULL);
  dest->closing = self->closing;
  dest->timed_out = self->timed_out;
  dest->failed = self->failed;
  dest->dead = self->dead;
  dest->cancelled = self->cancelled;
  dest->cancelling = self->cancelling;
  GeeArrayQueue* old = dest->queue;
  dest->queue = self->queue ? static_cast<GeeArrayQueue*>(g_object_ref(self->queue)) : nullptr;
  if (old) g_object_unref(old);
}

void tarvex_providers_supports_tds_user_data_destroy(TarvexProvidersSupportsTdsUserData* self) {
  g_return_if_fail(self != NULL);
  g_clear_object(&self->queue);
}

TarvexProvidersSupportsTdsUserData* tarvex_providers_supports_tds_user_data_dup(
    const TarvexProvidersSupportsTdsUserData* self) {
  g_return_val_if_fail(self != NULL, NULL);
  auto* dup = g_new0(TarvexProvidersSupportsTdsUserData, 1);
  tarvex_providers_supports_tds_user_data_copy(self, dup);
  return dup;
}

void tarvex_providers_supports_tds_user_data_free(TarvexProvidersSupportsTdsUserData* self) {
  g_return_if_fail(self != NULL);
  tarvex_providers_supports_tds_user_data_destroy(self);
  g_free(self);
}

GType tarvex_providers_supports_tds_user_data_get_type(void) {
  static gsize type_id = 0;
  if (g_once_init_enter(&type_id)) {
    GType id = g_boxed_type_register_static(
        "TarvexProvidersSupportsTdsUserData",
        reinterpret_cast<GBoxedCopyFunc>(tarvex_providers_supports_tds_user_data_dup),
        reinterpret_cast<GBoxedFreeFunc>(tarvex_providers_supports_tds_user_data_free));
    g_once_init_leave(&type_id, id);
  }
  return type_id;
}
