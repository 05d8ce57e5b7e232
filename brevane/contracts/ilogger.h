// A logger fans one log call out to its set of handlers.
#pragma once

#include <gee.h>
#include <glib-object.h>
#include <stdarg.h>

#include "brevane/contracts/ilog_handler.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsLogILogger TarvexBrevaneContractsLogILogger;
typedef struct _TarvexBrevaneContractsLogILoggerIface TarvexBrevaneContractsLogILoggerIface;

typedef void (*TarvexBrevaneContractsLogILoggerLogFunc)(TarvexBrevaneContractsLogILogger* self,
                                                        const gchar* server, const gchar* name,
                                                        const gchar* format, va_list args);

struct _TarvexBrevaneContractsLogILoggerIface {
  GTypeInterface parent_iface;
  void (*initialize)(TarvexBrevaneContractsLogILogger* self, const gchar* server,
                     const gchar* name);
  void (*close)(TarvexBrevaneContractsLogILogger* self);
  void (*append_handler)(TarvexBrevaneContractsLogILogger* self,
                         TarvexBrevaneContractsLogILogHandler* handler);
  void (*delete_handler)(TarvexBrevaneContractsLogILogger* self,
                         TarvexBrevaneContractsLogILogHandler* handler);
  void (*remove_handler_all)(TarvexBrevaneContractsLogILogger* self);
  GeeHashSet* (*get_handlers)(TarvexBrevaneContractsLogILogger* self);
  gchar* (*recent)(TarvexBrevaneContractsLogILogger* self, gpointer extra);
  TarvexBrevaneContractsLogILoggerLogFunc error;
  TarvexBrevaneContractsLogILoggerLogFunc critical;
  TarvexBrevaneContractsLogILoggerLogFunc warning;
  TarvexBrevaneContractsLogILoggerLogFunc message;
  TarvexBrevaneContractsLogILoggerLogFunc info;
  TarvexBrevaneContractsLogILoggerLogFunc debug;
  const gchar* (*get_uuid)(TarvexBrevaneContractsLogILogger* self);
  const gchar* (*get_name)(TarvexBrevaneContractsLogILogger* self);
  const gchar* (*get_server)(TarvexBrevaneContractsLogILogger* self);
};

#define TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER (tarvex_brevane_contracts_log_ilogger_get_type())
#define TARVEX_BREVANE_CONTRACTS_LOG_ILOGGER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER, \
                              TarvexBrevaneContractsLogILogger))
#define TARVEX_BREVANE_CONTRACTS_LOG_IS_ILOGGER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER))
#define TARVEX_BREVANE_CONTRACTS_LOG_ILOGGER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER, \
                                 TarvexBrevaneContractsLogILoggerIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_log_ilogger_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_initialize(
    TarvexBrevaneContractsLogILogger* self, const gchar* server, const gchar* name);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_close(
    TarvexBrevaneContractsLogILogger* self);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_append_handler(
    TarvexBrevaneContractsLogILogger* self, TarvexBrevaneContractsLogILogHandler* handler);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_delete_handler(
    TarvexBrevaneContractsLogILogger* self, TarvexBrevaneContractsLogILogHandler* handler);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_remove_handler_all(
    TarvexBrevaneContractsLogILogger* self);
TARVEX_EXPORT GeeHashSet* tarvex_brevane_contracts_log_ilogger_get_handlers(
    TarvexBrevaneContractsLogILogger* self);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_log_ilogger_recent(
    TarvexBrevaneContractsLogILogger* self, gpointer extra);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_error(
    TarvexBrevaneContractsLogILogger* self, const gchar* server, const gchar* name,
    const gchar* format, va_list args);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_critical(
    TarvexBrevaneContractsLogILogger* self, const gchar* server, const gchar* name,
    const gchar* format, va_list args);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_warning(
    TarvexBrevaneContractsLogILogger* self, const gchar* server, const gchar* name,
    const gchar* format, va_list args);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_message(
    TarvexBrevaneContractsLogILogger* self, const gchar* server, const gchar* name,
    const gchar* format, va_list args);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_info(TarvexBrevaneContractsLogILogger* self,
                                                             const gchar* server, const gchar* name,
                                                             const gchar* format, va_list args);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilogger_debug(
    TarvexBrevaneContractsLogILogger* self, const gchar* server, const gchar* name,
    const gchar* format, va_list args);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_log_ilogger_get_uuid(
    TarvexBrevaneContractsLogILogger* self);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_log_ilogger_get_name(
    TarvexBrevaneContractsLogILogger* self);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_log_ilogger_get_server(
    TarvexBrevaneContractsLogILogger* self);

G_END_DECLS
