// SQLServerExplorer and its variant for servers of version 10 and lower,
// against the scripted TDS server.
#include <string>
#include <vector>

#include "brevane/foundation/sql_error.h"
#include "tests/brevane/database/sqlserver/dialect-test.h"

namespace tarvex::test::dialect {
namespace {

using Explorer = TarvexBrevaneContractsDatabaseIExplorable;

#define KIND(x) TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_##x

struct ListCase {
  TarvexProvidersContractsDBObject kind;
  const char* extra;
  std::vector<const char*> labels;
  std::vector<const char*> fragments;  // found in the query sent
};

const std::vector<const char*> kRoutineLabels = {"Name",         "Type",       "Type detail",
                                                 "Schema bound", "Recompile",  "Encrypted",
                                                 "Built-in",     "Execute as", "Comment"};

// The lists of the current explorer, on a server of version 16.
const std::vector<ListCase> kCurrentLists = {
    {KIND(TABLE),
     "",
     {"Name", "Rows", "Lock", "Temp table", "External", "Create time", "Update time", "Comment"},
     {"FROM sys.all_objects o", "s.name =N'sch'", "REPLACE(t.temporal_type_desc,'_',' ')",
      "t.is_external"}},
    {KIND(VIEW),
     "",
     {"Name", "System view", "Replicated", "Encrypted", "Schema bound", "View metadata",
      "Check option", "Comment"},
     {"FROM sys.all_views av", "SCHEMA_ID(N'sch')"}},
    {KIND(ROUTINE),
     "",
     kRoutineLabels,
     {"THEN 'FUNCTION' ELSE 'PROCEDURE' END AS type",
      "('AF','FN','FS','FT','IF','TF','P','PC','X','RF')", "SCHEMA_NAME(ao.schema_id)=N'sch';"}},
    {KIND(FUNCTION),
     "",
     kRoutineLabels,
     {"'FUNCTION' AS type", "('AF','FN','FS','FT','IF','TF','RF')"}},
    {KIND(PROCEDURE), "", kRoutineLabels, {"'PROCEDURE' AS type", "('P','PC', 'X')"}},
    {KIND(INDEX),
     "",
     {"Name", "Type", "Unique", "Fill factor", "Disabled", "Row lock", "Page lock", "Filter",
      "XML type", "Spatial type", "Comment"},
     {"FROM sys.indexes i", "OBJECT_SCHEMA_NAME(i.object_id)=N'sch'"}},
    {KIND(ROLE),
     "",
     {"Name", "Type", "Fixed", "Create date", "Comment"},
     {"FROM sys.server_principals p", "p.type ='R'"}},
    {KIND(ROLE),
     "server",
     {"Name", "Type", "Fixed", "Create date", "Comment"},
     {"FROM sys.server_principals p"}},
    {KIND(ROLE),
     "anything",
     {"Name", "Type", "Fixed", "Create date", "Comment"},
     {"FROM sys.server_principals p"}},
    {KIND(ROLE),
     "database",
     {"Name", "Type", "Fixed", "Owner", "Create date", "Comment"},
     {"FROM sys.database_principals dp", "dp.type='R'"}},
    {KIND(ROLE),
     "application",
     {"Name", "Type", "Default schema", "Fixed", "Create date", "Comment"},
     {"FROM sys.database_principals dp", "dp.type='A'"}},
    {KIND(USER),
     "server",
     {"Name", "Type", "Database", "Language", "Status", "Locked", "Must change", "Expired",
      "Create date", "Comment"},
     {"FROM sys.server_principals p", "ORDER BY p.principal_id DESC"}},
    {KIND(USER),
     "database",
     {"Name", "Type", "Default schema", "Login name", "Create date", "Comment"},
     {"FROM sys.database_principals dp", "log.name AS login"}},
    {KIND(USER),
     "",
     {"Name", "Type", "Default schema", "Login name", "Create date", "Comment"},
     {"FROM sys.database_principals dp"}},
    {KIND(TABLESPACE), "", {"Name", "Type", "Default", "System"}, {"FROM sys.data_spaces"}},
    {KIND(EVENT),
     "",
     {"Name", "Fire type", "Event type", "Group type"},
     {"FROM sys.events", "OBJECT_SCHEMA_NAME(object_id)=N'sch'"}},
    {KIND(TRIGGER),
     "",
     {"Name", "Object type", "Object name", "Disabled", "Instead", "Insert", "Update", "Delete",
      "Encrypted", "Create time", "Modified time", "Comment"},
     {"FROM sys.triggers t", "OBJECT_SCHEMA_NAME(t.object_id)=N'sch'"}},
    {KIND(DATABASE),
     "",
     {"Name", "Version", "Default collation", "User access", "State", "Recovery", "Full text",
      "Read only", "Distributor", "Created"},
     {"FROM SYS.DATABASES ORDER BY database_id DESC;"}},
    {KIND(SCHEMA),
     "",
     {"Name", "Owner", "Default character"},
     {"FROM INFORMATION_SCHEMA.SCHEMATA WHERE SCHEMA_NAME NOT LIKE 'db[_]%'"}},
    {KIND(ASSEMBLY),
     "",
     {"Name", "Owner", "Permission", "Visible", "User defined", "Filename", "Created", "Comment"},
     {"FROM sys.assemblies a"}},
    {KIND(DEVICE), "", {"Name", "Physical name", "Type"}, {"FROM [sys].[backup_devices]"}},
    {KIND(ENDPOINT),
     "",
     {"Name", "Owner", "Protocol", "Type", "State", "Admin"},
     {"FROM sys.endpoints"}},
    {KIND(SERVER),
     "",
     {"Name", "Product", "Provider", "Data source", "Remote login", "Data access", "Publisher",
      "Subscriber", "Collation", "System", "Modified"},
     {"FROM sys.servers s WHERE s.server_id <> 0"}},
    {KIND(STATISTICS),
     "",
     {"Name", "Hoster", "Auto create", "User create", "No recompute", "Has filter", "Filter",
      "Temporary", "Incremental"},
     {"FROM sys.stats", "is_temporary,is_incremental", "N'sch'"}},
    {KIND(SYNONYM),
     "",
     {"Name", "Target", "Type", "Created", "Comment"},
     {"FROM sys.synonyms sy", "SCHEMA_NAME(schema_id)=N'sch'"}},
    {KIND(SEQUENCE),
     "",
     {"Name", "Data type", "Precision", "Scale", "Start value", "Increment", "Current value",
      "Cycling", "Cached", "Created"},
     {"FROM sys.sequences", "N'sch'"}},
    {KIND(TYPE),
     "",
     {"Name", "Max length", "Precision", "Scale", "Collation", "Nullable", "User defined",
      "Assembly type"},
     {"FROM sys.types", "N'sch'"}},
    {KIND(PARTITION_FUNCTION),
     "",
     {"Name", "Parameter type", "Amount", "Boundary side", "System", "Create time", "Modified time",
      "Comment"},
     {"FROM sys.partition_functions pf", "t.user_type_id=pp.user_type_id"}},
    {KIND(PARTITION_SCHEME),
     "",
     {"Partition scheme", "Partition function", "Partition amount", "Default", "System", "Comment"},
     {"FROM sys.partition_schemes ps"}},
};

const std::vector<const char*> kV10RoutineLabels = {
    "Name",       "Type",       "Type detail", "Schema bound",  "Recompile",
    "Null input", "Execute as", "Create time", "Modified time", "Comment"};

// The replaced lists of the explorer for version 10 and lower.
const std::vector<ListCase> kV10Lists = {
    {KIND(TABLE),
     "",
     {"Name", "Rows", "Lock", "Create time", "Update time", "Comment"},
     {"FROM sys.all_objects o", "s.name =N'sch'"}},
    {KIND(ROUTINE),
     "",
     kV10RoutineLabels,
     {"FROM sys.all_objects ao LEFT JOIN sys.sql_modules sm", "sm.null_on_null_input"}},
    {KIND(FUNCTION), "", kV10RoutineLabels, {"'FUNCTION' AS type", "sys.sql_modules sm"}},
    {KIND(PROCEDURE), "", kV10RoutineLabels, {"'PROCEDURE' AS type", "sys.sql_modules sm"}},
    {KIND(ROLE),
     "server",
     {"Name", "Type", "Create date", "Comment"},
     {"FROM sys.server_principals p"}},
    {KIND(ROLE), "database", {"Name", "Type", "Owner", "Create date", "Comment"}, {"dp.type='R'"}},
    {KIND(ROLE),
     "application",
     {"Name", "Type", "Default schema", "Create date", "Comment"},
     {"dp.type='A'"}},
    {KIND(TABLESPACE), "", {"Name", "Type", "Default"}, {"FROM sys.data_spaces"}},
    {KIND(SERVER),
     "",
     {"Name", "Product", "Provider", "Data source", "Remote login", "Data access", "Publisher",
      "Subscriber", "Collation", "Modified"},
     {"FROM sys.servers s"}},
    {KIND(STATISTICS),
     "",
     {"Name", "Hoster", "Auto create", "User create", "No recompute", "Has filter", "Filter"},
     {"FROM sys.stats"}},
    {KIND(PARTITION_FUNCTION),
     "",
     {"Name", "Parameter type", "Amount", "Boundary side", "Create time", "Modified time",
      "Comment"},
     {"FROM sys.partition_functions pf"}},
    {KIND(PARTITION_SCHEME),
     "",
     {"Partition scheme", "Partition function", "Partition amount", "Default", "Comment"},
     {"FROM sys.partition_schemes ps"}},
    // Inherited unchanged.
    {KIND(VIEW),
     "",
     {"Name", "System view", "Replicated", "Encrypted", "Schema bound", "View metadata",
      "Check option", "Comment"},
     {"FROM sys.all_views av"}},
    {KIND(INDEX),
     "",
     {"Name", "Type", "Unique", "Fill factor", "Disabled", "Row lock", "Page lock", "Filter",
      "XML type", "Spatial type", "Comment"},
     {"FROM sys.indexes i"}},
    {KIND(USER),
     "server",
     {"Name", "Type", "Database", "Language", "Status", "Locked", "Must change", "Expired",
      "Create date", "Comment"},
     {"FROM sys.server_principals p"}},
};

class ExplorerTest : public DialectTest {
 protected:
  GRef<Explorer> explorer() {
    return adoptGRef(tarvex_brevane_contracts_database_iconnection_explorer(iconn()));
  }

  // Lists one kind: the server answers any batch with `columns` int columns
  // named c0, c1, ...
  GRef<Table> list(Explorer* explorer, TarvexProvidersContractsDBObject kind, const char* extra,
                   size_t columns, const char* schema = "sch") {
    server_.clear_rules();
    std::vector<tds::Column> spec;
    tds::Row row;
    for (size_t i = 0; i < columns; i++) {
      spec.push_back({"c" + std::to_string(i), "int", true});
      row.push_back(std::to_string(i));
    }
    server_.on_pattern(".").result(spec).row(row);
    mark();
    GError* error = nullptr;
    auto model = adoptGRef(tarvex_brevane_contracts_database_iexplorable_load_objects(
        explorer, kind, "ignored", schema, extra, &error));
    EXPECT_EQ(error, nullptr) << (error ? error->message : "");
    g_clear_error(&error);
    return model;
  }

  void check_lists(const std::vector<ListCase>& cases) {
    auto ex = explorer();
    ASSERT_TRUE(ex);
    for (const auto& c : cases) {
      SCOPED_TRACE(
          std::string(g_enum_get_value(static_cast<GEnumClass*>(g_type_class_peek(
                                           tarvex_providers_contracts_db_object_get_type())),
                                       c.kind)
                          ->value_nick) +
          " " + c.extra);
      auto model = list(ex.get(), c.kind, c.extra, c.labels.size());
      ASSERT_TRUE(model);
      auto batches = sent();
      ASSERT_EQ(batches.size(), 1u);
      // The query selects as many columns as the list has labels.
      EXPECT_EQ(select_items(batches[0]), static_cast<int>(c.labels.size())) << batches[0];
      for (const char* fragment : c.fragments)
        EXPECT_NE(batches[0].find(fragment), std::string::npos)
            << "missing " << fragment << " in " << batches[0];
      // The schema name is a Unicode literal wherever it stands.
      for (size_t at = batches[0].find("'sch'"); at != std::string::npos;
           at = batches[0].find("'sch'", at + 1))
        EXPECT_TRUE(at > 0 && batches[0][at - 1] == 'N') << batches[0];
      ASSERT_EQ(columns_of(model.get()), static_cast<int>(c.labels.size()));
      for (size_t i = 0; i < c.labels.size(); i++) {
        EXPECT_EQ(title_at(model.get(), i), c.labels[i]);
        EXPECT_EQ(name_at(model.get(), i), "c" + std::to_string(i)) << "names stay";
      }
      EXPECT_EQ(rows_of(model.get()), 1);
    }
  }
};

TEST_F(ExplorerTest, CurrentListsOnVersion16) {
  g_type_class_ref(tarvex_providers_contracts_db_object_get_type());
  open("16.0.1000.6");
  auto ex = explorer();
  ASSERT_TRUE(ex);
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(ex.get()), "TarvexBrevaneSupportsDatabaseSQLServerExplorer");
  check_lists(kCurrentLists);
}

TEST_F(ExplorerTest, Version10ListsReplaceTwelve) {
  g_type_class_ref(tarvex_providers_contracts_db_object_get_type());
  open("10.50.6000.34");
  auto ex = explorer();
  ASSERT_TRUE(ex);
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(ex.get()), "TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x");
  check_lists(kV10Lists);
}

TEST_F(ExplorerTest, UnparsableVersionGetsTheVersion10Explorer) {
  open("unknown");
  EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_EXPLORER_V10X(explorer().get()));
}

TEST_F(ExplorerTest, Versions11And12SelectNullForLaterColumns) {
  struct Case {
    const char* version;
    bool temporal;
    bool incremental;
  } cases[] = {
      {"11.0.2100.60", false, false}, {"12.0.2000.8", false, true}, {"13.0.1601.5", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    server_.clear_rules();
    open(c.version);
    auto ex = explorer();
    auto tables = list(ex.get(), KIND(TABLE), "", 8);
    ASSERT_TRUE(tables);
    std::string sql = sent().at(0);
    EXPECT_EQ(select_items(sql), 8);
    EXPECT_EQ(sql.find("temporal_type_desc") != std::string::npos, c.temporal) << sql;
    EXPECT_EQ(sql.find("NULL AS temp_desc,NULL AS is_external") != std::string::npos, !c.temporal);
    auto stats = list(ex.get(), KIND(STATISTICS), "", 9);
    ASSERT_TRUE(stats);
    sql = sent().at(0);
    EXPECT_EQ(select_items(sql), 9);
    EXPECT_EQ(sql.find("NULL AS is_incremental") == std::string::npos, c.incremental) << sql;
  }
}

TEST_F(ExplorerTest, SequencesOnlyFromVersion11) {
  struct Case {
    const char* version;
    bool listed;
  } cases[] = {
      {"10.50.6000.34", false}, {"unknown", false}, {"11.0.2100.60", true}, {"16.0.1000.6", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    server_.clear_rules();
    open(c.version);
    auto model = list(explorer().get(), KIND(SEQUENCE), "", 10);
    ASSERT_TRUE(model);
    EXPECT_EQ(sent().size(), c.listed ? 1u : 0u);
    EXPECT_EQ(columns_of(model.get()), c.listed ? 10 : 0);
  }
}

TEST_F(ExplorerTest, KindsWithoutAListGiveAnEmptyModelWithoutQuery) {
  open();
  auto ex = explorer();
  for (auto kind : {KIND(COLUMN), KIND(CHECK), KIND(UNKNOWN), KIND(WRAPPER)}) {
    auto model = list(ex.get(), kind, "", 1);
    ASSERT_TRUE(model);
    EXPECT_EQ(columns_of(model.get()), 0);
    EXPECT_EQ(rows_of(model.get()), 0);
    EXPECT_TRUE(sent().empty());
  }
}

TEST_F(ExplorerTest, ServerPrincipalsHaveNoDatabaseComments) {
  open();
  auto ex = explorer();
  for (const char* extra : {"server"}) {
    list(ex.get(), KIND(USER), extra, 10);
    EXPECT_EQ(sent().at(0).find("extended_properties"), std::string::npos) << sent().at(0);
    list(ex.get(), KIND(ROLE), extra, 5);
    EXPECT_EQ(sent().at(0).find("extended_properties"), std::string::npos) << sent().at(0);
  }
  // Database principals keep theirs.
  list(ex.get(), KIND(USER), "database", 6);
  EXPECT_NE(sent().at(0).find("ep.class =4"), std::string::npos);
}

TEST_F(ExplorerTest, FewerColumnsThanLabelsAreTitledAsFarAsTheyGo) {
  open();
  auto model = list(explorer().get(), KIND(TABLE), "", 2);
  ASSERT_TRUE(model);
  ASSERT_EQ(columns_of(model.get()), 2);
  EXPECT_EQ(title_at(model.get(), 0), "Name");
  EXPECT_EQ(title_at(model.get(), 1), "Rows");
}

TEST_F(ExplorerTest, SchemaNamesAreEscaped) {
  open();
  auto ex = explorer();
  list(ex.get(), KIND(TABLE), "", 8, "O'Brien");
  EXPECT_NE(sent().at(0).find("s.name =N'O''Brien'"), std::string::npos) << sent().at(0);
  list(ex.get(), KIND(VIEW), "", 8, "a'); DROP TABLE x; --");
  EXPECT_NE(sent().at(0).find("SCHEMA_ID(N'a''); DROP TABLE x; --')"), std::string::npos)
      << sent().at(0);
  // Non-ASCII letters pass unchanged.
  list(ex.get(), KIND(SYNONYM), "", 5, "Bücher");
  EXPECT_NE(sent().at(0).find("SCHEMA_NAME(schema_id)=N'Bücher' ORDER"), std::string::npos)
      << sent().at(0);
  // Letters outside any single-byte code page need the Unicode literal.
  list(ex.get(), KIND(TABLE), "", 8, "Λογιστική");
  EXPECT_NE(sent().at(0).find("s.name =N'Λογιστική' ORDER"), std::string::npos) << sent().at(0);
  // An ordinary name gives the plain text.
  list(ex.get(), KIND(EVENT), "", 4, "dbo");
  EXPECT_NE(sent().at(0).find("OBJECT_SCHEMA_NAME(object_id)=N'dbo' ORDER"), std::string::npos);
}

TEST_F(ExplorerTest, QueryErrorsReachTheCaller) {
  open();
  server_.clear_rules();
  server_.on_pattern("sys.all_objects").error(208, 16, "Invalid object name 'sys.all_objects'.");
  GError* error = nullptr;
  auto model = adoptGRef(tarvex_brevane_contracts_database_iexplorable_load_objects(
      explorer().get(), KIND(TABLE), "db", "dbo", "", &error));
  EXPECT_FALSE(model);
  ASSERT_NE(error, nullptr);
  EXPECT_NE(std::string(error->message).find("Invalid object name"), std::string::npos)
      << error->message;
  g_error_free(error);
}

TEST_F(ExplorerTest, EnableAndDisableLogins) {
  open();
  server_.clear_rules();
  server_.on_pattern("^ALTER LOGIN").row_count(0);
  auto ex = explorer();
  struct Case {
    TarvexProvidersContractsDBObject kind;
    const char* extra;
    const char* object;
    const char* command;
    const char* sent;  // null: nothing sent
  } cases[] = {
      {KIND(USER), "server", "bob", "enable", "ALTER LOGIN [bob] ENABLE"},
      {KIND(USER), "server", "bob", "disable", "ALTER LOGIN [bob] DISABLE"},
      {KIND(USER), "server", "CORP\\ann", "disable", "ALTER LOGIN [CORP\\ann] DISABLE"},
      {KIND(USER), "server", "x] ENABLE; DROP LOGIN [sa", "enable",
       "ALTER LOGIN [x]] ENABLE; DROP LOGIN [sa] ENABLE"},
      {KIND(USER), "database", "bob", "enable", nullptr},
      {KIND(ROLE), "server", "bob", "enable", nullptr},
      {KIND(USER), "server", "bob", "drop", nullptr},
      {KIND(USER), "server", "bob", "ENABLE", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.object);
    mark();
    GError* error = nullptr;
    tarvex_brevane_contracts_database_iexplorable_exec_command(
        ex.get(), c.kind, "db", "dbo", c.object, c.extra, c.command, &error);
    EXPECT_EQ(error, nullptr);
    g_clear_error(&error);
    auto batches = sent();
    if (c.sent) {
      ASSERT_EQ(batches.size(), 1u);
      EXPECT_EQ(batches[0], c.sent);
    } else {
      EXPECT_TRUE(batches.empty());
    }
  }
  // The server's refusal goes to the caller.
  server_.on_pattern("^ALTER LOGIN").error(15151, 16, "Cannot alter the login 'nobody'.");
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iexplorable_exec_command(ex.get(), KIND(USER), "", "", "nobody",
                                                             "server", "enable", &error);
  ASSERT_NE(error, nullptr);
  EXPECT_NE(std::string(error->message).find("Cannot alter the login"), std::string::npos);
  g_error_free(error);
}

TEST_F(ExplorerTest, BrokenPreconditions) {
  open();
  auto ex = explorer();
  mark();
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_contracts_database_iexplorable_load_objects(
                      ex.get(), KIND(TABLE), nullptr, "dbo", "", nullptr)),
                  "database != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_contracts_database_iexplorable_load_objects(
                      ex.get(), KIND(DATABASE), "db", nullptr, "", nullptr)),
                  "schema != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_contracts_database_iexplorable_load_objects(
                      ex.get(), KIND(COLUMN), "db", nullptr, "", nullptr)),
                  "schema != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_contracts_database_iexplorable_load_objects(
                      ex.get(), KIND(TABLE), "db", "dbo", nullptr, nullptr)),
                  "extra_data != NULL");
  const char* names[] = {"database != NULL", "schema != NULL", "object != NULL",
                         "extra_data != NULL", "command != NULL"};
  for (int missing = 0; missing < 5; missing++) {
    const char* args[5] = {"db", "dbo", "bob", "server", "enable"};
    args[missing] = nullptr;
    EXPECT_CRITICAL(tarvex_brevane_contracts_database_iexplorable_exec_command(
                        ex.get(), KIND(USER), args[0], args[1], args[2], args[3], args[4], nullptr),
                    names[missing]);
  }
  auto* explorer_object =
      reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerExplorer*>(ex.get());
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_supports_database_sql_server_explorer_load_logins(
                      explorer_object, nullptr, nullptr)),
                  "schema != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_supports_database_sql_server_explorer_load_tables(
                      nullptr, "dbo", nullptr)),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_supports_database_sql_server_explorer_new(nullptr)),
                  "conn != NULL");
  EXPECT_CRITICAL(
      EXPECT_FALSE(tarvex_brevane_supports_database_sql_server_explorer_v10x_new(nullptr)),
      "conn != NULL");
  EXPECT_TRUE(sent().empty());
}

TEST_F(ExplorerTest, PublicInvokersReachTheVariantsLists) {
  open("10.0.1600.22");
  auto ex = explorer();
  auto* object = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerExplorer*>(ex.get());
  server_.clear_rules();
  server_.on_pattern(".").result({{"a", "int"}, {"b", "int"}, {"c", "int"}}).row({"1", "2", "3"});
  mark();
  auto model = adoptGRef(
      tarvex_brevane_supports_database_sql_server_explorer_load_tablespaces(object, "", nullptr));
  ASSERT_TRUE(model);
  EXPECT_EQ(select_items(sent().at(0)), 3);
}

}  // namespace
}  // namespace tarvex::test::dialect
