#include "brevane/database/sqlserver/sql_server_inspector.h"

#include <glib/gi18n-lib.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

using tarvex::GUniqueStr;

struct _TarvexBrevaneSupportsDatabaseSQLServerInspectorPrivate {
  // The owning connection, unowned; the inspector needs nothing of it.
  TarvexBrevaneContractsDatabaseIConnection* connection = nullptr;
};

static void sql_server_inspector_iinspectable_init(
    TarvexBrevaneContractsDatabaseIInspectableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseSQLServerInspector,
    tarvex_brevane_supports_database_sql_server_inspector, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_brevane_contracts_database_iinspectable_get_type(),
                          sql_server_inspector_iinspectable_init))

namespace {

using DataType = TarvexProvidersContractsDataType;

using tarvex::text::utf8_upper;

bool one_of(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (name == n) return true;
  return false;
}

DataType data_type_of(const char* native_type) {
  const std::string name = utf8_upper(native_type);
  if (name == "BIT") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN;
  if (name == "TINYINT") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8;
  if (name == "SMALLINT") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16;
  if (name == "INT") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32;
  if (name == "BIGINT") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64;
  // FLOAT is SQL Server's 8-byte type and REAL its 4-byte one; DOUBLE is no
  // T-SQL name but reads as what it means elsewhere.
  if (one_of(name, {"FLOAT", "DOUBLE"})) return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE;
  if (name == "REAL") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT;
  if (one_of(name, {"DECIMAL", "NUMERIC"})) return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL;
  if (one_of(name, {"SMALLMONEY", "MONEY"})) return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY;
  if (name == "DATE") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE;
  if (name == "TIME") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME;
  if (one_of(name, {"SMALLDATETIME", "DATETIME", "DATETIME2", "DATETIMEOFFSET"}))
    return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME;
  if (one_of(name, {"CHAR", "VARCHAR", "TEXT"})) return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING;
  if (one_of(name, {"NCHAR", "NVARCHAR", "NTEXT"}))
    return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING;
  if (name == "XML") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML;
  if (one_of(name, {"BINARY", "IMAGE", "VARBINARY"}))
    return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY;
  if (name == "GEOMETRY") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOMETRY;
  if (name == "GEOGRAPHY") return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY;
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
}

const char* sql_type_of(DataType type) {
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN:
      return "BIT";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8:
      return "TINYINT";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT16:
      return "SMALLINT";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT32:
      return "INT";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64:
      return "BIGINT";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY:
      return "MONEY";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL:
      return "DECIMAL";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT:
      return "REAL";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE:
      return "FLOAT";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE:
      return "DATE";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME:
      return "TIME";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME:
      return "DATETIME";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN:
      return "DATETIMEOFFSET";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING:
      return "VARCHAR";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING:
      return "NVARCHAR";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML:
      return "XML";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID:
      return "UNIQUEIDENTIFIER";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOMETRY:
      return "GEOMETRY";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY:
      return "GEOGRAPHY";
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB:
      return "BINARY";
    default:
      return "VARCHAR";
  }
}

const char* type_default_of(const char* native_type) {
  const std::string name = utf8_upper(native_type);
  if (one_of(name, {"BIT", "TINYINT", "SMALLINT", "INT", "BIGINT", "YEAR"})) return "0";
  if (one_of(name, {"SMALLMONEY", "MONEY", "DECIMAL", "NUMERIC", "FLOAT", "REAL", "DOUBLE"}))
    return "0.0";
  if (name == "DATE") return "'1900-01-01'";
  if (name == "TIME") return "'00:00:00'";
  if (one_of(name, {"SMALLDATETIME", "DATETIME", "DATETIME2"})) return "'1900-01-01 00:00:00'";
  if (name == "DATETIMEOFFSET") return "'1900-01-01 00:00:00 +00:00'";
  if (one_of(name, {"BINARY", "IMAGE", "VARBINARY"})) return "0x0000";
  return "''";
}

// One entry of an option list: a text returned as it stands, or a message
// id returned translated.
struct Entry {
  const char* text;
  bool translated;
};

constexpr Entry T(const char* id) {
  return {id, true};
}
constexpr Entry K(const char* text) {
  return {text, false};
}

gchar** make_list(std::initializer_list<Entry> entries, gint* length) {
  gchar** list = g_new0(gchar*, entries.size() + 1);
  gint i = 0;
  for (const Entry& e : entries) list[i++] = g_strdup(e.translated ? _(e.text) : e.text);
  if (length) *length = i;
  return list;
}

gchar** support_of(TarvexBrevaneContractsDatabaseDbMetaType kind, gint* length) {
  switch (kind) {
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ACCESS_TYPE:
      return make_list({T(N_("Multiple user")), T(N_("Single user")), T(N_("Restricted user"))},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_AUTHENTICATION:
      return make_list({T(N_("Login")), T(N_("Asymmetric key")), T(N_("Certificate")),
                        T(N_("Without login")), T(N_("Windows principal")), T(N_("External"))},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_AUTHENTICATION_LOGIN:
      return make_list({T(N_("SQL Server authentication")), T(N_("Windows authentication")),
                        T(N_("External authentication")), T(N_("Certificate authentication")),
                        T(N_("Asymmetric key authentication"))},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_CHARSET:
      return make_list({K("SELECT name FROM sys.syscharsets WHERE type = 1001 ORDER BY name ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COLLATION:
      return make_list(
          {K("SELECT name FROM sys.fn_helpcollations() WHERE [name] NOT LIKE 'SQL%';")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COLUMN_DEFAULT:
      // The marker of the empty-string default, spelled as the builder reads it.
      return make_list({K("EMPYT STRING"), K("NULL")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COLUMN_NAME:
      return make_list(
          {K("SELECT name FROM sys.columns WHERE OBJECT_SCHEMA_NAME(object_id) = N'%s' "
             "AND OBJECT_NAME(object_id) = N'%s' ORDER BY column_id ASC;")},
          length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COLUMN_TYPE:
      return make_list({T(N_("##Numeric")),
                        K("BIT"),
                        K("TINYINT"),
                        K("SMALLINT"),
                        K("INT"),
                        K("BIGINT"),
                        K("SMALLMONEY"),
                        K("MONEY"),
                        K("DECIMAL"),
                        K("FLOAT"),
                        K("REAL"),
                        K("DOUBLE"),
                        T(N_("##String")),
                        K("CHAR"),
                        K("VARCHAR"),
                        K("VARCHAR(max)"),
                        K("TEXT"),
                        K("NCHAR"),
                        K("NVARCHAR"),
                        K("NVARCHAR(max)"),
                        K("NTEXT"),
                        T(N_("##Date time")),
                        K("DATE"),
                        K("TIME"),
                        K("SMALLDATETIME"),
                        K("DATETIME"),
                        K("DATETIME2"),
                        K("DATETIMEOFFSET"),
                        T(N_("##Binary")),
                        K("BINARY"),
                        K("IMAGE"),
                        K("VARBINARY"),
                        K("VARBINARY(max)"),
                        T(N_("##Spatial")),
                        K("GEOMETRY"),
                        K("GEOGRAPHY"),
                        T(N_("##Special")),
                        K("NATIONAL"),
                        K("PRECISION"),
                        K("SQL_VARIANT"),
                        K("XML"),
                        K("UNIQUEIDENTIFIER"),
                        T(N_("##Additional")),
                        K("(USER-DEFINED)"),
                        K("(COMPUTED)")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COMPRESSION_DATA:
      return make_list({K("NONE"), K("ROW"), K("PAGE"), K("COLUMNSTORE"), K("COLUMNSTORE_ARCHIVE")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COMPRESSION_XML:
      return make_list({K("ON"), K("OFF")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_CREDENTIAL:
      return make_list({K("SELECT name FROM sys.credentials ORDER BY name ASC")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_DATA_TYPE:
      return make_list(
          {K("SELECT name FROM sys.types WHERE SCHEMA_NAME(schema_id) = N'%s' ORDER BY "
             "name ASC;")},
          length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_DATABASE_STATE:
      return make_list({T(N_("Online")), T(N_("Emergency")), T(N_("Offline"))}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_DATABASE_FILE_TYPE:
      return make_list({K("ROWS"), K("LOG"), K("FILESTREAM"), K("FULLTEXT")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_DATASET_STATEMENT:
      return make_list({K("SELECT")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ENDPOINT:
      return make_list({K("SELECT name FROM sys.endpoints")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_EXPLORABLE:
      return make_list({K("database"),
                        K("schema"),
                        K("table"),
                        K("view"),
                        K("index"),
                        K("trigger"),
                        K("routine"),
                        K("function"),
                        K("procedure"),
                        K("user_database"),
                        K("user_server"),
                        K("role_database"),
                        K("role_server"),
                        K("role_application"),
                        K("check"),
                        K("type"),
                        K("sequence"),
                        K("synonym"),
                        K("server"),
                        K("device"),
                        K("endpoint"),
                        K("event"),
                        K("assembly"),
                        K("statistics"),
                        K("partition_function"),
                        K("partition_scheme"),
                        K("queue"),
                        K("broker"),
                        K("certificate"),
                        K("asymmetric_key"),
                        K("symmetric_key")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_FOREIGNKEY_ACTION:
      return make_list({K("NO ACTION"), K("CASCADE"), K("SET NULL"), K("SET DEFAULT")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_INDEX_TYPE:
      return make_list({K("XML"), K("SPATIAL"), K("COLUMNSTORE"), K("HASH")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_USER_LANGUAGE:
      return make_list({K("SELECT name FROM sys.syslanguages ORDER BY name ASC")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_LOCK_ESCALATION:
      return make_list({K("AUTO"), K("TABLE"), K("DISABLE")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_LOGIN_ASYMMETRIC_KEY:
      return make_list({K("SELECT name FROM master.sys.asymmetric_keys ORDER BY name")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_LOGIN_CERTIFICATE:
      // The doubled percent signs become single ones when the caller formats it.
      return make_list({K("SELECT name FROM master.sys.certificates WHERE name NOT LIKE '##%%##' "
                          "ORDER BY name;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_LOGIN_NAME:
      return make_list({K("SELECT name FROM sys.server_principals WHERE type IN "
                          "('S','U','G','C','K') ORDER BY name ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ORDER_NORMAL:
      return make_list({K("ASC"), K("DESC")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_PERMISSION:
      return make_list({K("SELECT permission_name FROM sys.fn_builtin_permissions(DEFAULT) WHERE "
                          "CLASS_DESC = N'%s' ORDER BY permission_name ASC")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_RECOVERY:
      return make_list({K("FULL"), K("BULK_LOGGED"), K("SIMPLE")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROLE_APPLICATION:
      return make_list(
          {K("SELECT name FROM sys.database_principals WHERE type ='A' ORDER BY name ASC")},
          length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROLE_DATABASE:
      return make_list(
          {K("SELECT name FROM sys.database_principals WHERE type ='R' ORDER BY name ASC")},
          length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROLE_OWNER:
      return make_list({K("SELECT name FROM sys.database_principals WHERE type IN "
                          "('S','U','G','C','K','R') ORDER BY name ASC;"),
                        K("SELECT name FROM sys.server_principals WHERE type IN "
                          "('S','U','G','C','K') ORDER BY name ASC"),
                        K("SELECT name FROM sys.server_principals WHERE type = 'R'")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROLE_SERVER:
      return make_list(
          {K("SELECT name FROM sys.server_principals WHERE type ='R' ORDER BY name ASC;")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROUTINE_DIRECTION:
      return make_list({K("OUT"), K("OUTPUT"), K("READONLY")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROUTINE_FUNCTION:
      return make_list({K("SELECT name FROM sys.all_objects WHERE type IN "
                          "('AF','FN','FS','FT','IF','TF','P','PC','X','RF') AND "
                          "SCHEMA_NAME(schema_id)=N'%s';")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_ROUTINE_TYPE:
      return make_list({K("FUNCTION"), K("PROCEDURE")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_SYNC_TRANSFER:
      return make_list(
          {K("AUTOINC"),         K("CHARSET"),       K("CHECK"),       K("ENGINE"),
           K("FOREIGN"),         K("INDEX"),         K("OPTION"),      K("PARTITION"),
           K("PRIMARY"),         K("TRIGGER"),       K("UNIQUE"),      K("BLOB"),
           K("INSERT"),          K("LOCK_TARGET"),   K("TRANSACTION"), K("CONTINUE"),
           K("CREATE_DATABASE"), K("CREATE_SCHEMA"), K("DEFINER"),     K("DROP_OBJECT"),
           K("LOCK_SOURCE")},
          length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_SYNC_STRUCTURE:
      return make_list(
          {K("AUTOINC"), K("CHARSET"), K("CHECK"), K("ENGINE"), K("FOREIGN"), K("INDEX"),
           K("OPTION"), K("PARTITION"), K("PRIMARY"), K("TRIGGER"), K("UNIQUE"), K("DEFINER"),
           K("EVENT"), K("FUNCTION"), K("IDENTIFIER"), K("VIEW")},
          length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_SYNC_DATA:
      return make_list({K("DELETE"), K("INSERT"), K("UPDATE")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_SERVERS:
      return make_list({K("SELECT name FROM sys.servers ORDER BY name ASC;")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_COMMIT:
      return make_list({K("PRESERVE ROWS"), K("DELETE ROWS"), K("DROP")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_NAME:
      return make_list({K("SELECT name FROM sys.tables WHERE type = 'U' and "
                          "SCHEMA_NAME(schema_id) = N'%s' ORDER BY name ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_NAMESPACE:
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_SCHEMA:
      return make_list({K("SELECT name FROM sys.schemas ORDER BY name ASC;")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_OWNER:
      return make_list({K("SELECT name FROM sys.database_principals ORDER BY name ASC;"),
                        K("SELECT name FROM sys.server_principals ORDER BY name ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_PARTITION:
      return make_list({K("SELECT dds.destination_id AS partition_id FROM sys.partition_schemes ps "
                          "LEFT JOIN sys.destination_data_spaces dds ON "
                          "dds.partition_scheme_id=ps.data_space_id WHERE ps.name =N'%s' ORDER BY "
                          "partition_id ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TABLE_TABLESPACE:
      return make_list({K("SELECT name FROM sys.data_spaces;"),
                        K("SELECT name FROM sys.data_spaces WHERE type=N'%s';")},
                       length);
    // Routine bodies start with a T-SQL comment line.
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TEMPLATE_FUNCTION:
      return make_list({K("  -- Routine body\n  \n  RETURN %s;")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TEMPLATE_PROCEDURE:
      return make_list({K("  -- Routine body\n  ")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TRIGGER_DEFINITION_TYPE:
      return make_list({K("SQL"), K("EXTERNAL")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TRIGGER_EXECUTOR:
      return make_list({K("CALLER"), K("SELF"), K("OWNER"), K("USER")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TRIGGER_FIRE_TIME:
      return make_list({K("FOR"), K("AFTER"), K("INSTEAD OF")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TRIGGER_TEMPLATE:
      return make_list({K("BEGIN\n  -- Type the SQL Here.\nEND")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TRIGGER_TYPE:
      return make_list({K("TABLE"), K("VIEW")}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TYPE_STANDARD:
      return make_list({K("SELECT name FROM sys.types WHERE SCHEMA_NAME(schema_id) = N'%s' AND "
                          "is_user_defined = 0 ORDER BY name ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_TYPE_USER_DEFINED:
      return make_list({K("SELECT name FROM sys.types WHERE SCHEMA_NAME(schema_id) = N'%s' AND "
                          "is_user_defined = 1 ORDER BY name ASC;")},
                       length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_VERIFY_TYPE:
      return make_list({T(N_("None")), T(N_("Torn page detection")), T(N_("Checksum"))}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_VERSION_METHOD:
      return make_list({T(N_("Row")), T(N_("Transaction id")), T(N_("Sequence number"))}, length);
    case TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_VERSION_POSITION:
      return make_list({K("START"), K("END")}, length);
    default:
      return make_list({}, length);
  }
}

}  // namespace

// ---------------------------------------------------------------------------

static gchar** sql_server_inspector_support(TarvexBrevaneContractsDatabaseIInspectable*,
                                            TarvexBrevaneContractsDatabaseDbMetaType kind,
                                            gint* length) {
  return support_of(kind, length);
}

static gchar* sql_server_inspector_get_type_default(TarvexBrevaneContractsDatabaseIInspectable*,
                                                    const gchar* native_type) {
  g_return_val_if_fail(native_type != NULL, nullptr);
  return g_strdup(type_default_of(native_type));
}

static TarvexProvidersContractsDataType sql_server_inspector_get_data_type(
    TarvexBrevaneContractsDatabaseIInspectable*, const gchar* native_type, gint) {
  g_return_val_if_fail(native_type != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN);
  return data_type_of(native_type);
}

static gchar* sql_server_inspector_get_sql_type(TarvexBrevaneContractsDatabaseIInspectable*,
                                                TarvexProvidersContractsDataType type) {
  return g_strdup(sql_type_of(type));
}

static void sql_server_inspector_iinspectable_init(
    TarvexBrevaneContractsDatabaseIInspectableIface* iface) {
  iface->support = sql_server_inspector_support;
  iface->get_type_default = sql_server_inspector_get_type_default;
  iface->get_data_type = sql_server_inspector_get_data_type;
  iface->get_sql_type = sql_server_inspector_get_sql_type;
}

static void tarvex_brevane_supports_database_sql_server_inspector_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerInspectorClass*) {}

TarvexBrevaneSupportsDatabaseSQLServerInspector*
tarvex_brevane_supports_database_sql_server_inspector_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn) {
  g_return_val_if_fail(conn != NULL, nullptr);
  auto* self = static_cast<TarvexBrevaneSupportsDatabaseSQLServerInspector*>(
      g_object_new(object_type, NULL));
  tarvex_brevane_supports_database_sql_server_inspector_get_private(self)->connection = conn;
  return self;
}

TarvexBrevaneSupportsDatabaseSQLServerInspector*
tarvex_brevane_supports_database_sql_server_inspector_new(
    TarvexBrevaneContractsDatabaseIConnection* conn) {
  return tarvex_brevane_supports_database_sql_server_inspector_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_INSPECTOR, conn);
}
