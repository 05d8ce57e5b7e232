#include "brevane/contracts/istatement.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIStatement,
                        tarvex_brevane_contracts_database_istatement, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_istatement_default_init(
    TarvexBrevaneContractsDatabaseIStatementIface*) {}

// Every operation: check the statement, call the slot; an empty slot yields
// no text.

gchar* tarvex_brevane_contracts_database_istatement_build_connection_string(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsServer* server) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_connection_string>(
      self, server);
}

gchar* tarvex_brevane_contracts_database_istatement_show_databases(
    TarvexBrevaneContractsDatabaseIStatement* self, gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_databases>(self,
                                                                                           code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_tables(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_tables>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_views(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_views>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_change_database(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::change_database>(
      self, database);
}

gchar* tarvex_brevane_contracts_database_istatement_build_explain(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement, const gchar* format) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_explain>(
      self, statement, format);
}

gchar* tarvex_brevane_contracts_database_istatement_build_analyze(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement, const gchar* format) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_analyze>(
      self, statement, format);
}

gchar* tarvex_brevane_contracts_database_istatement_show_table_spaces(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_table_spaces>(
      self, database, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_table_schemas(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_table_schemas>(
      self, database, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_checks(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_checks>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_excludes(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_excludes>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_foreigns(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_foreigns>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_rules(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_rules>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_uniques(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_uniques>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_indexes(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_indexes>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_triggers(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_triggers>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_functions(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_functions>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_procedures(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_procedures>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_call_function(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* function, const gchar* parameters) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::call_function>(
      self, database, user_schema, function, parameters);
}

gchar* tarvex_brevane_contracts_database_istatement_call_procedure(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* procedure, const gchar* parameters) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::call_procedure>(
      self, database, user_schema, procedure, parameters);
}

gchar* tarvex_brevane_contracts_database_istatement_show_source(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* name, gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_source>(
      self, kind, database, user_schema, name, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_structure(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_structure>(
      self, database, user_schema, table, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_content(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* columns, const gchar* where, const gchar* order, gint64 offset,
    gint limit) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_content>(
      self, database, user_schema, table, columns, where, order, offset, limit);
}

gchar* tarvex_brevane_contracts_database_istatement_show_users(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_users>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_roles(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_roles>(
      self, database, user_schema, code);
}

gchar* tarvex_brevane_contracts_database_istatement_show_user_detail(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_user_detail>(
      self, database, user_schema, username);
}

gchar* tarvex_brevane_contracts_database_istatement_show_role_detail(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_role_detail>(
      self, database, user_schema, rolename);
}

gchar* tarvex_brevane_contracts_database_istatement_show_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_user_rights>(
      self, database, user_schema, username);
}

gchar* tarvex_brevane_contracts_database_istatement_show_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_role_rights>(
      self, database, user_schema, rolename);
}

gchar* tarvex_brevane_contracts_database_istatement_grant_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::grant_user_rights>(
      self, database, user_schema, username, object, rights);
}

gchar* tarvex_brevane_contracts_database_istatement_revoke_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::revoke_user_rights>(
      self, database, user_schema, username, object, rights);
}

gchar* tarvex_brevane_contracts_database_istatement_grant_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::grant_role_rights>(
      self, database, user_schema, rolename, object, rights);
}

gchar* tarvex_brevane_contracts_database_istatement_revoke_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::revoke_role_rights>(
      self, database, user_schema, rolename, object, rights);
}

gchar* tarvex_brevane_contracts_database_istatement_show_privileges(
    TarvexBrevaneContractsDatabaseIStatement* self, gint* code, gint* code2) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_privileges>(
      self, code, code2);
}

gchar* tarvex_brevane_contracts_database_istatement_flush_privileges(
    TarvexBrevaneContractsDatabaseIStatement* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::flush_privileges>(self);
}

gchar* tarvex_brevane_contracts_database_istatement_show_effected(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* where) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_effected>(
      self, database, user_schema, table, where);
}

gchar* tarvex_brevane_contracts_database_istatement_show_relations(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::show_relations>(
      self, database, user_schema, table);
}

gchar* tarvex_brevane_contracts_database_istatement_rename_object(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* old_name, const gchar* new_name) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::rename_object>(
      self, kind, database, user_schema, old_name, new_name);
}

gchar* tarvex_brevane_contracts_database_istatement_drop_object(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* object_name,
    const gchar* object_target) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::drop_object>(
      self, kind, database, user_schema, object_name, object_target);
}

gchar* tarvex_brevane_contracts_database_istatement_empty_table(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* object_name) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::empty_table>(
      self, database, user_schema, object_name);
}

gchar* tarvex_brevane_contracts_database_istatement_transaction(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::transaction>(self, name);
}

gchar* tarvex_brevane_contracts_database_istatement_rollback(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::rollback>(self, name);
}

gchar* tarvex_brevane_contracts_database_istatement_commit(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::commit>(self, name);
}

gchar* tarvex_brevane_contracts_database_istatement_pack_value(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDataType type,
    const gchar* value) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::pack_value>(self, type,
                                                                                       value);
}

gchar* tarvex_brevane_contracts_database_istatement_quote_identifier(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* identifier, const gchar* schema) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::quote_identifier>(
      self, identifier, schema);
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_update(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1, gchar** keys,
    gint keys_length1, gchar** key_values, gint key_values_length1) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_sql_update>(
      self, schema, table, columns, columns_length1, values, values_length1, keys, keys_length1,
      key_values, key_values_length1);
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_insert(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_sql_insert>(
      self, schema, table, columns, columns_length1, values, values_length1);
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_delete(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** keys, gint keys_length1, gchar** key_values, gint key_values_length1) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_sql_delete>(
      self, schema, table, keys, keys_length1, key_values, key_values_length1);
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_view(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* user_schema,
    const gchar* view_name, const gchar* statements) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::build_sql_view>(
      self, user_schema, view_name, statements);
}

gchar* tarvex_brevane_contracts_database_istatement_parse_expression(
    TarvexBrevaneContractsDatabaseIStatement* self, gint mode, const gchar* expression) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIStatementIface::parse_expression>(
      self, mode, expression);
}
