// DataToolSetting: the data tools' preferences.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_DATA_TOOL_SETTING \
  (tarvex_brevane_contracts_setting_data_tool_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_data_tool_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingDataToolSetting,
                         tarvex_brevane_contracts_setting_data_tool_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, DATA_TOOL_SETTING, GObject)

struct _TarvexBrevaneContractsSettingDataToolSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingDataToolSetting*
tarvex_brevane_contracts_setting_data_tool_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingDataToolSetting*
tarvex_brevane_contracts_setting_data_tool_setting_construct(GType object_type);

TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_tool_setting_get_external_editor(
    TarvexBrevaneContractsSettingDataToolSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_tool_setting_set_external_editor(
    TarvexBrevaneContractsSettingDataToolSetting* self, const gchar* value);

G_END_DECLS
