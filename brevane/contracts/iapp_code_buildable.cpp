#include "brevane/contracts/iapp_code_buildable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCodeGenIAppCodeBuildable,
                        tarvex_brevane_contracts_code_gen_iapp_code_buildable, G_TYPE_INVALID)

static void tarvex_brevane_contracts_code_gen_iapp_code_buildable_default_init(
    TarvexBrevaneContractsCodeGenIAppCodeBuildableIface* iface) {}

gchar* tarvex_brevane_contracts_code_gen_iapp_code_buildable_build_app_code(
    TarvexBrevaneContractsCodeGenIAppCodeBuildable* self, GObject* source) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CODE_GEN_IAPP_CODE_BUILDABLE_GET_INTERFACE(self);
  return iface->build_app_code ? iface->build_app_code(self, source) : nullptr;
}
