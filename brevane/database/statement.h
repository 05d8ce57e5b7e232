// The statement base: a small generic dialect of SQL texts (ODBC-style
// connection string, double-quoted identifiers, INSERT, UPDATE and DELETE
// from parallel name and value arrays, value packing by data type, filter
// expressions). Listing and administration texts are empty here; a dialect
// derives from it and overrides what its server needs.
//
// Names given to the builders are quoted with their quote character doubled;
// values given to pack_value are quoted with their quotes doubled.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/istatement.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_STATEMENT \
  (tarvex_brevane_supports_database_statement_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_statement_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseStatement,
                         tarvex_brevane_supports_database_statement,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, STATEMENT, GObject)

struct _TarvexBrevaneSupportsDatabaseStatementClass {
  GObjectClass parent_class;
  gchar* (*build_connection_string)(TarvexBrevaneSupportsDatabaseStatement* self,
                                    TarvexProvidersContractsServer* server);
  gchar* (*show_databases)(TarvexBrevaneSupportsDatabaseStatement* self, gint* code);
  gchar* (*change_database)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database);
  gchar* (*show_tables)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                        const gchar* user_schema, gint* code);
  gchar* (*show_views)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_table_spaces)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                              gint* code);
  gchar* (*show_table_schemas)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                               gint* code);
  gchar* (*show_checks)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                        const gchar* user_schema, gint* code);
  gchar* (*show_excludes)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                          const gchar* user_schema, gint* code);
  gchar* (*show_foreigns)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                          const gchar* user_schema, gint* code);
  gchar* (*show_rules)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_uniques)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                         const gchar* user_schema, gint* code);
  gchar* (*show_indexes)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                         const gchar* user_schema, gint* code);
  gchar* (*show_triggers)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                          const gchar* user_schema, gint* code);
  gchar* (*show_functions)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                           const gchar* user_schema, gint* code);
  gchar* (*show_procedures)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                            const gchar* user_schema, gint* code);
  gchar* (*call_function)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                          const gchar* user_schema, const gchar* function, const gchar* parameters);
  gchar* (*call_procedure)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                           const gchar* user_schema, const gchar* procedure,
                           const gchar* parameters);
  gchar* (*show_source)(TarvexBrevaneSupportsDatabaseStatement* self,
                        TarvexProvidersContractsDBObject kind, const gchar* database,
                        const gchar* user_schema, const gchar* name, gint* code);
  gchar* (*show_structure)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                           const gchar* user_schema, const gchar* table, gint* code);
  gchar* (*show_content)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                         const gchar* user_schema, const gchar* table, const gchar* columns,
                         const gchar* where, const gchar* order, gint64 offset, gint limit);
  gchar* (*show_users)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_roles)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_user_detail)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* username);
  gchar* (*show_role_detail)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* rolename);
  gchar* (*show_user_rights)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* username);
  gchar* (*show_role_rights)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* rolename);
  gchar* (*grant_user_rights)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                              const gchar* user_schema, const gchar* username, const gchar* object,
                              const gchar* rights);
  gchar* (*revoke_user_rights)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                               const gchar* user_schema, const gchar* username, const gchar* object,
                               const gchar* rights);
  gchar* (*grant_role_rights)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                              const gchar* user_schema, const gchar* rolename, const gchar* object,
                              const gchar* rights);
  gchar* (*revoke_role_rights)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                               const gchar* user_schema, const gchar* rolename, const gchar* object,
                               const gchar* rights);
  gchar* (*show_privileges)(TarvexBrevaneSupportsDatabaseStatement* self, gint* code, gint* code2);
  gchar* (*flush_privileges)(TarvexBrevaneSupportsDatabaseStatement* self);
  gchar* (*show_effected)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                          const gchar* user_schema, const gchar* table, const gchar* where);
  gchar* (*show_relations)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                           const gchar* user_schema, const gchar* table);
  gchar* (*rename_object)(TarvexBrevaneSupportsDatabaseStatement* self,
                          TarvexProvidersContractsDBObject kind, const gchar* database,
                          const gchar* user_schema, const gchar* old_name, const gchar* new_name);
  gchar* (*drop_object)(TarvexBrevaneSupportsDatabaseStatement* self,
                        TarvexProvidersContractsDBObject kind, const gchar* database,
                        const gchar* user_schema, const gchar* object_name,
                        const gchar* object_target);
  gchar* (*empty_table)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                        const gchar* user_schema, const gchar* object_name);
  gchar* (*build_explain)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* statement,
                          const gchar* format);
  gchar* (*build_analyze)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* statement,
                          const gchar* format);
  gchar* (*transaction)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name);
  gchar* (*rollback)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name);
  gchar* (*commit)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name);
  gchar* (*pack_value)(TarvexBrevaneSupportsDatabaseStatement* self,
                       TarvexProvidersContractsDataType type, const gchar* value);
  gchar* (*quote_identifier)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* identifier,
                             const gchar* schema);
  gchar* (*build_sql_update)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema,
                             const gchar* table, gchar** columns, gint columns_length1,
                             gchar** values, gint values_length1, gchar** keys, gint keys_length1,
                             gchar** key_values, gint key_values_length1);
  gchar* (*build_sql_insert)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema,
                             const gchar* table, gchar** columns, gint columns_length1,
                             gchar** values, gint values_length1);
  gchar* (*build_sql_delete)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema,
                             const gchar* table, gchar** keys, gint keys_length1,
                             gchar** key_values, gint key_values_length1);
  gchar* (*build_sql_view)(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* user_schema,
                           const gchar* view_name, const gchar* statements);
  gchar* (*parse_expression)(TarvexBrevaneSupportsDatabaseStatement* self, gint mode,
                             const gchar* expression);
};

// The statement keeps the connection without a reference: the connection
// owns its statement and outlives it.
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseStatement*
tarvex_brevane_supports_database_statement_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseStatement*
tarvex_brevane_supports_database_statement_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_connection_string(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsServer* server);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_databases(
    TarvexBrevaneSupportsDatabaseStatement* self, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_change_database(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_tables(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_views(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_table_spaces(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_table_schemas(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_checks(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_excludes(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_foreigns(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_rules(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_uniques(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_indexes(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_triggers(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_functions(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_procedures(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_call_function(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* function, const gchar* parameters);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_call_procedure(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* procedure, const gchar* parameters);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_source(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* name, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_structure(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_content(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* columns, const gchar* where, const gchar* order, gint64 offset,
    gint limit);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_users(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_roles(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_user_detail(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_role_detail(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_user_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_role_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_grant_user_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_revoke_user_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_grant_role_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_revoke_role_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_privileges(
    TarvexBrevaneSupportsDatabaseStatement* self, gint* code, gint* code2);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_flush_privileges(
    TarvexBrevaneSupportsDatabaseStatement* self);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_effected(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* where);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_show_relations(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_rename_object(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* old_name, const gchar* new_name);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_drop_object(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* object_name,
    const gchar* object_target);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_empty_table(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* object_name);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_explain(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* statement, const gchar* format);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_analyze(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* statement, const gchar* format);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_transaction(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_rollback(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_commit(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_pack_value(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDataType type,
    const gchar* value);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_quote_identifier(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* identifier, const gchar* schema);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_sql_update(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1, gchar** keys,
    gint keys_length1, gchar** key_values, gint key_values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_sql_insert(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_sql_delete(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema, const gchar* table,
    gchar** keys, gint keys_length1, gchar** key_values, gint key_values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_build_sql_view(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* user_schema, const gchar* view_name,
    const gchar* statements);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_statement_parse_expression(
    TarvexBrevaneSupportsDatabaseStatement* self, gint mode, const gchar* expression);

G_END_DECLS
