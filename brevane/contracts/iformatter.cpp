#include "brevane/contracts/iformatter.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsLogIFormatter,
                        tarvex_brevane_contracts_log_iformatter, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_log_iformatter_default_init(
    TarvexBrevaneContractsLogIFormatterIface*) {}

gchar* tarvex_brevane_contracts_log_iformatter_format(TarvexBrevaneContractsLogIFormatter* self,
                                                      TarvexBrevaneContractsLogLogLevel level,
                                                      const gchar* server, const gchar* name,
                                                      const gchar* format) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER_GET_INTERFACE(self);
  return iface->format ? iface->format(self, level, server, name, format) : nullptr;
}
