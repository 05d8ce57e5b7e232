#include "brevane/contracts/ilog_manager.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsLogILogManager,
                        tarvex_brevane_contracts_log_ilog_manager, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_log_ilog_manager_default_init(
    TarvexBrevaneContractsLogILogManagerIface* iface) {
  g_object_interface_install_property(
      iface, g_param_spec_object("main", "main", "main", TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER,
                                 GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
}

#define ILOG_MANAGER_IFACE(self) TARVEX_BREVANE_CONTRACTS_LOG_ILOG_MANAGER_GET_INTERFACE(self)

void tarvex_brevane_contracts_log_ilog_manager_initialize(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid_default,
    TarvexBrevaneContractsLogLogLevel level, const gchar* log_file_dir, gint64 size) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_MANAGER_IFACE(self);
  if (iface->initialize) iface->initialize(self, uuid_default, level, log_file_dir, size);
}

TarvexBrevaneContractsLogILogger* tarvex_brevane_contracts_log_ilog_manager_open(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOG_MANAGER_IFACE(self);
  return iface->open ? iface->open(self, uuid) : nullptr;
}

void tarvex_brevane_contracts_log_ilog_manager_close(TarvexBrevaneContractsLogILogManager* self,
                                                     const gchar* uuid) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_MANAGER_IFACE(self);
  if (iface->close) iface->close(self, uuid);
}

void tarvex_brevane_contracts_log_ilog_manager_shutdown(
    TarvexBrevaneContractsLogILogManager* self) {
  g_return_if_fail(self != NULL);
  auto* iface = ILOG_MANAGER_IFACE(self);
  if (iface->shutdown) iface->shutdown(self);
}

TarvexBrevaneContractsLogILogger* tarvex_brevane_contracts_log_ilog_manager_get_main(
    TarvexBrevaneContractsLogILogManager* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ILOG_MANAGER_IFACE(self);
  return iface->get_main ? iface->get_main(self) : nullptr;
}
