#include "brevane/contracts/ilogger.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsLogILogger, tarvex_brevane_contracts_log_ilogger,
                        G_TYPE_OBJECT)

static void tarvex_brevane_contracts_log_ilogger_default_init(
    TarvexBrevaneContractsLogILoggerIface* iface) {
  const auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  g_object_interface_install_property(iface,
                                      g_param_spec_string("uuid", "uuid", "uuid", nullptr, flags));
  g_object_interface_install_property(iface,
                                      g_param_spec_string("name", "name", "name", nullptr, flags));
  g_object_interface_install_property(
      iface, g_param_spec_string("server", "server", "server", nullptr, flags));
}

#define ILOGGER_IFACE(self) TARVEX_BREVANE_CONTRACTS_LOG_ILOGGER_GET_INTERFACE(self)

void tarvex_brevane_contracts_log_ilogger_initialize(TarvexBrevaneContractsLogILogger* self,
                                                     const gchar* server, const gchar* name) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOGGER_IFACE(self);
  if (iface->initialize) iface->initialize(self, server, name);
}

void tarvex_brevane_contracts_log_ilogger_close(TarvexBrevaneContractsLogILogger* self) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOGGER_IFACE(self);
  if (iface->close) iface->close(self);
}

void tarvex_brevane_contracts_log_ilogger_append_handler(
    TarvexBrevaneContractsLogILogger* self, TarvexBrevaneContractsLogILogHandler* handler) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOGGER_IFACE(self);
  if (iface->append_handler) iface->append_handler(self, handler);
}

void tarvex_brevane_contracts_log_ilogger_delete_handler(
    TarvexBrevaneContractsLogILogger* self, TarvexBrevaneContractsLogILogHandler* handler) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOGGER_IFACE(self);
  if (iface->delete_handler) iface->delete_handler(self, handler);
}

void tarvex_brevane_contracts_log_ilogger_remove_handler_all(
    TarvexBrevaneContractsLogILogger* self) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOGGER_IFACE(self);
  if (iface->remove_handler_all) iface->remove_handler_all(self);
}

GeeHashSet* tarvex_brevane_contracts_log_ilogger_get_handlers(
    TarvexBrevaneContractsLogILogger* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOGGER_IFACE(self);
  return iface->get_handlers ? iface->get_handlers(self) : nullptr;
}

gchar* tarvex_brevane_contracts_log_ilogger_recent(TarvexBrevaneContractsLogILogger* self,
                                                   gpointer extra) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOGGER_IFACE(self);
  return iface->recent ? iface->recent(self, extra) : nullptr;
}

#define ILOGGER_LOG_CALLER(op)                                                           \
  void tarvex_brevane_contracts_log_ilogger_##op(TarvexBrevaneContractsLogILogger* self, \
                                                 const gchar* server, const gchar* name, \
                                                 const gchar* format, va_list args) {    \
    g_return_if_fail(self != NULL);                                                      \
    auto* iface = ILOGGER_IFACE(self);                                                   \
    if (iface->op) iface->op(self, server, name, format, args);                          \
  }

ILOGGER_LOG_CALLER(error)
ILOGGER_LOG_CALLER(critical)
ILOGGER_LOG_CALLER(warning)
ILOGGER_LOG_CALLER(message)
ILOGGER_LOG_CALLER(info)
ILOGGER_LOG_CALLER(debug)

const gchar* tarvex_brevane_contracts_log_ilogger_get_uuid(TarvexBrevaneContractsLogILogger* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOGGER_IFACE(self);
  return iface->get_uuid ? iface->get_uuid(self) : nullptr;
}

const gchar* tarvex_brevane_contracts_log_ilogger_get_name(TarvexBrevaneContractsLogILogger* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOGGER_IFACE(self);
  return iface->get_name ? iface->get_name(self) : nullptr;
}

const gchar* tarvex_brevane_contracts_log_ilogger_get_server(
    TarvexBrevaneContractsLogILogger* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOGGER_IFACE(self);
  return iface->get_server ? iface->get_server(self) : nullptr;
}
