// UserSetting: the user's whole set of preferences, one object per setting
// group, saved together as the settings file (JSON).
#pragma once

#include <glib-object.h>

#include "brevane/settings/data_grid_setting.h"
#include "brevane/settings/data_tool_setting.h"
#include "brevane/settings/editor_setting.h"
#include "brevane/settings/extension_setting.h"
#include "brevane/settings/general_setting.h"
#include "brevane/settings/logging_setting.h"
#include "brevane/settings/network_setting.h"
#include "brevane/settings/storage_setting.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_USER_SETTING \
  (tarvex_brevane_contracts_setting_user_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_user_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingUserSetting,
                         tarvex_brevane_contracts_setting_user_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, USER_SETTING, GObject)

struct _TarvexBrevaneContractsSettingUserSettingClass {
  GObjectClass parent_class;
};

// Domain of a settings document that yields no settings object (code -2).
#define TARVEX_BREVANE_CONTRACTS_SETTING_USER_SETTING_ERROR \
  (tarvex_brevane_contracts_setting_user_setting_error_quark())
TARVEX_EXPORT GQuark tarvex_brevane_contracts_setting_user_setting_error_quark(void);

TARVEX_EXPORT TarvexBrevaneContractsSettingUserSetting*
tarvex_brevane_contracts_setting_user_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingUserSetting*
tarvex_brevane_contracts_setting_user_setting_construct(GType object_type);

// Reads the settings file and remembers its name (also when loading fails);
// on success all eight groups are replaced.
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_load(
    TarvexBrevaneContractsSettingUserSetting* self, const gchar* filename, GError** error);
// Writes the settings file under the remembered name, owner-only, through a
// temporary file renamed into place.
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_save(
    TarvexBrevaneContractsSettingUserSetting* self, GError** error);

TARVEX_EXPORT TarvexBrevaneContractsSettingGeneralSetting*
tarvex_brevane_contracts_setting_user_setting_get_general(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_general(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingGeneralSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingStorageSetting*
tarvex_brevane_contracts_setting_user_setting_get_storage(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_storage(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingStorageSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingEditorSetting*
tarvex_brevane_contracts_setting_user_setting_get_editor(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_editor(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingEditorSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingDataGridSetting*
tarvex_brevane_contracts_setting_user_setting_get_datagrid(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_datagrid(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingDataGridSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingNetworkSetting*
tarvex_brevane_contracts_setting_user_setting_get_network(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_network(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingNetworkSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingLoggingSetting*
tarvex_brevane_contracts_setting_user_setting_get_logging(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_logging(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingLoggingSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingDataToolSetting*
tarvex_brevane_contracts_setting_user_setting_get_datatool(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_datatool(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingDataToolSetting* value);
TARVEX_EXPORT TarvexBrevaneContractsSettingExtensionSetting*
tarvex_brevane_contracts_setting_user_setting_get_extension(
    TarvexBrevaneContractsSettingUserSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_user_setting_set_extension(
    TarvexBrevaneContractsSettingUserSetting* self,
    TarvexBrevaneContractsSettingExtensionSetting* value);

G_END_DECLS
