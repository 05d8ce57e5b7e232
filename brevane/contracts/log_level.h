// Importance of a log line; a smaller number is more important.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef enum {
  TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY = 0,
  TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN = 1,
  TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG = 2,
} TarvexBrevaneContractsLogLogLevel;

#define TARVEX_BREVANE_CONTRACTS_LOG_TYPE_LOG_LEVEL \
  (tarvex_brevane_contracts_log_log_level_get_type())

TARVEX_EXPORT GType tarvex_brevane_contracts_log_log_level_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gchar* tarvex_brevane_contracts_log_log_level_to_string(
    TarvexBrevaneContractsLogLogLevel self);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_log_log_level_to_number(
    TarvexBrevaneContractsLogLogLevel self);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_log_log_level_to_color(
    TarvexBrevaneContractsLogLogLevel self);

G_END_DECLS
