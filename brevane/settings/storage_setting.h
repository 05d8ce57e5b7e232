// StorageSetting: the user's data and log folders.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_STORAGE_SETTING \
  (tarvex_brevane_contracts_setting_storage_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_storage_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingStorageSetting,
                         tarvex_brevane_contracts_setting_storage_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, STORAGE_SETTING, GObject)

struct _TarvexBrevaneContractsSettingStorageSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingStorageSetting*
tarvex_brevane_contracts_setting_storage_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingStorageSetting*
tarvex_brevane_contracts_setting_storage_setting_construct(GType object_type);

TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_storage_setting_get_user_data(
    TarvexBrevaneContractsSettingStorageSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_storage_setting_set_user_data(
    TarvexBrevaneContractsSettingStorageSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_storage_setting_get_user_logs(
    TarvexBrevaneContractsSettingStorageSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_storage_setting_set_user_logs(
    TarvexBrevaneContractsSettingStorageSetting* self, const gchar* value);

G_END_DECLS
