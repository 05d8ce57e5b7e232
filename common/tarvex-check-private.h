// Precondition checks whose reported text is not the C expression itself
// (GLib's g_return_*_if_fail prints the expression; some checks describe the
// condition in the words of the API, e.g. "value_type.is_object ()").
//
// Not installed, not part of the API.
#pragma once

#include <glib.h>

#define TARVEX_RETURN_IF_FAIL_TEXT(expr, text)                   \
  do {                                                           \
    if (G_LIKELY(expr)) {                                        \
    } else {                                                     \
      g_return_if_fail_warning(G_LOG_DOMAIN, G_STRFUNC, (text)); \
      return;                                                    \
    }                                                            \
  } while (0)

#define TARVEX_RETURN_VAL_IF_FAIL_TEXT(expr, text, val)          \
  do {                                                           \
    if (G_LIKELY(expr)) {                                        \
    } else {                                                     \
      g_return_if_fail_warning(G_LOG_DOMAIN, G_STRFUNC, (text)); \
      return (val);                                              \
    }                                                            \
  } while (0)
