// DataGridSetting: the data grid's preferences: row limit, font and cell colours.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_DATA_GRID_SETTING \
  (tarvex_brevane_contracts_setting_data_grid_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_data_grid_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingDataGridSetting,
                         tarvex_brevane_contracts_setting_data_grid_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, DATA_GRID_SETTING, GObject)

struct _TarvexBrevaneContractsSettingDataGridSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingDataGridSetting*
tarvex_brevane_contracts_setting_data_grid_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingDataGridSetting*
tarvex_brevane_contracts_setting_data_grid_setting_construct(GType object_type);

TARVEX_EXPORT guint tarvex_brevane_contracts_setting_data_grid_setting_get_submit_mode(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_submit_mode(
    TarvexBrevaneContractsSettingDataGridSetting* self, guint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_data_grid_setting_get_records_limit(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_records_limit(
    TarvexBrevaneContractsSettingDataGridSetting* self, gint value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_font_with_size(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_font_with_size(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_bg_dark(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_bg_dark(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_bg_light(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_bg_light(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_bg_dirty(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_bg_dirty(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_text(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_text(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_integer(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_integer(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_float(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_float(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_datetime(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_datetime(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_binary(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_binary(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_spatial(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_spatial(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_compute(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_compute(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_others(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_others(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_dbnull(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_dbnull(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_data_grid_setting_get_color_current(
    TarvexBrevaneContractsSettingDataGridSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_data_grid_setting_set_color_current(
    TarvexBrevaneContractsSettingDataGridSetting* self, const gchar* value);

G_END_DECLS
