// SQLServerInspector: type maps, default literals and option lists. It never
// queries the server, so an unopened connection serves.
#include <string>
#include <vector>

#include "tests/brevane/database/sqlserver/dialect-test.h"

namespace tarvex::test::dialect {
namespace {

using Inspector = TarvexBrevaneContractsDatabaseIInspectable;

#define DT(x) TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_##x
#define MT(x) TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_##x

class InspectorTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    inspector_ = adoptGRef(
        reinterpret_cast<Inspector*>(tarvex_brevane_supports_database_sql_server_inspector_new(
            reinterpret_cast<IConnection*>(connection_.get()))));
  }
  void TearDown() override {
    inspector_ = nullptr;
    connection_ = nullptr;
    LogCaptureTest::TearDown();
  }

  std::vector<std::string> support(TarvexBrevaneContractsDatabaseDbMetaType kind,
                                   gint* length = nullptr) {
    gint count = -1;
    gchar** list =
        tarvex_brevane_contracts_database_iinspectable_support(inspector_.get(), kind, &count);
    std::vector<std::string> out;
    EXPECT_NE(list, nullptr);
    if (!list) return out;
    for (gint i = 0; i < count; i++) out.push_back(list[i] ? list[i] : "(null)");
    EXPECT_EQ(list[count], nullptr) << "the array ends with a null slot";
    g_strfreev(list);
    if (length) *length = count;
    return out;
  }

  GRef<Connection> connection_;
  GRef<Inspector> inspector_;
};

TEST_F(InspectorTest, IsTheRegisteredInspectableType) {
  EXPECT_STREQ(g_type_name(tarvex_brevane_supports_database_sql_server_inspector_get_type()),
               "TarvexBrevaneSupportsDatabaseSQLServerInspector");
  EXPECT_TRUE(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IINSPECTABLE(inspector_.get()));
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_inspector_new(nullptr), nullptr),
      "conn != NULL");
}

TEST_F(InspectorTest, NativeTypesMapToDataTypes) {
  struct Case {
    const char* native;
    TarvexProvidersContractsDataType type;
  } cases[] = {
      {"BIT", DT(BOOLEAN)},
      {"tinyint", DT(INT8)},
      {"SmallInt", DT(INT16)},
      {"INT", DT(INT32)},
      {"BIGINT", DT(INT64)},
      {"FLOAT", DT(DOUBLE)},
      {"float", DT(DOUBLE)},
      {"REAL", DT(FLOAT)},
      {"DOUBLE", DT(DOUBLE)},
      {"DECIMAL", DT(DECIMAL)},
      {"numeric", DT(DECIMAL)},
      {"SMALLMONEY", DT(MONEY)},
      {"MONEY", DT(MONEY)},
      {"DATE", DT(DATE)},
      {"TIME", DT(TIME)},
      {"SMALLDATETIME", DT(DATETIME)},
      {"datetime", DT(DATETIME)},
      {"DATETIME2", DT(DATETIME)},
      {"DATETIMEOFFSET", DT(DATETIME)},
      {"CHAR", DT(STRING)},
      {"varchar", DT(STRING)},
      {"TEXT", DT(STRING)},
      {"NCHAR", DT(WSTRING)},
      {"nvarchar", DT(WSTRING)},
      {"NVarChar", DT(WSTRING)},
      {"NTEXT", DT(WSTRING)},
      {"XML", DT(XML)},
      {"BINARY", DT(BINARY)},
      {"IMAGE", DT(BINARY)},
      {"varbinary", DT(BINARY)},
      {"GEOMETRY", DT(GEOMETRY)},
      {"GEOGRAPHY", DT(GEOGRAPHY)},
      {"UNIQUEIDENTIFIER", DT(UNKNOWN)},
      {"SQL_VARIANT", DT(UNKNOWN)},
      {"VARCHAR(10)", DT(UNKNOWN)},
      {"", DT(UNKNOWN)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.native);
    EXPECT_EQ(
        tarvex_brevane_contracts_database_iinspectable_get_data_type(inspector_.get(), c.native, 0),
        c.type);
  }
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_database_iinspectable_get_data_type(
                                inspector_.get(), nullptr, 0),
                            DT(UNKNOWN)),
                  "native_type != NULL");
}

TEST_F(InspectorTest, DataTypesMapToTsqlNames) {
  struct Case {
    TarvexProvidersContractsDataType type;
    const char* name;
  } cases[] = {
      {DT(BOOLEAN), "BIT"},
      {DT(INT8), "TINYINT"},
      {DT(UINT8), "TINYINT"},
      {DT(INT16), "SMALLINT"},
      {DT(UINT16), "SMALLINT"},
      {DT(INT32), "INT"},
      {DT(UINT32), "INT"},
      {DT(INT64), "BIGINT"},
      {DT(UINT64), "BIGINT"},
      {DT(MONEY), "MONEY"},
      {DT(DECIMAL), "DECIMAL"},
      {DT(FLOAT), "REAL"},
      {DT(DOUBLE), "FLOAT"},
      {DT(DATE), "DATE"},
      {DT(TIME), "TIME"},
      {DT(DATETIME), "DATETIME"},
      {DT(TIMESPAN), "DATETIMEOFFSET"},
      {DT(STRING), "VARCHAR"},
      {DT(WSTRING), "NVARCHAR"},
      {DT(XML), "XML"},
      {DT(UUID), "UNIQUEIDENTIFIER"},
      {DT(GEOMETRY), "GEOMETRY"},
      {DT(GEOGRAPHY), "GEOGRAPHY"},
      {DT(BINARY), "BINARY"},
      {DT(BLOB), "BINARY"},
      {DT(CHAR), "VARCHAR"},
      {DT(JSON), "VARCHAR"},
      {DT(UNKNOWN), "VARCHAR"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(
        take(tarvex_brevane_contracts_database_iinspectable_get_sql_type(inspector_.get(), c.type)),
        c.name);
  }
}

TEST_F(InspectorTest, FloatingTypesRoundTrip) {
  // FLOAT is the 8-byte type, REAL the 4-byte one: each maps back to itself.
  for (const char* name : {"FLOAT", "REAL"}) {
    auto type =
        tarvex_brevane_contracts_database_iinspectable_get_data_type(inspector_.get(), name, 0);
    EXPECT_EQ(
        take(tarvex_brevane_contracts_database_iinspectable_get_sql_type(inspector_.get(), type)),
        name);
  }
}

TEST_F(InspectorTest, DefaultLiterals) {
  struct Case {
    const char* native;
    const char* literal;
  } cases[] = {
      {"BIT", "0"},
      {"tinyint", "0"},
      {"INT", "0"},
      {"BIGINT", "0"},
      {"year", "0"},
      {"MONEY", "0.0"},
      {"decimal", "0.0"},
      {"FLOAT", "0.0"},
      {"REAL", "0.0"},
      {"DOUBLE", "0.0"},
      {"DATE", "'1900-01-01'"},
      {"TIME", "'00:00:00'"},
      {"SMALLDATETIME", "'1900-01-01 00:00:00'"},
      {"datetime2", "'1900-01-01 00:00:00'"},
      {"DATETIMEOFFSET", "'1900-01-01 00:00:00 +00:00'"},
      {"varbinary", "0x0000"},
      {"IMAGE", "0x0000"},
      {"NVARCHAR", "''"},
      {"XML", "''"},
      {"anything", "''"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.native);
    EXPECT_EQ(take(tarvex_brevane_contracts_database_iinspectable_get_type_default(inspector_.get(),
                                                                                   c.native)),
              c.literal);
  }
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_database_iinspectable_get_type_default(
                                inspector_.get(), nullptr),
                            nullptr),
                  "native_type != NULL");
}

TEST_F(InspectorTest, OptionListCounts) {
  struct Case {
    TarvexBrevaneContractsDatabaseDbMetaType kind;
    int count;
    const char* first;
  } cases[] = {
      {MT(ACCESS_TYPE), 3, "Multiple user"},
      {MT(AUTHENTICATION), 6, "Login"},
      {MT(AUTHENTICATION_LOGIN), 5, "SQL Server authentication"},
      {MT(CHARSET), 1, "SELECT name FROM sys.syscharsets WHERE type = 1001 ORDER BY name ASC;"},
      {MT(COLLATION), 1, "SELECT name FROM sys.fn_helpcollations() WHERE [name] NOT LIKE 'SQL%';"},
      {MT(COLUMN_DEFAULT), 2, "EMPYT STRING"},
      {MT(COLUMN_NAME), 1, nullptr},
      {MT(COLUMN_TYPE), 45, "##Numeric"},
      {MT(COMPRESSION_DATA), 5, "NONE"},
      {MT(COMPRESSION_XML), 2, "ON"},
      {MT(CREDENTIAL), 1, "SELECT name FROM sys.credentials ORDER BY name ASC"},
      {MT(DATA_TYPE), 1, nullptr},
      {MT(DATABASE_STATE), 3, "Online"},
      {MT(DATABASE_FILE_TYPE), 4, "ROWS"},
      {MT(DATASET_STATEMENT), 1, "SELECT"},
      {MT(ENDPOINT), 1, "SELECT name FROM sys.endpoints"},
      {MT(EXPLORABLE), 31, "database"},
      {MT(FOREIGNKEY_ACTION), 4, "NO ACTION"},
      {MT(INDEX_TYPE), 4, "XML"},
      {MT(USER_LANGUAGE), 1, "SELECT name FROM sys.syslanguages ORDER BY name ASC"},
      {MT(LOCK_ESCALATION), 3, "AUTO"},
      {MT(LOGIN_ASYMMETRIC_KEY), 1, nullptr},
      {MT(LOGIN_CERTIFICATE), 1, nullptr},
      {MT(LOGIN_NAME), 1, nullptr},
      {MT(ORDER_NORMAL), 2, "ASC"},
      {MT(PERMISSION), 1, nullptr},
      {MT(RECOVERY), 3, "FULL"},
      {MT(ROLE_APPLICATION), 1, nullptr},
      {MT(ROLE_DATABASE), 1, nullptr},
      {MT(ROLE_OWNER), 3, nullptr},
      {MT(ROLE_SERVER), 1, nullptr},
      {MT(ROUTINE_DIRECTION), 3, "OUT"},
      {MT(ROUTINE_FUNCTION), 1, nullptr},
      {MT(ROUTINE_TYPE), 2, "FUNCTION"},
      {MT(SYNC_TRANSFER), 21, "AUTOINC"},
      {MT(SYNC_STRUCTURE), 16, "AUTOINC"},
      {MT(SYNC_DATA), 3, "DELETE"},
      {MT(SERVERS), 1, "SELECT name FROM sys.servers ORDER BY name ASC;"},
      {MT(TABLE_COMMIT), 3, "PRESERVE ROWS"},
      {MT(TABLE_NAME), 1, nullptr},
      {MT(TABLE_NAMESPACE), 1, "SELECT name FROM sys.schemas ORDER BY name ASC;"},
      {MT(TABLE_SCHEMA), 1, "SELECT name FROM sys.schemas ORDER BY name ASC;"},
      {MT(TABLE_OWNER), 2, nullptr},
      {MT(TABLE_PARTITION), 1, nullptr},
      {MT(TABLE_TABLESPACE), 2, "SELECT name FROM sys.data_spaces;"},
      {MT(TEMPLATE_FUNCTION), 1, "  -- Routine body\n  \n  RETURN %s;"},
      {MT(TEMPLATE_PROCEDURE), 1, "  -- Routine body\n  "},
      {MT(TRIGGER_DEFINITION_TYPE), 2, "SQL"},
      {MT(TRIGGER_EXECUTOR), 4, "CALLER"},
      {MT(TRIGGER_FIRE_TIME), 3, "FOR"},
      {MT(TRIGGER_TEMPLATE), 1, "BEGIN\n  -- Type the SQL Here.\nEND"},
      {MT(TRIGGER_TYPE), 2, "TABLE"},
      {MT(TYPE_STANDARD), 1, nullptr},
      {MT(TYPE_USER_DEFINED), 1, nullptr},
      {MT(VERIFY_TYPE), 3, "None"},
      {MT(VERSION_METHOD), 3, "Row"},
      {MT(VERSION_POSITION), 2, "START"},
      // Kinds without an answer.
      {MT(NONE), 0, nullptr},
      {MT(COMPRESSION), 0, nullptr},
      {MT(INDEX_METHOD), 0, nullptr},
      {MT(USER), 0, nullptr},
      {MT(VIEW_CHECK_OPTION), 0, nullptr},
      {MT(YESNO_DEFAULT), 0, nullptr},
      {static_cast<TarvexBrevaneContractsDatabaseDbMetaType>(111), 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    gint length = -1;
    auto list = support(c.kind, &length);
    EXPECT_EQ(length, c.count);
    if (c.first && !list.empty()) {
      EXPECT_EQ(list[0], c.first);
    }
  }
}

TEST_F(InspectorTest, ColumnTypesHoldSevenTranslatedHeadings) {
  auto list = support(MT(COLUMN_TYPE));
  ASSERT_EQ(list.size(), 45u);
  std::vector<std::string> headings;
  for (const auto& entry : list)
    if (entry.rfind("##", 0) == 0) headings.push_back(entry);
  EXPECT_EQ(headings, (std::vector<std::string>{"##Numeric", "##String", "##Date time", "##Binary",
                                                "##Spatial", "##Special", "##Additional"}));
  EXPECT_EQ(list[10], "REAL");
  EXPECT_EQ(list[11], "DOUBLE");
  EXPECT_EQ(list[44], "(COMPUTED)");
}

TEST_F(InspectorTest, RoutineTemplatesStartWithATsqlComment) {
  for (auto kind : {MT(TEMPLATE_FUNCTION), MT(TEMPLATE_PROCEDURE)}) {
    auto list = support(kind);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].find("#"), std::string::npos) << list[0];
    EXPECT_EQ(list[0].rfind("  --", 0), 0u) << list[0];
  }
}

TEST_F(InspectorTest, QueriesCarryTheirPlaceholders) {
  EXPECT_EQ(support(MT(COLUMN_NAME))[0],
            "SELECT name FROM sys.columns WHERE OBJECT_SCHEMA_NAME(object_id) = N'%s' AND "
            "OBJECT_NAME(object_id) = N'%s' ORDER BY column_id ASC;");
  EXPECT_EQ(support(MT(LOGIN_CERTIFICATE))[0],
            "SELECT name FROM master.sys.certificates WHERE name NOT LIKE '##%%##' ORDER BY "
            "name;");
  auto owners = support(MT(ROLE_OWNER));
  EXPECT_EQ(owners[2], "SELECT name FROM sys.server_principals WHERE type = 'R'");
  EXPECT_EQ(support(MT(TABLE_TABLESPACE))[1], "SELECT name FROM sys.data_spaces WHERE type=N'%s';");
}

// The caller fills the names in; every place for one is an N'...' text, so
// that names outside the database's code page match.
TEST_F(InspectorTest, NamePlaceholdersAreUnicodeTexts) {
  int places = 0;
  for (int kind = TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_NONE;
       kind <= TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_YESNO_DEFAULT; kind++) {
    for (const std::string& entry : support(TarvexBrevaneContractsDatabaseDbMetaType(kind))) {
      for (size_t at = entry.find("'%s'"); at != std::string::npos;
           at = entry.find("'%s'", at + 1)) {
        places++;
        EXPECT_TRUE(at > 0 && entry[at - 1] == 'N') << kind << ": " << entry;
      }
    }
  }
  EXPECT_EQ(places, 10);
}

}  // namespace
}  // namespace tarvex::test::dialect
