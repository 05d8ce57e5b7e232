#include "brevane/contracts/ibuildable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIBuildable,
                        tarvex_brevane_contracts_database_ibuildable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_ibuildable_default_init(
    TarvexBrevaneContractsDatabaseIBuildableIface*) {}

gchar* tarvex_brevane_contracts_database_ibuildable_build_create(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_create>(
      self, meta_object, raw);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_delete(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_delete>(
      self, meta_object);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_patch(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_patch>(
      self, meta_object, raw);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_normal(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table,
    const gchar* action) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_normal>(
      self, table, action);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_caller(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_caller>(self,
                                                                                         routine);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_script(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsDataSetModel* dataset) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_script>(self,
                                                                                         dataset);
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_data_table(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsTableModel* model) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::patch_data_table>(self,
                                                                                             model);
}

gchar* tarvex_brevane_contracts_database_ibuildable_quote_identifier(
    TarvexBrevaneContractsDatabaseIBuildable* self, const gchar* identifier, const gchar* separator,
    const gchar* replacement) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::quote_identifier>(
      self, identifier, separator, replacement);
}

gchar* tarvex_brevane_contracts_database_ibuildable_quote_value(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsDataType type,
    const gchar* raw_value) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::quote_value>(self, type,
                                                                                        raw_value);
}

gchar* tarvex_brevane_contracts_database_ibuildable_alter_database(
    TarvexBrevaneContractsDatabaseIBuildable* self,
    TarvexBrevaneMetaModelMetaDatabase* database_old,
    TarvexBrevaneMetaModelMetaDatabase* database_new) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::alter_database>(
      self, database_old, database_new);
}

gchar* tarvex_brevane_contracts_database_ibuildable_create_database(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean raw) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::create_database>(
      self, database, raw);
}

gchar* tarvex_brevane_contracts_database_ibuildable_alter_schema(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaSchema* schema_old,
    TarvexBrevaneMetaModelMetaSchema* schema_new) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::alter_schema>(
      self, schema_old, schema_new);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_schema(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean raw) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_schema>(
      self, schema, raw);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_table(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean raw) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_table>(self, table,
                                                                                        raw);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_view(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaView* view) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_view>(self, view);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_index(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaIndex* index) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_index>(self,
                                                                                        index);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_trigger(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTrigger* trigger) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_trigger>(self,
                                                                                          trigger);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_function(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_function>(self,
                                                                                           routine);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_user(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaUser* user) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_user>(self, user);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_role(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRole* role) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_role>(self, role);
}

gchar* tarvex_brevane_contracts_database_ibuildable_build_event(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaEvent* event) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::build_event>(self,
                                                                                        event);
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_event(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaEvent* event) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::patch_event>(self,
                                                                                        event);
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_function(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::patch_function>(self,
                                                                                           routine);
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_script(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::patch_script>(self,
                                                                                         database);
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_table(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::patch_table>(self,
                                                                                        table);
}

gchar* tarvex_brevane_contracts_database_ibuildable_patch_view(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaView* view) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIBuildableIface::patch_view>(self, view);
}
