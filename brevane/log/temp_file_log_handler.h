// Writes the log of one server identity into a fresh temporary file and
// returns everything written so far on request.
#pragma once

#include <glib-object.h>
#include <stdarg.h>

#include "brevane/contracts/ilog_handler.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_TEMP_FILE_LOG_HANDLER \
  (tarvex_brevane_supports_log_temp_file_log_handler_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_temp_file_log_handler_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogTempFileLogHandler,
                         tarvex_brevane_supports_log_temp_file_log_handler,
                         TARVEX_BREVANE_SUPPORTS_LOG, TEMP_FILE_LOG_HANDLER, GObject)

struct _TarvexBrevaneSupportsLogTempFileLogHandlerClass {
  GObjectClass parent_class;
  void (*initialize)(TarvexBrevaneSupportsLogTempFileLogHandler* self, const gchar* name);
  void (*publish)(TarvexBrevaneSupportsLogTempFileLogHandler* self,
                  TarvexBrevaneContractsLogLogLevel level, const gchar* server, const gchar* name,
                  const gchar* format, va_list args);
  gchar* (*recent)(TarvexBrevaneSupportsLogTempFileLogHandler* self, gpointer extra);
  void (*close)(TarvexBrevaneSupportsLogTempFileLogHandler* self);
};

TARVEX_EXPORT TarvexBrevaneSupportsLogTempFileLogHandler*
tarvex_brevane_supports_log_temp_file_log_handler_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogTempFileLogHandler*
tarvex_brevane_supports_log_temp_file_log_handler_construct(GType object_type);
// Creates "Tarvex-<name>-XXXXXX.log" in the temporary folder, readable and
// writable by the owner only.
TARVEX_EXPORT void tarvex_brevane_supports_log_temp_file_log_handler_initialize(
    TarvexBrevaneSupportsLogTempFileLogHandler* self, const gchar* name);
TARVEX_EXPORT void tarvex_brevane_supports_log_temp_file_log_handler_publish(
    TarvexBrevaneSupportsLogTempFileLogHandler* self, TarvexBrevaneContractsLogLogLevel level,
    const gchar* server, const gchar* name, const gchar* format, va_list args);
// The whole content of the file.
TARVEX_EXPORT gchar* tarvex_brevane_supports_log_temp_file_log_handler_recent(
    TarvexBrevaneSupportsLogTempFileLogHandler* self, gpointer extra);
TARVEX_EXPORT void tarvex_brevane_supports_log_temp_file_log_handler_close(
    TarvexBrevaneSupportsLogTempFileLogHandler* self);

G_END_DECLS
