#include "brevane/contracts/iinspectable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIInspectable, tarvex_brevane_contracts_database_iinspectable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iinspectable_default_init(TarvexBrevaneContractsDatabaseIInspectableIface*) {}

#define IINSPECTABLE_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_IINSPECTABLE_GET_INTERFACE(self)

gchar** tarvex_brevane_contracts_database_iinspectable_support(TarvexBrevaneContractsDatabaseIInspectable* self, TarvexBrevaneContractsDatabaseDbMetaType kind, gint* result_length1) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IINSPECTABLE_IFACE(self);
  return iface->support ? iface->support(self, kind, result_length1) : nullptr;
}

gchar* tarvex_brevane_contracts_database_iinspectable_get_type_default(TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IINSPECTABLE_IFACE(self);
  return iface->get_type_default ? iface->get_type_default(self, native_type) : nullptr;
}

TarvexProvidersContractsDataType tarvex_brevane_contracts_database_iinspectable_get_data_type(TarvexBrevaneContractsDatabaseIInspectable* self, const gchar* native_type, gint mode) {
  g_return_val_if_fail(self != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN);
  auto* iface = IINSPECTABLE_IFACE(self);
  return iface->get_data_type ? iface->get_data_type(self, native_type, mode) : TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
}

gchar* tarvex_brevane_contracts_database_iinspectable_get_sql_type(TarvexBrevaneContractsDatabaseIInspectable* self, TarvexProvidersContractsDataType type) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IINSPECTABLE_IFACE(self);
  return iface->get_sql_type ? iface->get_sql_type(self, type) : nullptr;
}
