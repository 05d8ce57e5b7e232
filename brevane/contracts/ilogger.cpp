#include "brevane/contracts/ilogger.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

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

void tarvex_brevane_contracts_log_ilogger_initialize(TarvexBrevaneContractsLogILogger* self,
                                                     const gchar* server, const gchar* name) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::initialize>(self, server, name);
}

void tarvex_brevane_contracts_log_ilogger_close(TarvexBrevaneContractsLogILogger* self) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::close>(self);
}

void tarvex_brevane_contracts_log_ilogger_append_handler(
    TarvexBrevaneContractsLogILogger* self, TarvexBrevaneContractsLogILogHandler* handler) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::append_handler>(self, handler);
}

void tarvex_brevane_contracts_log_ilogger_delete_handler(
    TarvexBrevaneContractsLogILogger* self, TarvexBrevaneContractsLogILogHandler* handler) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::delete_handler>(self, handler);
}

void tarvex_brevane_contracts_log_ilogger_remove_handler_all(
    TarvexBrevaneContractsLogILogger* self) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::remove_handler_all>(self);
}

GeeHashSet* tarvex_brevane_contracts_log_ilogger_get_handlers(
    TarvexBrevaneContractsLogILogger* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::get_handlers>(self);
}

gchar* tarvex_brevane_contracts_log_ilogger_recent(TarvexBrevaneContractsLogILogger* self,
                                                   gpointer extra) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::recent>(self, extra);
}

#define ILOGGER_LOG_CALLER(op)                                                                \
  void tarvex_brevane_contracts_log_ilogger_##op(TarvexBrevaneContractsLogILogger* self,      \
                                                 const gchar* server, const gchar* name,      \
                                                 const gchar* format, va_list args) {         \
    tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::op>(self, server, name, format, \
                                                                  args);                      \
  }

ILOGGER_LOG_CALLER(error)
ILOGGER_LOG_CALLER(critical)
ILOGGER_LOG_CALLER(warning)
ILOGGER_LOG_CALLER(message)
ILOGGER_LOG_CALLER(info)
ILOGGER_LOG_CALLER(debug)

const gchar* tarvex_brevane_contracts_log_ilogger_get_uuid(TarvexBrevaneContractsLogILogger* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::get_uuid>(self);
}

const gchar* tarvex_brevane_contracts_log_ilogger_get_name(TarvexBrevaneContractsLogILogger* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::get_name>(self);
}

const gchar* tarvex_brevane_contracts_log_ilogger_get_server(
    TarvexBrevaneContractsLogILogger* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILoggerIface::get_server>(self);
}
