#include "brevane/contracts/iapp_code_buildable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCodeGenIAppCodeBuildable,
                        tarvex_brevane_contracts_code_gen_iapp_code_buildable, G_TYPE_INVALID)

static void tarvex_brevane_contracts_code_gen_iapp_code_buildable_default_init(
    TarvexBrevaneContractsCodeGenIAppCodeBuildableIface* iface) {}

gchar* tarvex_brevane_contracts_code_gen_iapp_code_buildable_build_app_code(
    TarvexBrevaneContractsCodeGenIAppCodeBuildable* self, GObject* source) {
  return tarvex::call_slot<&TarvexBrevaneContractsCodeGenIAppCodeBuildableIface::build_app_code>(
      self, source);
}
