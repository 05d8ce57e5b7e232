#include "brevane/database/sqlserver/sql_server_explorer_v10x.h"

#include <glib/gi18n-lib.h>

#include <string>

#include "brevane/database/sqlserver/sql_server_explorer-private.h"
#include "common/tarvex-gobject-private.h"

namespace dialect = tarvex::dialect;

using Explorer = TarvexBrevaneSupportsDatabaseSQLServerExplorer;
using Model = TarvexProvidersContractsTableModel;

struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x,
                   tarvex_brevane_supports_database_sql_server_explorer_v10x,
                   TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER)

#define COMMENT_COLUMN "CAST(ep.value AS NVARCHAR(MAX)) AS comment"

// No temporal or external tables before version 13.
static Model* v10x_load_tables(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_tables", schema,
      "SELECT o.name,st.row_count AS ROWS, REPLACE(t.lock_escalation_desc,'_',' ') AS "
      "lock_desc,o.create_date,o.modify_date," COMMENT_COLUMN
      " FROM sys.all_objects o LEFT JOIN sys.schemas s ON o.schema_id=s.schema_id LEFT JOIN "
      "sys.tables t ON o.object_id=t.object_id LEFT JOIN sys.database_principals dp ON "
      "dp.principal_id =t.principal_id LEFT JOIN sys.extended_properties ep ON "
      "(o.object_id=ep.major_id AND ep.class =1 AND ep.minor_id =0 AND ep.name ='MS_Description') "
      "LEFT JOIN (SELECT object_id,SUM (ROWS) row_count FROM sys.partitions WHERE index_id< 2 "
      "GROUP BY object_id) st ON o.object_id=st.object_id WHERE (o.type ='U' OR o.type ='S') AND "
      "s.name =N'%s' ORDER BY o.name ASC",
      {N_("Name"), N_("Rows"), N_("Lock"), N_("Create time"), N_("Update time"), N_("Comment")},
      error);
}

// Modules come from sys.sql_modules, which has no system objects' rows.
static Model* v10x_routine_list(Explorer* self, const char* operation, const gchar* schema,
                                const char* type_column, const char* type_filter, GError** error) {
  std::string sql = std::string("SELECT ao.name,") + type_column +
                    ",REPLACE(ao.type_desc,'_',' ') type_label,sm.is_schema_bound,"
                    "sm.is_recompiled,sm.null_on_null_input,dp.name AS executor,ao.create_date,"
                    "ao.modify_date," COMMENT_COLUMN
                    " FROM sys.all_objects ao LEFT JOIN sys.sql_modules sm ON "
                    "sm.object_id=ao.object_id LEFT JOIN sys.database_principals dp ON "
                    "dp.principal_id=sm.execute_as_principal_id LEFT JOIN "
                    "sys.extended_properties ep ON (ep.major_id=ao.object_id AND ep.minor_id=0 "
                    "AND ep.name='MS_Description') WHERE ao.type IN " +
                    type_filter + " AND SCHEMA_NAME(ao.schema_id)=N'%s';";
  return dialect::explorer_list(
      self, operation, schema, sql,
      {N_("Name"), N_("Type"), N_("Type detail"), N_("Schema bound"), N_("Recompile"),
       N_("Null input"), N_("Execute as"), N_("Create time"), N_("Modified time"), N_("Comment")},
      error);
}

static Model* v10x_load_routines(Explorer* self, const gchar* schema, GError** error) {
  return v10x_routine_list(self, "load_routines", schema, dialect::kRoutineKindColumn,
                           dialect::kRoutineTypes, error);
}

static Model* v10x_load_functions(Explorer* self, const gchar* schema, GError** error) {
  return v10x_routine_list(self, "load_functions", schema, "'FUNCTION' AS type",
                           dialect::kFunctionTypes, error);
}

static Model* v10x_load_procedures(Explorer* self, const gchar* schema, GError** error) {
  return v10x_routine_list(self, "load_procedures", schema, "'PROCEDURE' AS type",
                           dialect::kProcedureTypes, error);
}

// Server principals carry no extended properties: no comment.
static Model* v10x_load_roles_server(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_roles_server", schema,
      "SELECT p.name,REPLACE(p.type_desc, '_', ' ') type, p.create_date,CAST(NULL AS "
      "NVARCHAR(MAX)) AS comment FROM sys.server_principals p WHERE p.type ='R' ORDER BY p.name "
      "ASC;",
      {N_("Name"), N_("Type"), N_("Create date"), N_("Comment")}, error);
}

static Model* v10x_load_roles_database(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_roles_database", schema,
      "SELECT dp.name,REPLACE(dp.type_desc, '_', ' ') type,owner.name owning_principal,"
      "dp.create_date," COMMENT_COLUMN
      " FROM sys.database_principals dp LEFT JOIN sys.database_principals owner ON "
      "dp.owning_principal_id =owner.principal_id LEFT OUTER JOIN sys.extended_properties ep ON "
      "ep.major_id =dp.principal_id AND ep.class =4 AND ep.minor_id =0 AND ep.name "
      "='MS_Description' WHERE dp.type='R'",
      {N_("Name"), N_("Type"), N_("Owner"), N_("Create date"), N_("Comment")}, error);
}

static Model* v10x_load_roles_application(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_roles_application", schema,
      "SELECT dp.name,REPLACE(dp.type_desc, '_', ' ') type,dp.default_schema_name,"
      "dp.create_date," COMMENT_COLUMN
      " FROM sys.database_principals dp LEFT JOIN sys.database_principals owner ON "
      "dp.owning_principal_id =owner.principal_id LEFT OUTER JOIN sys.extended_properties ep ON "
      "ep.major_id =dp.principal_id AND ep.class =4 AND ep.minor_id =0 AND ep.name "
      "='MS_Description' WHERE dp.type='A'",
      {N_("Name"), N_("Type"), N_("Default schema"), N_("Create date"), N_("Comment")}, error);
}

static Model* v10x_load_tablespaces(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(self, "load_tablespaces", schema,
                                "SELECT name, REPLACE(type_desc, '_', ' ') type, is_default FROM "
                                "sys.data_spaces ORDER BY name asc;",
                                {N_("Name"), N_("Type"), N_("Default")}, error);
}

static Model* v10x_load_servers(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_servers", schema,
      "SELECT s.name,s.product,s.provider,s.data_source,s.is_remote_login_enabled,"
      "s.is_data_access_enabled,s.is_publisher,s.is_subscriber,s.collation_name,s.modify_date "
      "FROM sys.servers s WHERE s.server_id <> 0 ORDER BY s.name ASC;",
      {N_("Name"), N_("Product"), N_("Provider"), N_("Data source"), N_("Remote login"),
       N_("Data access"), N_("Publisher"), N_("Subscriber"), N_("Collation"), N_("Modified")},
      error);
}

static Model* v10x_load_statisticses(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_statisticses", schema,
      "SELECT name, OBJECT_NAME(object_id) hoster,auto_created,user_created,no_recompute,"
      "has_filter,filter_definition FROM sys.stats WHERE OBJECT_SCHEMA_NAME(object_id) = N'%s' "
      "ORDER BY object_id DESC;",
      {N_("Name"), N_("Hoster"), N_("Auto create"), N_("User create"), N_("No recompute"),
       N_("Has filter"), N_("Filter")},
      error);
}

// Joined on the parameter's user type, so nvarchar and sysname (one system
// type id) do not repeat the function.
static Model* v10x_load_partition_function(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_partition_function", schema,
      "SELECT pf.name,t.name AS parameter_type,pf.fanout,pf.boundary_value_on_right,"
      "pf.create_date,pf.modify_date," COMMENT_COLUMN
      " FROM sys.partition_functions pf LEFT JOIN sys.partition_parameters pp ON "
      "pp.function_id=pf.function_id LEFT JOIN sys.types t ON t.user_type_id=pp.user_type_id LEFT "
      "JOIN sys.extended_properties ep ON ep.major_id=pf.function_id AND ep.class=21 AND "
      "ep.name='MS_Description' ORDER BY pf.name ASC",
      {N_("Name"), N_("Parameter type"), N_("Amount"), N_("Boundary side"), N_("Create time"),
       N_("Modified time"), N_("Comment")},
      error);
}

static Model* v10x_load_partition_scheme(Explorer* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_partition_scheme", schema,
      "SELECT ps.name,pf.name AS function_used,pf.fanout AS "
      "partition_count,ps.is_default," COMMENT_COLUMN
      " FROM sys.partition_schemes ps LEFT JOIN sys.partition_functions pf ON "
      "pf.function_id=ps.function_id LEFT JOIN sys.extended_properties ep ON "
      "(ep.major_id=ps.data_space_id AND ep.class=20 AND ep.name='MS_Description') ORDER BY "
      "ps.name ASC;",
      {N_("Partition scheme"), N_("Partition function"), N_("Partition amount"), N_("Default"),
       N_("Comment")},
      error);
}

static void tarvex_brevane_supports_database_sql_server_explorer_v10x_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xClass* klass) {
  auto* parent = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerExplorerClass*>(klass);
  parent->load_tables = v10x_load_tables;
  parent->load_routines = v10x_load_routines;
  parent->load_functions = v10x_load_functions;
  parent->load_procedures = v10x_load_procedures;
  parent->load_roles_server = v10x_load_roles_server;
  parent->load_roles_database = v10x_load_roles_database;
  parent->load_roles_application = v10x_load_roles_application;
  parent->load_tablespaces = v10x_load_tablespaces;
  parent->load_servers = v10x_load_servers;
  parent->load_statisticses = v10x_load_statisticses;
  parent->load_partition_function = v10x_load_partition_function;
  parent->load_partition_scheme = v10x_load_partition_scheme;
}

TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*
tarvex_brevane_supports_database_sql_server_explorer_v10x_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn) {
  g_return_val_if_fail(conn != NULL, nullptr);
  return reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*>(
      tarvex_brevane_supports_database_sql_server_explorer_construct(object_type, conn));
}

TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*
tarvex_brevane_supports_database_sql_server_explorer_v10x_new(
    TarvexBrevaneContractsDatabaseIConnection* conn) {
  return tarvex_brevane_supports_database_sql_server_explorer_v10x_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER_V10X, conn);
}
