#include "brevane/contracts/isql_code_buildable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCodeGenISqlCodeBuildable,
                        tarvex_brevane_contracts_code_gen_isql_code_buildable, G_TYPE_INVALID)

static void tarvex_brevane_contracts_code_gen_isql_code_buildable_default_init(
    TarvexBrevaneContractsCodeGenISqlCodeBuildableIface* iface) {}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_table(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE_GET_INTERFACE(self);
  return iface->build_table ? iface->build_table(self, source) : nullptr;
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_select(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE_GET_INTERFACE(self);
  return iface->build_select ? iface->build_select(self, source) : nullptr;
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_update(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE_GET_INTERFACE(self);
  return iface->build_update ? iface->build_update(self, source) : nullptr;
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_delete(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE_GET_INTERFACE(self);
  return iface->build_delete ? iface->build_delete(self, source) : nullptr;
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_insert(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE_GET_INTERFACE(self);
  return iface->build_insert ? iface->build_insert(self, source) : nullptr;
}
