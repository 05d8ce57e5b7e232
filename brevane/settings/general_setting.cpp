#include "brevane/settings/general_setting.h"

#include <json-glib/json-glib.h>

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"window-left", Kind::Int, 0, 0, 0, nullptr},
    {"window-top", Kind::Int, 0, 0, 0, nullptr},
    {"window-width", Kind::Int, 0, 0, 0, nullptr},
    {"window-height", Kind::Int, 0, 0, 0, nullptr},
    {"window-state", Kind::Int, 0, 0, 0, nullptr},
    {"user-locale", Kind::UInt, 0, 0, 0, nullptr},
    {"color-scheme", Kind::UInt, 0, 0, 0, nullptr},
    {"broadcasting", Kind::DateTime, 0, 0, 0, nullptr},
    {"titlebar-background", Kind::String, 0, 0, 0, "none"},
    {"toolbar-main-icon", Kind::Boolean, 0, 0, 0, nullptr},
    {"toolbar-main-text", Kind::Boolean, 1, 1, 0, nullptr},
    {"toolbar-minor-text", Kind::Boolean, 1, 1, 0, nullptr},
    {"starter-page", Kind::UInt, 0, 0, 0, nullptr},
    {"connecton-icon-size", Kind::Double, 0, 0, 96.0, nullptr},
    {"snippet-mode", Kind::UInt, 1, 1, 0, nullptr},
    {"check-updates-on-startup", Kind::Boolean, 0, 0, 0, nullptr},
};

}  // namespace

// "broadcasting" is always written, as ISO 8601 text (json-glib knows no
// form for a date-time); everything else keeps json-glib's rules.
static JsonNode* general_setting_serialize_property(JsonSerializable* serializable,
                                                    const gchar* property_name, const GValue* value,
                                                    GParamSpec* pspec) {
  g_return_val_if_fail(property_name != NULL, NULL);
  g_return_val_if_fail(value != NULL, NULL);
  g_return_val_if_fail(pspec != NULL, NULL);
  if (G_PARAM_SPEC_VALUE_TYPE(pspec) == G_TYPE_DATE_TIME) {
    auto* moment = static_cast<GDateTime*>(g_value_get_boxed(value));
    JsonNode* node = json_node_new(JSON_NODE_VALUE);
    json_node_set_string(node, moment ? tarvex::settings::iso8601_text(moment).c_str() : "");
    return node;
  }
  return json_serializable_default_serialize_property(serializable, property_name, value, pspec);
}

static gboolean general_setting_deserialize_property(JsonSerializable* serializable,
                                                     const gchar* property_name, GValue* value,
                                                     GParamSpec* pspec, JsonNode* property_node) {
  g_return_val_if_fail(property_name != NULL, FALSE);
  g_return_val_if_fail(pspec != NULL, FALSE);
  g_return_val_if_fail(property_node != NULL, FALSE);
  if (G_PARAM_SPEC_VALUE_TYPE(pspec) == G_TYPE_DATE_TIME) {
    const char* text = JSON_NODE_HOLDS_VALUE(property_node) &&
                               json_node_get_value_type(property_node) == G_TYPE_STRING
                           ? json_node_get_string(property_node)
                           : nullptr;
    g_value_take_boxed(value, tarvex::settings::iso8601_parse(text));
    return TRUE;
  }
  return json_serializable_default_deserialize_property(serializable, property_name, value, pspec,
                                                        property_node);
}

static void general_setting_serializable_init(JsonSerializableIface* iface) {
  iface->serialize_property = general_setting_serialize_property;
  iface->deserialize_property = general_setting_deserialize_property;
}

TARVEX_SETTING_GROUP_IMPL(TarvexBrevaneContractsSettingGeneralSetting,
                          tarvex_brevane_contracts_setting_general_setting, kProps,
                          TARVEX_SETTING_NO_EXTRA_,
                          G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE,
                                                general_setting_serializable_init))

TARVEX_SETTING_INT(TarvexBrevaneContractsSettingGeneralSetting,
                   tarvex_brevane_contracts_setting_general_setting, window_left, 1)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingGeneralSetting,
                   tarvex_brevane_contracts_setting_general_setting, window_top, 2)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingGeneralSetting,
                   tarvex_brevane_contracts_setting_general_setting, window_width, 3)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingGeneralSetting,
                   tarvex_brevane_contracts_setting_general_setting, window_height, 4)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingGeneralSetting,
                   tarvex_brevane_contracts_setting_general_setting, window_state, 5)
TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingGeneralSetting,
                    tarvex_brevane_contracts_setting_general_setting, user_locale, 6)
TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingGeneralSetting,
                    tarvex_brevane_contracts_setting_general_setting, color_scheme, 7)
TARVEX_SETTING_DATE_TIME(TarvexBrevaneContractsSettingGeneralSetting,
                         tarvex_brevane_contracts_setting_general_setting, broadcasting, 8)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingGeneralSetting,
                      tarvex_brevane_contracts_setting_general_setting, titlebar_background, 9)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingGeneralSetting,
                       tarvex_brevane_contracts_setting_general_setting, toolbar_main_icon, 10)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingGeneralSetting,
                       tarvex_brevane_contracts_setting_general_setting, toolbar_main_text, 11)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingGeneralSetting,
                       tarvex_brevane_contracts_setting_general_setting, toolbar_minor_text, 12)
TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingGeneralSetting,
                    tarvex_brevane_contracts_setting_general_setting, starter_page, 13)
TARVEX_SETTING_DOUBLE(TarvexBrevaneContractsSettingGeneralSetting,
                      tarvex_brevane_contracts_setting_general_setting, connecton_icon_size, 14)
TARVEX_SETTING_UINT(TarvexBrevaneContractsSettingGeneralSetting,
                    tarvex_brevane_contracts_setting_general_setting, snippet_mode, 15)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingGeneralSetting,
                       tarvex_brevane_contracts_setting_general_setting, check_updates_on_startup,
                       16)
