#include "brevane/contracts/ilog_handler.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsLogILogHandler,
                        tarvex_brevane_contracts_log_ilog_handler, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_log_ilog_handler_default_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface) {
  g_object_interface_install_property(
      iface, g_param_spec_object("formatter", "formatter", "formatter",
                                 TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER,
                                 GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
  g_object_interface_install_property(
      iface, g_param_spec_enum("threshold", "threshold", "threshold",
                               TARVEX_BREVANE_CONTRACTS_LOG_TYPE_LOG_LEVEL,
                               TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY,
                               GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
}

#define ILOG_HANDLER_IFACE(self) TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER_GET_INTERFACE(self)

void tarvex_brevane_contracts_log_ilog_handler_publish(TarvexBrevaneContractsLogILogHandler* self,
                                                       TarvexBrevaneContractsLogLogLevel level,
                                                       const gchar* server, const gchar* name,
                                                       const gchar* format, va_list args) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_HANDLER_IFACE(self);
  if (iface->publish) iface->publish(self, level, server, name, format, args);
}

gchar* tarvex_brevane_contracts_log_ilog_handler_recent(TarvexBrevaneContractsLogILogHandler* self,
                                                        gpointer extra) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOG_HANDLER_IFACE(self);
  return iface->recent ? iface->recent(self, extra) : nullptr;
}

void tarvex_brevane_contracts_log_ilog_handler_close(TarvexBrevaneContractsLogILogHandler* self) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_HANDLER_IFACE(self);
  if (iface->close) iface->close(self);
}

TarvexBrevaneContractsLogIFormatter* tarvex_brevane_contracts_log_ilog_handler_get_formatter(
    TarvexBrevaneContractsLogILogHandler* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOG_HANDLER_IFACE(self);
  return iface->get_formatter ? iface->get_formatter(self) : nullptr;
}

void tarvex_brevane_contracts_log_ilog_handler_set_formatter(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogIFormatter* value) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_HANDLER_IFACE(self);
  if (iface->set_formatter) iface->set_formatter(self, value);
}

TarvexBrevaneContractsLogLogLevel tarvex_brevane_contracts_log_ilog_handler_get_threshold(
    TarvexBrevaneContractsLogILogHandler* self) {
  g_return_val_if_fail(self != NULL, TarvexBrevaneContractsLogLogLevel(0));
  auto* iface = ILOG_HANDLER_IFACE(self);
  return iface->get_threshold ? iface->get_threshold(self) : TarvexBrevaneContractsLogLogLevel(0);
}

void tarvex_brevane_contracts_log_ilog_handler_set_threshold(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogLogLevel value) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_HANDLER_IFACE(self);
  if (iface->set_threshold) iface->set_threshold(self, value);
}
