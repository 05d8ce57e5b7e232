#include "brevane/settings/data_grid_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"submit-mode", Kind::UInt, 0, 0, 0, nullptr},
    {"records-limit", Kind::Int, 1000, 1000, 0, nullptr},
    {"font-with-size", Kind::String, 0, 0, 0, "monospace 10"},
    {"color-bg-dark", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 0.05)"},
    {"color-bg-light", Kind::String, 0, 0, 0, "rgba(255, 255, 255, 0.05)"},
    {"color-bg-dirty", Kind::String, 0, 0, 0, "rgba(245, 108, 108, 0.3)"},
    {"color-text", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-integer", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-float", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-datetime", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-binary", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-spatial", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-compute", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-others", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-dbnull", Kind::String, 0, 0, 0, "rgba(0, 0, 0, 1.0)"},
    {"color-current", Kind::String, 0, 0, 0, "rgba(204, 204, 204, 0.8)"},
};

}  // namespace

TARVEX_SETTING_GROUP(TarvexBrevaneContractsSettingDataGridSetting,
                     tarvex_brevane_contracts_setting_data_grid_setting, kProps)

TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingDataGridSetting,
                    tarvex_brevane_contracts_setting_data_grid_setting, submit_mode, 1)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingDataGridSetting,
                   tarvex_brevane_contracts_setting_data_grid_setting, records_limit, 2)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, font_with_size, 3)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_bg_dark, 4)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_bg_light, 5)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_bg_dirty, 6)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_text, 7)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_integer, 8)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_float, 9)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_datetime, 10)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_binary, 11)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_spatial, 12)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_compute, 13)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_others, 14)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_dbnull, 15)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingDataGridSetting,
                      tarvex_brevane_contracts_setting_data_grid_setting, color_current, 16)
