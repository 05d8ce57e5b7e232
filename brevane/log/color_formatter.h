// A formatter for terminals: padded columns and a coloured level name.
#pragma once

#include "brevane/log/default_formatter.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_COLOR_FORMATTER \
  (tarvex_brevane_supports_log_color_formatter_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_color_formatter_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogColorFormatter,
                         tarvex_brevane_supports_log_color_formatter, TARVEX_BREVANE_SUPPORTS_LOG,
                         COLOR_FORMATTER, TarvexBrevaneSupportsLogDefaultFormatter)

struct _TarvexBrevaneSupportsLogColorFormatterClass {
  TarvexBrevaneSupportsLogDefaultFormatterClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsLogColorFormatter*
tarvex_brevane_supports_log_color_formatter_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogColorFormatter*
tarvex_brevane_supports_log_color_formatter_construct(GType object_type);

G_END_DECLS
