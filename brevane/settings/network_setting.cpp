#include "brevane/settings/network_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"proxy-using", Kind::Boolean, 0, 0, 0, nullptr},
    {"proxy-type", Kind::UInt, 0, 0, 0, nullptr},
    {"proxy-host", Kind::String, 0, 0, 0, ""},
    {"proxy-port", Kind::UInt16, 8080, 8080, 0, nullptr},
    {"proxy-username", Kind::String, 0, 0, 0, ""},
    {"proxy-password", Kind::String, 0, 0, 0, ""},
};

}  // namespace

TARVEX_SETTING_GROUP(TarvexBrevaneContractsSettingNetworkSetting,
                     tarvex_brevane_contracts_setting_network_setting, kProps)

TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingNetworkSetting,
                       tarvex_brevane_contracts_setting_network_setting, proxy_using, 1)
TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingNetworkSetting,
                    tarvex_brevane_contracts_setting_network_setting, proxy_type, 2)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingNetworkSetting,
                      tarvex_brevane_contracts_setting_network_setting, proxy_host, 3)
TARVEX_SETTING_UINT16(TarvexBrevaneContractsSettingNetworkSetting,
                      tarvex_brevane_contracts_setting_network_setting, proxy_port, 4)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingNetworkSetting,
                      tarvex_brevane_contracts_setting_network_setting, proxy_username, 5)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingNetworkSetting,
                      tarvex_brevane_contracts_setting_network_setting, proxy_password, 6)
