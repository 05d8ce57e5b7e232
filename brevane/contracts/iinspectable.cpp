#include "brevane/contracts/iinspectable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIInspectable,
                        tarvex_brevane_contracts_database_iinspectable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iinspectable_default_init(
    TarvexBrevaneContractsDatabaseIInspectableIface*) {}

gchar** tarvex_brevane_contracts_database_iinspectable_support(
    TarvexBrevaneContractsDatabaseIInspectable* self, TarvexBrevaneContractsDatabaseDbMetaType kind,
    gint* result_length1) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIInspectableIface::support>(
      self, kind, result_length1);
}

gchar* tarvex_brevane_contracts_database_iinspectable_get_type_default(
    TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIInspectableIface::get_type_default>(
      self, native_type);
}

TarvexProvidersContractsDataType tarvex_brevane_contracts_database_iinspectable_get_data_type(
    TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type, gint mode) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIInspectableIface::get_data_type,
                           TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN>(self, native_type, mode);
}

gchar* tarvex_brevane_contracts_database_iinspectable_get_sql_type(
    TarvexBrevaneContractsDatabaseIInspectable* self, TarvexProvidersContractsDataType type) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIInspectableIface::get_sql_type>(self,
                                                                                           type);
}
