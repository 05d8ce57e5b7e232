#include "brevane/settings/extension_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"loaded-plugins", Kind::String, 0, 0, 0, ""},
};

}  // namespace

TARVEX_SETTING_GROUP(TarvexBrevaneContractsSettingExtensionSetting,
                     tarvex_brevane_contracts_setting_extension_setting, kProps)

TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingExtensionSetting,
                      tarvex_brevane_contracts_setting_extension_setting, loaded_plugins, 1)
