// The SQL texts of a dialect: every operation builds one new text from its
// arguments and never touches a server. Texts are owned by the caller.
// Arrays travel with their element counts; the out integers are informative
// codes the caller may ignore (NULL is accepted).
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/server.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIStatement TarvexBrevaneContractsDatabaseIStatement;
typedef struct _TarvexBrevaneContractsDatabaseIStatementIface
    TarvexBrevaneContractsDatabaseIStatementIface;

struct _TarvexBrevaneContractsDatabaseIStatementIface {
  GTypeInterface parent_iface;
  gchar* (*build_connection_string)(TarvexBrevaneContractsDatabaseIStatement* self,
                                    TarvexProvidersContractsServer* server);
  gchar* (*show_databases)(TarvexBrevaneContractsDatabaseIStatement* self, gint* code);
  gchar* (*show_tables)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                        const gchar* user_schema, gint* code);
  gchar* (*show_views)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*change_database)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database);
  gchar* (*build_explain)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement,
                          const gchar* format);
  gchar* (*build_analyze)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement,
                          const gchar* format);
  gchar* (*show_table_spaces)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                              gint* code);
  gchar* (*show_table_schemas)(TarvexBrevaneContractsDatabaseIStatement* self,
                               const gchar* database, gint* code);
  gchar* (*show_checks)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                        const gchar* user_schema, gint* code);
  gchar* (*show_excludes)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                          const gchar* user_schema, gint* code);
  gchar* (*show_foreigns)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                          const gchar* user_schema, gint* code);
  gchar* (*show_rules)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_uniques)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                         const gchar* user_schema, gint* code);
  gchar* (*show_indexes)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                         const gchar* user_schema, gint* code);
  gchar* (*show_triggers)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                          const gchar* user_schema, gint* code);
  gchar* (*show_functions)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                           const gchar* user_schema, gint* code);
  gchar* (*show_procedures)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                            const gchar* user_schema, gint* code);
  gchar* (*call_function)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                          const gchar* user_schema, const gchar* function, const gchar* parameters);
  gchar* (*call_procedure)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                           const gchar* user_schema, const gchar* procedure,
                           const gchar* parameters);
  gchar* (*show_source)(TarvexBrevaneContractsDatabaseIStatement* self,
                        TarvexProvidersContractsDBObject kind, const gchar* database,
                        const gchar* user_schema, const gchar* name, gint* code);
  gchar* (*show_structure)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                           const gchar* user_schema, const gchar* table, gint* code);
  gchar* (*show_content)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                         const gchar* user_schema, const gchar* table, const gchar* columns,
                         const gchar* where, const gchar* order, gint64 offset, gint limit);
  gchar* (*show_users)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_roles)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                       const gchar* user_schema, gint* code);
  gchar* (*show_user_detail)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* username);
  gchar* (*show_role_detail)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* rolename);
  gchar* (*show_user_rights)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* username);
  gchar* (*show_role_rights)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                             const gchar* user_schema, const gchar* rolename);
  gchar* (*grant_user_rights)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                              const gchar* user_schema, const gchar* username, const gchar* object,
                              const gchar* rights);
  gchar* (*revoke_user_rights)(TarvexBrevaneContractsDatabaseIStatement* self,
                               const gchar* database, const gchar* user_schema,
                               const gchar* username, const gchar* object, const gchar* rights);
  gchar* (*grant_role_rights)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                              const gchar* user_schema, const gchar* rolename, const gchar* object,
                              const gchar* rights);
  gchar* (*revoke_role_rights)(TarvexBrevaneContractsDatabaseIStatement* self,
                               const gchar* database, const gchar* user_schema,
                               const gchar* rolename, const gchar* object, const gchar* rights);
  gchar* (*show_privileges)(TarvexBrevaneContractsDatabaseIStatement* self, gint* code,
                            gint* code2);
  gchar* (*flush_privileges)(TarvexBrevaneContractsDatabaseIStatement* self);
  gchar* (*show_effected)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                          const gchar* user_schema, const gchar* table, const gchar* where);
  gchar* (*show_relations)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                           const gchar* user_schema, const gchar* table);
  gchar* (*rename_object)(TarvexBrevaneContractsDatabaseIStatement* self,
                          TarvexProvidersContractsDBObject kind, const gchar* database,
                          const gchar* user_schema, const gchar* old_name, const gchar* new_name);
  gchar* (*drop_object)(TarvexBrevaneContractsDatabaseIStatement* self,
                        TarvexProvidersContractsDBObject kind, const gchar* database,
                        const gchar* user_schema, const gchar* object_name,
                        const gchar* object_target);
  gchar* (*empty_table)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database,
                        const gchar* user_schema, const gchar* object_name);
  gchar* (*transaction)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name);
  gchar* (*rollback)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name);
  gchar* (*commit)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name);
  gchar* (*pack_value)(TarvexBrevaneContractsDatabaseIStatement* self,
                       TarvexProvidersContractsDataType type, const gchar* value);
  gchar* (*quote_identifier)(TarvexBrevaneContractsDatabaseIStatement* self,
                             const gchar* identifier, const gchar* schema);
  gchar* (*build_sql_update)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema,
                             const gchar* table, gchar** columns, gint columns_length1,
                             gchar** values, gint values_length1, gchar** keys, gint keys_length1,
                             gchar** key_values, gint key_values_length1);
  gchar* (*build_sql_insert)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema,
                             const gchar* table, gchar** columns, gint columns_length1,
                             gchar** values, gint values_length1);
  gchar* (*build_sql_delete)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema,
                             const gchar* table, gchar** keys, gint keys_length1,
                             gchar** key_values, gint key_values_length1);
  gchar* (*build_sql_view)(TarvexBrevaneContractsDatabaseIStatement* self, const gchar* user_schema,
                           const gchar* view_name, const gchar* statements);
  gchar* (*parse_expression)(TarvexBrevaneContractsDatabaseIStatement* self, gint mode,
                             const gchar* expression);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ISTATEMENT \
  (tarvex_brevane_contracts_database_istatement_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ISTATEMENT, \
                              TarvexBrevaneContractsDatabaseIStatement))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ISTATEMENT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ISTATEMENT))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ISTATEMENT, \
                                 TarvexBrevaneContractsDatabaseIStatementIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_istatement_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_connection_string(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsServer* server);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_databases(
    TarvexBrevaneContractsDatabaseIStatement* self, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_tables(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_views(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_change_database(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_explain(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement, const gchar* format);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_analyze(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* statement, const gchar* format);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_table_spaces(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_table_schemas(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_checks(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_excludes(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_foreigns(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_rules(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_uniques(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_indexes(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_triggers(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_functions(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_procedures(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_call_function(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* function, const gchar* parameters);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_call_procedure(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* procedure, const gchar* parameters);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_source(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* name, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_structure(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_content(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* columns, const gchar* where, const gchar* order, gint64 offset,
    gint limit);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_users(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_roles(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    gint* code);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_user_detail(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_role_detail(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_grant_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_revoke_user_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_grant_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_revoke_role_rights(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_privileges(
    TarvexBrevaneContractsDatabaseIStatement* self, gint* code, gint* code2);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_flush_privileges(
    TarvexBrevaneContractsDatabaseIStatement* self);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_effected(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* where);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_show_relations(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_rename_object(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* old_name, const gchar* new_name);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_drop_object(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* object_name,
    const gchar* object_target);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_empty_table(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* object_name);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_transaction(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_rollback(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_commit(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* name);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_pack_value(
    TarvexBrevaneContractsDatabaseIStatement* self, TarvexProvidersContractsDataType type,
    const gchar* value);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_quote_identifier(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* identifier, const gchar* schema);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_sql_update(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1, gchar** keys,
    gint keys_length1, gchar** key_values, gint key_values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_sql_insert(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_sql_delete(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* schema, const gchar* table,
    gchar** keys, gint keys_length1, gchar** key_values, gint key_values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_build_sql_view(
    TarvexBrevaneContractsDatabaseIStatement* self, const gchar* user_schema,
    const gchar* view_name, const gchar* statements);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_istatement_parse_expression(
    TarvexBrevaneContractsDatabaseIStatement* self, gint mode, const gchar* expression);

G_END_DECLS
