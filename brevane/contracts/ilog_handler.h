// A log handler writes lines whose level is at or above its importance
// threshold (level <= threshold) to one destination.
#pragma once

#include <glib-object.h>
#include <stdarg.h>

#include "brevane/contracts/iformatter.h"
#include "brevane/contracts/log_level.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsLogILogHandler TarvexBrevaneContractsLogILogHandler;
typedef struct _TarvexBrevaneContractsLogILogHandlerIface TarvexBrevaneContractsLogILogHandlerIface;

struct _TarvexBrevaneContractsLogILogHandlerIface {
  GTypeInterface parent_iface;
  void (*publish)(TarvexBrevaneContractsLogILogHandler* self,
                  TarvexBrevaneContractsLogLogLevel level, const gchar* server, const gchar* name,
                  const gchar* format, va_list args);
  gchar* (*recent)(TarvexBrevaneContractsLogILogHandler* self, gpointer extra);
  void (*close)(TarvexBrevaneContractsLogILogHandler* self);
  TarvexBrevaneContractsLogIFormatter* (*get_formatter)(TarvexBrevaneContractsLogILogHandler* self);
  void (*set_formatter)(TarvexBrevaneContractsLogILogHandler* self,
                        TarvexBrevaneContractsLogIFormatter* value);
  TarvexBrevaneContractsLogLogLevel (*get_threshold)(TarvexBrevaneContractsLogILogHandler* self);
  void (*set_threshold)(TarvexBrevaneContractsLogILogHandler* self,
                        TarvexBrevaneContractsLogLogLevel value);
};

#define TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER \
  (tarvex_brevane_contracts_log_ilog_handler_get_type())
#define TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER, \
                              TarvexBrevaneContractsLogILogHandler))
#define TARVEX_BREVANE_CONTRACTS_LOG_IS_ILOG_HANDLER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER))
#define TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER, \
                                 TarvexBrevaneContractsLogILogHandlerIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_log_ilog_handler_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_handler_publish(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogLogLevel level,
    const gchar* server, const gchar* name, const gchar* format, va_list args);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_log_ilog_handler_recent(
    TarvexBrevaneContractsLogILogHandler* self, gpointer extra);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_handler_close(
    TarvexBrevaneContractsLogILogHandler* self);
TARVEX_EXPORT TarvexBrevaneContractsLogIFormatter*
tarvex_brevane_contracts_log_ilog_handler_get_formatter(TarvexBrevaneContractsLogILogHandler* self);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_handler_set_formatter(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogIFormatter* value);
TARVEX_EXPORT TarvexBrevaneContractsLogLogLevel
tarvex_brevane_contracts_log_ilog_handler_get_threshold(TarvexBrevaneContractsLogILogHandler* self);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_handler_set_threshold(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogLogLevel value);

G_END_DECLS
