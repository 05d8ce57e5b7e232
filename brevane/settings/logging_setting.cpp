#include "brevane/settings/logging_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"file-size-max", Kind::UInt, 0, 0, 0, nullptr},
    {"logger-level", Kind::Int, 0, 0, 0, nullptr},
};

}  // namespace

TARVEX_SETTING_GROUP(TarvexBrevaneContractsSettingLoggingSetting,
                     tarvex_brevane_contracts_setting_logging_setting, kProps)

TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingLoggingSetting,
                    tarvex_brevane_contracts_setting_logging_setting, file_size_max, 1)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingLoggingSetting,
                   tarvex_brevane_contracts_setting_logging_setting, logger_level, 2)
