// The main log's formatter: "%s.%03lli [%s][%s][%s] %s\n" with the date and
// time, milliseconds, server, name, level name and the caller's format.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iformatter.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsLogDefaultFormatter TarvexBrevaneSupportsLogDefaultFormatter;
typedef struct _TarvexBrevaneSupportsLogDefaultFormatterClass
    TarvexBrevaneSupportsLogDefaultFormatterClass;
typedef struct _TarvexBrevaneSupportsLogDefaultFormatterPrivate
    TarvexBrevaneSupportsLogDefaultFormatterPrivate;

struct _TarvexBrevaneSupportsLogDefaultFormatter {
  GObject parent_instance;
};

struct _TarvexBrevaneSupportsLogDefaultFormatterClass {
  GObjectClass parent_class;
  gchar* (*get_level_name)(TarvexBrevaneSupportsLogDefaultFormatter* self,
                           TarvexBrevaneContractsLogLogLevel level);
  gchar* (*format)(TarvexBrevaneSupportsLogDefaultFormatter* self,
                   TarvexBrevaneContractsLogLogLevel level, const gchar* server, const gchar* name,
                   const gchar* format);
};

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER \
  (tarvex_brevane_supports_log_default_formatter_get_type())
#define TARVEX_BREVANE_SUPPORTS_LOG_DEFAULT_FORMATTER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER, \
                              TarvexBrevaneSupportsLogDefaultFormatter))
#define TARVEX_BREVANE_SUPPORTS_LOG_IS_DEFAULT_FORMATTER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER))
#define TARVEX_BREVANE_SUPPORTS_LOG_DEFAULT_FORMATTER_GET_CLASS(obj)                    \
  (G_TYPE_INSTANCE_GET_CLASS((obj), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER, \
                             TarvexBrevaneSupportsLogDefaultFormatterClass))

TARVEX_EXPORT GType tarvex_brevane_supports_log_default_formatter_get_type(void) G_GNUC_CONST;
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
