#include "brevane/contracts/iformatter.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsLogIFormatter,
                        tarvex_brevane_contracts_log_iformatter, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_log_iformatter_default_init(
    TarvexBrevaneContractsLogIFormatterIface*) {}

gchar* tarvex_brevane_contracts_log_iformatter_format(TarvexBrevaneContractsLogIFormatter* self,
                                                      TarvexBrevaneContractsLogLogLevel level,
                                                      const gchar* server, const gchar* name,
                                                      const gchar* format) {
  return tarvex::call_slot<&TarvexBrevaneContractsLogIFormatterIface::format>(self, level, server,
                                                                              name, format);
}
