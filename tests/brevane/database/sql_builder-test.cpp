// The SQL builder base: empty defaults, backtick quoting, value quoting and
// the ordering of a schema's tables by their foreign keys.
#include "tests/brevane/database/sqlserver/builder-test.h"

namespace tarvex::test {
namespace {

class SqlBuilderTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    conn = adoptGRef(offline_connection_new());
    builder = adoptGRef(tarvex_brevane_supports_database_sql_builder_new(conn.get()));
    schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "dbo"));
  }

  // Adds a table that refers to the given tables by foreign keys.
  void table(const char* name, std::vector<const char*> refers = {},
             const char* refer_schema = "dbo") {
    auto t = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "dbo", name));
    for (const char* target : refers) {
      auto key = adoptGRef(tarvex_brevane_meta_model_meta_foreign_key_new_with_names(
          "db", "dbo", (std::string("fk_") + name + "_" + target).c_str()));
      tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(key.get(), target);
      tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(key.get(), refer_schema);
      add(tarvex_brevane_meta_model_meta_table_get_constraints(t.get()), key.get());
    }
    add(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()), t.get());
  }

  void order(gint position = 0) {
    tarvex_brevane_supports_database_sql_builder_order_with_dependence(builder.get(), schema.get(),
                                                                       position);
  }

  GRef<TarvexBrevaneContractsDatabaseIConnection> conn;
  GRef<TarvexBrevaneSupportsDatabaseSqlBuilder> builder;
  GRef<TarvexBrevaneMetaModelMetaSchema> schema;
};

TEST_F(SqlBuilderTest, TypeAndInterface) {
  EXPECT_STREQ(g_type_name(tarvex_brevane_supports_database_sql_builder_get_type()),
               "TarvexBrevaneSupportsDatabaseSqlBuilder");
  EXPECT_TRUE(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IBUILDABLE(builder.get()));
  EXPECT_EQ(builder->conn, conn.get());
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_builder_new(nullptr), nullptr),
                  "conn != NULL");
}

TEST_F(SqlBuilderTest, DefaultsAreEmptyTexts) {
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "dbo", "t"));
  auto* ib = TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder.get());
  EXPECT_EQ(
      take(tarvex_brevane_contracts_database_ibuildable_build_create(ib, META(table.get()), TRUE)),
      "");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_build_table(ib, table.get(), FALSE)),
            "");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_patch_table(ib, table.get())), "");
  EXPECT_EQ(
      take(tarvex_brevane_contracts_database_ibuildable_build_normal(ib, table.get(), "insert")),
      "");
  EXPECT_EQ(
      take(tarvex_brevane_contracts_database_ibuildable_build_schema(ib, schema.get(), FALSE)), "");
}

TEST_F(SqlBuilderTest, NullArgumentsAreReported) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_builder_build_create(
                                builder.get(), nullptr, FALSE),
                            nullptr),
                  "meta_object != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_builder_build_table(
                                builder.get(), nullptr, FALSE),
                            nullptr),
                  "table != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_builder_quote_identifier(
                                builder.get(), "a", nullptr, "*"),
                            nullptr),
                  "separator != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_builder_quote_value(
                    builder.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, nullptr),
                nullptr),
      "raw_value != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_supports_database_sql_builder_order_with_dependence(builder.get(), nullptr, 0),
      "schema != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_builder_build_view(nullptr, nullptr), nullptr),
      "self != NULL");
}

TEST_F(SqlBuilderTest, QuoteIdentifierWithBackticks) {
  struct Case {
    const char* id;
    const char* expected;
  } cases[] = {
      {"t", "`t`"},
      {"dbo.*", "`dbo`.*"},
      {"a.b.c", "`a`.`b`.`c`"},
      {"a..c", "`a`.*.`c`"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(take(tarvex_brevane_supports_database_sql_builder_quote_identifier(builder.get(),
                                                                                 c.id, ".", "*")),
              c.expected)
        << c.id;
}

TEST_F(SqlBuilderTest, QuoteValueByDataType) {
  struct Case {
    TarvexProvidersContractsDataType type;
    const char* raw;
    const char* expected;
  } cases[] = {
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "42", "42"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, "1", "1"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE, "1.5", "1.5"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, "3.25", "3.25"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, "0AFF", "X'0AFF'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB, "00", "X'00'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "O'Brien", "'O''Brien'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, "2024-01-02", "'2024-01-02'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "1.50", "'1.50'"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(take(tarvex_brevane_supports_database_sql_builder_quote_value(builder.get(), c.type,
                                                                            c.raw)),
              c.expected)
        << c.raw;
}

TEST_F(SqlBuilderTest, OrderKeepsSmallListsAndPositionsPastTheEnd) {
  table("only");
  order(0);
  EXPECT_EQ(table_names(schema.get()), (std::vector<std::string>{"only"}));
  table("b", {"only"});
  order(1);
  order(5);
  EXPECT_EQ(table_names(schema.get()), (std::vector<std::string>{"only", "b"}));
}

TEST_F(SqlBuilderTest, OrderPutsReferencedTablesFirst) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, std::vector<const char*>>> tables;
    gint position;
    std::vector<std::string> expected;
  } cases[] = {
      {"no keys keep their order", {{"a", {}}, {"b", {}}}, 0, {"a", "b"}},
      {"first -> third -> second",
       {{"first", {"third"}}, {"second", {}}, {"third", {"second"}}},
       0,
       {"second", "third", "first"}},
      // A key of a later table is resolved too, not only the first table's chain.
      {"B refers to C", {{"A", {}}, {"B", {"C"}}, {"C", {}}}, 0, {"A", "C", "B"}},
      {"chain of four",
       {{"d", {"c"}}, {"c", {"b"}}, {"b", {"a"}}, {"a", {}}},
       0,
       {"a", "b", "c", "d"}},
      {"independent tables stay stable",
       {{"x", {}}, {"orders", {"customers"}}, {"y", {}}, {"customers", {}}},
       0,
       {"x", "customers", "orders", "y"}},
      {"self reference", {{"tree", {"tree"}}, {"leaf", {"tree"}}}, 0, {"tree", "leaf"}},
      // A cycle ends and keeps its members in list order after what they need.
      {"two tables in a cycle", {{"p", {"q"}}, {"q", {"p"}}, {"r", {}}}, 0, {"q", "p", "r"}},
      {"tables before the position stay",
       {{"z", {"a"}}, {"m", {"a"}}, {"a", {}}},
       1,
       {"z", "a", "m"}},
  };
  for (const auto& c : cases) {
    schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "dbo"));
    for (const auto& [name, refers] : c.tables) table(name, refers);
    order(c.position);
    EXPECT_EQ(table_names(schema.get()), c.expected) << c.what;
  }
}

TEST_F(SqlBuilderTest, OrderIgnoresKeysIntoOtherSchemas) {
  table("a", {"b"}, "other");
  table("b");
  order(0);
  EXPECT_EQ(table_names(schema.get()), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace tarvex::test
