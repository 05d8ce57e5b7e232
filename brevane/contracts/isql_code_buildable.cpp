#include "brevane/contracts/isql_code_buildable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCodeGenISqlCodeBuildable,
                        tarvex_brevane_contracts_code_gen_isql_code_buildable, G_TYPE_INVALID)

static void tarvex_brevane_contracts_code_gen_isql_code_buildable_default_init(
    TarvexBrevaneContractsCodeGenISqlCodeBuildableIface* iface) {}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_table(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  return tarvex::call_slot<&TarvexBrevaneContractsCodeGenISqlCodeBuildableIface::build_table>(
      self, source);
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_select(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  return tarvex::call_slot<&TarvexBrevaneContractsCodeGenISqlCodeBuildableIface::build_select>(
      self, source);
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_update(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  return tarvex::call_slot<&TarvexBrevaneContractsCodeGenISqlCodeBuildableIface::build_update>(
      self, source);
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_delete(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  return tarvex::call_slot<&TarvexBrevaneContractsCodeGenISqlCodeBuildableIface::build_delete>(
      self, source);
}

gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_insert(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source) {
  return tarvex::call_slot<&TarvexBrevaneContractsCodeGenISqlCodeBuildableIface::build_insert>(
      self, source);
}
