// EditorSetting: the SQL editor's preferences.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_EDITOR_SETTING \
  (tarvex_brevane_contracts_setting_editor_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_editor_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingEditorSetting,
                         tarvex_brevane_contracts_setting_editor_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, EDITOR_SETTING, GObject)

struct _TarvexBrevaneContractsSettingEditorSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingEditorSetting*
tarvex_brevane_contracts_setting_editor_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingEditorSetting*
tarvex_brevane_contracts_setting_editor_setting_construct(GType object_type);

TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_highlight_syntax(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_highlight_syntax(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_contracts_setting_editor_setting_get_highlight_matching_brackets(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_highlight_matching_brackets(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_highlight_current_line(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_highlight_current_line(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_autocompletion(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_autocompletion(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_code_fold(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_code_fold(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_text_wrap(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_text_wrap(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_display_line_numbers(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_display_line_numbers(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_insert_tab_as_spaces(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_insert_tab_as_spaces(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_auto_indent(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_auto_indent(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_editor_setting_get_indent_width(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_indent_width(
    TarvexBrevaneContractsSettingEditorSetting* self, gint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_editor_setting_get_tab_width(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_tab_width(
    TarvexBrevaneContractsSettingEditorSetting* self, gint value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_editor_setting_get_font_with_size(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_font_with_size(
    TarvexBrevaneContractsSettingEditorSetting* self, const gchar* value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_editor_setting_get_overview_map(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_overview_map(
    TarvexBrevaneContractsSettingEditorSetting* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_editor_setting_get_style_scheme(
    TarvexBrevaneContractsSettingEditorSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_editor_setting_set_style_scheme(
    TarvexBrevaneContractsSettingEditorSetting* self, const gchar* value);

G_END_DECLS
