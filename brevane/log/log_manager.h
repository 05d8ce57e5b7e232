// Owns the main logger (numbered log files) and one logger per server
// identity (a temporary file each).
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ilog_manager.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOG_MANAGER \
  (tarvex_brevane_supports_log_log_manager_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_log_log_manager_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsLogLogManager,
                         tarvex_brevane_supports_log_log_manager, TARVEX_BREVANE_SUPPORTS_LOG,
                         LOG_MANAGER, GObject)

struct _TarvexBrevaneSupportsLogLogManagerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsLogLogManager* tarvex_brevane_supports_log_log_manager_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogLogManager* tarvex_brevane_supports_log_log_manager_construct(
    GType object_type);

G_END_DECLS
