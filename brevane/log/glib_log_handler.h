// A log handler that forwards every line to GLib's logging, whatever its
// threshold says.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ilog_handler.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_GLIB_LOG_HANDLER \
  (tarvex_brevane_supports_log_glib_log_handler_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_glib_log_handler_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogGLibLogHandler,
                         tarvex_brevane_supports_log_glib_log_handler, TARVEX_BREVANE_SUPPORTS_LOG,
                         GLIB_LOG_HANDLER, GObject)

struct _TarvexBrevaneSupportsLogGLibLogHandlerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsLogGLibLogHandler*
tarvex_brevane_supports_log_glib_log_handler_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogGLibLogHandler*
tarvex_brevane_supports_log_glib_log_handler_construct(GType object_type);

G_END_DECLS
