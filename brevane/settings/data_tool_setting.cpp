#include "brevane/settings/data_tool_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"external-editor", Kind::String, 0, 0, 0, ""},
};

}  // namespace

TARVEX_SETTING_GROUP(TarvexBrevaneContractsSettingDataToolSetting,
                     tarvex_brevane_contracts_setting_data_tool_setting, kProps)

TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataToolSetting,
                      tarvex_brevane_contracts_setting_data_tool_setting, external_editor, 1)
