#include "brevane/contracts/ilog_manager.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsLogILogManager,
                        tarvex_brevane_contracts_log_ilog_manager, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_log_ilog_manager_default_init(
    TarvexBrevaneContractsLogILogManagerIface* iface) {
  g_object_interface_install_property(
      iface, g_param_spec_object("main", "main", "main", TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER,
                                 GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
}

void tarvex_brevane_contracts_log_ilog_manager_initialize(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid_default,
    TarvexBrevaneContractsLogLogLevel level, const gchar* log_file_dir, gint64 size) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogManagerIface::initialize>(
      self, uuid_default, level, log_file_dir, size);
}

TarvexBrevaneContractsLogILogger* tarvex_brevane_contracts_log_ilog_manager_open(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILogManagerIface::open>(self, uuid);
}

void tarvex_brevane_contracts_log_ilog_manager_close(TarvexBrevaneContractsLogILogManager* self,
                                                     const gchar* uuid) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogManagerIface::close>(self, uuid);
}

void tarvex_brevane_contracts_log_ilog_manager_shutdown(
    TarvexBrevaneContractsLogILogManager* self) {
  tarvex::call_slot<&TarvexBrevaneContractsLogILogManagerIface::shutdown>(self);
}

TarvexBrevaneContractsLogILogger* tarvex_brevane_contracts_log_ilog_manager_get_main(
    TarvexBrevaneContractsLogILogManager* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogILogManagerIface::get_main>(self);
}
