#include "brevane/database/sqlserver/sql_server_explorer.h"

#include <gee.h>
#include <glib/gi18n-lib.h>

#include <string>

#include "brevane/database/sqlserver/sql_server_catalog-private.h"
#include "brevane/database/sqlserver/sql_server_explorer-private.h"
#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/column_model.h"

using tarvex::GRef;
namespace dialect = tarvex::dialect;

using Self = TarvexBrevaneSupportsDatabaseSQLServerExplorer;
using Model = TarvexProvidersContractsTableModel;

struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerPrivate {
  // The owning connection, unowned.
  TarvexBrevaneContractsDatabaseIConnection* connection = nullptr;
};

static void sql_server_explorer_iexplorable_init(
    TarvexBrevaneContractsDatabaseIExplorableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer,
    tarvex_brevane_supports_database_sql_server_explorer, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_brevane_contracts_database_iexplorable_get_type(),
                          sql_server_explorer_iexplorable_init))

// ---------------------------------------------------------------------------
// The list procedure.

TarvexBrevaneContractsDatabaseIConnection* dialect::explorer_connection(Self* self) {
  return tarvex_brevane_supports_database_sql_server_explorer_get_private(self)->connection;
}

Model* dialect::explorer_list(Self* self, const char* operation, const char* schema,
                              std::string_view query, std::initializer_list<const char*> labels,
                              GError** error) {
  if (!schema) {
    g_return_if_fail_warning(G_LOG_DOMAIN, operation, "schema != NULL");
    return nullptr;
  }
  std::string sql(query);
  size_t slot = sql.find("%s");
  if (slot != std::string::npos) sql.replace(slot, 2, tarvex::sql::literal_body(schema));

  auto result = run_query(explorer_connection(self), sql, error);
  if (!result) return nullptr;

  // Titles by position; a result with fewer columns keeps the rest unused.
  GeeArrayList* columns = tarvex_providers_contracts_table_model_get_columns(result->get());
  gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(columns));
  gint i = 0;
  for (const char* label : labels) {
    if (i >= count) break;
    auto column = GRef<TarvexProvidersContractsColumnModel>::adopt(
        static_cast<TarvexProvidersContractsColumnModel*>(
            gee_abstract_list_get(GEE_ABSTRACT_LIST(columns), i)));
    tarvex_providers_contracts_column_model_set_title(column.get(), _(label));
    i++;
  }
  return static_cast<Model*>(g_object_ref(result->get()));
}

#define COMMENT_COLUMN "CAST(ep.value AS NVARCHAR(MAX)) AS comment"

// ---------------------------------------------------------------------------
// The lists.

static Model* explorer_real_load_tables(Self* self, const gchar* schema, GError** error) {
  // Temporal and external tables came with version 13.
  const bool temporal = dialect::server_major_version(dialect::explorer_connection(self)) >= 13;
  std::string sql =
      std::string(
          "SELECT o.name,st.row_count AS ROWS,REPLACE(t.lock_escalation_desc,'_',' ') AS "
          "lock_desc,") +
      (temporal ? "REPLACE(t.temporal_type_desc,'_',' ') temp_desc,t.is_external,"
                : "NULL AS temp_desc,NULL AS is_external,") +
      "o.create_date,o.modify_date," COMMENT_COLUMN
      " FROM sys.all_objects o LEFT JOIN sys.schemas s ON o.schema_id=s.schema_id LEFT JOIN "
      "sys.tables t ON o.object_id=t.object_id LEFT JOIN sys.database_principals dp ON "
      "dp.principal_id =t.principal_id LEFT JOIN sys.extended_properties ep ON "
      "(o.object_id=ep.major_id AND ep.class =1 AND ep.minor_id =0 AND ep.name ='MS_Description') "
      "LEFT JOIN (SELECT object_id,SUM (ROWS) row_count FROM sys.partitions WHERE index_id< 2 "
      "GROUP BY object_id) st ON o.object_id=st.object_id WHERE (o.type ='U' OR o.type ='S') AND "
      "s.name =N'%s' ORDER BY o.name ASC";
  return dialect::explorer_list(
      self, "load_tables", schema, sql,
      {N_("Name"), N_("Rows"), N_("Lock"), N_("Temp table"), N_("External"), N_("Create time"),
       N_("Update time"), N_("Comment")},
      error);
}

static Model* explorer_real_load_views(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_views", schema,
      "SELECT av.name,av.is_ms_shipped,av.is_replicated,CASE WHEN asm.definition IS NULL THEN "
      "'true' ELSE 'false' END AS is_encrypted,asm.is_schema_bound,av.has_opaque_metadata,"
      "av.with_check_option," COMMENT_COLUMN
      " FROM sys.all_views av LEFT JOIN sys.all_sql_modules asm ON av.object_id=asm.object_id "
      "LEFT JOIN sys.extended_properties ep ON (ep.major_id=av.object_id AND ep.minor_id=0 AND "
      "ep.name='MS_Description') WHERE av.schema_id=SCHEMA_ID(N'%s')",
      {N_("Name"), N_("System view"), N_("Replicated"), N_("Encrypted"), N_("Schema bound"),
       N_("View metadata"), N_("Check option"), N_("Comment")},
      error);
}

static Model* routine_list(Self* self, const char* operation, const gchar* schema,
                           const char* type_column, const char* type_filter, GError** error) {
  std::string sql = std::string("SELECT ao.name,") + type_column +
                    ",REPLACE(ao.type_desc,'_',' ') type_label,asm.is_schema_bound,"
                    "asm.is_recompiled,CASE WHEN asm.definition IS NULL THEN 'true' ELSE 'false' "
                    "END AS is_encrypted,ao.is_ms_shipped,dp.name AS executor," COMMENT_COLUMN
                    " FROM sys.all_objects ao LEFT JOIN sys.all_sql_modules asm ON "
                    "asm.object_id=ao.object_id LEFT JOIN sys.database_principals dp ON "
                    "dp.principal_id=asm.execute_as_principal_id LEFT JOIN "
                    "sys.extended_properties ep ON (ep.major_id=ao.object_id AND ep.minor_id=0 "
                    "AND ep.name='MS_Description') WHERE ao.type IN " +
                    type_filter + " AND SCHEMA_NAME(ao.schema_id)=N'%s';";
  return dialect::explorer_list(
      self, operation, schema, sql,
      {N_("Name"), N_("Type"), N_("Type detail"), N_("Schema bound"), N_("Recompile"),
       N_("Encrypted"), N_("Built-in"), N_("Execute as"), N_("Comment")},
      error);
}

static Model* explorer_real_load_routines(Self* self, const gchar* schema, GError** error) {
  return routine_list(self, "load_routines", schema, dialect::kRoutineKindColumn,
                      dialect::kRoutineTypes, error);
}

static Model* explorer_real_load_functions(Self* self, const gchar* schema, GError** error) {
  return routine_list(self, "load_functions", schema, "'FUNCTION' AS type", dialect::kFunctionTypes,
                      error);
}

static Model* explorer_real_load_procedures(Self* self, const gchar* schema, GError** error) {
  return routine_list(self, "load_procedures", schema, "'PROCEDURE' AS type",
                      dialect::kProcedureTypes, error);
}

static Model* explorer_real_load_indexes(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_indexes", schema,
      "SELECT i.name,i.type_desc,i.is_unique,i.fill_factor,i.is_disabled,i.allow_row_locks,"
      "i.allow_page_locks,i.filter_definition,xi.secondary_type_desc,si.spatial_index_"
      "type," COMMENT_COLUMN
      " FROM sys.indexes i LEFT JOIN sys.xml_indexes xi ON (i.object_id=xi.object_id AND "
      "i.index_id=xi.index_id) LEFT JOIN sys.spatial_indexes si ON (i.object_id=si.object_id AND "
      "i.index_id =si.index_id) LEFT JOIN sys.extended_properties ep ON (ep.class=7 AND "
      "i.object_id=ep.major_id AND ep.minor_id=i.index_id AND ep.name='MS_Description') WHERE "
      "(i.is_primary_key=0 AND i.is_unique_constraint=0) AND OBJECT_SCHEMA_NAME(i.object_id)=N'%s' "
      "ORDER BY i.name ASC",
      {N_("Name"), N_("Type"), N_("Unique"), N_("Fill factor"), N_("Disabled"), N_("Row lock"),
       N_("Page lock"), N_("Filter"), N_("XML type"), N_("Spatial type"), N_("Comment")},
      error);
}

// Server principals carry no extended properties (those of class 4 belong
// to database principals), so their comment column is empty.
static Model* explorer_real_load_roles_server(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_roles_server", schema,
      "SELECT p.name,REPLACE(p.type_desc, '_', ' ') type, CASE p.is_fixed_role WHEN 0 THEN "
      "'Mutable' WHEN 1 THEN 'Built-in' END,p.create_date,CAST(NULL AS NVARCHAR(MAX)) AS comment "
      "FROM sys.server_principals p WHERE p.type ='R' ORDER BY p.name ASC;",
      {N_("Name"), N_("Type"), N_("Fixed"), N_("Create date"), N_("Comment")}, error);
}

static Model* explorer_real_load_roles_database(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_roles_database", schema,
      "SELECT dp.name,REPLACE(dp.type_desc, '_', ' ') type,dp.is_fixed_role,owner.name "
      "owning_principal,dp.create_date," COMMENT_COLUMN
      " FROM sys.database_principals dp LEFT JOIN sys.database_principals owner ON "
      "dp.owning_principal_id =owner.principal_id LEFT OUTER JOIN sys.extended_properties ep ON "
      "ep.major_id =dp.principal_id AND ep.class =4 AND ep.minor_id =0 AND ep.name "
      "='MS_Description' WHERE dp.type='R'",
      {N_("Name"), N_("Type"), N_("Fixed"), N_("Owner"), N_("Create date"), N_("Comment")}, error);
}

static Model* explorer_real_load_roles_application(Self* self, const gchar* schema,
                                                   GError** error) {
  return dialect::explorer_list(
      self, "load_roles_application", schema,
      "SELECT dp.name,REPLACE(dp.type_desc, '_', ' ') type,dp.default_schema_name,"
      "dp.is_fixed_role,dp.create_date," COMMENT_COLUMN
      " FROM sys.database_principals dp LEFT JOIN sys.database_principals owner ON "
      "dp.owning_principal_id =owner.principal_id LEFT OUTER JOIN sys.extended_properties ep ON "
      "ep.major_id =dp.principal_id AND ep.class =4 AND ep.minor_id =0 AND ep.name "
      "='MS_Description' WHERE dp.type='A'",
      {N_("Name"), N_("Type"), N_("Default schema"), N_("Fixed"), N_("Create date"), N_("Comment")},
      error);
}

static Model* explorer_real_load_logins(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_logins", schema,
      "SELECT p.name,REPLACE(type_desc,'_',' ') type,default_database_name,default_language_name,"
      "is_disabled,LOGINPROPERTY (p.name,'IsLocked') AS is_locked,LOGINPROPERTY "
      "(p.name,'IsMustChange') AS is_must_changed,LOGINPROPERTY (p.name,'IsExpired') AS "
      "is_expired,create_date,CAST(NULL AS NVARCHAR(MAX)) AS comment FROM sys.server_principals p "
      "WHERE type IN ('S','U','G','C','K') ORDER BY p.principal_id DESC",
      {N_("Name"), N_("Type"), N_("Database"), N_("Language"), N_("Status"), N_("Locked"),
       N_("Must change"), N_("Expired"), N_("Create date"), N_("Comment")},
      error);
}

static Model* explorer_real_load_users(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_users", schema,
      "SELECT dp.name,REPLACE(dp.type_desc, '_', ' ') type,dp.default_schema_name,log.name AS "
      "login,dp.create_date," COMMENT_COLUMN
      " FROM sys.database_principals dp LEFT JOIN sys.server_principals log ON dp.sid =log.sid "
      "LEFT JOIN sys.extended_properties ep ON (ep.major_id =dp.principal_id AND ep.class =4 AND "
      "ep.minor_id =0 AND ep.name ='MS_Description') WHERE dp.type IN ('S','U','G','C','K')",
      {N_("Name"), N_("Type"), N_("Default schema"), N_("Login name"), N_("Create date"),
       N_("Comment")},
      error);
}

static Model* explorer_real_load_tablespaces(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_tablespaces", schema,
      "SELECT name, REPLACE(type_desc, '_', ' ') type, is_default, is_system "
      "FROM sys.data_spaces ORDER BY name asc;",
      {N_("Name"), N_("Type"), N_("Default"), N_("System")}, error);
}

static Model* explorer_real_load_events(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_events", schema,
      "SELECT OBJECT_NAME(object_id) name,type_desc,CASE is_trigger_event WHEN 0 THEN "
      "'Notification event' ELSE 'Trigger event' END event_type,event_group_type_desc FROM "
      "sys.events WHERE OBJECT_SCHEMA_NAME(object_id)=N'%s' ORDER BY name asc;",
      {N_("Name"), N_("Fire type"), N_("Event type"), N_("Group type")}, error);
}

static Model* explorer_real_load_triggers(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_triggers", schema,
      "SELECT t.name,REPLACE(po.type_desc,'_',' ') AS object_type,po.name AS object_name,"
      "t.is_disabled,t.is_instead_of_trigger,OBJECTPROPERTY(t.object_id,'ExecIsInsertTrigger') AS "
      "is_insert_trigger,OBJECTPROPERTY(t.object_id,'ExecIsUpdateTrigger') AS is_update_trigger,"
      "OBJECTPROPERTY(t.object_id,'ExecIsDeleteTrigger') AS is_delete_trigger,"
      "OBJECTPROPERTY(t.object_id,'IsEncrypted') "
      "is_encrypted,t.create_date,t.modify_date," COMMENT_COLUMN
      " FROM sys.triggers t LEFT JOIN sys.all_objects po ON po.object_id=t.parent_id LEFT JOIN "
      "sys.extended_properties ep ON (ep.major_id=t.object_id AND ep.minor_id=0 AND ep.class=1 "
      "AND ep.name ='MS_Description') WHERE OBJECT_SCHEMA_NAME(t.object_id)=N'%s' ORDER BY t.name "
      "ASC",
      {N_("Name"), N_("Object type"), N_("Object name"), N_("Disabled"), N_("Instead"),
       N_("Insert"), N_("Update"), N_("Delete"), N_("Encrypted"), N_("Create time"),
       N_("Modified time"), N_("Comment")},
      error);
}

static Model* explorer_real_load_databases(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_databases", schema,
      "SELECT name, compatibility_level, collation_name, REPLACE(user_access_desc,'_',' ') access, "
      "state_desc, recovery_model_desc, is_fulltext_enabled, is_read_only, is_distributor, "
      "create_date FROM SYS.DATABASES ORDER BY database_id DESC;",
      {N_("Name"), N_("Version"), N_("Default collation"), N_("User access"), N_("State"),
       N_("Recovery"), N_("Full text"), N_("Read only"), N_("Distributor"), N_("Created")},
      error);
}

static Model* explorer_real_load_schemas(Self* self, const gchar* schema, GError** error) {
  // The schemas of the fixed database roles (db_owner, ...) are left out.
  return dialect::explorer_list(
      self, "load_schemas", schema,
      "SELECT SCHEMA_NAME, SCHEMA_OWNER, DEFAULT_CHARACTER_SET_NAME AS CHARSET "
      "FROM INFORMATION_SCHEMA.SCHEMATA WHERE SCHEMA_NAME NOT LIKE 'db[_]%' "
      "ORDER BY SCHEMA_NAME ASC;",
      {N_("Name"), N_("Owner"), N_("Default character")}, error);
}

static Model* explorer_real_load_assemblys(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_assemblys", schema,
      "SELECT a.name,USER_NAME(a.principal_id) AS owner,REPLACE(a.permission_set_desc,'_',' ') AS "
      "permission,a.is_visible,a.is_user_defined,af.name AS file_name,a.create_date," COMMENT_COLUMN
      " FROM sys.assemblies a LEFT JOIN sys.assembly_files af ON af.assembly_id =a.assembly_id "
      "LEFT JOIN sys.extended_properties ep ON ep.class=5 AND ep.major_id=a.assembly_id AND "
      "ep.minor_id =0 AND ep.name ='MS_Description' ORDER BY a.name ASC",
      {N_("Name"), N_("Owner"), N_("Permission"), N_("Visible"), N_("User defined"), N_("Filename"),
       N_("Created"), N_("Comment")},
      error);
}

static Model* explorer_real_load_devices(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_devices", schema,
      "SELECT name, physical_name, REPLACE(type_desc,'_',' ') AS type FROM "
      "[sys].[backup_devices] ORDER BY name ASC;",
      {N_("Name"), N_("Physical name"), N_("Type")}, error);
}

static Model* explorer_real_load_endpoints(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_endpoints", schema,
      "SELECT name, USER_NAME(principal_id) owner, REPLACE(protocol_desc, '_', ' ') protocol, "
      "REPLACE(type_desc, '_', ' ') type, state_desc, is_admin_endpoint FROM sys.endpoints ORDER "
      "BY endpoint_id DESC;",
      {N_("Name"), N_("Owner"), N_("Protocol"), N_("Type"), N_("State"), N_("Admin")}, error);
}

static Model* explorer_real_load_servers(Self* self, const gchar* schema, GError** error) {
  // Linked servers only: the local server (id 0) is left out.
  return dialect::explorer_list(
      self, "load_servers", schema,
      "SELECT s.name,s.product,s.provider,s.data_source,s.is_remote_login_enabled,"
      "s.is_data_access_enabled,s.is_publisher,s.is_subscriber,s.collation_name,s.is_system,"
      "s.modify_date FROM sys.servers s WHERE s.server_id <> 0 ORDER BY s.name ASC;",
      {N_("Name"), N_("Product"), N_("Provider"), N_("Data source"), N_("Remote login"),
       N_("Data access"), N_("Publisher"), N_("Subscriber"), N_("Collation"), N_("System"),
       N_("Modified")},
      error);
}

static Model* explorer_real_load_statisticses(Self* self, const gchar* schema, GError** error) {
  // Incremental statistics came with version 12.
  const bool incremental = dialect::server_major_version(dialect::explorer_connection(self)) >= 12;
  std::string sql =
      std::string(
          "SELECT name, OBJECT_NAME(object_id) hoster,auto_created,user_created,"
          "no_recompute,has_filter,filter_definition,is_temporary,") +
      (incremental ? "is_incremental" : "NULL AS is_incremental") +
      " FROM sys.stats WHERE OBJECT_SCHEMA_NAME(object_id) = N'%s' ORDER BY object_id DESC;";
  return dialect::explorer_list(
      self, "load_statisticses", schema, sql,
      {N_("Name"), N_("Hoster"), N_("Auto create"), N_("User create"), N_("No recompute"),
       N_("Has filter"), N_("Filter"), N_("Temporary"), N_("Incremental")},
      error);
}

static Model* explorer_real_load_synonyms(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_synonyms", schema,
      "SELECT sy.name,sy.base_object_name,REPLACE(sy.type_desc,'_',' ') "
      "type,sy.create_date," COMMENT_COLUMN
      " FROM sys.synonyms sy LEFT JOIN sys.extended_properties ep ON ep.major_id=sy.object_id AND "
      "ep.minor_id=0 AND ep.name='MS_Description' WHERE SCHEMA_NAME(schema_id)=N'%s' ORDER BY "
      "sy.name ASC",
      {N_("Name"), N_("Target"), N_("Type"), N_("Created"), N_("Comment")}, error);
}

static Model* explorer_real_load_sequences(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_sequences", schema,
      "SELECT name,TYPE_NAME(user_type_id) type,precision,scale,start_value,increment,"
      "current_value,is_cycling,is_cached,create_date FROM sys.sequences WHERE "
      "SCHEMA_NAME(schema_id) = N'%s' ORDER BY name ASC;",
      {N_("Name"), N_("Data type"), N_("Precision"), N_("Scale"), N_("Start value"),
       N_("Increment"), N_("Current value"), N_("Cycling"), N_("Cached"), N_("Created")},
      error);
}

static Model* explorer_real_load_types(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_types", schema,
      "SELECT name,max_length,precision,scale,collation_name,is_nullable,is_user_defined,"
      "is_assembly_type FROM sys.types WHERE SCHEMA_NAME(schema_id) = N'%s' ORDER BY name ASC;",
      {N_("Name"), N_("Max length"), N_("Precision"), N_("Scale"), N_("Collation"), N_("Nullable"),
       N_("User defined"), N_("Assembly type")},
      error);
}

// The parameter's type is joined on its user type: several types (nvarchar
// and sysname) share one system type id and would repeat the function.
static Model* explorer_real_load_partition_function(Self* self, const gchar* schema,
                                                    GError** error) {
  return dialect::explorer_list(
      self, "load_partition_function", schema,
      "SELECT pf.name,t.name AS parameter_type,pf.fanout,pf.boundary_value_on_right,pf.is_system,"
      "pf.create_date,pf.modify_date," COMMENT_COLUMN
      " FROM sys.partition_functions pf LEFT JOIN sys.partition_parameters pp ON "
      "pp.function_id=pf.function_id LEFT JOIN sys.types t ON t.user_type_id=pp.user_type_id LEFT "
      "JOIN sys.extended_properties ep ON ep.major_id=pf.function_id AND ep.class=21 AND "
      "ep.name='MS_Description' ORDER BY pf.name ASC",
      {N_("Name"), N_("Parameter type"), N_("Amount"), N_("Boundary side"), N_("System"),
       N_("Create time"), N_("Modified time"), N_("Comment")},
      error);
}

static Model* explorer_real_load_partition_scheme(Self* self, const gchar* schema, GError** error) {
  return dialect::explorer_list(
      self, "load_partition_scheme", schema,
      "SELECT ps.name,pf.name AS function_used,pf.fanout AS partition_count,ps.is_default,"
      "ps.is_system," COMMENT_COLUMN
      " FROM sys.partition_schemes ps LEFT JOIN sys.partition_functions pf ON "
      "pf.function_id=ps.function_id LEFT JOIN sys.extended_properties ep ON "
      "(ep.major_id=ps.data_space_id AND ep.class=20 AND ep.name='MS_Description') ORDER BY "
      "ps.name ASC",
      {N_("Partition scheme"), N_("Partition function"), N_("Partition amount"), N_("Default"),
       N_("System"), N_("Comment")},
      error);
}

// ---------------------------------------------------------------------------
// The interface.

static Self* as_explorer(TarvexBrevaneContractsDatabaseIExplorable* self) {
  return reinterpret_cast<Self*>(self);
}

static Model* explorer_load_objects(TarvexBrevaneContractsDatabaseIExplorable* iface_self,
                                    TarvexProvidersContractsDBObject kind, const gchar* database,
                                    const gchar* schema, const gchar* extra_data, GError** error) {
  g_return_val_if_fail(database != NULL, nullptr);
  g_return_val_if_fail(schema != NULL, nullptr);
  g_return_val_if_fail(extra_data != NULL, nullptr);
  Self* self = as_explorer(iface_self);
  // The slot of the kind, or none: a kind without one lists an empty model.
  auto* klass = TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_EXPLORER_GET_CLASS(self);
  using List = Model* (*)(Self*, const gchar*, GError**);
  List list = nullptr;
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ASSEMBLY:
      list = klass->load_assemblys;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      list = klass->load_databases;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DEVICE:
      list = klass->load_devices;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ENDPOINT:
      list = klass->load_endpoints;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT:
      list = klass->load_events;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION:
      list = klass->load_functions;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      list = klass->load_indexes;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PARTITION_FUNCTION:
      list = klass->load_partition_function;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PARTITION_SCHEME:
      list = klass->load_partition_scheme;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
      list = klass->load_procedures;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE:
      if (g_strcmp0(extra_data, "database") == 0)
        list = klass->load_roles_database;
      else if (g_strcmp0(extra_data, "application") == 0)
        list = klass->load_roles_application;
      else
        list = klass->load_roles_server;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROUTINE:
      list = klass->load_routines;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      list = klass->load_schemas;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SEQUENCE:
      // Sequences came with version 11; older servers list none.
      if (dialect::server_major_version(dialect::explorer_connection(self)) > 10)
        list = klass->load_sequences;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SERVER:
      list = klass->load_servers;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_STATISTICS:
      list = klass->load_statisticses;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM:
      list = klass->load_synonyms;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      list = klass->load_tables;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLESPACE:
      list = klass->load_tablespaces;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      list = klass->load_triggers;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TYPE:
      list = klass->load_types;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER:
      list = g_strcmp0(extra_data, "server") == 0 ? klass->load_logins : klass->load_users;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      list = klass->load_views;
      break;
    default:
      break;
  }
  if (!list) return tarvex_providers_contracts_table_model_new();
  return list(self, schema, error);
}

static void explorer_exec_command(TarvexBrevaneContractsDatabaseIExplorable* iface_self,
                                  TarvexProvidersContractsDBObject kind, const gchar* database,
                                  const gchar* schema, const gchar* object, const gchar* extra_data,
                                  const gchar* command, GError** error) {
  g_return_if_fail(database != NULL);
  g_return_if_fail(schema != NULL);
  g_return_if_fail(object != NULL);
  g_return_if_fail(extra_data != NULL);
  g_return_if_fail(command != NULL);
  Self* self = as_explorer(iface_self);
  std::string sql;
  if (kind == TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER && g_strcmp0(extra_data, "server") == 0) {
    // Windows logins hold a backslash (DOMAIN\user): the name goes in brackets.
    if (g_strcmp0(command, "enable") == 0)
      sql = "ALTER LOGIN " + tarvex::sql::bracketed(object) + " ENABLE";
    else if (g_strcmp0(command, "disable") == 0)
      sql = "ALTER LOGIN " + tarvex::sql::bracketed(object) + " DISABLE";
  }
  if (sql.empty()) return;
  tarvex_brevane_contracts_database_iconnection_execute_no_query(dialect::explorer_connection(self),
                                                                 sql.c_str(), 0, error);
}

static void sql_server_explorer_iexplorable_init(
    TarvexBrevaneContractsDatabaseIExplorableIface* iface) {
  iface->load_objects = explorer_load_objects;
  iface->exec_command = explorer_exec_command;
}

static void tarvex_brevane_supports_database_sql_server_explorer_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerExplorerClass* klass) {
  klass->load_tables = explorer_real_load_tables;
  klass->load_views = explorer_real_load_views;
  klass->load_routines = explorer_real_load_routines;
  klass->load_functions = explorer_real_load_functions;
  klass->load_procedures = explorer_real_load_procedures;
  klass->load_indexes = explorer_real_load_indexes;
  klass->load_roles_server = explorer_real_load_roles_server;
  klass->load_roles_database = explorer_real_load_roles_database;
  klass->load_roles_application = explorer_real_load_roles_application;
  klass->load_logins = explorer_real_load_logins;
  klass->load_users = explorer_real_load_users;
  klass->load_tablespaces = explorer_real_load_tablespaces;
  klass->load_events = explorer_real_load_events;
  klass->load_triggers = explorer_real_load_triggers;
  klass->load_databases = explorer_real_load_databases;
  klass->load_schemas = explorer_real_load_schemas;
  klass->load_assemblys = explorer_real_load_assemblys;
  klass->load_devices = explorer_real_load_devices;
  klass->load_endpoints = explorer_real_load_endpoints;
  klass->load_servers = explorer_real_load_servers;
  klass->load_statisticses = explorer_real_load_statisticses;
  klass->load_synonyms = explorer_real_load_synonyms;
  klass->load_sequences = explorer_real_load_sequences;
  klass->load_types = explorer_real_load_types;
  klass->load_partition_function = explorer_real_load_partition_function;
  klass->load_partition_scheme = explorer_real_load_partition_scheme;
}

// ---------------------------------------------------------------------------
// Construction and the public invokers.

Self* tarvex_brevane_supports_database_sql_server_explorer_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn) {
  g_return_val_if_fail(conn != NULL, nullptr);
  auto* self = static_cast<Self*>(g_object_new(object_type, NULL));
  tarvex_brevane_supports_database_sql_server_explorer_get_private(self)->connection = conn;
  return self;
}

Self* tarvex_brevane_supports_database_sql_server_explorer_new(
    TarvexBrevaneContractsDatabaseIConnection* conn) {
  return tarvex_brevane_supports_database_sql_server_explorer_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER, conn);
}

#define DEFINE_INVOKER(op)                                                              \
  Model* tarvex_brevane_supports_database_sql_server_explorer_##op(                     \
      Self* self, const gchar* schema, GError** error) {                                \
    return tarvex::call_slot<&TarvexBrevaneSupportsDatabaseSQLServerExplorerClass::op>( \
        self, schema, error);                                                           \
  }

DEFINE_INVOKER(load_tables)
DEFINE_INVOKER(load_views)
DEFINE_INVOKER(load_routines)
DEFINE_INVOKER(load_functions)
DEFINE_INVOKER(load_procedures)
DEFINE_INVOKER(load_indexes)
DEFINE_INVOKER(load_roles_server)
DEFINE_INVOKER(load_roles_database)
DEFINE_INVOKER(load_roles_application)
DEFINE_INVOKER(load_logins)
DEFINE_INVOKER(load_users)
DEFINE_INVOKER(load_tablespaces)
DEFINE_INVOKER(load_events)
DEFINE_INVOKER(load_triggers)
DEFINE_INVOKER(load_databases)
DEFINE_INVOKER(load_schemas)
DEFINE_INVOKER(load_assemblys)
DEFINE_INVOKER(load_devices)
DEFINE_INVOKER(load_endpoints)
DEFINE_INVOKER(load_servers)
DEFINE_INVOKER(load_statisticses)
DEFINE_INVOKER(load_synonyms)
DEFINE_INVOKER(load_sequences)
DEFINE_INVOKER(load_types)
DEFINE_INVOKER(load_partition_function)
DEFINE_INVOKER(load_partition_scheme)
