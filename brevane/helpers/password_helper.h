// PasswordHelper: enciphers and deciphers a server description's secrets in
// place with the registered symmetric cipher, keyed to the current user
// (key) on the current machine (salt); and makes random passwords.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/server.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersPasswordHelper TarvexBrevaneHelpersPasswordHelper;
typedef struct _TarvexBrevaneHelpersPasswordHelperClass TarvexBrevaneHelpersPasswordHelperClass;

struct _TarvexBrevaneHelpersPasswordHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersPasswordHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersPasswordHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersPasswordHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_PASSWORD_HELPER \
  (tarvex_brevane_helpers_password_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_password_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_password_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_password_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersPasswordHelper,
                              tarvex_brevane_helpers_password_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_password_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_password_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_password_helper(GValue* value,
                                                                    gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_password_helper(GValue* value,
                                                                     gpointer v_object);
TARVEX_EXPORT TarvexBrevaneHelpersPasswordHelper* tarvex_brevane_helpers_password_helper_new(void);
TARVEX_EXPORT TarvexBrevaneHelpersPasswordHelper* tarvex_brevane_helpers_password_helper_construct(
    GType object_type);

// Replaces "password", "ssh-password" (when "ssh-using") and "ssl-password"
// (when "ssl-using"), each only when not empty, by the Base64 text of its
// ciphertext. All of them change or none: on failure the description is
// left as it was and the error says why.
TARVEX_EXPORT gboolean tarvex_brevane_helpers_password_helper_encrypt_password(
    TarvexProvidersContractsServer* server, GError** error);
// The reverse of encrypt_password, with the same all-or-nothing rule.
TARVEX_EXPORT gboolean tarvex_brevane_helpers_password_helper_decrypt_password(
    TarvexProvidersContractsServer* server, GError** error);
// `length` characters drawn from a cryptographic random source: digits,
// "~!@#$%^&*<>;:,?", vowels and consonants, each class with equal chance.
// Empty for a length of 0 or less; NULL when no random bytes are available.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_password_helper_generate_password(gint length);

G_END_DECLS
