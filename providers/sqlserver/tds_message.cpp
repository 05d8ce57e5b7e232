#include "providers/sqlserver/tds_message.h"

#include "common/tarvex-fundamental-private.h"

using namespace tarvex;

struct _TarvexProvidersSupportsTdsMessagePrivate {
  gint error = 0;
  gint severity = 0;
  OptString source{""};
  OptString message{""};
};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexProvidersSupportsTdsMessage,
                               tarvex_providers_supports_tds_message, tarvex_providers_supports,
                               tds_message, TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE)

TarvexProvidersSupportsTdsMessage* tarvex_providers_supports_tds_message_construct(
    GType object_type) {
  return static_cast<TarvexProvidersSupportsTdsMessage*>(fundamental::create(object_type));
}

TarvexProvidersSupportsTdsMessage* tarvex_providers_supports_tds_message_new(void) {
  return tarvex_providers_supports_tds_message_construct(
      TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE);
}

gint tarvex_providers_supports_tds_message_get_error(TarvexProvidersSupportsTdsMessage* self) {
  g_return_val_if_fail(self != NULL, 0);
  return self->priv->error;
}

void tarvex_providers_supports_tds_message_set_error(TarvexProvidersSupportsTdsMessage* self,
                                                     gint value) {
  g_return_if_fail(self != NULL);
  self->priv->error = value;
}

gint tarvex_providers_supports_tds_message_get_severity(TarvexProvidersSupportsTdsMessage* self) {
  g_return_val_if_fail(self != NULL, 0);
  return self->priv->severity;
}

void tarvex_providers_supports_tds_message_set_severity(TarvexProvidersSupportsTdsMessage* self,
                                                        gint value) {
  g_return_if_fail(self != NULL);
  self->priv->severity = value;
}

const gchar* tarvex_providers_supports_tds_message_get_source(
    TarvexProvidersSupportsTdsMessage* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return self->priv->source.c_str();
}

void tarvex_providers_supports_tds_message_set_source(TarvexProvidersSupportsTdsMessage* self,
                                                      const gchar* value) {
  g_return_if_fail(self != NULL);
  self->priv->source.assign(value);
}

const gchar* tarvex_providers_supports_tds_message_get_message(
    TarvexProvidersSupportsTdsMessage* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return self->priv->message.c_str();
}

void tarvex_providers_supports_tds_message_set_message(TarvexProvidersSupportsTdsMessage* self,
                                                       const gchar* value) {
  g_return_if_fail(self != NULL);
  self->priv->message.assign(value);
}
