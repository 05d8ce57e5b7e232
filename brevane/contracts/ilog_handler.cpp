#include "brevane/contracts/ilog_handler.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

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

void tarvex_brevane_contracts_log_ilog_handler_publish(TarvexBrevaneContractsLogILogHandler* self,
                                                       TarvexBrevaneContractsLogLogLevel level,
                                                       const gchar* server, const gchar* name,
                                                       const gchar* format, va_list args) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::publish>(self, level, server, name,
                                                                         format, args);
}

gchar* tarvex_brevane_contracts_log_ilog_handler_recent(TarvexBrevaneContractsLogILogHandler* self,
                                                        gpointer extra) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::recent>(self, extra);
}

void tarvex_brevane_contracts_log_ilog_handler_close(TarvexBrevaneContractsLogILogHandler* self) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::close>(self);
}

TarvexBrevaneContractsLogIFormatter* tarvex_brevane_contracts_log_ilog_handler_get_formatter(
    TarvexBrevaneContractsLogILogHandler* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::get_formatter>(self);
}

void tarvex_brevane_contracts_log_ilog_handler_set_formatter(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogIFormatter* value) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::set_formatter>(self, value);
}

TarvexBrevaneContractsLogLogLevel tarvex_brevane_contracts_log_ilog_handler_get_threshold(
    TarvexBrevaneContractsLogILogHandler* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::get_threshold,
                           TarvexBrevaneContractsLogLogLevel(0)>(self);
}

void tarvex_brevane_contracts_log_ilog_handler_set_threshold(
    TarvexBrevaneContractsLogILogHandler* self, TarvexBrevaneContractsLogLogLevel value) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogHandlerIface::set_threshold>(self, value);
}
