// The main log's formatter: "%s.%03lli [%s][%s][%s] %s\n" with the date and
// time, milliseconds, server, name, level name and the caller's format.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iformatter.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER \
  (tarvex_brevane_supports_log_default_formatter_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_default_formatter_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogDefaultFormatter,
                         tarvex_brevane_supports_log_default_formatter, TARVEX_BREVANE_SUPPORTS_LOG,
                         DEFAULT_FORMATTER, GObject)

struct _TarvexBrevaneSupportsLogDefaultFormatterClass {
  GObjectClass parent_class;
  gchar* (*get_level_name)(TarvexBrevaneSupportsLogDefaultFormatter* self,
                           TarvexBrevaneContractsLogLogLevel level);
  gchar* (*format)(TarvexBrevaneSupportsLogDefaultFormatter* self,
                   TarvexBrevaneContractsLogLogLevel level, const gchar* server, const gchar* name,
                   const gchar* format);
};

TARVEX_EXPORT TarvexBrevaneSupportsLogDefaultFormatter*
tarvex_brevane_supports_log_default_formatter_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogDefaultFormatter*
tarvex_brevane_supports_log_default_formatter_construct(GType object_type);
TARVEX_EXPORT gchar* tarvex_brevane_supports_log_default_formatter_get_level_name(
    TarvexBrevaneSupportsLogDefaultFormatter* self, TarvexBrevaneContractsLogLogLevel level);
TARVEX_EXPORT gchar* tarvex_brevane_supports_log_default_formatter_format(
    TarvexBrevaneSupportsLogDefaultFormatter* self, TarvexBrevaneContractsLogLogLevel level,
    const gchar* server, const gchar* name, const gchar* format);

G_END_DECLS
