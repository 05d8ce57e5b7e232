// Texts of the statement base: defaults, quoting, builders, value packing
// and filter expressions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brevane/database/statement.h"
#include "tests/brevane/database/database-test.h"

using dbtest::take;
using tarvex::GRef;

namespace {

using Statement = TarvexBrevaneSupportsDatabaseStatement;

class StatementTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    connection =
        GRef<TarvexBrevaneContractsDatabaseIConnection>::adopt(dbtest::bare_connection_new());
    statement =
        GRef<Statement>::adopt(tarvex_brevane_supports_database_statement_new(connection.get()));
  }
  Statement* st() { return statement.get(); }
  TarvexBrevaneContractsDatabaseIStatement* ist() {
    return TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT(statement.get());
  }

  GRef<TarvexBrevaneContractsDatabaseIConnection> connection;
  GRef<Statement> statement;
};

GRef<TarvexProvidersContractsServer> make_server(const char* password = "p") {
  auto server =
      GRef<TarvexProvidersContractsServer>::adopt(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_driver(server.get(), "SQL Server");
  tarvex_providers_contracts_server_set_host(server.get(), "db.example");
  tarvex_providers_contracts_server_set_initial(server.get(), "Sales");
  tarvex_providers_contracts_server_set_port(server.get(), 1433);
  tarvex_providers_contracts_server_set_username(server.get(), "sa");
  tarvex_providers_contracts_server_set_password(server.get(), password);
  return server;
}

TEST_F(StatementTest, ConstructionNeedsAConnection) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_statement_new(nullptr), nullptr),
                  "connection != NULL");
  EXPECT_TRUE(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ISTATEMENT(st()));
  EXPECT_STREQ(g_type_name(G_OBJECT_TYPE(st())), "TarvexBrevaneSupportsDatabaseStatement");
}

TEST_F(StatementTest, ConnectionStringIsOdbcStyle) {
  auto server = make_server();
  EXPECT_EQ(
      take(tarvex_brevane_supports_database_statement_build_connection_string(st(), server.get())),
      "DRIVER={SQL Server};SERVER=db.example;DATABASE=Sales;PORT=1433;UID=sa;PWD=p;");
  // A separator inside a value cannot add an attribute.
  auto tricky = make_server("a;Trusted_Connection=yes");
  EXPECT_EQ(
      take(tarvex_brevane_supports_database_statement_build_connection_string(st(), tricky.get())),
      "DRIVER={SQL Server};SERVER=db.example;DATABASE=Sales;PORT=1433;UID=sa;"
      "PWD={a;Trusted_Connection=yes};");
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_connection_string(
                                st(), nullptr)),
                            "(null)"),
                  "server != NULL");
}

TEST_F(StatementTest, ListingsAreEmptyAndSetTheirCodeToZero) {
  gint code = 7;
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_databases(st(), &code)), "");
  EXPECT_EQ(code, 0);
  code = 7;
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_tables(st(), "db", "dbo", &code)),
            "");
  EXPECT_EQ(code, 0);
  code = 7;
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_table_spaces(st(), "db", &code)),
            "");
  EXPECT_EQ(code, 0);
  gint a = 5, b = 6;
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_privileges(st(), &a, &b)), "");
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  // The out integer may be left out.
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_views(st(), "db", "dbo", nullptr)),
            "");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_content(st(), "db", "dbo", "t",
                                                                         "*", "", "", 0, 10)),
            "");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_rename_object(
                st(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "db", "dbo", "a", "b")),
            "");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_flush_privileges(st())), "");
}

TEST_F(StatementTest, NullArgumentsAreNamed) {
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_tables(
                                st(), nullptr, "dbo", nullptr)),
                            "(null)"),
                  "database != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_show_tables(
                                st(), "db", nullptr, nullptr)),
                            "(null)"),
                  "user_schema != NULL");
  // The role forms name their first name argument as the user forms do.
  EXPECT_CRITICAL(tarvex_brevane_supports_database_statement_grant_role_rights(st(), "db", "dbo",
                                                                               nullptr, "o", "r"),
                  "username != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_statement_pack_value(
                      st(), TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_statement_quote_identifier(st(), "t", nullptr),
                  "schema != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_statement_parse_expression(st(), 0, nullptr),
                  "expression != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_statement_build_explain(st(), "x", nullptr),
                  "format != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_statement_commit(nullptr, "x"), nullptr),
      "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_istatement_commit(nullptr, "x"), nullptr),
      "self != NULL");
}

TEST_F(StatementTest, FixedTexts) {
  EXPECT_EQ(
      take(tarvex_brevane_supports_database_statement_build_explain(st(), "SELECT 1", "json")),
      "EXPLAIN SELECT 1;");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_analyze(st(), "SELECT 1", "")),
            "ANALYZE SELECT 1;");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_transaction(st(), "anything")),
            "START TRANSACTION;");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_rollback(st(), "")), "ROLLBACK;");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_commit(st(), "")), "COMMIT;");
  // Through the contract the same class operations answer.
  EXPECT_EQ(take(tarvex_brevane_contracts_database_istatement_transaction(ist(), "x")),
            "START TRANSACTION;");
}

struct PackCase {
  TarvexProvidersContractsDataType type;
  const char* value;
  const char* expected;
};

TEST_F(StatementTest, PackValueByDataType) {
  const PackCase cases[] = {
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "42", "42"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, "true", "true"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, "12.5", "12.5"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ENUM, "red", "red"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_SET, "a,b", "a,b"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE, "1e10", "1e10"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB, "0A0B", "X'0A0B'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, "it's", "X'it''s'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "3.14", "'3.14'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR, "c", "'c'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLAGS, "x", "'x'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "'", "''''"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "Zürich", "'Zürich'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, "2024-01-05 09:30:07",
       "'2024-01-05 09:30:07'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, "", "''"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(take(tarvex_brevane_supports_database_statement_pack_value(st(), c.type, c.value)),
              c.expected)
        << c.type << " " << c.value;
}

TEST_F(StatementTest, QuoteIdentifierInDoubleQuotes) {
  struct Case {
    const char *identifier, *schema, *expected;
  } cases[] = {
      {"", "", "\"\""},
      {"t", "", "\"t\""},
      {"", "s", "\"s\".\"\""},
      {"t", "s", "\"s\".\"t\""},
      {"a\"b", "s\"", "\"s\"\"\".\"a\"\"b\""},
      {"名前", "Zürich", "\"Zürich\".\"名前\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(take(tarvex_brevane_supports_database_statement_quote_identifier(st(), c.identifier,
                                                                               c.schema)),
              c.expected);
}

// Column names are quoted like the table: the generic dialect's double
// quotes here.
TEST_F(StatementTest, InsertUpdateDelete) {
  gchar* columns[] = {(gchar*)"a", (gchar*)"b", nullptr};
  gchar* values[] = {(gchar*)"1", (gchar*)"'x'", nullptr};
  gchar* keys[] = {(gchar*)"id", (gchar*)"k", nullptr};
  gchar* key_values[] = {(gchar*)"7", (gchar*)"'z'", nullptr};
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_insert(
                st(), "s", "t", columns, 2, values, 2)),
            "INSERT INTO \"s\".\"t\"(\"a\", \"b\") VALUES(1, 'x');");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_update(
                st(), "", "t", columns, 1, values, 1, keys, 1, key_values, 1)),
            "UPDATE \"t\" SET \"a\"=1 WHERE \"id\"=7;");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_update(
                st(), "s", "t", columns, 2, values, 2, keys, 2, key_values, 2)),
            "UPDATE \"s\".\"t\" SET \"a\"=1, \"b\"='x' WHERE \"id\"=7 AND \"k\"='z';");
  EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_delete(st(), "s", "t", keys,
                                                                             2, key_values, 2)),
            "DELETE FROM \"s\".\"t\" WHERE \"id\"=7 AND \"k\"='z';");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_istatement_build_sql_delete(ist(), "", "t", keys,
                                                                               1, key_values, 1)),
            "DELETE FROM \"t\" WHERE \"id\"=7;");
}

TEST_F(StatementTest, UpdateAndDeleteWithoutKeysAreRefused) {
  gchar* columns[] = {(gchar*)"a", nullptr};
  gchar* values[] = {(gchar*)"1", nullptr};
  gchar* keys[] = {(gchar*)"id", (gchar*)"k", nullptr};
  gchar* key_values[] = {(gchar*)"7", nullptr};
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_update(
                                st(), "s", "t", columns, 1, values, 1, nullptr, 0, nullptr, 0)),
                            "(null)"),
                  "would change every row");
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_delete(
                                st(), "s", "t", nullptr, 0, nullptr, 0)),
                            "(null)"),
                  "would delete every row");
  // Arrays of unequal length are refused instead of read past their end.
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_update(
                                st(), "s", "t", columns, 1, values, 0, keys, 1, key_values, 1)),
                            "(null)"),
                  "differ in number");
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_update(
                                st(), "s", "t", columns, 1, values, 1, keys, 2, key_values, 1)),
                            "(null)"),
                  "differ in number");
  EXPECT_CRITICAL(EXPECT_EQ(take(tarvex_brevane_supports_database_statement_build_sql_delete(
                                st(), "s", "t", keys, 2, key_values, 1)),
                            "(null)"),
                  "differ in number");
}

TEST_F(StatementTest, ViewTextUsesBackticks) {
  EXPECT_EQ(
      take(tarvex_brevane_supports_database_statement_build_sql_view(st(), "", "v", "SELECT 1")),
      "CREATE VIEW `v` AS SELECT 1");
  EXPECT_EQ(
      take(tarvex_brevane_supports_database_statement_build_sql_view(st(), "s", "v`x", "SELECT 1")),
      "CREATE VIEW `s`.`v``x` AS SELECT 1");
}

struct ExpressionCase {
  const char* expression;
  const char* expected;
};

TEST_F(StatementTest, FilterExpressions) {
  const ExpressionCase cases[] = {
      {"name<;>NULL<;>", "\"name\" IS NULL"},
      {"name<;>!NULL<;>", "\"name\" IS NOT NULL"},
      {"name<;>EMPTY<;>", "\"name\" = ''"},
      {"name<;>!EMPTY<;>", "\"name\" <> ''"},
      {"name<;>CONTAINS<;>ab", "\"name\" LIKE '%ab%'"},
      {"name<;>!CONTAINS<;>ab", "\"name\" NOT LIKE '%ab%'"},
      {"name<;>PREFIX<;>ab", "\"name\" LIKE 'ab%'"},
      {"name<;>!PREFIX<;>ab", "\"name\" NOT LIKE 'ab%'"},
      {"name<;>SUFFIX<;>ab", "\"name\" LIKE '%ab'"},
      {"name<;>!SUFFIX<;>ab", "\"name\" NOT LIKE '%ab'"},
      {"name<;>REGEXP<;>^a", "\"name\" REGEXP '^a'"},
      {"name<;>!REGEXP<;>^a", "\"name\" NOT REGEXP '^a'"},
      {"n<;>BETWEEN<;>1,5", "\"n\" BETWEEN '1' AND '5'"},
      {"n<;>!BETWEEN<;>1, 5", "\"n\" NOT BETWEEN '1' AND ' 5'"},
      {"s.t.c<;>IN<;>a,b", "\"s\".\"t\".\"c\" IN ('a', 'b')"},
      {"c<;>!IN<;>a", "\"c\" NOT IN ('a')"},
      {"c<;>CUSTOMIZE<;>a = 1 OR b = 'x'", "a = 1 OR b = 'x'"},
      {"c<;>>=<;>5", "\"c\" >= '5'"},
      // Quotes inside values and names stay inside their literal.
      {"c<;>=<;>O'Brien", "\"c\" = 'O''Brien'"},
      {"c<;>CONTAINS<;>x'; DROP TABLE t; --", "\"c\" LIKE '%x''; DROP TABLE t; --%'"},
      {"c<;>IN<;>a'b,c", "\"c\" IN ('a''b', 'c')"},
      {"a\"b<;>NULL<;>", "\"a\"\"b\" IS NULL"},
      // Missing fields read as empty.
      {"c<;>BETWEEN<;>1", "\"c\" BETWEEN '1' AND ''"},
      {"c", "\"c\"  ''"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(
        take(tarvex_brevane_supports_database_statement_parse_expression(st(), 0, c.expression)),
        c.expected)
        << c.expression;
}

// ---------------------------------------------------------------------------
// An implementation without slots answers nothing, not the empty text.
typedef struct {
  GObject parent_instance;
} DbTestEmptyStatement;
typedef struct {
  GObjectClass parent_class;
} DbTestEmptyStatementClass;
static void db_test_empty_statement_iface_init(TarvexBrevaneContractsDatabaseIStatementIface*) {}
G_DEFINE_TYPE_WITH_CODE(DbTestEmptyStatement, db_test_empty_statement, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ISTATEMENT,
                                              db_test_empty_statement_iface_init))
static void db_test_empty_statement_class_init(DbTestEmptyStatementClass*) {}
static void db_test_empty_statement_init(DbTestEmptyStatement*) {}

TEST_F(StatementTest, EmptySlotsYieldNull) {
  auto empty =
      GRef<GObject>::adopt(G_OBJECT(g_object_new(db_test_empty_statement_get_type(), nullptr)));
  auto* s = TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT(empty.get());
  EXPECT_EQ(take(tarvex_brevane_contracts_database_istatement_show_databases(s, nullptr)),
            "(null)");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_istatement_transaction(s, "x")), "(null)");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_istatement_parse_expression(s, 0, "a<;>NULL")),
            "(null)");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_istatement_flush_privileges(s)), "(null)");
}

}  // namespace
