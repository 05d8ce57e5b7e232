// A formatter builds the printf format line of one log line (time stamp,
// origin, level name and the caller's format); the handler expands it.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/log_level.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsLogIFormatter TarvexBrevaneContractsLogIFormatter;
typedef struct _TarvexBrevaneContractsLogIFormatterIface TarvexBrevaneContractsLogIFormatterIface;

struct _TarvexBrevaneContractsLogIFormatterIface {
  GTypeInterface parent_iface;
  gchar* (*format)(TarvexBrevaneContractsLogIFormatter* self,
                   TarvexBrevaneContractsLogLogLevel level, const gchar* server, const gchar* name,
                   const gchar* format);
};

#define TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER \
  (tarvex_brevane_contracts_log_iformatter_get_type())
#define TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER, \
                              TarvexBrevaneContractsLogIFormatter))
#define TARVEX_BREVANE_CONTRACTS_LOG_IS_IFORMATTER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER))
#define TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER, \
                                 TarvexBrevaneContractsLogIFormatterIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_log_iformatter_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gchar* tarvex_brevane_contracts_log_iformatter_format(
    TarvexBrevaneContractsLogIFormatter* self, TarvexBrevaneContractsLogLogLevel level,
    const gchar* server, const gchar* name, const gchar* format);

G_END_DECLS
