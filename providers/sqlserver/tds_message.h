// TdsMessage: one db-lib error or server message queued for the login it
// belongs to, until a failing call turns the queue into an error record.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersSupportsTdsMessage TarvexProvidersSupportsTdsMessage;
typedef struct _TarvexProvidersSupportsTdsMessageClass TarvexProvidersSupportsTdsMessageClass;

struct _TarvexProvidersSupportsTdsMessage {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexProvidersSupportsTdsMessagePrivate* priv;
};

struct _TarvexProvidersSupportsTdsMessageClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexProvidersSupportsTdsMessage* self);
};

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE \
  (tarvex_providers_supports_tds_message_get_type())
#define TARVEX_PROVIDERS_SUPPORTS_IS_TDS_MESSAGE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE))

TARVEX_EXPORT GType tarvex_providers_supports_tds_message_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_providers_supports_tds_message_ref(gpointer instance);
TARVEX_EXPORT void tarvex_providers_supports_tds_message_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexProvidersSupportsTdsMessage,
                              tarvex_providers_supports_tds_message_unref)
TARVEX_EXPORT GParamSpec* tarvex_providers_supports_param_spec_tds_message(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_providers_supports_value_get_tds_message(const GValue* value);
TARVEX_EXPORT void tarvex_providers_supports_value_set_tds_message(GValue* value,
                                                                   gpointer v_object);
TARVEX_EXPORT void tarvex_providers_supports_value_take_tds_message(GValue* value,
                                                                    gpointer v_object);

TARVEX_EXPORT TarvexProvidersSupportsTdsMessage* tarvex_providers_supports_tds_message_new(void);
TARVEX_EXPORT TarvexProvidersSupportsTdsMessage* tarvex_providers_supports_tds_message_construct(
    GType object_type);

// db-lib error number, operating-system error number or server message number.
TARVEX_EXPORT gint
tarvex_providers_supports_tds_message_get_error(TarvexProvidersSupportsTdsMessage* self);
TARVEX_EXPORT void tarvex_providers_supports_tds_message_set_error(
    TarvexProvidersSupportsTdsMessage* self, gint value);
TARVEX_EXPORT gint
tarvex_providers_supports_tds_message_get_severity(TarvexProvidersSupportsTdsMessage* self);
TARVEX_EXPORT void tarvex_providers_supports_tds_message_set_severity(
    TarvexProvidersSupportsTdsMessage* self, gint value);
// "SQL" (db-lib), "Library" (operating system) or "message" (server).
TARVEX_EXPORT const gchar* tarvex_providers_supports_tds_message_get_source(
    TarvexProvidersSupportsTdsMessage* self);
TARVEX_EXPORT void tarvex_providers_supports_tds_message_set_source(
    TarvexProvidersSupportsTdsMessage* self, const gchar* value);
// May be NULL when db-lib gave no text.
TARVEX_EXPORT const gchar* tarvex_providers_supports_tds_message_get_message(
    TarvexProvidersSupportsTdsMessage* self);
TARVEX_EXPORT void tarvex_providers_supports_tds_message_set_message(
    TarvexProvidersSupportsTdsMessage* self, const gchar* value);

G_END_DECLS
