// The per-server log's formatter: "%s.%03lli %s\n" with the time,
// milliseconds and the caller's format.
#pragma once

#include "brevane/log/default_formatter.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SIMPLE_FORMATTER \
  (tarvex_brevane_supports_log_simple_formatter_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_simple_formatter_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogSimpleFormatter,
                         tarvex_brevane_supports_log_simple_formatter, TARVEX_BREVANE_SUPPORTS_LOG,
                         SIMPLE_FORMATTER, TarvexBrevaneSupportsLogDefaultFormatter)

struct _TarvexBrevaneSupportsLogSimpleFormatterClass {
  TarvexBrevaneSupportsLogDefaultFormatterClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsLogSimpleFormatter*
tarvex_brevane_supports_log_simple_formatter_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogSimpleFormatter*
tarvex_brevane_supports_log_simple_formatter_construct(GType object_type);

G_END_DECLS
