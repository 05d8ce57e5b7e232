// A log handler that turns lines into small markup fragments and hands them,
// from the default main loop, to a callback the host installs. Lines may be
// published from any thread; the callback runs only on the main loop.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ilog_handler.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DELEGATE_HANDLER \
  (tarvex_brevane_supports_log_delegate_handler_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_delegate_handler_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogDelegateHandler,
                         tarvex_brevane_supports_log_delegate_handler, TARVEX_BREVANE_SUPPORTS_LOG,
                         DELEGATE_HANDLER, GObject)

// The line is borrowed for the duration of the call.
typedef void (*TarvexBrevaneSupportsLogLogLineCallback)(const gchar* line, gpointer user_data);

struct _TarvexBrevaneSupportsLogDelegateHandlerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsLogDelegateHandler*
tarvex_brevane_supports_log_delegate_handler_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogDelegateHandler*
tarvex_brevane_supports_log_delegate_handler_construct(GType object_type);
// Installs the callback (replacing an earlier one) and starts a new, empty
// queue; the user data is not owned.
TARVEX_EXPORT void tarvex_brevane_supports_log_delegate_handler_initialize(
    TarvexBrevaneSupportsLogDelegateHandler* self, TarvexBrevaneSupportsLogLogLineCallback callback,
    gpointer user_data);

G_END_DECLS
