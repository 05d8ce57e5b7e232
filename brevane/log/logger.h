// A named fan-out: one log call reaches every handler attached to it.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ilogger.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOGGER (tarvex_brevane_supports_log_logger_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_logger_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogLogger, tarvex_brevane_supports_log_logger,
                         TARVEX_BREVANE_SUPPORTS_LOG, LOGGER, GObject)

struct _TarvexBrevaneSupportsLogLoggerClass {
  GObjectClass parent_class;
};

// A logger with the given identity, empty name and server and no handlers.
TARVEX_EXPORT TarvexBrevaneSupportsLogLogger* tarvex_brevane_supports_log_logger_new(
    const gchar* t_uuid);
TARVEX_EXPORT TarvexBrevaneSupportsLogLogger* tarvex_brevane_supports_log_logger_construct(
    GType object_type, const gchar* t_uuid);

G_END_DECLS
