#include "brevane/settings/storage_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"user-data", Kind::String, 0, 0, 0, ""},
    {"user-logs", Kind::String, 0, 0, 0, ""},
};

}  // namespace

TARVEX_SETTING_GROUP(TarvexBrevaneContractsSettingStorageSetting,
                     tarvex_brevane_contracts_setting_storage_setting, kProps)

TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingStorageSetting,
                      tarvex_brevane_contracts_setting_storage_setting, user_data, 1)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingStorageSetting,
                      tarvex_brevane_contracts_setting_storage_setting, user_logs, 2)
