#include "brevane/database/statement.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brevane/database/statement-private.h"
#include "brevane/database/statement-text-private.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex::database;
namespace sql = tarvex::sql;

struct _TarvexBrevaneSupportsDatabaseStatementPrivate {
  // Not owned: the connection owns its statement.
  TarvexBrevaneContractsDatabaseIConnection* connection = nullptr;
};

static void tarvex_brevane_supports_database_statement_istatement_init(
    TarvexBrevaneContractsDatabaseIStatementIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseStatement, tarvex_brevane_supports_database_statement,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ISTATEMENT,
                          tarvex_brevane_supports_database_statement_istatement_init))

using Statement = TarvexBrevaneSupportsDatabaseStatement;
using StatementClass = TarvexBrevaneSupportsDatabaseStatementClass;
using IStatement = TarvexBrevaneContractsDatabaseIStatement;

namespace {

void set_code(gint* code, gint value) {
  if (code) *code = value;
}

// An array given with its count; an empty array may be absent.
bool array_given(gchar** array, gint length) {
  return array != nullptr || length <= 0;
}

// ---- the texts the base writes itself

gchar* default_build_connection_string(Statement*, TarvexProvidersContractsServer* server) {
  g_return_val_if_fail(server != NULL, nullptr);
  auto text = [](const gchar* s) { return odbc_value(s ? s : ""); };
  const gchar* driver = tarvex_providers_contracts_server_get_driver(server);
  std::string out = "DRIVER={" + odbc_braced(driver ? driver : "") + "};";
  out += "SERVER=" + text(tarvex_providers_contracts_server_get_host(server)) + ";";
  out += "DATABASE=" + text(tarvex_providers_contracts_server_get_initial(server)) + ";";
  out += "PORT=" + std::to_string(guint(tarvex_providers_contracts_server_get_port(server))) + ";";
  out += "UID=" + text(tarvex_providers_contracts_server_get_username(server)) + ";";
  out += "PWD=" + text(tarvex_providers_contracts_server_get_password(server)) + ";";
  return tarvex::dup(out);
}

gchar* default_build_explain(Statement*, const gchar* statement, const gchar* format) {
  g_return_val_if_fail(statement != NULL, nullptr);
  g_return_val_if_fail(format != NULL, nullptr);
  return g_strdup_printf("EXPLAIN %s;", statement);
}

gchar* default_build_analyze(Statement*, const gchar* statement, const gchar* format) {
  g_return_val_if_fail(statement != NULL, nullptr);
  g_return_val_if_fail(format != NULL, nullptr);
  return g_strdup_printf("ANALYZE %s;", statement);
}

gchar* default_transaction(Statement*, const gchar* name) {
  g_return_val_if_fail(name != NULL, nullptr);
  return g_strdup("START TRANSACTION;");
}

gchar* default_rollback(Statement*, const gchar* name) {
  g_return_val_if_fail(name != NULL, nullptr);
  return g_strdup("ROLLBACK;");
}

gchar* default_commit(Statement*, const gchar* name) {
  g_return_val_if_fail(name != NULL, nullptr);
  return g_strdup("COMMIT;");
}

gchar* default_pack_value(Statement*, TarvexProvidersContractsDataType type, const gchar* value) {
  g_return_val_if_fail(value != NULL, nullptr);
  switch (sql::value_form(type)) {
    case sql::ValueForm::bare:
      return g_strdup(value);
    case sql::ValueForm::hexadecimal:
      return tarvex::dup("X" + sql::literal(value));
    case sql::ValueForm::quoted:
      break;
  }
  return tarvex::dup(sql::literal(value));
}

gchar* default_quote_identifier(Statement*, const gchar* identifier, const gchar* schema) {
  g_return_val_if_fail(identifier != NULL, nullptr);
  g_return_val_if_fail(schema != NULL, nullptr);
  std::string out;
  if (*schema) out = sql::double_quoted(schema) + ".";
  out += sql::double_quoted(identifier);
  return tarvex::dup(out);
}

// The table's name as this dialect quotes it (an override applies).
std::string table_name(Statement* self, const gchar* schema, const gchar* table) {
  tarvex::GUniqueStr name(
      tarvex_brevane_supports_database_statement_quote_identifier(self, table, schema));
  return name ? name.get() : "";
}

// A column's name as this dialect quotes it: column names are names, and
// a keyword or a blank in one ("Order", "First Name") must not break the text.
std::string column_name(Statement* self, const gchar* column) {
  return table_name(self, "", column);
}

// A statement that must not be built: no text, and a critical that says why.
gchar* refuse(const char* verb, const char* table, const char* why) {
  g_critical("statement: refusing the %s of table %s: %s", verb, table, why);
  return nullptr;
}

using Texts = std::vector<std::string_view>;

// `length` texts of a C array.
Texts texts_of(gchar** array, gint length) {
  Texts out;
  for (gint i = 0; i < length; ++i) out.emplace_back(array[i] ? array[i] : "");
  return out;
}

// " WHERE k1=v1 AND k2=v2"; a NULL key value is matched with IS NULL, as
// "=NULL" matches no row.
std::string where_keys(Statement* self, const Texts& keys, const Texts& key_values) {
  std::string out = " WHERE ";
  for (size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) out += " AND ";
    const std::string name = column_name(self, std::string(keys[i]).c_str());
    if (g_ascii_strncasecmp(key_values[i].data(), "NULL", 4) == 0 && key_values[i].size() == 4)
      out += name + " IS NULL";
    else
      out += name + "=" + std::string(key_values[i]);
  }
  return out;
}

// The texts themselves, values carried whole (a zero byte included).
std::optional<std::string> update_text(Statement* self, std::string_view schema,
                                       std::string_view table, const Texts& columns,
                                       const Texts& values, const Texts& keys,
                                       const Texts& key_values) {
  const std::string table_text(table);
  // Without a key the statement would change every row of the table.
  if (keys.empty()) {
    refuse("UPDATE", table_text.c_str(), "it has no key columns and would change every row");
    return std::nullopt;
  }
  if (columns.size() != values.size()) {
    refuse("UPDATE", table_text.c_str(), "its columns and values differ in number");
    return std::nullopt;
  }
  if (keys.size() != key_values.size()) {
    refuse("UPDATE", table_text.c_str(), "its key columns and key values differ in number");
    return std::nullopt;
  }
  std::string out =
      "UPDATE " + table_name(self, std::string(schema).c_str(), table_text.c_str()) + " SET ";
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += ", ";
    out += column_name(self, std::string(columns[i]).c_str()) + "=" + std::string(values[i]);
  }
  out += where_keys(self, keys, key_values) + ";";
  return out;
}

std::string insert_text(Statement* self, std::string_view schema, std::string_view table,
                        const Texts& columns, const Texts& values) {
  std::string out = "INSERT INTO " +
                    table_name(self, std::string(schema).c_str(), std::string(table).c_str()) + "(";
  for (size_t i = 0; i < columns.size(); ++i)
    out += std::string(i ? ", " : "") + column_name(self, std::string(columns[i]).c_str());
  out += ") VALUES(";
  for (size_t i = 0; i < values.size(); ++i)
    out += std::string(i ? ", " : "") + std::string(values[i]);
  out += ");";
  return out;
}

std::optional<std::string> delete_text(Statement* self, std::string_view schema,
                                       std::string_view table, const Texts& keys,
                                       const Texts& key_values) {
  const std::string table_text(table);
  // Without a key the statement would delete every row of the table.
  if (keys.empty()) {
    refuse("DELETE", table_text.c_str(), "it has no key columns and would delete every row");
    return std::nullopt;
  }
  if (keys.size() != key_values.size()) {
    refuse("DELETE", table_text.c_str(), "its key columns and key values differ in number");
    return std::nullopt;
  }
  std::string out =
      "DELETE FROM " + table_name(self, std::string(schema).c_str(), table_text.c_str());
  out += where_keys(self, keys, key_values) + ";";
  return out;
}

gchar* dup_or_null(const std::optional<std::string>& text) {
  return text ? tarvex::dup(*text) : nullptr;
}

gchar* default_build_sql_update(Statement* self, const gchar* schema, const gchar* table,
                                gchar** columns, gint columns_length1, gchar** values,
                                gint values_length1, gchar** keys, gint keys_length1,
                                gchar** key_values, gint key_values_length1) {
  g_return_val_if_fail(schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(columns, columns_length1), "columns != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(values, values_length1), "values != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(keys, keys_length1), "keys != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(key_values, key_values_length1), "key_values != NULL",
                                 nullptr);
  return dup_or_null(update_text(self, schema, table, texts_of(columns, columns_length1),
                                 texts_of(values, values_length1), texts_of(keys, keys_length1),
                                 texts_of(key_values, key_values_length1)));
}

gchar* default_build_sql_insert(Statement* self, const gchar* schema, const gchar* table,
                                gchar** columns, gint columns_length1, gchar** values,
                                gint values_length1) {
  g_return_val_if_fail(schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(columns, columns_length1), "columns != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(values, values_length1), "values != NULL", nullptr);
  return tarvex::dup(insert_text(self, schema, table, texts_of(columns, columns_length1),
                                 texts_of(values, values_length1)));
}

gchar* default_build_sql_delete(Statement* self, const gchar* schema, const gchar* table,
                                gchar** keys, gint keys_length1, gchar** key_values,
                                gint key_values_length1) {
  g_return_val_if_fail(schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(keys, keys_length1), "keys != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(array_given(key_values, key_values_length1), "key_values != NULL",
                                 nullptr);
  return dup_or_null(delete_text(self, schema, table, texts_of(keys, keys_length1),
                                 texts_of(key_values, key_values_length1)));
}

gchar* default_build_sql_view(Statement*, const gchar* user_schema, const gchar* view_name,
                              const gchar* statements) {
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(view_name != NULL, nullptr);
  g_return_val_if_fail(statements != NULL, nullptr);
  std::string name = sql::backquoted(view_name);
  if (*user_schema) name = sql::backquoted(user_schema) + "." + name;
  return tarvex::dup("CREATE VIEW " + name + " AS " + statements);
}

gchar* default_parse_expression(Statement*, gint, const gchar* expression) {
  g_return_val_if_fail(expression != NULL, nullptr);
  static const FilterDialect dialect{
      [](std::string_view part) { return sql::double_quoted(part); },
      [](const std::string& column, const std::string& value) {
        return column + " REGEXP " + sql::literal(value);
      },
      [](const std::string& column, const std::string& value) {
        return column + " NOT REGEXP " + sql::literal(value);
      },
  };
  return tarvex::dup(filter_condition(expression, dialect));
}

}  // namespace

// ---- public operations: check the statement, call the class slot

gchar* tarvex_brevane_supports_database_statement_build_connection_string(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsServer* server) {
  return tarvex::call_slot<&StatementClass::build_connection_string>(self, server);
}

gchar* tarvex_brevane_supports_database_statement_show_databases(
    TarvexBrevaneSupportsDatabaseStatement* self, gint* code) {
  return tarvex::call_slot<&StatementClass::show_databases>(self, code);
}

gchar* tarvex_brevane_supports_database_statement_change_database(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database) {
  return tarvex::call_slot<&StatementClass::change_database>(self, database);
}

gchar* tarvex_brevane_supports_database_statement_show_tables(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_tables>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_views(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_views>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_table_spaces(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, gint* code) {
  return tarvex::call_slot<&StatementClass::show_table_spaces>(self, database, code);
}

gchar* tarvex_brevane_supports_database_statement_show_table_schemas(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, gint* code) {
  return tarvex::call_slot<&StatementClass::show_table_schemas>(self, database, code);
}

gchar* tarvex_brevane_supports_database_statement_show_checks(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_checks>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_excludes(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_excludes>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_foreigns(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_foreigns>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_rules(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_rules>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_uniques(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_uniques>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_indexes(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_indexes>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_triggers(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_triggers>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_functions(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_functions>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_procedures(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_procedures>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_call_function(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* function, const gchar* parameters) {
  return tarvex::call_slot<&StatementClass::call_function>(self, database, user_schema, function,
                                                           parameters);
}

gchar* tarvex_brevane_supports_database_statement_call_procedure(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* procedure, const gchar* parameters) {
  return tarvex::call_slot<&StatementClass::call_procedure>(self, database, user_schema, procedure,
                                                            parameters);
}

gchar* tarvex_brevane_supports_database_statement_show_source(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* name, gint* code) {
  return tarvex::call_slot<&StatementClass::show_source>(self, kind, database, user_schema, name,
                                                         code);
}

gchar* tarvex_brevane_supports_database_statement_show_structure(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, gint* code) {
  return tarvex::call_slot<&StatementClass::show_structure>(self, database, user_schema, table,
                                                            code);
}

gchar* tarvex_brevane_supports_database_statement_show_content(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* columns, const gchar* where, const gchar* order, gint64 offset,
    gint limit) {
  return tarvex::call_slot<&StatementClass::show_content>(self, database, user_schema, table,
                                                          columns, where, order, offset, limit);
}

gchar* tarvex_brevane_supports_database_statement_show_users(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_users>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_roles(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    gint* code) {
  return tarvex::call_slot<&StatementClass::show_roles>(self, database, user_schema, code);
}

gchar* tarvex_brevane_supports_database_statement_show_user_detail(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username) {
  return tarvex::call_slot<&StatementClass::show_user_detail>(self, database, user_schema,
                                                              username);
}

gchar* tarvex_brevane_supports_database_statement_show_role_detail(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename) {
  return tarvex::call_slot<&StatementClass::show_role_detail>(self, database, user_schema,
                                                              rolename);
}

gchar* tarvex_brevane_supports_database_statement_show_user_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username) {
  return tarvex::call_slot<&StatementClass::show_user_rights>(self, database, user_schema,
                                                              username);
}

gchar* tarvex_brevane_supports_database_statement_show_role_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename) {
  return tarvex::call_slot<&StatementClass::show_role_rights>(self, database, user_schema,
                                                              rolename);
}

gchar* tarvex_brevane_supports_database_statement_grant_user_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&StatementClass::grant_user_rights>(self, database, user_schema,
                                                               username, object, rights);
}

gchar* tarvex_brevane_supports_database_statement_revoke_user_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* username, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&StatementClass::revoke_user_rights>(self, database, user_schema,
                                                                username, object, rights);
}

gchar* tarvex_brevane_supports_database_statement_grant_role_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&StatementClass::grant_role_rights>(self, database, user_schema,
                                                               rolename, object, rights);
}

gchar* tarvex_brevane_supports_database_statement_revoke_role_rights(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* rolename, const gchar* object, const gchar* rights) {
  return tarvex::call_slot<&StatementClass::revoke_role_rights>(self, database, user_schema,
                                                                rolename, object, rights);
}

gchar* tarvex_brevane_supports_database_statement_show_privileges(
    TarvexBrevaneSupportsDatabaseStatement* self, gint* code, gint* code2) {
  return tarvex::call_slot<&StatementClass::show_privileges>(self, code, code2);
}

gchar* tarvex_brevane_supports_database_statement_flush_privileges(
    TarvexBrevaneSupportsDatabaseStatement* self) {
  return tarvex::call_slot<&StatementClass::flush_privileges>(self);
}

gchar* tarvex_brevane_supports_database_statement_show_effected(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table, const gchar* where) {
  return tarvex::call_slot<&StatementClass::show_effected>(self, database, user_schema, table,
                                                           where);
}

gchar* tarvex_brevane_supports_database_statement_show_relations(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* table) {
  return tarvex::call_slot<&StatementClass::show_relations>(self, database, user_schema, table);
}

gchar* tarvex_brevane_supports_database_statement_rename_object(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* old_name, const gchar* new_name) {
  return tarvex::call_slot<&StatementClass::rename_object>(self, kind, database, user_schema,
                                                           old_name, new_name);
}

gchar* tarvex_brevane_supports_database_statement_drop_object(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDBObject kind,
    const gchar* database, const gchar* user_schema, const gchar* object_name,
    const gchar* object_target) {
  return tarvex::call_slot<&StatementClass::drop_object>(self, kind, database, user_schema,
                                                         object_name, object_target);
}

gchar* tarvex_brevane_supports_database_statement_empty_table(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database, const gchar* user_schema,
    const gchar* object_name) {
  return tarvex::call_slot<&StatementClass::empty_table>(self, database, user_schema, object_name);
}

gchar* tarvex_brevane_supports_database_statement_build_explain(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* statement, const gchar* format) {
  return tarvex::call_slot<&StatementClass::build_explain>(self, statement, format);
}

gchar* tarvex_brevane_supports_database_statement_build_analyze(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* statement, const gchar* format) {
  return tarvex::call_slot<&StatementClass::build_analyze>(self, statement, format);
}

gchar* tarvex_brevane_supports_database_statement_transaction(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name) {
  return tarvex::call_slot<&StatementClass::transaction>(self, name);
}

gchar* tarvex_brevane_supports_database_statement_rollback(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name) {
  return tarvex::call_slot<&StatementClass::rollback>(self, name);
}

gchar* tarvex_brevane_supports_database_statement_commit(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* name) {
  return tarvex::call_slot<&StatementClass::commit>(self, name);
}

gchar* tarvex_brevane_supports_database_statement_pack_value(
    TarvexBrevaneSupportsDatabaseStatement* self, TarvexProvidersContractsDataType type,
    const gchar* value) {
  return tarvex::call_slot<&StatementClass::pack_value>(self, type, value);
}

gchar* tarvex_brevane_supports_database_statement_quote_identifier(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* identifier, const gchar* schema) {
  return tarvex::call_slot<&StatementClass::quote_identifier>(self, identifier, schema);
}

gchar* tarvex_brevane_supports_database_statement_build_sql_update(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1, gchar** keys,
    gint keys_length1, gchar** key_values, gint key_values_length1) {
  return tarvex::call_slot<&StatementClass::build_sql_update>(
      self, schema, table, columns, columns_length1, values, values_length1, keys, keys_length1,
      key_values, key_values_length1);
}

gchar* tarvex_brevane_supports_database_statement_build_sql_insert(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema, const gchar* table,
    gchar** columns, gint columns_length1, gchar** values, gint values_length1) {
  return tarvex::call_slot<&StatementClass::build_sql_insert>(
      self, schema, table, columns, columns_length1, values, values_length1);
}

gchar* tarvex_brevane_supports_database_statement_build_sql_delete(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* schema, const gchar* table,
    gchar** keys, gint keys_length1, gchar** key_values, gint key_values_length1) {
  return tarvex::call_slot<&StatementClass::build_sql_delete>(
      self, schema, table, keys, keys_length1, key_values, key_values_length1);
}

gchar* tarvex_brevane_supports_database_statement_build_sql_view(
    TarvexBrevaneSupportsDatabaseStatement* self, const gchar* user_schema, const gchar* view_name,
    const gchar* statements) {
  return tarvex::call_slot<&StatementClass::build_sql_view>(self, user_schema, view_name,
                                                            statements);
}

gchar* tarvex_brevane_supports_database_statement_parse_expression(
    TarvexBrevaneSupportsDatabaseStatement* self, gint mode, const gchar* expression) {
  return tarvex::call_slot<&StatementClass::parse_expression>(self, mode, expression);
}

// ---- interface slots: each calls the class operation of the same name

static void tarvex_brevane_supports_database_statement_istatement_init(
    TarvexBrevaneContractsDatabaseIStatementIface* iface) {
  iface->build_connection_string =
      tarvex::forward<&tarvex_brevane_supports_database_statement_build_connection_string>;
  iface->show_databases =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_databases>;
  iface->show_tables = tarvex::forward<&tarvex_brevane_supports_database_statement_show_tables>;
  iface->show_views = tarvex::forward<&tarvex_brevane_supports_database_statement_show_views>;
  iface->change_database =
      tarvex::forward<&tarvex_brevane_supports_database_statement_change_database>;
  iface->build_explain = tarvex::forward<&tarvex_brevane_supports_database_statement_build_explain>;
  iface->build_analyze = tarvex::forward<&tarvex_brevane_supports_database_statement_build_analyze>;
  iface->show_table_spaces =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_table_spaces>;
  iface->show_table_schemas =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_table_schemas>;
  iface->show_checks = tarvex::forward<&tarvex_brevane_supports_database_statement_show_checks>;
  iface->show_excludes = tarvex::forward<&tarvex_brevane_supports_database_statement_show_excludes>;
  iface->show_foreigns = tarvex::forward<&tarvex_brevane_supports_database_statement_show_foreigns>;
  iface->show_rules = tarvex::forward<&tarvex_brevane_supports_database_statement_show_rules>;
  iface->show_uniques = tarvex::forward<&tarvex_brevane_supports_database_statement_show_uniques>;
  iface->show_indexes = tarvex::forward<&tarvex_brevane_supports_database_statement_show_indexes>;
  iface->show_triggers = tarvex::forward<&tarvex_brevane_supports_database_statement_show_triggers>;
  iface->show_functions =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_functions>;
  iface->show_procedures =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_procedures>;
  iface->call_function = tarvex::forward<&tarvex_brevane_supports_database_statement_call_function>;
  iface->call_procedure =
      tarvex::forward<&tarvex_brevane_supports_database_statement_call_procedure>;
  iface->show_source = tarvex::forward<&tarvex_brevane_supports_database_statement_show_source>;
  iface->show_structure =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_structure>;
  iface->show_content = tarvex::forward<&tarvex_brevane_supports_database_statement_show_content>;
  iface->show_users = tarvex::forward<&tarvex_brevane_supports_database_statement_show_users>;
  iface->show_roles = tarvex::forward<&tarvex_brevane_supports_database_statement_show_roles>;
  iface->show_user_detail =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_user_detail>;
  iface->show_role_detail =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_role_detail>;
  iface->show_user_rights =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_user_rights>;
  iface->show_role_rights =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_role_rights>;
  iface->grant_user_rights =
      tarvex::forward<&tarvex_brevane_supports_database_statement_grant_user_rights>;
  iface->revoke_user_rights =
      tarvex::forward<&tarvex_brevane_supports_database_statement_revoke_user_rights>;
  iface->grant_role_rights =
      tarvex::forward<&tarvex_brevane_supports_database_statement_grant_role_rights>;
  iface->revoke_role_rights =
      tarvex::forward<&tarvex_brevane_supports_database_statement_revoke_role_rights>;
  iface->show_privileges =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_privileges>;
  iface->flush_privileges =
      tarvex::forward<&tarvex_brevane_supports_database_statement_flush_privileges>;
  iface->show_effected = tarvex::forward<&tarvex_brevane_supports_database_statement_show_effected>;
  iface->show_relations =
      tarvex::forward<&tarvex_brevane_supports_database_statement_show_relations>;
  iface->rename_object = tarvex::forward<&tarvex_brevane_supports_database_statement_rename_object>;
  iface->drop_object = tarvex::forward<&tarvex_brevane_supports_database_statement_drop_object>;
  iface->empty_table = tarvex::forward<&tarvex_brevane_supports_database_statement_empty_table>;
  iface->transaction = tarvex::forward<&tarvex_brevane_supports_database_statement_transaction>;
  iface->rollback = tarvex::forward<&tarvex_brevane_supports_database_statement_rollback>;
  iface->commit = tarvex::forward<&tarvex_brevane_supports_database_statement_commit>;
  iface->pack_value = tarvex::forward<&tarvex_brevane_supports_database_statement_pack_value>;
  iface->quote_identifier =
      tarvex::forward<&tarvex_brevane_supports_database_statement_quote_identifier>;
  iface->build_sql_update =
      tarvex::forward<&tarvex_brevane_supports_database_statement_build_sql_update>;
  iface->build_sql_insert =
      tarvex::forward<&tarvex_brevane_supports_database_statement_build_sql_insert>;
  iface->build_sql_delete =
      tarvex::forward<&tarvex_brevane_supports_database_statement_build_sql_delete>;
  iface->build_sql_view =
      tarvex::forward<&tarvex_brevane_supports_database_statement_build_sql_view>;
  iface->parse_expression =
      tarvex::forward<&tarvex_brevane_supports_database_statement_parse_expression>;
}

// ---- empty defaults
namespace {

gchar* default_show_databases(Statement*, gint* code) {
  set_code(code, 0);
  return g_strdup("");
}

gchar* default_change_database(Statement*, const gchar* database) {
  g_return_val_if_fail(database != NULL, nullptr);
  return g_strdup("");
}

// Every listing of a schema's objects is empty until a dialect gives it.
gchar* default_schema_listing(Statement*, const gchar* database, const gchar* user_schema,
                              gint* code) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  set_code(code, 0);
  return g_strdup("");
}

gchar* default_show_table_spaces(Statement*, const gchar* database, gint* code) {
  g_return_val_if_fail(database != NULL, nullptr);
  set_code(code, 0);
  return g_strdup("");
}

gchar* default_show_table_schemas(Statement*, const gchar* database, gint* code) {
  g_return_val_if_fail(database != NULL, nullptr);
  set_code(code, 0);
  return g_strdup("");
}

gchar* default_call_function(Statement*, const gchar* database, const gchar* user_schema,
                             const gchar* function, const gchar* parameters) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(function != NULL, nullptr);
  g_return_val_if_fail(parameters != NULL, nullptr);
  return g_strdup("");
}

gchar* default_call_procedure(Statement*, const gchar* database, const gchar* user_schema,
                              const gchar* procedure, const gchar* parameters) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(procedure != NULL, nullptr);
  g_return_val_if_fail(parameters != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_source(Statement*, TarvexProvidersContractsDBObject, const gchar* database,
                           const gchar* user_schema, const gchar* name, gint* code) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(name != NULL, nullptr);
  set_code(code, 0);
  return g_strdup("");
}

gchar* default_show_structure(Statement*, const gchar* database, const gchar* user_schema,
                              const gchar* table, gint* code) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  set_code(code, 0);
  return g_strdup("");
}

gchar* default_show_content(Statement*, const gchar* database, const gchar* user_schema,
                            const gchar* table, const gchar* columns, const gchar* where,
                            const gchar* order, gint64, gint) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  g_return_val_if_fail(columns != NULL, nullptr);
  g_return_val_if_fail(where != NULL, nullptr);
  g_return_val_if_fail(order != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_user_detail(Statement*, const gchar* database, const gchar* user_schema,
                                const gchar* username) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(username != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_role_detail(Statement*, const gchar* database, const gchar* user_schema,
                                const gchar* rolename) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(rolename != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_user_rights(Statement*, const gchar* database, const gchar* user_schema,
                                const gchar* username) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(username != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_role_rights(Statement*, const gchar* database, const gchar* user_schema,
                                const gchar* rolename) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(rolename != NULL, nullptr);
  return g_strdup("");
}

gchar* default_grant_user_rights(Statement*, const gchar* database, const gchar* user_schema,
                                 const gchar* username, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(username != NULL, nullptr);
  g_return_val_if_fail(object != NULL, nullptr);
  g_return_val_if_fail(rights != NULL, nullptr);
  return g_strdup("");
}

gchar* default_revoke_user_rights(Statement*, const gchar* database, const gchar* user_schema,
                                  const gchar* username, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(username != NULL, nullptr);
  g_return_val_if_fail(object != NULL, nullptr);
  g_return_val_if_fail(rights != NULL, nullptr);
  return g_strdup("");
}

gchar* default_grant_role_rights(Statement*, const gchar* database, const gchar* user_schema,
                                 const gchar* rolename, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(rolename != NULL, "username != NULL", nullptr);
  g_return_val_if_fail(object != NULL, nullptr);
  g_return_val_if_fail(rights != NULL, nullptr);
  return g_strdup("");
}

gchar* default_revoke_role_rights(Statement*, const gchar* database, const gchar* user_schema,
                                  const gchar* rolename, const gchar* object, const gchar* rights) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(rolename != NULL, "username != NULL", nullptr);
  g_return_val_if_fail(object != NULL, nullptr);
  g_return_val_if_fail(rights != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_privileges(Statement*, gint* code, gint* code2) {
  set_code(code, 0);
  set_code(code2, 0);
  return g_strdup("");
}

gchar* default_flush_privileges(Statement*) {
  return g_strdup("");
}

gchar* default_show_effected(Statement*, const gchar* database, const gchar* user_schema,
                             const gchar* table, const gchar* where) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  g_return_val_if_fail(where != NULL, nullptr);
  return g_strdup("");
}

gchar* default_show_relations(Statement*, const gchar* database, const gchar* user_schema,
                              const gchar* table) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  return g_strdup("");
}

gchar* default_rename_object(Statement*, TarvexProvidersContractsDBObject, const gchar* database,
                             const gchar* user_schema, const gchar* old_name,
                             const gchar* new_name) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(old_name != NULL, nullptr);
  g_return_val_if_fail(new_name != NULL, nullptr);
  return g_strdup("");
}

gchar* default_drop_object(Statement*, TarvexProvidersContractsDBObject, const gchar* database,
                           const gchar* user_schema, const gchar* object_name,
                           const gchar* object_target) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(object_name != NULL, nullptr);
  g_return_val_if_fail(object_target != NULL, nullptr);
  return g_strdup("");
}

gchar* default_empty_table(Statement*, const gchar* database, const gchar* user_schema,
                           const gchar* object_name) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(user_schema != NULL, nullptr);
  g_return_val_if_fail(object_name != NULL, nullptr);
  return g_strdup("");
}
}  // namespace

static void tarvex_brevane_supports_database_statement_class_setup(
    TarvexBrevaneSupportsDatabaseStatementClass* klass) {
  static const BaseStatementDialect dialect;
  tarvex::contracts::register_statement_dialect(G_TYPE_FROM_CLASS(klass), &dialect);
  klass->build_connection_string = default_build_connection_string;
  klass->show_databases = default_show_databases;
  klass->change_database = default_change_database;
  klass->show_tables = default_schema_listing;
  klass->show_views = default_schema_listing;
  klass->show_table_spaces = default_show_table_spaces;
  klass->show_table_schemas = default_show_table_schemas;
  klass->show_checks = default_schema_listing;
  klass->show_excludes = default_schema_listing;
  klass->show_foreigns = default_schema_listing;
  klass->show_rules = default_schema_listing;
  klass->show_uniques = default_schema_listing;
  klass->show_indexes = default_schema_listing;
  klass->show_triggers = default_schema_listing;
  klass->show_functions = default_schema_listing;
  klass->show_procedures = default_schema_listing;
  klass->call_function = default_call_function;
  klass->call_procedure = default_call_procedure;
  klass->show_source = default_show_source;
  klass->show_structure = default_show_structure;
  klass->show_content = default_show_content;
  klass->show_users = default_schema_listing;
  klass->show_roles = default_schema_listing;
  klass->show_user_detail = default_show_user_detail;
  klass->show_role_detail = default_show_role_detail;
  klass->show_user_rights = default_show_user_rights;
  klass->show_role_rights = default_show_role_rights;
  klass->grant_user_rights = default_grant_user_rights;
  klass->revoke_user_rights = default_revoke_user_rights;
  klass->grant_role_rights = default_grant_role_rights;
  klass->revoke_role_rights = default_revoke_role_rights;
  klass->show_privileges = default_show_privileges;
  klass->flush_privileges = default_flush_privileges;
  klass->show_effected = default_show_effected;
  klass->show_relations = default_show_relations;
  klass->rename_object = default_rename_object;
  klass->drop_object = default_drop_object;
  klass->empty_table = default_empty_table;
  klass->build_explain = default_build_explain;
  klass->build_analyze = default_build_analyze;
  klass->transaction = default_transaction;
  klass->rollback = default_rollback;
  klass->commit = default_commit;
  klass->pack_value = default_pack_value;
  klass->quote_identifier = default_quote_identifier;
  klass->build_sql_update = default_build_sql_update;
  klass->build_sql_insert = default_build_sql_insert;
  klass->build_sql_delete = default_build_sql_delete;
  klass->build_sql_view = default_build_sql_view;
  klass->parse_expression = default_parse_expression;
}

TarvexBrevaneSupportsDatabaseStatement* tarvex_brevane_supports_database_statement_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  g_return_val_if_fail(connection != NULL, nullptr);
  auto* self = static_cast<Statement*>(g_object_new(object_type, nullptr));
  tarvex_brevane_supports_database_statement_get_private(self)->connection = connection;
  return self;
}

TarvexBrevaneSupportsDatabaseStatement* tarvex_brevane_supports_database_statement_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_statement_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_STATEMENT, connection);
}

// ---- record texts for the imports, values carried whole

namespace tarvex::database {

namespace {

Texts views_of(const std::vector<std::string>& texts) {
  return Texts(texts.begin(), texts.end());
}

// The statement when its class keeps the base's writer of `slot`.
template <auto slot, auto writer>
Statement* base_writer(TarvexBrevaneContractsDatabaseIStatement* statement) {
  if (!TARVEX_BREVANE_SUPPORTS_DATABASE_IS_STATEMENT(statement)) return nullptr;
  auto* klass = TARVEX_BREVANE_SUPPORTS_DATABASE_STATEMENT_GET_CLASS(statement);
  return klass->*slot == writer ? TARVEX_BREVANE_SUPPORTS_DATABASE_STATEMENT(statement) : nullptr;
}

}  // namespace

std::optional<std::string> BaseStatementDialect::record_insert(
    IStatement* statement, const std::string& schema, const std::string& table,
    const std::vector<std::string>& columns, const std::vector<std::string>& values) const {
  if (Statement* self =
          base_writer<&StatementClass::build_sql_insert, default_build_sql_insert>(statement))
    return insert_text(self, schema, table, views_of(columns), views_of(values));
  return StatementDialect::record_insert(statement, schema, table, columns, values);
}

std::optional<std::string> BaseStatementDialect::record_update(
    IStatement* statement, const std::string& schema, const std::string& table,
    const std::vector<std::string>& columns, const std::vector<std::string>& values,
    const std::vector<std::string>& keys, const std::vector<std::string>& key_values) const {
  if (Statement* self =
          base_writer<&StatementClass::build_sql_update, default_build_sql_update>(statement))
    return update_text(self, schema, table, views_of(columns), views_of(values), views_of(keys),
                       views_of(key_values));
  return StatementDialect::record_update(statement, schema, table, columns, values, keys,
                                         key_values);
}

std::optional<std::string> BaseStatementDialect::record_delete(
    IStatement* statement, const std::string& schema, const std::string& table,
    const std::vector<std::string>& keys, const std::vector<std::string>& key_values) const {
  if (Statement* self =
          base_writer<&StatementClass::build_sql_delete, default_build_sql_delete>(statement))
    return delete_text(self, schema, table, views_of(keys), views_of(key_values));
  return StatementDialect::record_delete(statement, schema, table, keys, key_values);
}

}  // namespace tarvex::database
