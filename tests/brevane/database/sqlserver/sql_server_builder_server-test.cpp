// The SQL Server builder of a real SQL Server connection, logged in to the
// scripted TDS server through db-lib: the server's collation list and the
// inspector's type names for columns whose type is not SQL Server's.
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/brevane/database/sqlserver/dialect-test.h"

namespace tarvex::test {
namespace {

using dialect::DialectTest;

constexpr const char* kCollationQuery =
    "SELECT name FROM sys.fn_helpcollations() WHERE [name] NOT LIKE 'SQL%';";

class ServerBuilderTest : public DialectTest {
 protected:
  TarvexBrevaneContractsDatabaseIBuildable* builder() {
    if (!builder_)
      builder_ = adoptGRef(tarvex_brevane_contracts_database_iconnection_builder(iconn()));
    return builder_.get();
  }
  void script_collations() {
    server_.on_batch(kCollationQuery)
        .result({{"name", "nvarchar(128)"}})
        .row({"Latin1_General_CI_AS"})
        .row({"Finnish_Swedish_CI_AS"});
  }
  int collation_queries() {
    int n = 0;
    for (const auto& batch : sent()) n += batch == kCollationQuery;
    return n;
  }
  GRef<TarvexBrevaneContractsDatabaseIBuildable> builder_;
};

TEST_F(ServerBuilderTest, TheConnectionHandsOutItsBuilder) {
  auto* first = builder();
  ASSERT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_BUILDER(first));
  auto again = adoptGRef(tarvex_brevane_contracts_database_iconnection_builder(iconn()));
  EXPECT_EQ(again.get(), first);
  EXPECT_EQ(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER(first)->conn, iconn());
}

TEST_F(ServerBuilderTest, CollationsTheServerLists) {
  open();
  script_collations();
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "s", "t"));
  auto known = add_column(table.get(), "a", "NVARCHAR", 20, 0, true);
  tarvex_brevane_meta_model_meta_column_set_collation(known.get(), "Latin1_General_CI_AS");
  auto unknown = add_column(table.get(), "b", "VARCHAR", 10);
  tarvex_brevane_meta_model_meta_column_set_collation(unknown.get(), "Klingon_CI_AS");
  const std::string text =
      take(tarvex_brevane_contracts_database_ibuildable_build_table(builder(), table.get(), TRUE));
  EXPECT_EQ(text,
            "CREATE TABLE [s].[t] (\n"
            "    [a] NVARCHAR(20) COLLATE Latin1_General_CI_AS NOT NULL,\n"
            "    [b] VARCHAR(10) NULL\n"
            "  );\n");
  EXPECT_EQ(collation_queries(), 1);
  // The list is read anew for every table.
  take(tarvex_brevane_contracts_database_ibuildable_build_table(builder(), table.get(), TRUE));
  EXPECT_EQ(collation_queries(), 2);
  expect_valid_tsql(text, "collations");
}

TEST_F(ServerBuilderTest, AFailedCollationQueryLeavesCollationsOut) {
  open();
  server_.on_batch(kCollationQuery).error(229, 14, "The SELECT permission was denied.");
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "s", "t"));
  auto column = add_column(table.get(), "a", "NVARCHAR", 20, 0, true);
  tarvex_brevane_meta_model_meta_column_set_collation(column.get(), "Latin1_General_CI_AS");
  std::string text;
  EXPECT_CRITICAL(text = take(tarvex_brevane_contracts_database_ibuildable_build_table(
                      builder(), table.get(), TRUE)),
                  "uncaught error: ");
  drop_provider_logs();
  EXPECT_EQ(text, "CREATE TABLE [s].[t] (\n    [a] NVARCHAR(20) NOT NULL\n  );\n");
}

TEST_F(ServerBuilderTest, TypesOfTheModelOrOfTheInspector) {
  open();
  script_collations();
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "s", "t"));
  struct Case {
    const char* name;
    const char* raw_type;
    TarvexProvidersContractsDataType type;
    gint64 length;
  } cases[] = {
      // SQL Server's own type names stay, whatever their data type maps to.
      {"real", "REAL", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT, 4},
      {"guid", "UNIQUEIDENTIFIER", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, 16},
      {"text", "TEXT", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 16},
      {"stamp", "DATETIME2", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 8},
      {"lower", "nvarchar", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, 12},
      {"max", "VARCHAR(max)", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, -1},
      // Empty or foreign types take the inspector's name of their data type.
      {"empty", "", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, 40},
      {"double", "DOUBLE", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE, 8},
      {"oracle", "VARCHAR2", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 30},
  };
  for (const auto& c : cases) {
    auto column = add_column(table.get(), c.name, c.raw_type, c.length);
    tarvex_brevane_meta_model_meta_column_set_data_type(column.get(), c.type);
  }
  const std::string mapped =
      take(tarvex_brevane_contracts_database_ibuildable_build_table(builder(), table.get(), FALSE));
  EXPECT_EQ(mapped,
            "CREATE TABLE [s].[t] (\n"
            "    [real] REAL NULL,\n"
            "    [guid] UNIQUEIDENTIFIER NULL,\n"
            "    [text] TEXT NULL,\n"
            "    [stamp] DATETIME2 NULL,\n"
            "    [lower] nvarchar(12) NULL,\n"
            "    [max] VARCHAR(max) NULL,\n"
            "    [empty] NVARCHAR(40) NULL,\n"
            "    [double] FLOAT NULL,\n"
            "    [oracle] VARCHAR(30) NULL\n"
            "  );\n");
  // Raw keeps every type text as the model holds it.
  const std::string raw =
      take(tarvex_brevane_contracts_database_ibuildable_build_table(builder(), table.get(), TRUE));
  EXPECT_NE(raw.find("    [double] DOUBLE NULL,\n    [oracle] VARCHAR2 NULL\n"), std::string::npos)
      << raw;
  EXPECT_NE(raw.find("    [lower] nvarchar(12) NULL,\n"), std::string::npos) << raw;
  expect_valid_tsql(mapped, "mapped types");
}

}  // namespace
}  // namespace tarvex::test
