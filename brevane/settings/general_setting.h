// GeneralSetting: the window, appearance and start-up preferences.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_GENERAL_SETTING \
  (tarvex_brevane_contracts_setting_general_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_general_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingGeneralSetting,
                         tarvex_brevane_contracts_setting_general_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, GENERAL_SETTING, GObject)

struct _TarvexBrevaneContractsSettingGeneralSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingGeneralSetting*
tarvex_brevane_contracts_setting_general_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingGeneralSetting*
tarvex_brevane_contracts_setting_general_setting_construct(GType object_type);

TARVEX_EXPORT gint tarvex_brevane_contracts_setting_general_setting_get_window_left(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_window_left(
    TarvexBrevaneContractsSettingGeneralSetting* self, gint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_general_setting_get_window_top(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_window_top(
    TarvexBrevaneContractsSettingGeneralSetting* self, gint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_general_setting_get_window_width(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_window_width(
    TarvexBrevaneContractsSettingGeneralSetting* self, gint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_general_setting_get_window_height(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_window_height(
    TarvexBrevaneContractsSettingGeneralSetting* self, gint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_general_setting_get_window_state(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_window_state(
    TarvexBrevaneContractsSettingGeneralSetting* self, gint value);
TARVEX_EXPORT guint tarvex_brevane_contracts_setting_general_setting_get_user_locale(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_user_locale(
    TarvexBrevaneContractsSettingGeneralSetting* self, guint value);
TARVEX_EXPORT guint tarvex_brevane_contracts_setting_general_setting_get_color_scheme(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_color_scheme(
    TarvexBrevaneContractsSettingGeneralSetting* self, guint value);
TARVEX_EXPORT GDateTime* tarvex_brevane_contracts_setting_general_setting_get_broadcasting(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_broadcasting(
    TarvexBrevaneContractsSettingGeneralSetting* self, GDateTime* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_general_setting_get_titlebar_background(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_titlebar_background(
    TarvexBrevaneContractsSettingGeneralSetting* self, const gchar* value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_general_setting_get_toolbar_main_icon(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_toolbar_main_icon(
    TarvexBrevaneContractsSettingGeneralSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_general_setting_get_toolbar_main_text(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_toolbar_main_text(
    TarvexBrevaneContractsSettingGeneralSetting* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_general_setting_get_toolbar_minor_text(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_toolbar_minor_text(
    TarvexBrevaneContractsSettingGeneralSetting* self, gboolean value);
TARVEX_EXPORT guint tarvex_brevane_contracts_setting_general_setting_get_starter_page(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_starter_page(
    TarvexBrevaneContractsSettingGeneralSetting* self, guint value);
TARVEX_EXPORT gdouble tarvex_brevane_contracts_setting_general_setting_get_connecton_icon_size(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_connecton_icon_size(
    TarvexBrevaneContractsSettingGeneralSetting* self, gdouble value);
TARVEX_EXPORT guint tarvex_brevane_contracts_setting_general_setting_get_snippet_mode(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_snippet_mode(
    TarvexBrevaneContractsSettingGeneralSetting* self, guint value);
TARVEX_EXPORT gboolean
tarvex_brevane_contracts_setting_general_setting_get_check_updates_on_startup(
    TarvexBrevaneContractsSettingGeneralSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_general_setting_set_check_updates_on_startup(
    TarvexBrevaneContractsSettingGeneralSetting* self, gboolean value);

G_END_DECLS
