#include "brevane/contracts/configuration.h"

#include "common/tarvex-gobject-private.h"

using Configuration = TarvexBrevaneContractsDataConfiguration;

void tarvex_brevane_contracts_data_configuration_copy(const Configuration* self,
                                                      Configuration* dest) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(dest != NULL);
  dest->title = g_strdup(self->title);
  dest->data_version = g_strdup(self->data_version);
  dest->description = g_strdup(self->description);
  dest->footer_text = g_strdup(self->footer_text);
  dest->footer_link = g_strdup(self->footer_link);
}

void tarvex_brevane_contracts_data_configuration_destroy(Configuration* self) {
  g_return_if_fail(self != NULL);
  g_clear_pointer(&self->title, g_free);
  g_clear_pointer(&self->data_version, g_free);
  g_clear_pointer(&self->description, g_free);
  g_clear_pointer(&self->footer_text, g_free);
  g_clear_pointer(&self->footer_link, g_free);
}

Configuration* tarvex_brevane_contracts_data_configuration_dup(const Configuration* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  Configuration* dup = g_new0(Configuration, 1);
  tarvex_brevane_contracts_data_configuration_copy(self, dup);
  return dup;
}

void tarvex_brevane_contracts_data_configuration_free(Configuration* self) {
  if (!self) return;
  tarvex_brevane_contracts_data_configuration_destroy(self);
  g_free(self);
}

GType tarvex_brevane_contracts_data_configuration_get_type(void) {
  static gsize type_id = 0;
  if (g_once_init_enter(&type_id)) {
    GType id = g_boxed_type_register_static(
        "TarvexBrevaneContractsDataConfiguration",
        GBoxedCopyFunc(tarvex_brevane_contracts_data_configuration_dup),
        GBoxedFreeFunc(tarvex_brevane_contracts_data_configuration_free));
    g_once_init_leave(&type_id, id);
  }
  return type_id;
}
