#include "brevane/foundation/logging_service.h"

#include <cstring>
#include <mutex>
#include <string>

#include "brevane/foundation/services.h"
#include "common/tarvex-fundamental-private.h"

using tarvex::GRef;

struct _TarvexBrevaneFoundationLoggingServicePrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneFoundationLoggingService,
                               tarvex_brevane_foundation_logging_service, tarvex_brevane_foundation,
                               logging_service, TARVEX_BREVANE_FOUNDATION_TYPE_LOGGING_SERVICE)

TarvexBrevaneFoundationLoggingService* tarvex_brevane_foundation_logging_service_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneFoundationLoggingService*>(
      tarvex::fundamental::create(object_type));
}

TarvexBrevaneFoundationLoggingService* tarvex_brevane_foundation_logging_service_new(void) {
  return tarvex_brevane_foundation_logging_service_construct(
      TARVEX_BREVANE_FOUNDATION_TYPE_LOGGING_SERVICE);
}

namespace {

using Manager = TarvexBrevaneContractsLogILogManager;
using Logger = TarvexBrevaneContractsLogILogger;
using LogOp = void (*)(Logger*, const gchar*, const gchar*, const gchar*, va_list);

// Held for the whole of every call, so the lines of one call stand next to
// each other in both logs. Recursive: a handler callback may log again.
std::recursive_mutex s_lock;
Manager* s_log_manager = nullptr;

using Guard = std::lock_guard<std::recursive_mutex>;

std::string text_of(const gchar* s) {
  return s ? std::string(s) : std::string();
}

void log_to(LogOp op, const gchar* uuid, const gchar* format, va_list args) {
  Guard guard(s_lock);
  // Before initialize there is no manager: the manager's own precondition
  // reports it, and nothing is written.
  Logger* main = tarvex_brevane_contracts_log_ilog_manager_get_main(s_log_manager);
  if (!s_log_manager) return;
  std::string main_uuid = text_of(tarvex_brevane_contracts_log_ilogger_get_uuid(main));
  if (!main) return;
  std::string name = text_of(tarvex_brevane_contracts_log_ilogger_get_name(main));
  std::string server = text_of(tarvex_brevane_contracts_log_ilogger_get_server(main));

  if (uuid && main_uuid != uuid) {
    GRef<Logger> logger =
        tarvex::adoptGRef(tarvex_brevane_contracts_log_ilog_manager_open(s_log_manager, uuid));
    if (logger) {
      name = text_of(tarvex_brevane_contracts_log_ilogger_get_name(logger.get()));
      server = text_of(tarvex_brevane_contracts_log_ilogger_get_server(logger.get()));
      va_list copy;
      va_copy(copy, args);
      op(logger.get(), server.c_str(), name.c_str(), format, copy);
      va_end(copy);
    }
  }
  va_list copy;
  va_copy(copy, args);
  op(main, server.c_str(), name.c_str(), format, copy);
  va_end(copy);
}

}  // namespace

void tarvex_brevane_foundation_logging_service_initialize(const gchar* uuid_default,
                                                          TarvexBrevaneContractsLogLogLevel level,
                                                          const gchar* log_file_dir, gint64 size) {
  g_return_if_fail(uuid_default != NULL);
  g_return_if_fail(log_file_dir != NULL);
  Guard guard(s_lock);
  if (!s_log_manager) {
    s_log_manager = static_cast<Manager*>(
        tarvex_brevane_foundation_services_get(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER));
    // The host registers the manager before initializing logging.
    if (!s_log_manager) {
      g_return_if_fail_warning(G_LOG_DOMAIN, G_STRFUNC, "null != s_Log_manager");
      return;
    }
  }
  tarvex_brevane_contracts_log_ilog_manager_initialize(s_log_manager, uuid_default, level,
                                                       log_file_dir, size);
}

void tarvex_brevane_foundation_logging_service_shutdown(void) {
  Guard guard(s_lock);
  tarvex_brevane_contracts_log_ilog_manager_shutdown(s_log_manager);
}

#define LOGGING_SERVICE_OP(op)                                                                \
  void tarvex_brevane_foundation_logging_service_##op(const gchar* uuid, const gchar* format, \
                                                      ...) {                                  \
    g_return_if_fail(format != NULL);                                                         \
    va_list args;                                                                             \
    va_start(args, format);                                                                   \
    log_to(tarvex_brevane_contracts_log_ilogger_##op, uuid, format, args);                    \
    va_end(args);                                                                             \
  }

LOGGING_SERVICE_OP(error)
LOGGING_SERVICE_OP(critical)
LOGGING_SERVICE_OP(warning)
LOGGING_SERVICE_OP(message)
LOGGING_SERVICE_OP(info)
LOGGING_SERVICE_OP(debug)

TarvexBrevaneContractsLogILogManager* tarvex_brevane_foundation_logging_service_get_manager(void) {
  return s_log_manager;
}
