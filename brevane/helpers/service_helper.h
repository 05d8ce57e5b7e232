// ServiceHelper: typed one-call access to the four shared services the host
// registers: user settings, server tree, symmetric and asymmetric cipher.
// Each returns a new reference (or NULL) that the caller releases.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iasymmetric_cipher.h"
#include "brevane/contracts/isymmetric_cipher.h"
#include "brevane/settings/user_setting.h"
#include "common/tarvex-export.h"
#include "providers/contracts/server_setting.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersServiceHelper TarvexBrevaneHelpersServiceHelper;
typedef struct _TarvexBrevaneHelpersServiceHelperClass TarvexBrevaneHelpersServiceHelperClass;

struct _TarvexBrevaneHelpersServiceHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersServiceHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersServiceHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersServiceHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_SERVICE_HELPER \
  (tarvex_brevane_helpers_service_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_service_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_service_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_service_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersServiceHelper,
                              tarvex_brevane_helpers_service_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_service_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_service_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_service_helper(GValue* value,
                                                                   gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_service_helper(GValue* value,
                                                                    gpointer v_object);
TARVEX_EXPORT TarvexBrevaneHelpersServiceHelper* tarvex_brevane_helpers_service_helper_new(void);
TARVEX_EXPORT TarvexBrevaneHelpersServiceHelper* tarvex_brevane_helpers_service_helper_construct(
    GType object_type);

TARVEX_EXPORT TarvexBrevaneContractsSettingUserSetting*
tarvex_brevane_helpers_service_helper_setting(void);
TARVEX_EXPORT TarvexProvidersContractsServerSetting* tarvex_brevane_helpers_service_helper_servers(
    void);
TARVEX_EXPORT TarvexBrevaneContractsCryptoISymmetricCipher*
tarvex_brevane_helpers_service_helper_cipher(void);
TARVEX_EXPORT TarvexBrevaneContractsCryptoIAsymmetricCipher*
tarvex_brevane_helpers_service_helper_pubkey(void);

G_END_DECLS
