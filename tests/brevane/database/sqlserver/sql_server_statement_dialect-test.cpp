// The SQL Server statement's answers to the transform and data areas (the
// dialect hook), and the plain answers of a statement that registers none:
// names holding quotes, brackets, blanks, keywords and non-ASCII letters
// stay inside their identifier or literal, and every text parses as T-SQL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brevane/contracts/statement-dialect-private.h"
#include "brevane/database/sqlserver/sql_server_statement.h"
#include "providers/contracts/value_string.h"
#include "tests/brevane/database/database-test.h"
#include "tests/brevane/database/sqlserver/builder-test.h"

using tarvex::GRef;

namespace {

using IStatement = TarvexBrevaneContractsDatabaseIStatement;
using tarvex::contracts::statement_dialect;
using tarvex::contracts::StatementDialect;

class SqlServerStatementDialectTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    connection =
        GRef<TarvexBrevaneContractsDatabaseIConnection>::adopt(dbtest::bare_connection_new());
    statement = GRef<GObject>::adopt(
        G_OBJECT(tarvex_brevane_supports_database_sql_server_statement_new(connection.get())));
    base = GRef<GObject>::adopt(
        G_OBJECT(tarvex_brevane_supports_database_statement_new(connection.get())));
  }
  IStatement* st() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT(statement.get()); }
  IStatement* plain() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT(base.get()); }
  const StatementDialect& dialect() { return statement_dialect(st()); }

  GRef<TarvexBrevaneContractsDatabaseIConnection> connection;
  GRef<GObject> statement;
  GRef<GObject> base;
};

TEST_F(SqlServerStatementDialectTest, ACopyTakesItsTextsFromTheDialect) {
  struct Case {
    std::string schema, table;
    std::string two_part;  // the expected [schema].[table]
    std::string object;    // the expected literal naming it
  };
  const Case cases[] = {
      {"dbo", "Orders", "[dbo].[Orders]", "N'[dbo].[Orders]'"},
      {"sales", "a]b", "[sales].[a]]b]", "N'[sales].[a]]b]'"},
      {"it's", "select", "[it's].[select]", "N'[it''s].[select]'"},
      {"Zoë", "order lines 😀", "[Zoë].[order lines 😀]", "N'[Zoë].[order lines 😀]'"},
  };
  std::vector<tarvex::test::TsqlText> texts;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.schema + "." + c.table);
    const auto on = dialect().identity_insert(c.schema, c.table, true);
    const auto off = dialect().identity_insert(c.schema, c.table, false);
    ASSERT_TRUE(on && off);
    EXPECT_EQ(*on, "SET IDENTITY_INSERT " + c.two_part + " ON;");
    EXPECT_EQ(*off, "SET IDENTITY_INSERT " + c.two_part + " OFF;");
    EXPECT_EQ(dialect().drop_view_if_exists(c.schema, c.table),
              "DROP VIEW IF EXISTS " + c.two_part + ";");
    EXPECT_EQ(dialect().drop_table_if_exists(c.schema, c.table),
              "DROP TABLE IF EXISTS " + c.two_part + ";");
    EXPECT_EQ(dialect().switch_triggers(c.schema, c.table, false),
              "DISABLE TRIGGER ALL ON " + c.two_part + ";");
    EXPECT_EQ(dialect().switch_triggers(c.schema, c.table, true),
              "ENABLE TRIGGER ALL ON " + c.two_part + ";");
    const auto columns = dialect().columns_query(c.schema, c.table);
    ASSERT_TRUE(columns);
    EXPECT_NE(columns->find("OBJECT_ID(" + c.object + ")"), std::string::npos) << *columns;
    for (const std::string& text : {*on, *off, *columns})
      texts.push_back({c.schema + "." + c.table, text});
  }
  tarvex::test::expect_valid_tsql(texts);
}

TEST_F(SqlServerStatementDialectTest, OnlyACreateSchemaBatchIsKeptFromAnExistingSchema) {
  struct Case {
    std::string schema, batch, expected;
  };
  const Case cases[] = {
      {"sales", "CREATE SCHEMA [sales];",
       "IF SCHEMA_ID(N'sales') IS NULL EXEC(N'CREATE SCHEMA [sales];');"},
      {"it's", "\n  create schema [it's] AUTHORIZATION [dbo]  \n",
       "IF SCHEMA_ID(N'it''s') IS NULL EXEC(N'create schema [it''s] AUTHORIZATION [dbo]');"},
      {"Zoë", "CREATE SCHEMA [Zoë]", "IF SCHEMA_ID(N'Zoë') IS NULL EXEC(N'CREATE SCHEMA [Zoë]');"},
      // Anything else stays as it is, blanks and all.
      {"sales", "  CREATE TABLE [sales].[t] ([id] int);\n",
       "  CREATE TABLE [sales].[t] ([id] int);\n"},
      {"sales", "CREATE SCHEM", "CREATE SCHEM"},
      {"sales", "", ""},
  };
  std::vector<tarvex::test::TsqlText> texts;
  for (const Case& c : cases) {
    const std::string out = dialect().keep_existing_schema(c.schema, c.batch);
    EXPECT_EQ(out, c.expected) << c.batch;
    if (out != c.batch) texts.push_back({c.batch, out});
  }
  tarvex::test::expect_valid_tsql(texts);
}

TEST_F(SqlServerStatementDialectTest, RoundedTypesAreReadAsTheServersOwnText) {
  struct Case {
    const char* type;
    std::string expected;
  };
  const Case cases[] = {
      {"decimal", "CONVERT(NVARCHAR(64), [a]]b]) AS [a]]b]"},
      {"NUMERIC", "CONVERT(NVARCHAR(64), [a]]b]) AS [a]]b]"},
      {"time", "CONVERT(NVARCHAR(64), [a]]b]) AS [a]]b]"},
      {"datetimeoffset", "CONVERT(NVARCHAR(64), [a]]b]) AS [a]]b]"},
      {"money", "CONVERT(NVARCHAR(64), [a]]b], 2) AS [a]]b]"},
      {"SmallMoney", "CONVERT(NVARCHAR(64), [a]]b], 2) AS [a]]b]"},
      {"datetime", "CONVERT(NVARCHAR(64), [a]]b], 126) AS [a]]b]"},
      {"smalldatetime", "CONVERT(NVARCHAR(64), [a]]b], 126) AS [a]]b]"},
      {"DATETIME2", "CONVERT(NVARCHAR(64), [a]]b], 126) AS [a]]b]"},
      {"int", "[a]]b]"},
      {"nvarchar", "[a]]b]"},
      {"date", "[a]]b]"},
      {"", "[a]]b]"},
  };
  std::vector<tarvex::test::TsqlText> texts;
  for (const Case& c : cases) {
    const std::string item = dialect().lossless_select_item(st(), "a]b", c.type);
    EXPECT_EQ(item, c.expected) << c.type;
    texts.push_back({c.type, "SELECT " + item + " FROM [t];"});
  }
  tarvex::test::expect_valid_tsql(texts);
}

TEST_F(SqlServerStatementDialectTest, LargeAndVariantTypesOrderNothing) {
  for (const char* type : {"text", "NTEXT", "image", "xml", "Geometry", "GEOGRAPHY", "sql_variant"})
    EXPECT_FALSE(dialect().is_orderable(type)) << type;
  for (const char* type : {"int", "nvarchar", "varbinary", "uniqueidentifier", "", "texts"})
    EXPECT_TRUE(dialect().is_orderable(type)) << type;
  EXPECT_EQ(dialect().order_by(st(), {}), "");
  EXPECT_EQ(dialect().order_by(st(), {"id"}), "[id]");
  EXPECT_EQ(dialect().order_by(st(), {"a]b", "it's", "Zoë"}), "[a]]b], [it's], [Zoë]");
}

TEST_F(SqlServerStatementDialectTest, TheCatalogTellsServerWrittenAndIdentityColumns) {
  const TarvexProvidersContractsDataType types[] = {
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING};
  auto result = GRef<TarvexProvidersContractsTableModel>::adopt(
      tarvex_providers_contracts_table_model_new_with_types(types, 4));
  // name, is_identity, is_computed, system_type_id
  const std::vector<std::vector<const char*>> rows = {
      {"id", "1", "0", "56"},      {"total", "0", "1", "108"},   {"stamp", "0", "0", "189"},
      {"it's", "True", "0", "56"}, {"a]b", "false", "0", "231"}, {"Zoë", "0", "0", "188"},
  };
  for (size_t r = 0; r < rows.size(); ++r) {
    auto row = GRef<TarvexProvidersContractsRowModel>::adopt(
        tarvex_providers_contracts_table_model_new_row(result.get()));
    tarvex_providers_contracts_table_model_append(result.get(), row.get());
    for (gint c = 0; c < 4; ++c) {
      auto value = GRef<TarvexProvidersContractsValueString>::adopt(
          tarvex_providers_contracts_value_string_new(rows[r][c]));
      tarvex_providers_contracts_table_model_set_value_at(
          result.get(), c, gint(r), TARVEX_PROVIDERS_CONTRACTS_VALUE_OBJECT(value.get()));
    }
  }
  const auto facts = dialect().read_columns(result.get());
  ASSERT_EQ(facts.size(), rows.size());
  struct Expected {
    const char* name;
    bool identity, server_written;
  };
  const Expected expected[] = {{"id", true, false},    {"total", false, true},
                               {"stamp", false, true}, {"it's", true, false},
                               {"a]b", false, false},  {"Zoë", false, false}};
  for (size_t i = 0; i < facts.size(); ++i) {
    EXPECT_EQ(facts[i].name, expected[i].name);
    EXPECT_EQ(facts[i].identity, expected[i].identity) << facts[i].name;
    EXPECT_EQ(facts[i].server_written, expected[i].server_written) << facts[i].name;
  }
}

// A statement of no dialect's own (the base, or no statement at all)
// answers with the exported texts alone, and with nothing where those hold
// no equivalent.
TEST_F(SqlServerStatementDialectTest, AStatementOfNoDialectGetsThePlainAnswers) {
  auto other = GRef<GObject>::adopt(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr)));
  const StatementDialect& unknown = statement_dialect(reinterpret_cast<IStatement*>(other.get()));
  EXPECT_EQ(&statement_dialect(nullptr), &unknown);
  for (const StatementDialect* none : {&statement_dialect(plain()), &unknown}) {
    EXPECT_NE(none, &dialect());
    EXPECT_FALSE(none->identity_insert("dbo", "t", true));
    EXPECT_FALSE(none->drop_view_if_exists("dbo", "v"));
    EXPECT_FALSE(none->drop_table_if_exists("dbo", "t"));
    EXPECT_FALSE(none->switch_triggers("dbo", "t", false));
    EXPECT_FALSE(none->columns_query("dbo", "t"));
    EXPECT_TRUE(none->read_columns(nullptr).empty());
    EXPECT_EQ(none->keep_existing_schema("s", "CREATE SCHEMA [s]"), "CREATE SCHEMA [s]");
    EXPECT_TRUE(none->is_orderable("xml"));
  }
  const StatementDialect& none = statement_dialect(plain());
  // Names go through the statement's own quoting.
  EXPECT_EQ(none.lossless_select_item(plain(), "a\"b", "decimal"), "\"a\"\"b\"");
  EXPECT_EQ(none.order_by(plain(), {"a", "b\"c"}), "\"a\", \"b\"\"c\"");
  EXPECT_EQ(none.order_by(plain(), {}), "");
}

}  // namespace
