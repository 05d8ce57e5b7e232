// LoggingSetting: the log file size limit and level.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_LOGGING_SETTING \
  (tarvex_brevane_contracts_setting_logging_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_logging_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingLoggingSetting,
                         tarvex_brevane_contracts_setting_logging_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, LOGGING_SETTING, GObject)

struct _TarvexBrevaneContractsSettingLoggingSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingLoggingSetting*
tarvex_brevane_contracts_setting_logging_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingLoggingSetting*
tarvex_brevane_contracts_setting_logging_setting_construct(GType object_type);

TARVEX_EXPORT guint tarvex_brevane_contracts_setting_logging_setting_get_file_size_max(
    TarvexBrevaneContractsSettingLoggingSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_logging_setting_set_file_size_max(
    TarvexBrevaneContractsSettingLoggingSetting* self, guint value);
TARVEX_EXPORT gint tarvex_brevane_contracts_setting_logging_setting_get_logger_level(
    TarvexBrevaneContractsSettingLoggingSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_logging_setting_set_logger_level(
    TarvexBrevaneContractsSettingLoggingSetting* self, gint value);

G_END_DECLS
