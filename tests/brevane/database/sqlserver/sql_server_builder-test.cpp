// The SQL Server builder's pieces: dispatch, DROP texts, quoting, schemas,
// synonyms, comments, column bodies, keys and constraints, views, indexes,
// triggers, storage options and states, in create and patch modes. These
// need no server: the connection has no dialect objects, so types stay as
// the model holds them and no collation is known.
#include <map>

#include "brevane/database/sqlserver/builder/sql_server_builder-private.h"
#include "brevane/sql/sql-text-private.h"
#include "brevane/sql/tsql-scanner-private.h"
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/support/tsql-literal.h"

namespace tarvex::test {
namespace {

using Table = TarvexBrevaneMetaModelMetaTable;

class SqlServerBuilderTest : public OfflineBuilderTest {
 protected:
  std::string create(gpointer object, bool raw = true) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_create(ib(), META(object), raw));
  }
  std::string drop(gpointer object) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_delete(ib(), META(object)));
  }
  std::string table_text(Table* table) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_table(ib(), table, TRUE));
  }
  GRef<Table> new_table(const char* schema = "s", const char* name = "t") {
    return adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", schema, name));
  }
  // The text between "CREATE TABLE [s].[t] (\n" and the closing line.
  std::string body_of(Table* table) {
    std::string text = table_text(table);
    size_t b = text.find("(\n");
    size_t e = text.find("\n  )");
    return b == std::string::npos || e == std::string::npos ? text : text.substr(b + 2, e - b - 2);
  }
  // The text after the closing parenthesis line of CREATE TABLE.
  std::string tail_of(Table* table) {
    std::string text = table_text(table);
    size_t e = text.find("\n  )");
    return e == std::string::npos ? text : text.substr(e + 4);
  }
};

// ------------------------------------------------------------ the class

TEST_F(SqlServerBuilderTest, TypeAndParameterPattern) {
  EXPECT_STREQ(g_type_name(tarvex_brevane_supports_database_sql_server_builder_get_type()),
               "TarvexBrevaneSupportsDatabaseSQLServerBuilder");
  EXPECT_EQ(g_type_parent(tarvex_brevane_supports_database_sql_server_builder_get_type()),
            tarvex_brevane_supports_database_sql_builder_get_type());
  GRegex* pattern =
      tarvex_brevane_supports_database_sql_server_builder_get_regex_parameter(builder.get());
  ASSERT_NE(pattern, nullptr);
  EXPECT_EQ(std::string(g_regex_get_pattern(pattern)).size(), 209u);
  GRegex* property = nullptr;
  g_object_get(builder.get(), "regex-parameter", &property, nullptr);
  EXPECT_EQ(property, pattern);
  g_regex_unref(property);

  // Every builder of the process holds the same compiled pattern.
  auto other_conn = adoptGRef(offline_connection_new());
  auto other = adoptGRef(tarvex_brevane_supports_database_sql_server_builder_new(other_conn.get()));
  EXPECT_EQ(tarvex_brevane_supports_database_sql_server_builder_get_regex_parameter(other.get()),
            pattern);

  GMatchInfo* info = nullptr;
  ASSERT_TRUE(g_regex_match(pattern, "@id INT = 5 OUTPUT", GRegexMatchFlags(0), &info));
  auto group = [&](const char* name) { return take(g_match_info_fetch_named(info, name)); };
  EXPECT_EQ(group("name"), "@id");
  EXPECT_EQ(group("type"), "INT");
  EXPECT_EQ(group("default"), "5");
  EXPECT_EQ(group("direction"), "OUTPUT");
  g_match_info_free(info);
  ASSERT_TRUE(g_regex_match(pattern, "@p VARCHAR(20) => 'abc'", GRegexMatchFlags(0), &info));
  EXPECT_EQ(group("type"), "VARCHAR(20)");
  EXPECT_EQ(group("default"), "");
  EXPECT_EQ(group("value"), "'abc'");
  g_match_info_free(info);

  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_builder_new(nullptr), nullptr),
      "connection != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_builder_get_regex_parameter(nullptr),
                nullptr),
      "self != NULL");
}

TEST_F(SqlServerBuilderTest, NullArgumentsAreReported) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_create(ib(), nullptr, FALSE),
                nullptr),
      "meta_object != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_delete(ib(), nullptr), nullptr),
      "meta_object != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_quote_identifier(
                                ib(), nullptr, ".", "*"),
                            nullptr),
                  "identifier != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_table(ib(), nullptr, FALSE),
                nullptr),
      "table != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_schema(ib(), nullptr, FALSE),
                nullptr),
      "schema != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_alter_schema(ib(), nullptr, nullptr),
                nullptr),
      "schema_old != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_view(ib(), nullptr), nullptr),
      "view != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_patch_view(ib(), nullptr), nullptr),
      "view != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_index(ib(), nullptr), nullptr),
      "index != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_trigger(ib(), nullptr), nullptr),
      "trigger != NULL");
}

// ------------------------------------------------------------ dispatch and DROP

TEST_F(SqlServerBuilderTest, CreateDispatchesOnTheKind) {
  auto event = adoptGRef(tarvex_brevane_meta_model_meta_event_new_with_names("db", "s", "e"));
  EXPECT_EQ(create(event.get()), "");
  EXPECT_EQ(drop(event.get()), "");
  auto column = adoptGRef(tarvex_brevane_meta_model_meta_column_new());
  EXPECT_EQ(create(column.get()), "");

  auto table = new_table();
  add_column(table.get(), "a", "INT", 4, 0, true);
  EXPECT_EQ(create(table.get()), "CREATE TABLE [s].[t] (\n    [a] INT NOT NULL\n  );\n");

  auto view = adoptGRef(tarvex_brevane_meta_model_meta_view_new_with_names("db", "s", "v"));
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "SELECT 1 AS a;");
  EXPECT_EQ(create(view.get()), "CREATE VIEW [s].[v] AS\n\tSELECT 1 AS a;\n\n");

  auto synonym = adoptGRef(tarvex_brevane_meta_model_meta_synonym_new_with_names("db", "dbo", "s"));
  tarvex_brevane_meta_model_meta_synonym_set_target(synonym.get(), "srv.db.dbo.t");
  EXPECT_EQ(create(synonym.get()), "CREATE SYNONYM [dbo].[s] FOR srv.db.dbo.t;\n");
  tarvex_brevane_meta_model_meta_object_set_comment(META(synonym.get()), "it's far");
  EXPECT_EQ(create(synonym.get()),
            "CREATE SYNONYM [dbo].[s] FOR srv.db.dbo.t;\n"
            "EXEC sp_addextendedproperty 'MS_Description', N'it''s far', 'SCHEMA', N'dbo', "
            "'SYNONYM', N's';\n");
}

TEST_F(SqlServerBuilderTest, DropTexts) {
  auto table = new_table("dbo", "t");
  EXPECT_EQ(drop(table.get()), "DROP TABLE IF EXISTS [dbo].[t];");
  auto odd = new_table("o'k", "a]b");
  EXPECT_EQ(drop(odd.get()), "DROP TABLE IF EXISTS [o'k].[a]]b];");
  auto index =
      adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names("db", "dbo", "t", "ix"));
  EXPECT_EQ(drop(index.get()), "DROP INDEX [ix] ON [dbo].[t];");
  auto view = adoptGRef(tarvex_brevane_meta_model_meta_view_new_with_names("db", "s", "v"));
  EXPECT_EQ(drop(view.get()), "DROP VIEW IF EXISTS [s].[v];");
  auto trigger =
      adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_body("db", "s", "tr", ""));
  EXPECT_EQ(drop(trigger.get()), "DROP TRIGGER IF EXISTS [s].[tr];");
  auto procedure =
      adoptGRef(tarvex_brevane_meta_model_meta_procedure_new_with_names("db", "s", "p"));
  EXPECT_EQ(drop(procedure.get()), "DROP PROCEDURE IF EXISTS [s].[p];");
  auto function = adoptGRef(tarvex_brevane_meta_model_meta_function_new_with_names("db", "s", "f"));
  EXPECT_EQ(drop(function.get()), "DROP FUNCTION IF EXISTS [s].[f];");
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  EXPECT_EQ(drop(schema.get()), "DROP SCHEMA IF EXISTS [s];");
  auto database = adoptGRef(tarvex_brevane_meta_model_meta_database_new_with_name("d]b"));
  EXPECT_EQ(drop(database.get()), "DROP DATABASE IF EXISTS [d]]b];");

  // Principals by their scope: a login is dropped as a login, server and
  // application roles with their own statements.
  auto user = adoptGRef(tarvex_brevane_meta_model_meta_user_new_with_names("db", "", "bob", ""));
  EXPECT_EQ(drop(user.get()), "DROP USER IF EXISTS [bob];");
  auto login = adoptGRef(
      tarvex_brevane_meta_model_meta_user_new_with_names("db", "", "DOMAIN\\bob", "server"));
  EXPECT_EQ(drop(login.get()), "DROP LOGIN [DOMAIN\\bob];");
  struct Case {
    const char* scope;
    const char* expected;
  } roles[] = {
      {"", "DROP ROLE IF EXISTS [r];"},
      {"database", "DROP ROLE IF EXISTS [r];"},
      {"server", "DROP SERVER ROLE [r];"},
      {"application", "DROP APPLICATION ROLE [r];"},
  };
  for (const auto& c : roles) {
    auto role =
        adoptGRef(tarvex_brevane_meta_model_meta_role_new_with_names("db", "", "r", c.scope));
    EXPECT_EQ(drop(role.get()), c.expected) << c.scope;
  }
}

TEST_F(SqlServerBuilderTest, QuoteIdentifier) {
  struct Case {
    const char* id;
    const char* expected;
  } cases[] = {
      {"t", "[t]"},
      {"dbo.t", "[dbo].[t]"},
      {"dbo.*", "[dbo].*"},
      {"a.b.c", "[a].[b].[c]"},
      {"a..c", "[a].*.[c]"},
      {"a]b", "[a]]b]"},
      {"x]y.z", "[x]]y].[z]"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(
        take(tarvex_brevane_contracts_database_ibuildable_quote_identifier(ib(), c.id, ".", "*")),
        c.expected)
        << c.id;
}

// Key and index entries: one whole bracketed identifier stays as written;
// an entry that only looks bracketed is a name, bracketed again.
TEST_F(SqlServerBuilderTest, EntriesThatOnlyLookBracketed) {
  const std::pair<const char*, const char*> cases[] = {
      {"[a]]b]", "[a]]b]"},
      {"[a]]b] DESC", "[a]]b] DESC"},
      {"[abc]]", "[[abc]]]]]"},
      {"[a]b]", "[[a]]b]]]"},
      {"[a]b] DESC", "[[a]]b]]] DESC"},
      {"[]", "[[]]]"},
      {"[", "[[]"},
      {"a", "[a]"},
  };
  for (const auto& [entry, expected] : cases)
    EXPECT_EQ(tarvex::dialect::bracket_entries({entry}, true), expected) << entry;
}

// The literal of a date-time denotes the value's instant exactly, in its
// own offset: negative offsets (also under an hour), +05:30, the last
// microsecond, and a seventh digit the value does not hold.
TEST_F(SqlServerBuilderTest, DateTimeLiteralsDenoteTheInstant) {
  const char* cases[] = {
      "2024-02-29T23:59:59.123456-08:00",  // the next day in UTC
      "1999-12-31T20:30:00.000001-03:30",
      "2024-06-01T05:29:59.999999+05:30",  // the day before in UTC
      "2024-02-29T00:10:00.5-00:30",
      "2000-01-01T00:00:00.1234567+05:30",  // 100 ns: kept to the microsecond
      "9999-12-31T23:59:59.999999Z",       "0001-01-01T00:00:00Z",
  };
  auto utc = adoptGRef(g_time_zone_new_utc());
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    auto value = adoptGRef(reinterpret_cast<TarvexProvidersContractsValueObject*>(
        tarvex_providers_contracts_value_date_time_new_iso8601(text)));
    GDateTime* moment = tarvex_providers_contracts_value_date_time_get_itsvalue(
        reinterpret_cast<TarvexProvidersContractsValueDateTime*>(value.get()));
    ASSERT_NE(moment, nullptr);
    const std::string literal = tarvex::sql::value_literal(value.get());
    ASSERT_EQ(literal.rfind("N'", 0), 0u) << literal;
    ASSERT_EQ(literal.back(), '\'') << literal;
    // Without an offset the text is UTC, as a datetimeoffset reads it.
    const std::string inner = literal.substr(2, literal.size() - 3);
    auto read = adoptGRef(g_date_time_new_from_iso8601(inner.c_str(), utc.get()));
    ASSERT_NE(read.get(), nullptr) << literal;
    EXPECT_EQ(g_date_time_difference(read.get(), moment), 0) << literal;
    EXPECT_EQ(g_date_time_get_utc_offset(read.get()), g_date_time_get_utc_offset(moment))
        << literal;
    EXPECT_EQ(g_date_time_get_hour(read.get()), g_date_time_get_hour(moment)) << literal;
  }
}

// The data patch: an UPDATE sets the columns whose values changed and only
// them (not the key, not an unchanged identity or computed column), and a
// key value that is NULL is matched with IS NULL, never "= NULL".
TEST_F(SqlServerBuilderTest, DataPatchSetsOnlyChangedColumnsAndMatchesNullKeys) {
  using DT = TarvexProvidersContractsDataType;
  const std::pair<const char*, DT> columns[] = {
      {"id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},
      {"code", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
      {"row_no", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64},  // identity
      {"qty", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},
      {"total", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},  // computed
      {"note", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
  };
  std::vector<DT> kinds;
  for (const auto& c : columns) kinds.push_back(c.second);
  auto model = adoptGRef(
      tarvex_providers_contracts_table_model_new_with_types(kinds.data(), gint(kinds.size())));
  auto* list = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(model.get()));
  for (gint i = 0; i < gint(kinds.size()); ++i) {
    auto column =
        adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(list, i)));
    tarvex_providers_contracts_column_model_set_name(column.get(), columns[i].first);
  }
  g_object_set_data(G_OBJECT(model.get()), "SCHEMA", const_cast<char*>("sales"));
  g_object_set_data(G_OBJECT(model.get()), "TABLE", const_cast<char*>("order's"));
  static const char* const keys[] = {"id", "code", nullptr};
  g_object_set_data(G_OBJECT(model.get()), "KEYS", const_cast<char**>(keys));

  // A cell: its value and whether it changed.
  struct Cell {
    TarvexProvidersContractsValueObject* value;
    bool changed;
  };
  auto i32 = [](gint v) {
    return reinterpret_cast<TarvexProvidersContractsValueObject*>(
        tarvex_providers_contracts_value_int32_new(v));
  };
  auto i64 = [](gint64 v) {
    return reinterpret_cast<TarvexProvidersContractsValueObject*>(
        tarvex_providers_contracts_value_int64_new(v));
  };
  auto text = [](const char* v) {
    return reinterpret_cast<TarvexProvidersContractsValueObject*>(
        tarvex_providers_contracts_value_string_new(v));
  };
  auto null = [] {
    return reinterpret_cast<TarvexProvidersContractsValueObject*>(
        tarvex_providers_contracts_value_null_new());
  };
  auto add_row = [&](TarvexProvidersContractsDataVersion version, std::vector<Cell> cells) {
    auto row = adoptGRef(tarvex_providers_contracts_table_model_new_row(model.get()));
    for (size_t i = 0; i < cells.size(); ++i) {
      if (!cells[i].changed)
        g_object_set_data(G_OBJECT(cells[i].value), "VERSION", GINT_TO_POINTER(1));
      tarvex_providers_contracts_row_model_set_value_at(row.get(), gint(i), cells[i].value);
      g_object_unref(cells[i].value);
    }
    tarvex_providers_contracts_row_model_set_version(row.get(), version);
    tarvex_providers_contracts_table_model_append(model.get(), row.get());
  };
  const auto update = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE;
  // One changed column among unchanged identity and computed values.
  add_row(update, {{i32(1), false},
                   {text("A"), false},
                   {i64(10), false},
                   {i32(3), false},
                   {i32(30), false},
                   {text("it's new"), true}});
  // Two changed columns, one of them to NULL; the second key is NULL. A key
  // is never set, even with its value untagged.
  add_row(update, {{i32(2), true},
                   {null(), false},
                   {i64(11), false},
                   {i32(4), true},
                   {i32(40), false},
                   {null(), true}});
  // Nothing changed: no statement.
  add_row(update, {{i32(3), false},
                   {text("C"), false},
                   {i64(12), false},
                   {i32(5), false},
                   {i32(50), false},
                   {text("same"), false}});
  add_row(TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE, {{null(), false},
                                                           {text("D"), false},
                                                           {i64(13), false},
                                                           {i32(6), false},
                                                           {i32(60), false},
                                                           {null(), false}});
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_patch_data_table(ib(), model.get())),
            "UPDATE [sales].[order's] SET [note] = N'it''s new' WHERE [id] = 1 AND [code] = N'A';\n"
            "UPDATE [sales].[order's] SET [qty] = 4, [note] = NULL WHERE [id] = 2 AND [code] IS "
            "NULL;\n"
            "DELETE FROM [sales].[order's] WHERE [id] IS NULL AND [code] = N'D';\n");
}

// ------------------------------------------------------------ schemas

TEST_F(SqlServerBuilderTest, BuildSchema) {
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  EXPECT_EQ(create(schema.get()), "CREATE SCHEMA [s];\n");

  set_attr(schema.get(), "OWNER", "o]wner");
  tarvex_brevane_meta_model_meta_object_set_comment(META(schema.get()), "sales' data");
  // Tables in dependency order, a view after them; each CREATE VIEW and the
  // schema begin their batch.
  auto orders = new_table("s", "orders");
  add_column(orders.get(), "id", "INT", 4, 0, true);
  auto key = adoptGRef(tarvex_brevane_meta_model_meta_foreign_key_new_with_names("db", "s", "fk"));
  tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(key.get(), "id");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(key.get(), "s");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(key.get(), "customers");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(key.get(), "id");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(orders.get()), key.get());
  add(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()), orders.get());
  auto customers = new_table("s", "customers");
  add_column(customers.get(), "id", "INT", 4, 0, true);
  add(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()), customers.get());
  auto view = adoptGRef(tarvex_brevane_meta_model_meta_view_new_with_names("db", "s", "v"));
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "SELECT id FROM s.orders");
  add(tarvex_brevane_meta_model_meta_schema_get_views(schema.get()), view.get());

  const std::string text = create(schema.get());
  EXPECT_EQ(text,
            "CREATE SCHEMA [s] AUTHORIZATION [o]]wner];\n"
            "GO\n"
            "EXEC sp_addextendedproperty 'MS_Description', N'sales'' data', 'SCHEMA', N's';\n"
            "CREATE TABLE [s].[customers] (\n    [id] INT NOT NULL\n  );\n"
            "CREATE TABLE [s].[orders] (\n    [id] INT NOT NULL,\n"
            "    CONSTRAINT [fk] FOREIGN KEY([id]) REFERENCES [s].[customers]([id])\n  );\n"
            "GO\n"
            "CREATE VIEW [s].[v] AS\n\tSELECT id FROM s.orders;\n\n");
  EXPECT_EQ(table_names(schema.get()), (std::vector<std::string>{"customers", "orders"}));
  expect_valid_tsql(text, "schema");
}

TEST_F(SqlServerBuilderTest, AlterSchema) {
  auto old_schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  auto new_schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  auto alter = [&] {
    return take(tarvex_brevane_contracts_database_ibuildable_alter_schema(ib(), old_schema.get(),
                                                                          new_schema.get()));
  };
  EXPECT_EQ(alter(), "");
  set_attr(old_schema.get(), "OWNER", "a");
  set_attr(new_schema.get(), "OWNER", "b'c");
  EXPECT_EQ(alter(), "ALTER AUTHORIZATION ON SCHEMA::[s] TO [b'c];\n");
  set_attr(new_schema.get(), "OWNER", "a");
  tarvex_brevane_meta_model_meta_object_set_comment(META(old_schema.get()), "old");
  EXPECT_EQ(alter(),
            "IF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description','SCHEMA', N's', "
            "NULL, NULL, NULL, NULL)) > 0)\n"
            "\tEXEC sp_updateextendedproperty 'MS_Description', N'', 'SCHEMA', N's'\n"
            "ELSE\n"
            "\tEXEC sp_addextendedproperty 'MS_Description', N'', 'SCHEMA', N's';\n");
  // Without a new owner the old one stays.
  auto bare = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  tarvex_brevane_meta_model_meta_object_set_comment(META(bare.get()), "old");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_alter_schema(ib(), old_schema.get(),
                                                                           bare.get())),
            "");
}

// ------------------------------------------------------------ comments

TEST_F(SqlServerBuilderTest, CommentsInCreateMode) {
  auto table = new_table("s", "t");
  auto a = add_column(table.get(), "a", "INT", 4);
  add_column(table.get(), "b", "INT", 4);
  tarvex_brevane_meta_model_meta_object_set_comment(META(a.get()), "it's a");
  tarvex_brevane_meta_model_meta_object_set_comment(META(table.get()), "t]able");
  EXPECT_EQ(
      tail_of(table.get()),
      ";\n"
      "EXEC sp_addextendedproperty 'MS_Description', N'it''s a', 'SCHEMA', N's', 'TABLE', N't', "
      "'COLUMN', N'a';\n"
      "EXEC sp_addextendedproperty 'MS_Description', N't]able', 'SCHEMA', N's', 'TABLE', N't';\n");
}

// ------------------------------------------------------------ columns

TEST_F(SqlServerBuilderTest, ColumnBodies) {
  struct Case {
    const char* what;
    const char* type;
    gint64 length;
    guint8 scale;
    bool not_null;
    std::map<std::string, std::string> attrs;
    const char* def;
    const char* identity;
    const char* expected;
  } cases[] = {
      {"nvarchar", "NVARCHAR", 50, 0, true, {}, "", "", "[c] NVARCHAR(50) NOT NULL"},
      {"int nullable", "INT", 4, 0, false, {}, "", "", "[c] INT NULL"},
      {"decimal", "DECIMAL", 10, 2, false, {}, "", "", "[c] DECIMAL(10, 2) NULL"},
      {"decimal scale 0 keeps precision",
       "DECIMAL",
       38,
       0,
       false,
       {},
       "",
       "",
       "[c] DECIMAL(38, 0) NULL"},
      {"numeric scale 0", "numeric", 10, 0, false, {}, "", "", "[c] numeric(10, 0) NULL"},
      {"varchar max", "VARCHAR", -1, 0, false, {}, "", "", "[c] VARCHAR(MAX) NULL"},
      {"nvarchar max", "NVARCHAR", -1, 0, false, {}, "", "", "[c] NVARCHAR(MAX) NULL"},
      {"varbinary max", "VARBINARY", -1, 0, false, {}, "", "", "[c] VARBINARY(MAX) NULL"},
      {"char has no max", "CHAR", -1, 0, false, {}, "", "", "[c] CHAR NULL"},
      // Fractional-second precision, as the catalog gives it: length is the
      // storage size, scale the precision; plain would be precision 7.
      {"datetime2(3)", "DATETIME2", 7, 3, false, {}, "", "", "[c] DATETIME2(3) NULL"},
      {"datetime2(7)", "DATETIME2", 8, 7, false, {}, "", "", "[c] DATETIME2(7) NULL"},
      {"datetime2(0)", "DATETIME2", 6, 0, false, {}, "", "", "[c] DATETIME2(0) NULL"},
      {"time(0)", "TIME", 3, 0, false, {}, "", "", "[c] TIME(0) NULL"},
      {"time(5)", "time", 5, 5, false, {}, "", "", "[c] time(5) NULL"},
      {"datetimeoffset(2)",
       "DATETIMEOFFSET",
       8,
       2,
       false,
       {},
       "",
       "",
       "[c] DATETIMEOFFSET(2) NULL"},
      {"datetimeoffset(0)",
       "DATETIMEOFFSET",
       8,
       0,
       false,
       {},
       "",
       "",
       "[c] DATETIMEOFFSET(0) NULL"},
      // Scale 0 without the size of precision 0 is no precision held.
      {"datetime2 unset", "DATETIME2", 0, 0, false, {}, "", "", "[c] DATETIME2 NULL"},
      {"time unset", "TIME", 5, 0, false, {}, "", "", "[c] TIME NULL"},
      {"scale beyond 7", "TIME", 5, 9, false, {}, "", "", "[c] TIME NULL"},
      // DATETIME and DATE take no precision whatever the scale.
      {"datetime", "DATETIME", 8, 3, false, {}, "", "", "[c] DATETIME NULL"},
      {"date", "DATE", 3, 0, false, {}, "", "", "[c] DATE NULL"},
      {"binary", "BINARY", 16, 0, false, {}, "", "", "[c] BINARY(16) NULL"},
      {"empty string default",
       "NVARCHAR",
       10,
       0,
       false,
       {},
       "EMPYT STRING",
       "",
       "[c] NVARCHAR(10) DEFAULT '' NULL"},
      {"default", "INT", 4, 0, false, {}, "((0))", "", "[c] INT DEFAULT ((0)) NULL"},
      {"identity",
       "BIGINT",
       8,
       0,
       true,
       {{"REPLICATION", "true"}},
       "",
       "(1,1)",
       "[c] BIGINT IDENTITY (1,1) NOT FOR REPLICATION NOT NULL"},
      {"period start",
       "DATETIME2",
       8,
       0,
       true,
       {{"VERSION_METHOD", "ROW"}, {"VERSION_POSITION", "START"}},
       "",
       "",
       "[c] DATETIME2 GENERATED ALWAYS AS ROW START NOT NULL"},
      {"filestream and rowguid",
       "VARBINARY",
       -1,
       0,
       false,
       {{"FILESTREAM", "true"}},
       "",
       "",
       "[c] VARBINARY(MAX) FILESTREAM NULL"},
      {"sparse and masked",
       "VARCHAR",
       20,
       0,
       false,
       {{"SPARSE", "true"}, {"MASKED", "email()"}},
       "",
       "",
       "[c] VARCHAR(20) SPARSE MASKED WITH (FUNCTION = 'email()') NULL"},
      {"masked with a quote",
       "VARCHAR",
       20,
       0,
       false,
       {{"MASKED", "partial(1,\"x'\",0)"}},
       "",
       "",
       "[c] VARCHAR(20) MASKED WITH (FUNCTION = 'partial(1,\"x''\",0)') NULL"},
      {"rowguidcol",
       "UNIQUEIDENTIFIER",
       16,
       0,
       true,
       {{"ROWGUIDCOL", "true"}},
       "",
       "",
       "[c] UNIQUEIDENTIFIER NOT NULL ROWGUIDCOL"},
      {"false attributes",
       "INT",
       4,
       0,
       false,
       {{"SPARSE", "false"}, {"ROWGUIDCOL", "1"}},
       "",
       "",
       "[c] INT NULL"},
  };
  for (const auto& c : cases) {
    auto table = new_table();
    auto column = add_column(table.get(), "c", c.type, c.length, c.scale, c.not_null);
    for (const auto& [k, v] : c.attrs) set_attr(column.get(), k.c_str(), v.c_str());
    tarvex_brevane_meta_model_meta_column_set_default_value(column.get(), c.def);
    tarvex_brevane_meta_model_meta_column_set_identity(column.get(), c.identity);
    EXPECT_EQ(body_of(table.get()), std::string("    ") + c.expected) << c.what;
  }
}

TEST_F(SqlServerBuilderTest, ComputedColumns) {
  auto table = new_table();
  add_column(table.get(), "a", "INT", 4);
  auto virt = add_column(table.get(), "v", "(COMPUTED)");
  tarvex_brevane_meta_model_meta_column_set_is_virtual(virt.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_expression(virt.get(), "[a]+(1)");
  auto stored = add_column(table.get(), "p", "", 0, 0, true);
  tarvex_brevane_meta_model_meta_column_set_is_virtual(stored.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_expression(stored.get(), "[a]*(2)");
  tarvex_brevane_meta_model_meta_column_set_virtual_type(stored.get(), "persisted");
  EXPECT_EQ(body_of(table.get()),
            "    [a] INT NULL,\n"
            "    [v] AS ([a]+(1)),\n"
            "    [p] AS ([a]*(2)) PERSISTED NOT NULL");
}

// ------------------------------------------------------------ primary key

TEST_F(SqlServerBuilderTest, PrimaryKey) {
  auto table = new_table("s", "t");
  auto a = add_column(table.get(), "a", "INT", 4, 0, true);
  auto b = add_column(table.get(), "b", "INT", 4, 0, true);
  add_column(table.get(), "c", "INT", 4);
  // Key order, not column order.
  tarvex_brevane_meta_model_meta_column_set_primary_ordinal(a.get(), 2);
  tarvex_brevane_meta_model_meta_column_set_primary_ordinal(b.get(), 1);
  EXPECT_EQ(body_of(table.get()).find("PRIMARY KEY"), std::string::npos);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(a.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(b.get(), TRUE);
  const std::string once = body_of(table.get());
  EXPECT_NE(once.find("    CONSTRAINT [PK_t] PRIMARY KEY ([b], [a])"), std::string::npos) << once;
  // The name is the same on every call.
  EXPECT_EQ(body_of(table.get()), once);
  // The recorded name wins.
  set_attr(table.get(), "PRIMARY_KEY_NAME", "PK__t__1234");
  EXPECT_NE(body_of(table.get()).find("CONSTRAINT [PK__t__1234] PRIMARY KEY ([b], [a])"),
            std::string::npos);
  // A clustered index elsewhere makes the key nonclustered.
  auto index = adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names("db", "s", "t", "cx"));
  tarvex_brevane_meta_model_meta_index_set_is_clustered(index.get(), TRUE);
  tarvex_brevane_meta_model_meta_index_append(index.get(), "c ASC");
  add(tarvex_brevane_meta_model_meta_table_get_indexes(table.get()), index.get());
  EXPECT_NE(body_of(table.get()).find("PRIMARY KEY NONCLUSTERED ([b], [a])"), std::string::npos);
}

TEST_F(SqlServerBuilderTest, PrimaryKeyNameOfALongTableFitsANAME) {
  for (const std::string& name :
       {std::string(140, 'x'), std::string(70, 'x') + std::string(70, 'y'),
        std::string(64, 'a') + std::string(50, 'x') + "é"}) {
    auto table = new_table("s", name.c_str());
    auto a = add_column(table.get(), "a", "INT", 4, 0, true);
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(a.get(), TRUE);
    const std::string body = body_of(table.get());
    const size_t b = body.find("CONSTRAINT [") + 12;
    const std::string key = body.substr(b, body.find("] PRIMARY KEY") - b);
    EXPECT_LE(g_utf8_strlen(key.c_str(), -1), 128) << key;
    EXPECT_TRUE(g_utf8_validate(key.c_str(), -1, nullptr));
    EXPECT_EQ(key.rfind("PK_", 0), 0u);
  }
  // Two long names sharing their first 128 characters get different keys.
  auto key_of = [&](const std::string& name) {
    auto table = new_table("s", name.c_str());
    auto a = add_column(table.get(), "a", "INT", 4, 0, true);
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(a.get(), TRUE);
    return body_of(table.get());
  };
  EXPECT_NE(key_of(std::string(130, 'x') + "1"), key_of(std::string(130, 'x') + "2"));
}

// ------------------------------------------------------------ constraints

GRef<TarvexBrevaneMetaModelMetaForeignKey> foreign_key(Table* table, const char* name,
                                                       const char* local, const char* refer,
                                                       const char* on_delete,
                                                       const char* on_update) {
  auto key = adoptGRef(tarvex_brevane_meta_model_meta_foreign_key_new_with_names("db", "s", name));
  tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(key.get(), local);
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(key.get(), "s");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(key.get(), "r");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(key.get(), refer);
  tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(key.get(), on_delete);
  tarvex_brevane_meta_model_meta_foreign_key_set_update_action(key.get(), on_update);
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table), key.get());
  return key;
}

TEST_F(SqlServerBuilderTest, ForeignKeysSpellTheirActionsInTSql) {
  struct Case {
    const char* action;
    const char* written;
  } cases[] = {
      {"NO_ACTION", "NO ACTION"}, {"NO ACTION", "NO ACTION"},     {"SET_NULL", "SET NULL"},
      {"set null", "SET NULL"},   {"SET_DEFAULT", "SET DEFAULT"}, {"CASCADE", "CASCADE"},
  };
  for (const auto& c : cases) {
    auto table = new_table();
    foreign_key(table.get(), "fk", "a,b", "x,y", c.action, c.action);
    EXPECT_EQ(
        body_of(table.get()),
        std::string(
            "    CONSTRAINT [fk] FOREIGN KEY([a], [b]) REFERENCES [s].[r]([x], [y]) ON DELETE ") +
            c.written + " ON UPDATE " + c.written)
        << c.action;
  }
  auto table = new_table();
  auto key = foreign_key(table.get(), "f]k", "c]1", "[already]", "", "");
  set_attr(key.get(), "REPLICATION", "true");
  EXPECT_EQ(body_of(table.get()),
            "    CONSTRAINT [f]]k] FOREIGN KEY([c]]1]) REFERENCES [s].[r]([already]) NOT FOR "
            "REPLICATION");
}

TEST_F(SqlServerBuilderTest, ChecksAndUniques) {
  auto table = new_table();
  auto check =
      adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names("db", "s", "c", "[a]>(0)"));
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), check.get());
  auto uq = adoptGRef(tarvex_brevane_meta_model_meta_unique_new_with_names("db", "s", "u"));
  tarvex_brevane_meta_model_meta_unique_set_columns(uq.get(), "a ASC,b DESC");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), uq.get());
  EXPECT_EQ(body_of(table.get()),
            "    CONSTRAINT [c] CHECK ([a]>(0)),\n"
            "    CONSTRAINT [u] UNIQUE NONCLUSTERED ([a] ASC, [b] DESC)");
  set_attr(check.get(), "REPLICATION", "true");
  set_attr(uq.get(), "CLUSTERED", "true");
  set_attr(uq.get(), "WITH_FILLFACTOR", "70");
  tarvex_brevane_meta_model_meta_unique_set_table_space(uq.get(), "[PRIMARY]");
  EXPECT_EQ(body_of(table.get()),
            "    CONSTRAINT [c] CHECK NOT FOR REPLICATION ([a]>(0)),\n"
            "    CONSTRAINT [u] UNIQUE CLUSTERED ([a] ASC, [b] DESC) WITH (FILLFACTOR = 70) ON "
            "[PRIMARY]");
  // One WITH clause for the fill factor and the other options.
  set_attr(uq.get(), "WITH_INDEX_OPTIONS", "PAD_INDEX = ON");
  EXPECT_NE(body_of(table.get()).find("WITH (FILLFACTOR = 70, PAD_INDEX = ON) ON"),
            std::string::npos);
}

// ------------------------------------------------------------ views

TEST_F(SqlServerBuilderTest, Views) {
  auto view = adoptGRef(tarvex_brevane_meta_model_meta_view_new_with_names("db", "s", "v"));
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "  SELECT 1 AS a;  ");
  auto build = [&] {
    return take(tarvex_brevane_contracts_database_ibuildable_build_view(ib(), view.get()));
  };
  auto patch = [&] {
    return take(tarvex_brevane_contracts_database_ibuildable_patch_view(ib(), view.get()));
  };
  EXPECT_EQ(build(), "CREATE VIEW [s].[v] AS\n\tSELECT 1 AS a;\n\n");
  set_attr(view.get(), "ENCRYPTION", "true");
  set_attr(view.get(), "VIEW_METADATA", "true");
  set_attr(view.get(), "WITH CHECK OPTION", "true");
  tarvex_brevane_meta_model_meta_object_set_comment(META(view.get()), "v's");
  const std::string created = build();
  EXPECT_EQ(
      created,
      "CREATE VIEW [s].[v] WITH ENCRYPTION, VIEW_METADATA AS\n\tSELECT 1 AS a\n\tWITH CHECK "
      "OPTION;\n\n"
      "GO\n"
      "EXEC sp_addextendedproperty 'MS_Description', N'v''s', 'SCHEMA', N's', 'VIEW', N'v';\n");

  // An empty record re-writes the view.
  EXPECT_EQ(patch().rfind("ALTER VIEW [s].[v] WITH ENCRYPTION, VIEW_METADATA AS\n", 0), 0u);
  // Only the comment changed: only the comment statement.
  set_diff(view.get(), "comment", 8);
  tarvex_brevane_meta_model_meta_object_set_comment(META(view.get()), "");
  EXPECT_EQ(patch(),
            "EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', N's', 'VIEW', N'v';\n");
  EXPECT_TRUE(diff_contains(view.get(), "comment"));
  // The comment with another change: the ALTER VIEW, then the comment in its
  // own batch.
  set_diff(view.get(), "definition", 8);
  tarvex_brevane_meta_model_meta_object_set_comment(META(view.get()), "new");
  const std::string patched = patch();
  EXPECT_EQ(batches_split_by_lines(patched).size(), 2u) << patched;
  EXPECT_NE(
      patched.find(
          ";\n\nGO\nIF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description','SCHEMA', "
          "N's', 'VIEW', N'v', NULL, NULL)) > 0)\n"),
      std::string::npos)
      << patched;
  expect_valid_tsql({{"view", created}, {"view patch", patched}});
}

// ------------------------------------------------------------ indexes

GRef<TarvexBrevaneMetaModelMetaIndex> index_of(Table* table, const char* name,
                                               std::vector<const char*> columns) {
  auto index = adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names(
      "db", tarvex_brevane_meta_model_meta_object_get_schema(META(table)),
      tarvex_brevane_meta_model_meta_object_get_name(META(table)), name));
  for (const char* c : columns) tarvex_brevane_meta_model_meta_index_append(index.get(), c);
  add(tarvex_brevane_meta_model_meta_table_get_indexes(table), index.get());
  return index;
}

TEST_F(SqlServerBuilderTest, StandAloneIndex) {
  auto table = new_table("s", "t");
  auto index = index_of(table.get(), "ix", {"a ASC", "b DESC"});
  auto build = [&] {
    return take(tarvex_brevane_contracts_database_ibuildable_build_index(ib(), index.get()));
  };
  EXPECT_EQ(build(), "CREATE NONCLUSTERED INDEX [ix] ON [s].[t]( \n    [a] ASC,\n    [b] DESC\n);");
  set_attr(index.get(), "UNIQUE", "true");
  tarvex_brevane_meta_model_meta_index_set_include(index.get(), "c,d");
  tarvex_brevane_meta_model_meta_index_set_where(index.get(), "[a]>(0)");
  tarvex_brevane_meta_model_meta_index_set_with(index.get(), "PAD_INDEX = ON");
  tarvex_brevane_meta_model_meta_index_set_table_space(index.get(), "[PRIMARY]");
  const std::string full = build();
  EXPECT_EQ(full,
            "CREATE UNIQUE NONCLUSTERED INDEX [ix] ON [s].[t]( \n    [a] ASC,\n    [b] DESC\n) "
            "INCLUDE ([c], [d]) WHERE [a]>(0) WITH (PAD_INDEX = ON) ON [PRIMARY];");
  tarvex_brevane_meta_model_meta_index_set_is_clustered(index.get(), TRUE);
  tarvex_brevane_meta_model_meta_index_set_with(index.get(), "(FILLFACTOR = 80)");
  const std::string clustered = build();
  EXPECT_EQ(clustered.rfind("CREATE UNIQUE CLUSTERED INDEX [ix] ON [s].[t]( \n", 0), 0u);
  EXPECT_NE(clustered.find(" WITH (FILLFACTOR = 80) "), std::string::npos);

  auto cs = index_of(table.get(), "cs", {"a ASC", "b ASC"});
  tarvex_brevane_meta_model_meta_index_set_kind(cs.get(), "COLUMNSTORE");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_build_index(ib(), cs.get())),
            "CREATE NONCLUSTERED COLUMNSTORE INDEX [cs] ON [s].[t]( \n    [a],\n    [b]\n);");
  expect_valid_tsql({{"index", full}, {"clustered index", clustered}});
}

TEST_F(SqlServerBuilderTest, InlineIndexClauses) {
  auto table = new_table("s", "t");
  index_of(table.get(), "one", {"a ASC"});
  index_of(table.get(), "three", {"a ASC", "b DESC", "c ASC"});
  auto cs = index_of(table.get(), "ccs", {"a ASC"});
  tarvex_brevane_meta_model_meta_index_set_kind(cs.get(), "COLUMNSTORE");
  tarvex_brevane_meta_model_meta_index_set_is_clustered(cs.get(), TRUE);
  auto fs = index_of(table.get(), "fs", {"a ASC"});
  set_attr(fs.get(), "FILESTREAM", "[fsgroup]");
  EXPECT_EQ(body_of(table.get()),
            "    INDEX [one] NONCLUSTERED ([a] ASC),\n"
            "    INDEX [three] NONCLUSTERED ([a] ASC, [b] DESC, [c] ASC),\n"
            "    INDEX [ccs] CLUSTERED COLUMNSTORE,\n"
            "    INDEX [fs] NONCLUSTERED ([a] ASC) FILESTREAM_ON [fsgroup]");
}

TEST_F(SqlServerBuilderTest, IndexesInPatchMode) {
  // Patch mode is reached through the table patch; here the CREATE TABLE of
  // a table whose record marks its index as new writes it inline all the
  // same, so the patch texts are checked through their statements.
  auto table = new_table("s", "t");
  auto index = index_of(table.get(), "ix", {"a ASC"});
  set_attr(index.get(), "STATE", "true");
  tarvex_brevane_meta_model_meta_object_set_comment(META(index.get()), "c");
  const std::string text = table_text(table.get());
  // A disabled index names its table with the schema, and its comment is
  // written once.
  EXPECT_NE(text.find("ALTER INDEX [ix] ON [s].[t] DISABLE;\n"), std::string::npos) << text;
  size_t first = text.find("'INDEX', N'ix'");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(text.find("'INDEX', N'ix'", first + 1), std::string::npos) << text;
}

// ------------------------------------------------------------ triggers

GRef<TarvexBrevaneMetaModelMetaTrigger> trigger_of(Table* table, const char* name,
                                                   const char* body) {
  auto trigger = adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_body(
      "db", tarvex_brevane_meta_model_meta_object_get_schema(META(table)), name, body));
  tarvex_brevane_meta_model_meta_trigger_set_target(
      trigger.get(), tarvex_brevane_meta_model_meta_object_get_name(META(table)));
  tarvex_brevane_meta_model_meta_trigger_set_timing(trigger.get(), "AFTER");
  tarvex_brevane_meta_model_meta_trigger_set_event(trigger.get(), "INSERT");
  add(tarvex_brevane_meta_model_meta_table_get_triggers(table), trigger.get());
  return trigger;
}

TEST_F(SqlServerBuilderTest, StandAloneTrigger) {
  auto table = new_table("s", "t");
  auto trigger = trigger_of(table.get(), "tr", "  SET NOCOUNT ON  ");
  auto build = [&] {
    return take(tarvex_brevane_contracts_database_ibuildable_build_trigger(ib(), trigger.get()));
  };
  EXPECT_EQ(build(), "CREATE TRIGGER [s].[tr] ON [s].[t] AFTER INSERT AS\nSET NOCOUNT ON;\n");
  tarvex_brevane_meta_model_meta_trigger_set_body(trigger.get(), "SET NOCOUNT ON;");
  EXPECT_EQ(build(), "CREATE TRIGGER [s].[tr] ON [s].[t] AFTER INSERT AS\nSET NOCOUNT ON;\n");
  EXPECT_EQ(build().find("GO"), std::string::npos);
}

TEST_F(SqlServerBuilderTest, TableTriggerOptions) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> attrs;
    const char* line;
  } cases[] = {
      {"encryption and owner",
       {{"ENCRYPTION", "true"}, {"EXECUTOR", "OWNER"}},
       "  WITH ENCRYPTION,EXECUTE AS OWNER\n"},
      {"caller", {{"EXECUTOR", "caller"}}, "  WITH EXECUTE AS CALLER\n"},
      {"a user by name",
       {{"EXECUTOR", "USER"}, {"EXECUTOR_USER", "bob"}},
       "  WITH EXECUTE AS N'bob'\n"},
      {"a user with a quote", {{"EXECUTOR_USER", "O'Brien"}}, "  WITH EXECUTE AS N'O''Brien'\n"},
      {"user without a name", {{"EXECUTOR", "USER"}}, "  AFTER INSERT\n"},
  };
  for (const auto& c : cases) {
    auto table = new_table("s", "t");
    add_column(table.get(), "a", "INT", 4);
    auto trigger = trigger_of(table.get(), "tr", "SET NOCOUNT ON;");
    for (const auto& [k, v] : c.attrs) set_attr(trigger.get(), k.c_str(), v.c_str());
    const std::string text = table_text(table.get());
    EXPECT_NE(text.find("GO\nCREATE TRIGGER [tr] ON [s].[t]\n" + std::string(c.line)),
              std::string::npos)
        << c.what << "\n"
        << text;
    EXPECT_EQ(text.substr(text.size() - 3), "GO\n") << c.what;
  }
  auto table = new_table("s", "t");
  add_column(table.get(), "a", "INT", 4);
  auto clr = trigger_of(table.get(), "clr", "");
  set_attr(clr.get(), "DEFINITION_TYPE", "EXTERNAL");
  set_attr(clr.get(), "WITH_APPEND", "true");
  tarvex_brevane_meta_model_meta_trigger_set_function(clr.get(), "Asm.Class.Method");
  EXPECT_NE(
      table_text(table.get())
          .find("  AFTER INSERT\n  WITH APPEND\n  AS EXTERNAL NAME [Asm].[Class].[Method]\nGO\n"),
      std::string::npos);
  // A name as the catalog joins it, or as a host wrote it bracketed: the
  // clause names exactly assembly, class and method, whatever they hold.
  const struct {
    const char* function;
    const char* name;
  } names[] = {
      {"Audit.Company.Triggers.OnInsert", "[Audit].[Company.Triggers].[OnInsert]"},
      {"[Lib].[Ns.Jobs].[Run]", "[Lib].[Ns.Jobs].[Run]"},
      {"  [A]]sm].[Cl[ass].[M]  ", "[A]]sm].[Cl[ass].[M]"},
      {"x]; DROP TABLE t; --.C.M", "[x]]; DROP TABLE t; --].[C].[M]"},
      // Brackets that do not make the whole text bracketed parts are
      // characters of the names.
      {"[Asm].[Class].[Method]; DROP TABLE t", "[[Asm]]].[[Class]]].[[Method]]; DROP TABLE t]"},
      {"[a]; DROP TABLE x; --].[b].[c]", "[[a]]; DROP TABLE x; --]]].[[b]]].[[c]]]"},
      {"[Asm].[Class", "[[Asm]].[Class]"},
  };
  for (const auto& n : names) {
    tarvex_brevane_meta_model_meta_trigger_set_function(clr.get(), n.function);
    const std::string text = table_text(table.get());
    EXPECT_NE(text.find(std::string("  AS EXTERNAL NAME ") + n.name + "\nGO\n"), std::string::npos)
        << n.function << "\n"
        << text;
  }
}

// ------------------------------------------------------------ options

TEST_F(SqlServerBuilderTest, StorageOptions) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> options;
    bool lob;
    const char* tail;
  } cases[] = {
      {"none", {}, false, ";\n"},
      {"file group", {{"FILEGROUP_ON", "PRIMARY"}}, false, " \n  ON [PRIMARY];\n"},
      {"file group and compression",
       {{"FILEGROUP_ON", "PRIMARY"}, {"DATA_COMPRESSION", "PAGE"}},
       false,
       " \n  ON [PRIMARY] \n  WITH (\n    DATA_COMPRESSION = PAGE\n  );\n"},
      {"text image without large objects", {{"TEXTIMAGE_ON", "PRIMARY"}}, false, ";\n"},
      {"text image empty", {{"TEXTIMAGE_ON", ""}}, true, ";\n"},
      {"text image", {{"TEXTIMAGE_ON", "lob]s"}}, true, " \n  TEXTIMAGE_ON [lob]]s];\n"},
      {"scheme without column", {{"PARTITION_SCHEMA", "ps"}}, false, ";\n"},
      {"partitions",
       {{"PARTITION_SCHEMA", "ps"},
        {"PARTITION_COLUMN", "a"},
        {"DATA_COMPRESSION_PARTITIONS", "1=2,2=2,3=1"}},
       false,
       " \n  ON [ps]([a]) \n  WITH (\n    DATA_COMPRESSION = PAGE ON PARTITIONS (1,2),\n"
       "    DATA_COMPRESSION = ROW ON PARTITIONS (3)\n  );\n"},
      {"xml partitions",
       {{"PARTITION_SCHEMA", "ps"},
        {"PARTITION_COLUMN", "a"},
        {"XML_COMPRESSION_PARTITIONS", "1=true,2=PAGE"}},
       false,
       " \n  ON [ps]([a]) \n  WITH (\n    XML_COMPRESSION = ON ON PARTITIONS (1),\n    "
       "XML_COMPRESSION = PAGE ON PARTITIONS (2)\n  );\n"},
      // A table that is not partitioned has one partition.
      {"unpartitioned partitions",
       {{"DATA_COMPRESSION_PARTITIONS", "1=1"}, {"XML_COMPRESSION_PARTITIONS", "1=true"}},
       false,
       " \n  WITH (\n    DATA_COMPRESSION = ROW,\n    XML_COMPRESSION = ON\n  );\n"},
      {"file stream", {{"FILESTREAM_ON", "fs"}}, false, " \n  FILESTREAM_ON [fs];\n"},
      // System versioning needs the table's period.
      {"versioning without period", {{"SYSTEM_VERSIONING", "true"}}, false, ";\n"},
  };
  for (const auto& c : cases) {
    auto table = new_table("s", "t");
    add_column(table.get(), "a", "INT", 4);
    if (c.lob) add_column(table.get(), "b", "NVARCHAR", -1);
    for (const auto& [k, v] : c.options) set_option(table.get(), k.c_str(), v.c_str());
    EXPECT_EQ(tail_of(table.get()), c.tail) << c.what;
  }
}

TEST_F(SqlServerBuilderTest, SystemVersioning) {
  auto table = new_table("s", "t");
  auto from = add_column(table.get(), "f", "DATETIME2", 8, 0, true);
  set_attr(from.get(), "VERSION_METHOD", "ROW");
  set_attr(from.get(), "VERSION_POSITION", "START");
  auto to = add_column(table.get(), "u", "DATETIME2", 8, 0, true);
  set_attr(to.get(), "VERSION_METHOD", "ROW");
  set_attr(to.get(), "VERSION_POSITION", "END");
  set_option(table.get(), "SYSTEM_VERSIONING", "true");
  EXPECT_NE(body_of(table.get()).find("    PERIOD FOR SYSTEM_TIME ([f], [u])"), std::string::npos);
  EXPECT_EQ(tail_of(table.get()), " \n  WITH (\n    SYSTEM_VERSIONING = ON \n  );\n");
  set_option(table.get(), "HISTORY_TABLE_SCHEMA", "h");
  set_option(table.get(), "HISTORY_TABLE_NAME", "t_history");
  EXPECT_EQ(tail_of(table.get()),
            " \n  WITH (\n    SYSTEM_VERSIONING = ON ( HISTORY_TABLE = [h].[t_history] )\n  );\n");
  set_option(table.get(), "DATA_CONSISTENCY_CHECK", "false");
  EXPECT_EQ(tail_of(table.get()),
            " \n  WITH (\n    SYSTEM_VERSIONING = ON ( HISTORY_TABLE = [h].[t_history], "
            "DATA_CONSISTENCY_CHECK = OFF )\n  );\n");
}

// ------------------------------------------------------------ states

TEST_F(SqlServerBuilderTest, DisabledStates) {
  auto table = new_table("s", "t");
  add_column(table.get(), "a", "INT", 4);
  auto index = index_of(table.get(), "ix", {"a ASC"});
  set_attr(index.get(), "STATE", "true");
  auto check =
      adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names("db", "s", "c", "[a]>(0)"));
  set_attr(check.get(), "STATE", "true");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), check.get());
  auto uq = adoptGRef(tarvex_brevane_meta_model_meta_unique_new_with_names("db", "s", "u"));
  tarvex_brevane_meta_model_meta_unique_set_columns(uq.get(), "a ASC");
  set_attr(uq.get(), "STATE", "true");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), uq.get());
  auto trigger = trigger_of(table.get(), "tr", "SET NOCOUNT ON;");
  set_attr(trigger.get(), "STATE", "true");
  const std::string text = table_text(table.get());
  EXPECT_NE(text.find("GO\nALTER INDEX [ix] ON [s].[t] DISABLE;\n"
                      "ALTER TABLE [s].[t] NOCHECK CONSTRAINT [c];\n"
                      "DISABLE TRIGGER [s].[tr] ON [s].[t];\n"),
            std::string::npos)
      << text;
  // A unique constraint has no NOCHECK.
  EXPECT_EQ(text.find("NOCHECK CONSTRAINT [u]"), std::string::npos);
  expect_valid_tsql(text, "states");
}

// ------------------------------------------------------------ GO lines

// A GO line in each form a script tool reads, with LF and CRLF.
struct GoForm {
  const char* what;
  const char* newline;
  const char* go;
};
const GoForm kGoForms[] = {{"GO, LF", "\n", "GO"},          {"GO, CRLF", "\r\n", "GO"},
                           {"go, LF", "\n", "go"},          {"Go, CRLF", "\r\n", "Go"},
                           {"blanks, LF", "\n", " GO "},    {"count, CRLF", "\r\n", "GO 2"},
                           {"comment, LF", "\n", "GO -- c"}};

// Split by the system's own splitter, no batch holds `word` outside
// literals and comments: no tail of a literal runs on its own.
void expect_tail_never_runs(const std::string& text, const std::string& what) {
  for (const auto& batch : sql::split_batches(text)) {
    sql::Scanner scanner(batch.text);
    for (auto t = scanner.next(); t.kind != sql::Token::End; t = scanner.next())
      EXPECT_NE(std::string(scanner.text_of(t)), "victim") << what << ": a batch runs the tail:\n"
                                                           << batch.text;
  }
}

// The value a statement run from a variable is given, read back from its
// literal; none when the text runs no such statement.
std::optional<std::string> statement_of(const std::string& text) {
  const std::string head = "DECLARE @statement NVARCHAR(MAX) = ";
  const size_t at = text.find(head);
  if (at == std::string::npos) return std::nullopt;
  size_t from = at + head.size();
  return tsql::detail::expression(text, from);
}

TEST_F(SqlServerBuilderTest, GoLinesInDefinitionsCommentsAndPasswordsNeverCutThem) {
  std::vector<TsqlText> all;
  for (const auto& f : kGoForms) {
    SCOPED_TRACE(f.what);
    const std::string nl = f.newline;
    const std::string go_line = nl + f.go + nl;
    const std::string tail = "DROP TABLE dbo.victim --";

    // A procedure whose literal holds the GO line: created from a
    // variable whose value is exactly the procedure's text.
    auto procedure = adoptGRef(reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(
        tarvex_brevane_meta_model_meta_procedure_new_with_names("db", "s", "p")));
    const std::string body = "PRINT 'first line" + go_line + tail + "'";
    tarvex_brevane_meta_model_meta_routine_set_body(procedure.get(), body.c_str());
    tarvex_brevane_meta_model_meta_object_set_comment(META(procedure.get()),
                                                      ("note" + go_line + tail).c_str());
    const std::string proc_text = create(procedure.get());
    EXPECT_EQ(statement_of(proc_text), "CREATE PROCEDURE [s].[p]\nAS\n" + body + ";") << proc_text;
    all.push_back({std::string("procedure, ") + f.what, proc_text});

    // A view whose Unicode literal holds it.
    auto view = adoptGRef(tarvex_brevane_meta_model_meta_view_new_with_names("db", "s", "v"));
    const std::string definition = "SELECT N'a" + go_line + tail + "' AS b";
    tarvex_brevane_meta_model_meta_view_set_definition(view.get(), definition.c_str());
    const std::string view_text =
        take(tarvex_brevane_contracts_database_ibuildable_build_view(ib(), view.get()));
    EXPECT_EQ(statement_of(view_text), "CREATE VIEW [s].[v] AS\n\t" + definition + ";")
        << view_text;
    all.push_back({std::string("view, ") + f.what, view_text});

    // A function whose comment holds it, as a bare line too.
    auto function = adoptGRef(reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(
        tarvex_brevane_meta_model_meta_function_new_with_names("db", "s", "f")));
    tarvex_brevane_meta_model_meta_routine_set_return_type(function.get(), "int");
    const std::string function_body =
        "BEGIN\n/*" + go_line + "DROP TABLE dbo.victim */\n" + "RETURN 1\nEND";
    tarvex_brevane_meta_model_meta_routine_set_body(function.get(), function_body.c_str());
    const std::string function_text = create(function.get());
    ASSERT_TRUE(statement_of(function_text)) << function_text;
    EXPECT_NE(statement_of(function_text)->find(function_body), std::string::npos);
    all.push_back({std::string("function, ") + f.what, function_text});

    // Triggers of a table and on their own.
    auto table = new_table("s", "t");
    add_column(table.get(), "a", "INT", 4);
    const std::string trigger_body = "PRINT N'x" + go_line + tail + "';";
    auto trigger = trigger_of(table.get(), "tr", trigger_body.c_str());
    const std::string table_with_trigger = table_text(table.get());
    all.push_back({std::string("table trigger, ") + f.what, table_with_trigger});
    const std::string lone =
        take(tarvex_brevane_contracts_database_ibuildable_build_trigger(ib(), trigger.get()));
    EXPECT_EQ(statement_of(lone),
              "CREATE TRIGGER [s].[tr] ON [s].[t] AFTER INSERT AS\n" + trigger_body);
    all.push_back({std::string("trigger, ") + f.what, lone});

    // Passwords of a login, a contained user and an application role.
    auto login =
        adoptGRef(tarvex_brevane_meta_model_meta_user_new_with_names("db", "", "l", "server"));
    set_attr(login.get(), "AUTHENTICATION", "PASSWORD");
    const std::string password = "pw" + go_line + tail;
    tarvex_brevane_meta_model_meta_relation_set_password(
        TARVEX_BREVANE_META_MODEL_META_RELATION(login.get()), password.c_str());
    const std::string login_text = create(login.get());
    EXPECT_EQ(statement_of(login_text), "CREATE LOGIN [l] WITH PASSWORD = N'" + password + "';")
        << login_text;
    all.push_back({std::string("login, ") + f.what, login_text});

    auto user = adoptGRef(tarvex_brevane_meta_model_meta_user_new_with_names("db", "", "u", ""));
    set_attr(user.get(), "AUTHENTICATION", "PASSWORD");
    tarvex_brevane_meta_model_meta_relation_set_password(
        TARVEX_BREVANE_META_MODEL_META_RELATION(user.get()), password.c_str());
    tarvex_brevane_meta_model_meta_object_set_comment(META(user.get()),
                                                      ("who" + go_line + tail).c_str());
    const std::string user_text = create(user.get());
    EXPECT_EQ(statement_of(user_text), "CREATE USER [u] WITH PASSWORD = N'" + password + "';")
        << user_text;
    all.push_back({std::string("user, ") + f.what, user_text});

    for (const auto& t : std::vector<std::string>{proc_text, view_text, function_text,
                                                  table_with_trigger, lone, login_text, user_text})
      expect_tail_never_runs(t, f.what);
  }
  expect_valid_tsql(all);
}

}  // namespace
}  // namespace tarvex::test
