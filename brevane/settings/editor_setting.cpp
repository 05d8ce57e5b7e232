#include "brevane/settings/editor_setting.h"

#include "brevane/settings/setting-private.h"

using tarvex::settings::Kind;
using tarvex::settings::PropDef;

namespace {

// name, kind, declared default, instance default, double default, text default
constexpr PropDef kProps[] = {
    {"highlight-syntax", Kind::Boolean, 1, 1, 0, nullptr},
    {"highlight-matching-brackets", Kind::Boolean, 1, 1, 0, nullptr},
    {"highlight-current-line", Kind::Boolean, 1, 1, 0, nullptr},
    {"autocompletion", Kind::Boolean, 1, 1, 0, nullptr},
    {"code-fold", Kind::Boolean, 0, 0, 0, nullptr},
    {"text-wrap", Kind::Boolean, 1, 1, 0, nullptr},
    {"display-line-numbers", Kind::Boolean, 1, 1, 0, nullptr},
    {"insert-tab-as-spaces", Kind::Boolean, 1, 1, 0, nullptr},
    {"auto-indent", Kind::Boolean, 1, 1, 0, nullptr},
    {"indent-width", Kind::Int, 4, 4, 0, nullptr},
    {"tab-width", Kind::Int, 4, 4, 0, nullptr},
    {"font-with-size", Kind::String, 0, 0, 0, ""},
    {"overview-map", Kind::Boolean, 0, 0, 0, nullptr},
    {"style-scheme", Kind::String, 0, 0, 0, "Adwaita"},
};

}  // namespace

// The host emits "changed" by name when it has applied editor preferences.
static void add_changed_signal(TarvexBrevaneContractsSettingEditorSettingClass* klass) {
  g_signal_new("changed", G_TYPE_FROM_CLASS(klass), G_SIGNAL_RUN_LAST, 0, nullptr, nullptr,
               g_cclosure_marshal_VOID__VOID, G_TYPE_NONE, 0);
}

TARVEX_SETTING_GROUP_IMPL(TarvexBrevaneContractsSettingEditorSetting,
                          tarvex_brevane_contracts_setting_editor_setting, kProps,
                          add_changed_signal, )

TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, highlight_syntax, 1)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, highlight_matching_brackets,
                       2)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, highlight_current_line, 3)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, autocompletion, 4)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, code_fold, 5)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, text_wrap, 6)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, display_line_numbers, 7)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, insert_tab_as_spaces, 8)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, auto_indent, 9)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingEditorSetting,
                   tarvex_brevane_contracts_setting_editor_setting, indent_width, 10)
TARVEX_SETTING_INT(TarvexBrevaneContractsSettingEditorSetting,
                   tarvex_brevane_contracts_setting_editor_setting, tab_width, 11)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingEditorSetting,
                      tarvex_brevane_contracts_setting_editor_setting, font_with_size, 12)
TARVEX_SETTING_BOOLEAN(TarvexBrevaneContractsSettingEditorSetting,
                       tarvex_brevane_contracts_setting_editor_setting, overview_map, 13)
TARVEX_SETTING_STRING(TarvexBrevaneContractsSettingEditorSetting,
                      tarvex_brevane_contracts_setting_editor_setting, style_scheme, 14)
