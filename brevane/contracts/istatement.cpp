#include "brevane/contracts/istatement.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIStatement,
                        tarvex_brevane_contracts_database_istatement, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_istatement_default_init(
    TarvexBrevaneContractsDatabaseIStatementIface*) {}

#define ISTATEMENT_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT_GET_INTERFACE(self)

// Every operation: check the statement, call the slot; an empty slot yields
// no text.

gchar* tarvex_brevane_contracts_database_istatement_build_connection_string(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsServer* server) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_connection_string ? iface->build_connection_string(self, server) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_databases(
    TarvexBrevaneContractsDatabaseIStatement* self, gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_databases ? iface->show_databases(self, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_tables(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_tables ? iface->show_tables(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_views(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_views ? iface->show_views(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_change_database(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->change_database ? iface->change_database(self, database) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_build_explain(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement, const gchar* format) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_explain ? iface->build_explain(self, statement, format) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_build_analyze(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement, const gchar* format) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_analyze ? iface->build_analyze(self, statement, format) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_table_spaces(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_table_spaces ? iface->show_table_spaces(self, database, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_table_schemas(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_table_schemas ? iface->show_table_schemas(self, database, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_checks(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_checks ? iface->show_checks(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_excludes(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_excludes ? iface->show_excludes(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_foreigns(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_foreigns ? iface->show_foreigns(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_rules(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_rules ? iface->show_rules(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_uniques(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_uniques ? iface->show_uniques(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_indexes(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_indexes ? iface->show_indexes(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_triggers(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_triggers ? iface->show_triggers(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_functions(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_functions ? iface->show_functions(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_procedures(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_procedures ? iface->show_procedures(self, database, user_schema, code)
                                : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_call_function(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* function, const gchar* parameters) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->call_function
             ? iface->call_function(self, database, user_schema, function, parameters)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_call_procedure(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* procedure, const gchar* parameters) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->call_procedure
             ? iface->call_procedure(self, database, user_schema, procedure, parameters)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_source(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* name, gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_source ? iface->show_source(self, kind, database, user_schema, name, code)
                            : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_structure(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_structure ? iface->show_structure(self, database, user_schema, table, code)
                               : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_content(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* columns, const gchar* where, const gchar* order, gint64 offset,
    gint limit) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_content ? iface->show_content(self, database, user_schema, table, columns,
                                                   where, order, offset, limit)
                             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_users(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_users ? iface->show_users(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_roles(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_roles ? iface->show_roles(self, database, user_schema, code) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_user_detail(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_user_detail ? iface->show_user_detail(self, database, user_schema, username)
                                 : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_role_detail(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_role_detail ? iface->show_role_detail(self, database, user_schema, rolename)
                                 : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_user_rights ? iface->show_user_rights(self, database, user_schema, username)
                                 : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_role_rights ? iface->show_role_rights(self, database, user_schema, rolename)
                                 : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_grant_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->grant_user_rights
             ? iface->grant_user_rights(self, database, user_schema, username, object, rights)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_revoke_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->revoke_user_rights
             ? iface->revoke_user_rights(self, database, user_schema, username, object, rights)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_grant_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->grant_role_rights
             ? iface->grant_role_rights(self, database, user_schema, rolename, object, rights)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_revoke_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->revoke_role_rights
             ? iface->revoke_role_rights(self, database, user_schema, rolename, object, rights)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_privileges(
    TarvexBrevaneContractsDatabaseIStatement* self, gint* code, gint* code2) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_privileges ? iface->show_privileges(self, code, code2) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_flush_privileges(
    TarvexBrevaneContractsDatabaseIStatement* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->flush_privileges ? iface->flush_privileges(self) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_effected(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* where) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_effected ? iface->show_effected(self, database, user_schema, table, where)
                              : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_show_relations(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->show_relations ? iface->show_relations(self, database, user_schema, table)
                               : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_rename_object(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* old_name, const gchar* new_name) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->rename_object
             ? iface->rename_object(self, kind, database, user_schema, old_name, new_name)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_drop_object(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* object_name,
    const gchar* object_target) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->drop_object
             ? iface->drop_object(self, kind, database, user_schema, object_name, object_target)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_empty_table(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* object_name) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->empty_table ? iface->empty_table(self, database, user_schema, object_name)
                            : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_transaction(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->transaction ? iface->transaction(self, name) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_rollback(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->rollback ? iface->rollback(self, name) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_commit(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->commit ? iface->commit(self, name) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_pack_value(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDataType type,
    const gchar* value) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->pack_value ? iface->pack_value(self, type, value) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_quote_identifier(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* identifier, const gchar* schema) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->quote_identifier ? iface->quote_identifier(self, identifier, schema) : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_update(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1, gchar** keys,
    gint keys_length1, gchar** key_values, gint key_values_length1) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_sql_update
             ? iface->build_sql_update(self, schema, table, columns, columns_length1, values,
                                       values_length1, keys, keys_length1, key_values,
                                       key_values_length1)
             : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_insert(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_sql_insert ? iface->build_sql_insert(self, schema, table, columns,
                                                           columns_length1, values, values_length1)
                                 : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_delete(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** keys, gint keys_length1, gchar** key_values, gint key_values_length1) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_sql_delete ? iface->build_sql_delete(self, schema, table, keys, keys_length1,
                                                           key_values, key_values_length1)
                                 : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_build_sql_view(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* user_schema,
    const gchar* view_name, const gchar* statements) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->build_sql_view ? iface->build_sql_view(self, user_schema, view_name, statements)
                               : nullptr;
}

gchar* tarvex_brevane_contracts_database_istatement_parse_expression(
    TarvexBrevaneContractsDatabaseIStatement* self, gint mode, const gchar* expression) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ISTATEMENT_IFACE(self);
  return iface->parse_expression ? iface->parse_expression(self, mode, expression) : nullptr;
}
