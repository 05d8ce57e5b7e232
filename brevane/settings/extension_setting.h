// ExtensionSetting: the loaded extensions.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_EXTENSION_SETTING \
  (tarvex_brevane_contracts_setting_extension_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_extension_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingExtensionSetting,
                         tarvex_brevane_contracts_setting_extension_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, EXTENSION_SETTING, GObject)

struct _TarvexBrevaneContractsSettingExtensionSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingExtensionSetting*
tarvex_brevane_contracts_setting_extension_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingExtensionSetting*
tarvex_brevane_contracts_setting_extension_setting_construct(GType object_type);

TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_extension_setting_get_loaded_plugins(
    TarvexBrevaneContractsSettingExtensionSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_extension_setting_set_loaded_plugins(
    TarvexBrevaneContractsSettingExtensionSetting* self, const gchar* value);

G_END_DECLS
