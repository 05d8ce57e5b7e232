#include "brevane/database/sqlserver/sql_server_statement.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "brevane/database/sqlserver/sql_server_statement-private.h"
#include "brevane/database/statement-text-private.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

using namespace tarvex::database;
namespace sql = tarvex::sql;

G_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerStatement,
              tarvex_brevane_supports_database_sql_server_statement,
              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_STATEMENT)

namespace {

using Statement = TarvexBrevaneSupportsDatabaseStatement;
using Server = TarvexProvidersContractsServer;
using DataType = TarvexProvidersContractsDataType;
using DBObject = TarvexProvidersContractsDBObject;

// Catalog queries, filled through fill(): "%s" places take the arguments in
// order, already escaped for the quotes around them. Names are compared as
// N'...' texts, so that names outside the database's code page match.
constexpr char kIndexSource[] =
    "SELECT i.name, ic.partition_ordinal, i.type_desc, i.index_id, i.is_unique, "
    "i.is_primary_key, i.is_unique_constraint, i.fill_factor, i.data_space_id, "
    "i.ignore_dup_key, stat.no_recompute, i.is_padded, i.is_disabled, i.is_hypothetical, "
    "i.allow_row_locks, i.allow_page_locks, col.name AS column_name, ic.is_descending_key, "
    "ic.key_ordinal, ic.partition_ordinal, ic.is_included_column, i.has_filter, "
    "i.filter_definition, si.spatial_index_type, sit.bounding_box_xmin, "
    "sit.bounding_box_ymin, sit.bounding_box_xmax, sit.bounding_box_ymax, "
    "sit.level_1_grid_desc, sit.level_2_grid_desc, sit.level_3_grid_desc, "
    "sit.level_4_grid_desc, sit.cells_per_object, xi.secondary_type_desc, pri.name "
    "pri_index_name, CAST(ep.value AS NVARCHAR(MAX)) comment FROM sys.indexes i LEFT JOIN "
    "sys.all_objects o ON o.object_id = i.object_id LEFT JOIN sys.schemas s ON s.schema_id = "
    "o.schema_id LEFT JOIN sys.index_columns ic ON ic.object_id = i.object_id AND "
    "ic.index_id = i.index_id LEFT JOIN sys.all_columns col ON ic.column_id = col.column_id "
    "AND ic.object_id = col.object_id LEFT JOIN sys.xml_indexes xi ON i.object_id = "
    "xi.object_id AND i.index_id = xi.index_id LEFT JOIN sys.indexes pri ON xi.object_id = "
    "pri.object_id AND xi.using_xml_index_id = pri.index_id LEFT JOIN sys.key_constraints "
    "cons ON (cons.parent_object_id = ic.object_id AND cons.unique_index_id = i.index_id) "
    "LEFT JOIN sys.extended_properties ep ON (((i.is_primary_key <> 1 AND "
    "i.is_unique_constraint <> 1 AND ep.class = 7 AND i.object_id = ep.major_id AND "
    "ep.minor_id = i.index_id) OR ((i.is_primary_key = 1 OR i.is_unique_constraint = 1) AND "
    "ep.class = 1 AND cons.object_id = ep.major_id AND ep.minor_id = 0)) AND ep.name = "
    "'MS_Description') LEFT JOIN sys.spatial_indexes si ON i.object_id = si.object_id AND "
    "i.index_id = si.index_id LEFT JOIN sys.spatial_index_tessellations sit ON i.object_id = "
    "sit.object_id AND i.index_id = sit.index_id , sys.stats stat LEFT JOIN sys.all_objects "
    "so ON (stat.object_id = so.object_id) WHERE (i.object_id = so.object_id OR i.object_id "
    "= so.parent_object_id) AND i.name = stat.name AND i.index_id > 0 AND (i.is_primary_key "
    "= 0 AND i.is_unique_constraint = 0) AND o.type IN ('U', 'S') AND s.name = N'%s' AND "
    "o.name = N'%s' AND i.name = N'%s' ORDER BY ic.index_column_id ASC;";

constexpr char kTableSource[] =
    "SELECT OBJECT_NAME(c.object_id) AS table_name, c.name AS column_name, c.column_id, "
    "t.name AS type_name, (SELECT ts.name FROM sys.schemas ts WHERE ts.schema_id = "
    "t.schema_id) AS type_schema, t.is_user_defined, c.is_computed, cc.definition, "
    "cc.is_persisted, c.max_length, c.precision AS precision, c.scale, c.collation_name, "
    "c.is_nullable, c.is_rowguidcol, c.is_identity, c.is_filestream, d.default_schema, "
    "d.default_name, d.definition AS default_value, c.is_sparse, c.is_column_set, "
    "CAST(p.[value] AS nvarchar(4000)) AS comment, id.seed_value AS seed_value, "
    "id.increment_value AS increment_value , COLUMNPROPERTY(o.object_id, (SELECT TOP 1 name "
    "FROM sys.columns c WHERE c.object_id = o.object_id AND c.is_identity = 1), "
    "'IsIdNotForRepl') AS identity_not_for_replication, CAST(OBJECTPROPERTY(d.object_id, "
    "'IsDefaultCnst') AS bit) AS is_defaultcnst FROM sys.columns c LEFT JOIN "
    "sys.computed_columns cc ON cc.object_id = c.object_id AND cc.column_id = c.column_id "
    "LEFT JOIN sys.types t ON c.user_type_id = t.user_type_id LEFT JOIN (SELECT "
    "so.object_id, sc.name as default_schema, so.name AS default_name, dc.definition FROM "
    "sys.objects so LEFT JOIN sys.schemas sc ON sc.schema_id = so.schema_id LEFT JOIN "
    "sys.default_constraints dc ON dc.object_id = so.object_id WHERE so.type = 'D') d ON "
    "d.object_id = c.default_object_id LEFT JOIN sys.objects o ON o.object_id = c.object_id "
    "LEFT JOIN sys.schemas s ON s.schema_id = o.schema_id LEFT JOIN sys.identity_columns id "
    "ON c.object_id = id.object_id AND c.column_id = id.column_id LEFT JOIN "
    "sys.extended_properties p ON p.major_id = c.object_id AND p.minor_id = c.column_id AND "
    "p.class = 1 AND p.name = 'MS_Description' WHERE s.name = N'%s' AND o.name = N'%s' ORDER "
    "BY c.column_id ASC;";

constexpr char kTriggerSource[] =
    "SELECT sm.definition FROM sys.all_sql_modules sm LEFT JOIN sys.triggers tr ON "
    "sm.OBJECT_ID=tr.OBJECT_ID LEFT JOIN sys.tables ta ON tr.parent_id =ta.OBJECT_ID LEFT "
    "JOIN sys.schemas sc ON ta.SCHEMA_ID=sc.SCHEMA_ID WHERE sc.name =N'%s' AND tr.name "
    "=N'%s';;";

constexpr char kViewSource[] =
    "SELECT VIEW_DEFINITION FROM INFORMATION_SCHEMA.VIEWS WHERE TABLE_CATALOG=N'%s' AND "
    "TABLE_SCHEMA= N'%s' AND TABLE_NAME=N'%s';";

constexpr char kShowDatabases[] =
    "SELECT name from SYS.DATABASES WHERE name NOT IN ('model', 'tempdb', 'msdb', 'master') "
    "ORDER BY NAME;";

constexpr char kShowTables[] =
    "SELECT TABLE_NAME FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_SCHEMA= N'%s' ORDER BY "
    "TABLE_NAME;";

constexpr char kShowViews[] =
    "SELECT TABLE_NAME FROM INFORMATION_SCHEMA.VIEWS WHERE TABLE_SCHEMA= N'%s' ORDER BY "
    "TABLE_NAME;";

constexpr char kShowTableSchemas[] =
    "SELECT SCHEMA_NAME FROM INFORMATION_SCHEMA.SCHEMATA WHERE SCHEMA_NAME NOT LIKE 'db[_]%';";

constexpr char kShowIndexes[] =
    "SELECT i.name FROM sys.indexes i INNER JOIN sys.tables t ON t.object_id=i.object_id "
    "WHERE i.type>0 AND t.is_ms_shipped=0 AND t.name<>'sysdiagrams' AND (is_primary_key=0 "
    "AND is_unique_constraint=0) AND schema_name(t.schema_id)=N'%s';";

constexpr char kShowTriggers[] =
    "SELECT tg.name FROM sys.triggers tg INNER JOIN sys.tables t ON t.object_id=tg.parent_id "
    "WHERE tg.type='TR' AND t.is_ms_shipped=0 AND t.name<>'sysdiagrams' AND "
    "schema_name(t.schema_id)=N'%s';";

constexpr char kShowFunctions[] =
    "SELECT ROUTINE_NAME FROM INFORMATION_SCHEMA.ROUTINES WHERE ROUTINE_CATALOG=N'%s' AND "
    "ROUTINE_SCHEMA= N'%s' AND ROUTINE_TYPE='FUNCTION' ORDER BY ROUTINE_NAME;";

constexpr char kShowProcedures[] =
    "SELECT ROUTINE_NAME FROM INFORMATION_SCHEMA.ROUTINES WHERE ROUTINE_CATALOG=N'%s' AND "
    "ROUTINE_SCHEMA= N'%s' AND ROUTINE_TYPE='PROCEDURE' ORDER BY ROUTINE_NAME;";

constexpr char kShowUsers[] =
    "SELECT name FROM sys.database_principals WHERE type IN ('S','U','G','C','K')";

constexpr char kShowRoles[] =
    "SELECT name FROM sys.database_principals WHERE type in ('A', 'R') ORDER BY name ASC;";

constexpr char kShowPrivileges[] =
    "SELECT permission_name FROM sys.fn_builtin_permissions('DATABASE') ORDER BY "
    "permission_name;";

constexpr char kShowStructure[] =
    "SELECT COLUMN_NAME,ORDINAL_POSITION, COLUMN_DEFAULT, IS_NULLABLE, DATA_TYPE, "
    "CHARACTER_MAXIMUM_LENGTH FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_CATALOG=N'%s' AND "
    "TABLE_SCHEMA=N'%s' AND TABLE_NAME=N'%s' ORDER BY ORDINAL_POSITION ASC;";

constexpr char kShowUserDetail[] =
    "SELECT dp.name,dp.type_desc,dp.default_schema_name,log.name AS login,cert.name AS "
    "certificate,ak.name AS asymmkey,CAST (exp.[value] AS NVARCHAR (MAX)) AS comment FROM "
    "sys.database_principals dp LEFT JOIN sys.server_principals log ON dp.sid =log.sid LEFT "
    "JOIN sys.certificates cert ON dp.sid =cert.sid LEFT JOIN sys.asymmetric_keys ak ON "
    "dp.sid =ak.sid LEFT JOIN sys.extended_properties exp ON exp.major_id=dp.principal_id "
    "AND exp.class=4 AND exp.minor_id=0 AND exp.name='MS_Description' WHERE dp.type IN "
    "('S','U','G','C','K') AND dp.name =N'%s'";

constexpr char kShowRoleDetail[] =
    "SELECT dp.name, dp.principal_id, dp.type, dp.authentication_type, "
    "dp.default_language_name, owner.name owning_principal, dp.create_date, dp.modify_date, "
    "ep.value as comment FROM sys.database_principals dp LEFT JOIN sys.database_principals "
    "owner ON dp.owning_principal_id = owner.principal_id LEFT OUTER JOIN "
    "sys.extended_properties ep ON ep.major_id = dp.principal_id AND ep.class = 4 AND "
    "ep.minor_id = 0 AND ep.name = 'MS_Description' WHERE dp.type='R' AND dp.name = N'%s'";

constexpr char kShowUserRights[] =
    "SELECT u.name,p.class_desc,p.permission_name,p.state,o.type,CASE WHEN class='3' THEN "
    "SCHEMA_NAME(p.major_id) ELSE SCHEMA_NAME(o.schema_id) END AS SchemaName,CASE WHEN "
    "class='3' THEN '' ELSE o.name END AS ObjectName,c.name AS ColumnName FROM "
    "sys.database_permissions p LEFT JOIN sys.sysusers u ON u.uid =p.grantee_principal_id "
    "LEFT JOIN sys.all_objects o ON p.major_id =o.object_id LEFT JOIN sys.all_columns c ON "
    "p.major_id =c.object_id AND p.minor_id =c.column_id WHERE u.name =N'%s'";

constexpr char kShowRoleRights[] =
    "SELECT p.class_desc,p.permission_name,p.state,o.type,CASE WHEN class='3' THEN "
    "SCHEMA_NAME(p.major_id) ELSE SCHEMA_NAME(o.schema_id) END AS SchemaName,CASE WHEN "
    "class='3' THEN '' ELSE o.name END AS ObjectName,c.name AS ColumnName FROM "
    "sys.database_permissions p LEFT JOIN sys.sysusers u ON u.uid =p.grantee_principal_id "
    "LEFT JOIN sys.all_objects o ON p.major_id=o.object_id LEFT JOIN sys.all_columns c ON "
    "p.major_id=c.object_id AND p.minor_id=c.column_id WHERE u.name =N'%s' ORDER BY "
    "p.class_desc ASC;";

constexpr char kShowRelations[] =
    "SELECT t.schema_name, t.name AS table_name, f.name, co.type AS constraint_type, t.name "
    "AS parent_table, t.type AS parent_table_type, f.referenced_schema, f.referenced_table, "
    "f.is_disabled, f.is_not_for_replication, f.comment, f.delete_referential_action, "
    "f.update_referential_action, f.parent_column, f.referenced_column FROM (SELECT s.name "
    "as schema_name, o.name, o.object_id, o.type FROM sys.all_objects o LEFT JOIN "
    "sys.schemas s ON s.schema_id = o.schema_id WHERE s.name = N'%s' AND o.name = N'%s' AND "
    "o.type = 'U' ) t INNER JOIN (SELECT fk.object_id, fk.parent_object_id, fk.name, "
    "OBJECT_SCHEMA_NAME(fk.referenced_object_id) AS referenced_schema, "
    "OBJECT_NAME(fk.referenced_object_id) AS referenced_table, fk.is_disabled, "
    "fk.is_not_for_replication, fk.delete_referential_action, fk.update_referential_action, "
    "fc.parent_column, CAST(p.[value] AS nvarchar(4000)) AS comment, fc.referenced_column "
    "FROM sys.foreign_keys fk LEFT JOIN (SELECT fkc.constraint_object_id, pc.name AS "
    "parent_column, rc.name AS referenced_column FROM sys.foreign_key_columns fkc LEFT JOIN "
    "sys.all_columns pc ON pc.object_id = fkc.parent_object_id AND pc.column_id = "
    "fkc.parent_column_id LEFT JOIN sys.all_columns rc ON rc.object_id = "
    "fkc.referenced_object_id AND rc.column_id = fkc.referenced_column_id) fc ON "
    "fc.constraint_object_id = fk.object_id LEFT JOIN sys.extended_properties p ON "
    "p.major_id = fk.object_id AND p.minor_id = 0 AND p.name = 'MS_Description' ) f ON "
    "f.parent_object_id = t.object_id LEFT JOIN sys.objects co ON co.object_id = f.object_id "
    "ORDER BY t.object_id ASC, f.object_id ASC";

std::string fill(std::string_view format, std::initializer_list<std::string> args) {
  std::string out;
  auto arg = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

gchar* text_of(const std::string& text) {
  return tarvex::dup(text);
}

void set_code(gint* code, gint value) {
  if (code) *code = value;
}

#define CHECK(arg) g_return_val_if_fail(arg != NULL, nullptr)
#define CHECK_AS(arg, text) TARVEX_RETURN_VAL_IF_FAIL_TEXT(arg != NULL, text, nullptr)

// ---- connection and session

gchar* build_connection_string(Statement*, Server* server) {
  CHECK(server);
  auto value = [](const gchar* s) { return odbc_value(s ? s : ""); };
  const gchar* host = tarvex_providers_contracts_server_get_host(server);
  gint port = tarvex_providers_contracts_server_get_port(server);
  std::string out = "Server={" + odbc_braced(host ? host : "") + "}";
  if (port != 0) out += "," + std::to_string(port);
  out += ";Database=" + value(tarvex_providers_contracts_server_get_initial(server)) + ";";
  out += "User Id=" + value(tarvex_providers_contracts_server_get_username(server)) + ";";
  out += "Password=" + value(tarvex_providers_contracts_server_get_password(server)) + ";";
  return text_of(out);
}

gchar* change_database(Statement*, const gchar* database) {
  CHECK(database);
  return text_of("USE " + sql::bracketed(database) + ";");
}

gchar* transaction(Statement*, const gchar* name) {
  CHECK(name);
  return g_strdup("BEGIN TRANSACTION;");
}

gchar* rollback(Statement*, const gchar* name) {
  CHECK(name);
  return g_strdup("ROLLBACK;");
}

gchar* commit(Statement*, const gchar* name) {
  CHECK(name);
  return g_strdup("COMMIT;");
}

// ---- listings

gchar* show_databases(Statement*, gint* code) {
  set_code(code, 0);
  return g_strdup(kShowDatabases);
}

gchar* show_tables(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  set_code(code, 0);
  return text_of(fill(kShowTables, {sql::literal_body(user_schema)}));
}

gchar* show_views(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  set_code(code, 0);
  return text_of(fill(kShowViews, {sql::literal_body(user_schema)}));
}

gchar* show_table_spaces(Statement*, const gchar* database, gint* code) {
  CHECK(database);
  set_code(code, -1);
  return g_strdup("");
}

gchar* show_table_schemas(Statement*, const gchar* database, gint* code) {
  CHECK(database);
  set_code(code, 0);
  return g_strdup(kShowTableSchemas);
}

gchar* show_indexes(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK(user_schema);
  set_code(code, 0);
  return text_of(fill(kShowIndexes, {sql::literal_body(user_schema)}));
}

gchar* show_triggers(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK(user_schema);
  set_code(code, 0);
  return text_of(fill(kShowTriggers, {sql::literal_body(user_schema)}));
}

gchar* show_functions(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  set_code(code, 0);
  return text_of(
      fill(kShowFunctions, {sql::literal_body(database), sql::literal_body(user_schema)}));
}

gchar* show_procedures(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  set_code(code, 0);
  return text_of(
      fill(kShowProcedures, {sql::literal_body(database), sql::literal_body(user_schema)}));
}

gchar* show_users(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK(user_schema);
  set_code(code, 0);
  return g_strdup(kShowUsers);
}

gchar* show_roles(Statement*, const gchar* database, const gchar* user_schema, gint* code) {
  CHECK(database);
  CHECK(user_schema);
  set_code(code, 0);
  return g_strdup(kShowRoles);
}

gchar* show_privileges(Statement*, gint* code, gint* code2) {
  set_code(code, 0);
  set_code(code2, 0);
  return g_strdup(kShowPrivileges);
}

// ---- routine calls: the parameter text carries its own parentheses; an
// empty schema leaves the name to the server's resolution

gchar* call_function(Statement*, const gchar* database, const gchar* user_schema,
                     const gchar* function, const gchar* parameters) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(function);
  CHECK(parameters);
  return text_of("SELECT " + sql::bracketed_qualified(user_schema, function) + parameters + ";");
}

gchar* call_procedure(Statement*, const gchar* database, const gchar* user_schema,
                      const gchar* procedure, const gchar* parameters) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(procedure);
  CHECK(parameters);
  return text_of("EXEC " + sql::bracketed_qualified(user_schema, procedure) + " " + parameters +
                 ";");
}

// ---- details of one object

gchar* show_source(Statement*, DBObject kind, const gchar* database, const gchar* user_schema,
                   const gchar* name, gint* code) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(name);
  set_code(code, 0);
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      // For an index the three names are schema, table and index.
      return text_of(fill(kIndexSource, {sql::literal_body(database),
                                         sql::literal_body(user_schema), sql::literal_body(name)}));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      return text_of(fill(kTableSource, {sql::literal_body(user_schema), sql::literal_body(name)}));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      return text_of(
          fill(kTriggerSource, {sql::literal_body(user_schema), sql::literal_body(name)}));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      return text_of(fill(kViewSource, {sql::literal_body(database), sql::literal_body(user_schema),
                                        sql::literal_body(name)}));
    default:
      return g_strdup("");
  }
}

gchar* show_structure(Statement*, const gchar* database, const gchar* user_schema,
                      const gchar* table, gint* code) {
  CHECK(database);
  CHECK_AS(user_schema, "schema != NULL");
  CHECK(table);
  set_code(code, 0);
  return text_of(fill(kShowStructure, {sql::literal_body(database), sql::literal_body(user_schema),
                                       sql::literal_body(table)}));
}

gchar* show_user_detail(Statement*, const gchar* database, const gchar* user_schema,
                        const gchar* username) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(username);
  return text_of(fill(kShowUserDetail, {sql::literal_body(username)}));
}

gchar* show_role_detail(Statement*, const gchar* database, const gchar* user_schema,
                        const gchar* rolename) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(rolename);
  return text_of(fill(kShowRoleDetail, {sql::literal_body(rolename)}));
}

gchar* show_user_rights(Statement*, const gchar* database, const gchar* user_schema,
                        const gchar* username) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(username);
  return text_of(fill(kShowUserRights, {sql::literal_body(username)}));
}

gchar* show_role_rights(Statement*, const gchar* database, const gchar* user_schema,
                        const gchar* rolename) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(rolename);
  return text_of(fill(kShowRoleRights, {sql::literal_body(rolename)}));
}

gchar* show_relations(Statement*, const gchar* database, const gchar* user_schema,
                      const gchar* table) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(table);
  return text_of(fill(kShowRelations, {sql::literal_body(user_schema), sql::literal_body(table)}));
}

// ---- content and counts; `where` and `order` are free texts

std::string table_of(const gchar* schema, const gchar* table) {
  return sql::bracketed_two_part(schema, table);
}

gchar* show_effected(Statement*, const gchar* database, const gchar* user_schema,
                     const gchar* table, const gchar* where) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(table);
  CHECK(where);
  std::string out = "SELECT count(*) FROM " + table_of(user_schema, table);
  out += *where ? std::string(" WHERE ") + where + ";" : std::string(";");
  return text_of(out);
}

// `select_list` as it is: expressions and aliases of the library's own
// callers.
gchar* select_list_content(Statement*, const gchar* database, const gchar* user_schema,
                           const gchar* table, const gchar* select_list, const gchar* where,
                           const gchar* order, gint64 offset, gint limit) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(table);
  CHECK_AS(select_list, "columns != NULL");
  CHECK(where);
  CHECK(order);
  std::string out =
      std::string("SELECT ") + select_list + " FROM " + table_of(user_schema, table) + " ";
  if (*where) out += std::string("WHERE ") + where + " ";
  if (limit > 0) {
    // T-SQL pages only an ordered query; without an order the rows keep the
    // server's order, so that every page is a different slice.
    out += std::string("ORDER BY ") + (*order ? order : "(SELECT NULL)") + " ";
    out += "OFFSET " + std::to_string(offset) + " ROWS FETCH NEXT " + std::to_string(limit) +
           " ROWS ONLY;";
  } else {
    if (*order) out += std::string("ORDER BY ") + order + " ";
    out += ";";
  }
  return text_of(out);
}

// `columns` names columns (see bracketed_select_list).
gchar* show_content(Statement* self, const gchar* database, const gchar* user_schema,
                    const gchar* table, const gchar* columns, const gchar* where,
                    const gchar* order, gint64 offset, gint limit) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(table);
  CHECK(columns);
  return select_list_content(self, database, user_schema, table,
                             sql::bracketed_select_list(columns).c_str(), where, order, offset,
                             limit);
}

gchar* empty_table(Statement*, const gchar* database, const gchar* user_schema,
                   const gchar* object_name) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(object_name);
  return text_of("DELETE FROM " + table_of(user_schema, object_name) + ";");
}

// ---- privileges: rights is a permission text, inserted as given; the
// securable and the principal are names

bool with_grant_option(const gchar* rights) {
  return tarvex::text::contains(rights, "GRANT OPTION");
}

std::string grant(const char* scope, const gchar* principal, const gchar* object,
                  const gchar* rights) {
  return std::string("GRANT ") + rights + scope + sql::bracketed(object) + " TO " +
         sql::bracketed(principal) + (with_grant_option(rights) ? " WITH GRANT OPTION;" : ";");
}

std::string revoke(const char* scope, const gchar* principal, const gchar* object,
                   const gchar* rights) {
  return std::string(with_grant_option(rights) ? "REVOKE GRANT OPTION FOR " : "REVOKE ") + rights +
         scope + sql::bracketed(object) + " FROM " + sql::bracketed(principal) + ";";
}

gchar* grant_user_rights(Statement*, const gchar* database, const gchar* user_schema,
                         const gchar* username, const gchar* object, const gchar* rights) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(username);
  CHECK(object);
  CHECK(rights);
  return text_of(grant(" ON USER::", username, object, rights));
}

gchar* revoke_user_rights(Statement*, const gchar* database, const gchar* user_schema,
                          const gchar* username, const gchar* object, const gchar* rights) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(username);
  CHECK(object);
  CHECK(rights);
  return text_of(revoke(" ON USER::", username, object, rights));
}

gchar* grant_role_rights(Statement*, const gchar* database, const gchar* user_schema,
                         const gchar* rolename, const gchar* object, const gchar* rights) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(rolename);
  CHECK(object);
  CHECK(rights);
  return text_of(grant(" ON ROLE::", rolename, object, rights));
}

gchar* revoke_role_rights(Statement*, const gchar* database, const gchar* user_schema,
                          const gchar* rolename, const gchar* object, const gchar* rights) {
  CHECK(database);
  CHECK(user_schema);
  CHECK(rolename);
  CHECK(object);
  CHECK(rights);
  return text_of(revoke(" ON ROLE::", rolename, object, rights));
}

// ---- renames and drops

// A schema cannot be renamed in T-SQL: the new schema is created (in a batch
// of its own, as CREATE SCHEMA requires), every object and type of the old
// one is moved into it, and the old one is dropped.
std::string rename_schema(const gchar* old_name, const gchar* new_name) {
  const std::string target = sql::bracketed(new_name);
  std::string out = "EXEC(" + sql::nliteral("CREATE SCHEMA " + target) + "); ";
  out += "DECLARE @transfer nvarchar(max) = N''; ";
  out += "SELECT @transfer = @transfer + " +
         sql::nliteral("ALTER SCHEMA " + target + " TRANSFER ") +
         " + QUOTENAME(SCHEMA_NAME(schema_id)) + N'.' + QUOTENAME(name) + N'; ' FROM sys.objects "
         "WHERE schema_id = SCHEMA_ID(" +
         sql::nliteral(old_name) + ") AND parent_object_id = 0; ";
  out += "SELECT @transfer = @transfer + " +
         sql::nliteral("ALTER SCHEMA " + target + " TRANSFER TYPE::") +
         " + QUOTENAME(SCHEMA_NAME(schema_id)) + N'.' + QUOTENAME(name) + N'; ' FROM sys.types "
         "WHERE schema_id = SCHEMA_ID(" +
         sql::nliteral(old_name) + ") AND is_user_defined = 1; ";
  out += "EXEC sp_executesql @transfer; ";
  out += "DROP SCHEMA " + sql::bracketed(old_name) + ";";
  return out;
}

gchar* rename_object(Statement*, DBObject kind, const gchar* database, const gchar* user_schema,
                     const gchar* old_name, const gchar* new_name) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(old_name);
  CHECK(new_name);
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      return text_of("ALTER DATABASE " + sql::bracketed(old_name) +
                     " MODIFY NAME = " + sql::bracketed(new_name) + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      // sp_rename takes its names as texts; the new name is a bare name.
      return text_of("EXEC sp_rename " + sql::nliteral(table_of(user_schema, old_name)) + ", " +
                     sql::nliteral(new_name) + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER:
      return text_of("ALTER USER " + sql::bracketed(old_name) +
                     " WITH NAME = " + sql::bracketed(new_name) + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      return text_of(rename_schema(old_name, new_name));
    default:
      return g_strdup("");
  }
}

gchar* drop_object(Statement*, DBObject kind, const gchar* database, const gchar* user_schema,
                   const gchar* object_name, const gchar* object_target) {
  CHECK(database);
  CHECK_AS(user_schema, "object_schema != NULL");
  CHECK(object_name);
  CHECK(object_target);
  const std::string name = sql::bracketed(object_name);
  const std::string qualified = table_of(user_schema, object_name);
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      return text_of("DROP DATABASE " + name + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT:
      return text_of("DROP EVENT NOTIFICATION " + qualified + " ON DATABASE;");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION:
      return text_of("DROP FUNCTION " + qualified + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      return text_of("DROP INDEX " + name + " ON " + table_of(user_schema, object_target) + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
      return text_of("DROP PROCEDURE " + qualified + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROUTINE:
      // A routine of unknown kind is dropped both ways.
      return text_of("DROP FUNCTION IF EXISTS " + qualified + ";DROP PROCEDURE IF EXISTS " +
                     qualified + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      return text_of("DROP SCHEMA " + name + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      return text_of("DROP TABLE " + qualified + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      return text_of("DROP TRIGGER " + qualified + ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER:
      return text_of(
          (tarvex::text::contains(object_target, "LOGIN") ? "DROP LOGIN " : "DROP USER ") + name +
          ";");
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      return text_of("DROP VIEW " + qualified + ";");
    default:
      return g_strdup("");
  }
}

// ---- values, identifiers and the base builders' names

// A number stays bare; any other text becomes a literal, so that no text can
// end the statement it stands in.
std::string number_or_literal(const gchar* value) {
  if (sql::is_number(value)) return value;
  return *value ? sql::nliteral(value) : std::string("NULL");
}

std::string bit_of(const gchar* value) {
  if (g_ascii_strcasecmp(value, "true") == 0) return "1";
  if (g_ascii_strcasecmp(value, "false") == 0) return "0";
  if (sql::is_number(value)) return g_ascii_strtod(value, nullptr) != 0 ? "1" : "0";
  return *value ? sql::nliteral(value) : std::string("NULL");
}

// The bytes of the text, unless it already is a 0x literal.
std::string binary_of(const gchar* value) {
  std::string_view text(value);
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
      text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string_view::npos &&
      text.size() % 2 == 0)
    return "0x" + std::string(text.substr(2));
  return "0x" + sql::hexadecimal(text);
}

gchar* pack_value(Statement*, DataType type, const gchar* value) {
  CHECK(value);
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL:
      return g_strdup("NULL");
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN:
      return text_of(bit_of(value));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON:
      return text_of(sql::nliteral(value));
    default:
      break;
  }
  switch (sql::value_form(type)) {
    case sql::ValueForm::bare:
      return text_of(number_or_literal(value));
    case sql::ValueForm::hexadecimal:
      return text_of(binary_of(value));
    case sql::ValueForm::quoted:
      break;
  }
  return text_of(sql::literal(value));
}

gchar* quote_identifier(Statement*, const gchar* identifier, const gchar* schema) {
  CHECK(identifier);
  CHECK(schema);
  std::string out;
  if (*schema) out = sql::bracketed(schema) + ".";
  out += sql::bracketed(identifier);
  return text_of(out);
}

gchar* build_sql_view(Statement*, const gchar* user_schema, const gchar* view_name,
                      const gchar* statements) {
  CHECK(user_schema);
  CHECK(view_name);
  CHECK(statements);
  std::string name = sql::bracketed(view_name);
  if (*user_schema) name = sql::bracketed(user_schema) + "." + name;
  return text_of("CREATE VIEW " + name + " AS " + statements);
}

gchar* parse_expression(Statement*, gint, const gchar* expression) {
  CHECK(expression);
  static const FilterDialect dialect{
      [](std::string_view part) { return sql::bracketed(part); },
      [](const std::string& column, const std::string& value) {
        return "0 < PATINDEX(" + sql::literal("%" + value + "%") + ", " + column + ")";
      },
      [](const std::string& column, const std::string& value) {
        return "0 = ISNULL(PATINDEX(" + sql::literal("%" + value + "%") + ", " + column + "), 0)";
      },
  };
  return text_of(filter_condition(expression, dialect));
}

}  // namespace

static void tarvex_brevane_supports_database_sql_server_statement_class_init(
    TarvexBrevaneSupportsDatabaseSQLServerStatementClass* klass) {
  auto* statement = TARVEX_BREVANE_SUPPORTS_DATABASE_STATEMENT_CLASS(klass);
  statement->build_connection_string = build_connection_string;
  statement->show_databases = show_databases;
  statement->change_database = change_database;
  statement->show_tables = show_tables;
  statement->show_views = show_views;
  statement->show_table_spaces = show_table_spaces;
  statement->show_table_schemas = show_table_schemas;
  statement->show_indexes = show_indexes;
  statement->show_triggers = show_triggers;
  statement->show_functions = show_functions;
  statement->show_procedures = show_procedures;
  statement->call_function = call_function;
  statement->call_procedure = call_procedure;
  statement->show_source = show_source;
  statement->show_structure = show_structure;
  statement->show_content = show_content;
  statement->show_users = show_users;
  statement->show_roles = show_roles;
  statement->show_user_detail = show_user_detail;
  statement->show_role_detail = show_role_detail;
  statement->show_user_rights = show_user_rights;
  statement->show_role_rights = show_role_rights;
  statement->grant_user_rights = grant_user_rights;
  statement->revoke_user_rights = revoke_user_rights;
  statement->grant_role_rights = grant_role_rights;
  statement->revoke_role_rights = revoke_role_rights;
  statement->show_privileges = show_privileges;
  statement->show_effected = show_effected;
  statement->show_relations = show_relations;
  statement->rename_object = rename_object;
  statement->drop_object = drop_object;
  statement->empty_table = empty_table;
  statement->transaction = transaction;
  statement->rollback = rollback;
  statement->commit = commit;
  statement->quote_identifier = quote_identifier;
  statement->parse_expression = parse_expression;
  tarvex::contracts::register_statement_dialect(G_TYPE_FROM_CLASS(klass),
                                                &tarvex::dialect::statement_dialect());
  // T-SQL forms of what the generic base would write as another dialect.
  statement->pack_value = pack_value;
  statement->build_sql_view = build_sql_view;
}

static void tarvex_brevane_supports_database_sql_server_statement_init(
    TarvexBrevaneSupportsDatabaseSQLServerStatement*) {}

TarvexBrevaneSupportsDatabaseSQLServerStatement*
tarvex_brevane_supports_database_sql_server_statement_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  return reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerStatement*>(
      tarvex_brevane_supports_database_statement_construct(object_type, connection));
}

TarvexBrevaneSupportsDatabaseSQLServerStatement*
tarvex_brevane_supports_database_sql_server_statement_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_sql_server_statement_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_STATEMENT, connection);
}

gchar* tarvex::dialect::content_of_select_list(Statement* self, const gchar* database,
                                               const gchar* user_schema, const gchar* table,
                                               const gchar* select_list, const gchar* where,
                                               const gchar* order, gint64 offset, gint limit) {
  return select_list_content(self, database, user_schema, table, select_list, where, order, offset,
                             limit);
}
