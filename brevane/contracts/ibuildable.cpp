#include "brevane/contracts/ibuildable.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIBuildable, tarvex_brevane_contracts_database_ibuildable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_ibuildable_default_init(TarvexBrevaneContractsDatabaseIBuildableIface*) {}

#define IBUILDABLE_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE_GET_INTERFACE(self)

gchar* tarvex_brevane_contracts_database_ibuildable_build_create(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object, gboolean raw) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_create ? iface->build_create(self, meta_object, raw) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_delete(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_delete ? iface->build_delete(self, meta_object) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_patch(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object, gboolean raw) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_patch ? iface->build_patch(self, meta_object, raw) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_normal(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table, const gchar* action) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_normal ? iface->build_normal(self, table, action) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_caller(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_caller ? iface->build_caller(self, routine) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_script(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsDataSetModel* dataset) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_script ? iface->build_script(self, dataset) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_data_table(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsTableModel* model) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->patch_data_table ? iface->patch_data_table(self, model) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_quote_identifier(TarvexBrevaneContractsDatabaseIBuildable* self, const gchar* identifier, const gchar* separator, const gchar* replacement) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->quote_identifier ? iface->quote_identifier(self, identifier, separator, replacement) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_quote_value(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsDataType type, const gchar* raw_value) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->quote_value ? iface->quote_value(self, type, raw_value) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_alter_database(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database_old, TarvexBrevaneMetaModelMetaDatabase* database_new) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->alter_database ? iface->alter_database(self, database_old, database_new) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_create_database(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database, gboolean raw) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->create_database ? iface->create_database(self, database, raw) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_alter_schema(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaSchema* schema_old, TarvexBrevaneMetaModelMetaSchema* schema_new) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->alter_schema ? iface->alter_schema(self, schema_old, schema_new) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_schema(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaSchema* schema, gboolean raw) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_schema ? iface->build_schema(self, schema, raw) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_table(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table, gboolean raw) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_table ? iface->build_table(self, table, raw) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_view(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaView* view) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_view ? iface->build_view(self, view) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_index(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaIndex* index) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_index ? iface->build_index(self, index) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_trigger(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTrigger* trigger) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_trigger ? iface->build_trigger(self, trigger) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_function(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_function ? iface->build_function(self, routine) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_user(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaUser* user) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_user ? iface->build_user(self, user) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_role(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRole* role) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_role ? iface->build_role(self, role) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_event(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaEvent* event) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->build_event ? iface->build_event(self, event) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_event(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaEvent* event) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->patch_event ? iface->patch_event(self, event) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_function(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->patch_function ? iface->patch_function(self, routine) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_script(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->patch_script ? iface->patch_script(self, database) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_table(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->patch_table ? iface->patch_table(self, table) : nullptr;
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_view(TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaView* view) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = IBUILDABLE_IFACE(self);
  return iface->patch_view ? iface->patch_view(self, view) : nullptr;
}
