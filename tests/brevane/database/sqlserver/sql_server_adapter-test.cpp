// SQLServerAdapter: schemas, tables and synonyms filled from scripted
// catalog answers whose cells have the catalog's own types.
#include <string>
#include <vector>

#include "tests/brevane/database/sqlserver/sql_server_adapter_fill-test.h"

namespace tarvex::test::dialect {
namespace {

using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;
using MetaColumn = TarvexBrevaneMetaModelMetaColumn;

// Catalog patterns: one distinctive piece of each query.
constexpr const char* kColumns = "FROM sys\\.all_columns ac";
constexpr const char* kPrimary = "ix\\.is_primary_key = 1";
constexpr const char* kIndexes = "ix\\.is_primary_key = 0 AND ix\\.is_unique_constraint = 0";
constexpr const char* kTriggers = "FROM sys\\.triggers tr";
constexpr const char* kChecks = "FROM sys\\.check_constraints cc";
constexpr const char* kForeigns = "FROM sys\\.foreign_key_columns fc";
constexpr const char* kUniques = "ix\\.is_unique_constraint = 1";
constexpr const char* kGeneral = "sys\\.change_tracking_tables";
constexpr const char* kSpaces = "lob_data_space_name";
constexpr const char* kPartitions = "FROM sys\\.partitions p INNER JOIN";

const std::vector<tds::Column> kColumnColumns = {{"column_id", "int"},
                                                 {"name", "sysname"},
                                                 {"type", "sysname", true},
                                                 {"max_length", "smallint"},
                                                 {"precision", "tinyint"},
                                                 {"scale", "tinyint"},
                                                 {"is_nullable", "bit", true},
                                                 {"definition", "nvarchar(max)", true},
                                                 {"collation_name", "sysname", true},
                                                 {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kIndexColumns = {{"index_id", "int"},
                                                {"index_name", "sysname", true},
                                                {"type_desc", "nvarchar(60)", true},
                                                {"is_unique", "bit", true},
                                                {"is_disabled", "bit", true},
                                                {"column_id", "int"},
                                                {"column_name", "sysname", true},
                                                {"key_ordinal", "tinyint"},
                                                {"is_descending_key", "bit", true},
                                                {"comment", "nvarchar(max)", true},
                                                {"is_included_column", "bit", true},
                                                {"filter_definition", "nvarchar(max)", true}};

std::vector<tds::Column> unique_columns() {
  return std::vector<tds::Column>(kIndexColumns.begin(), kIndexColumns.begin() + 10);
}

const std::vector<tds::Column> kCheckColumns = {{"object_id", "int"},
                                                {"name", "sysname"},
                                                {"type_desc", "nvarchar(60)", true},
                                                {"is_disabled", "bit"},
                                                {"is_not_for_replication", "bit"},
                                                {"definition", "nvarchar(max)", true},
                                                {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kForeignColumns = {
    {"name", "sysname", true},
    {"type_desc", "nvarchar(60)", true},
    {"delete_referential_action_desc", "nvarchar(60)", true},
    {"update_referential_action_desc", "nvarchar(60)", true},
    {"is_disabled", "bit", true},
    {"comment", "nvarchar(max)", true},
    {"local_column", "sysname", true},
    {"refer_schema", "sysname", true},
    {"refer_table", "sysname", true},
    {"refer_column", "sysname", true}};

class AdapterTest : public AdapterFillTest {
 protected:
  GRef<MetaTable> table(const char* schema = "dbo", const char* name = "CASES") {
    return adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("Shop", schema, name));
  }

  // The catalog of the table dbo.CASES: a dropped column (id 3) leaves a
  // gap; the key is on the column after it.
  void script_columns() {
    server_.on_pattern(kColumns)
        .result(kColumnColumns)
        .row({"1", "id", "int", "4", "10", "0", "0", nullopt, nullopt, "Row id"})
        .row({"2", "title", "nvarchar", "40", "0", "0", "1", nullopt,
              "SQL_Latin1_General_CP1_CI_AS", nullopt})
        .row({"4", "amount", "decimal", "9", "10", "2", "0", "((0))", nullopt, nullopt})
        .row({"5", "notes", "nvarchar", "-1", "0", "0", "1", nullopt, "Latin1_General_CI_AS",
              nullopt})
        .row(
            {"6", "created", "datetime2", "8", "27", "7", "0", "(sysdatetime())", nullopt, nullopt})
        .row({"7", "at", "time", "5", "12", "3", "1", nullopt, nullopt, nullopt})
        .row(
            {"8", "code", "varchar", "10", "0", "0", "1", "('')", "Latin1_General_CI_AS", nullopt});
    server_.on_pattern(kPrimary)
        .result({{"name", "sysname", true},
                 {"column_id", "int"},
                 {"column_name", "sysname", true},
                 {"key_ordinal", "tinyint"}})
        .row({"PK_CASES", "4", "amount", "1"})
        .row({"PK_CASES", "1", "id", "2"});
  }

  void script_details(const char* version_suffix_partitions = "16") {
    server_.on_pattern(kIndexes)
        .result(kIndexColumns)
        // The included column comes first (key_ordinal 0).
        .row({"2", "IX_title", "NONCLUSTERED", "0", "0", "5", "notes", "0", "0", "Titles", "1",
              "([code] IS NOT NULL)"})
        .row({"2", "IX_title", "NONCLUSTERED", "0", "0", "2", "title", "1", "1", "Titles", "0",
              "([code] IS NOT NULL)"})
        .row({"2", "IX_title", "NONCLUSTERED", "0", "0", "8", "code", "2", "0", "Titles", "0",
              "([code] IS NOT NULL)"})
        .row({"3", "IX_cs", "NONCLUSTERED COLUMNSTORE", "0", "1", "7", "at", "0", "0", nullopt, "1",
              nullopt})
        .row({"4", "UX_code", "NONCLUSTERED HASH", "1", "0", "8", "code", "1", "0", nullopt, "0",
              nullopt});
    server_.on_pattern(kTriggers)
        .result(kTriggerColumns)
        .row({"trg_ASSET", "TR", "U ", "CASES", "1", "1", "0", "0", "0", "0",
              "CREATE TRIGGER [dbo].[trg_ASSET] ON [dbo].[CASES]\nWITH EXECUTE AS 'bob'\n"
              "AFTER INSERT, UPDATE AS\nBEGIN\n  SET NOCOUNT ON; -- AS noted\nEND\n",
              "5", "bob", nullopt, nullopt, nullopt, nullopt, nullopt, "Audit"})
        .row({"trg_clr", "TA", "U ", "CASES", "0", "0", "1", "1", "1", "1", nullopt, nullopt,
              nullopt, "Audit.Lib", "Audit.Triggers", "OnDelete", "1", "OWNER", nullopt});
    server_.on_pattern(kChecks)
        .result(kCheckColumns)
        .row({"11", "CK_amount", "CHECK_CONSTRAINT", "0", "1", "([amount]>(0))", "Positive"})
        .row({"12", "CK_pair", "CHECK_CONSTRAINT", "1", "0", "([a]>(0)) OR ([b]<(1))", nullopt});
    // Two keys of two columns each, their rows interleaved.
    server_.on_pattern(kForeigns)
        .result(kForeignColumns)
        .row({"FK_a", "FOREIGN_KEY_CONSTRAINT", "CASCADE", "NO_ACTION", "0", "Parent", "id", "dbo",
              "Parent", "pid"})
        .row({"FK_b", "FOREIGN_KEY_CONSTRAINT", "NO_ACTION", "SET_NULL", "1", nullopt, "code",
              "ref", "Codes", "code"})
        .row({"FK_a", "FOREIGN_KEY_CONSTRAINT", "CASCADE", "NO_ACTION", "0", "Parent", "title",
              "dbo", "Parent", "ptitle"})
        .row({"FK_b", "FOREIGN_KEY_CONSTRAINT", "NO_ACTION", "SET_NULL", "1", nullopt, "at", "ref",
              "Codes", "at"});
    server_.on_pattern(kUniques)
        .result(unique_columns())
        .row({"5", "UQ_pair", "NONCLUSTERED", "1", "0", "8", "code", "1", "0", "Pairs"})
        .row({"5", "UQ_pair", "NONCLUSTERED", "1", "0", "2", "title", "2", "1", "Pairs"})
        .row({"6", "UQ_one", "CLUSTERED", "1", "0", "1", "id", "1", "0", nullopt});
    server_.on_pattern(kGeneral)
        .result({{"lock_escalation", "tinyint", true},
                 {"is_track_columns_updated_on", "bit", true},
                 {"current_value", "numeric(38,0)", true},
                 {"comment", "nvarchar(max)", true}})
        .row({"2", "1", "42", "Cases table"});
    server_.on_pattern(kSpaces)
        .result({{"name", "sysname"},
                 {"data_space_name", "sysname", true},
                 {"data_space_type", "char(2)", true},
                 {"data_space_column", "sysname", true},
                 {"lob_data_space_name", "sysname", true},
                 {"filestream_data_space_name", "sysname", true},
                 {"filestream_data_space_type", "char(2)", true}})
        .row({"CASES", "PRIMARY", "FG", nullopt, "LOBS", "FS", "FD"});
    if (std::string(version_suffix_partitions) == "16")
      server_.on_pattern(kPartitions)
          .result({{"partition_number", "int"},
                   {"data_compression", "tinyint"},
                   {"xml_compression", "bit"}})
          .row({"1", "2", "0"})
          .row({"2", "0", "1"})
          .row({"3", "0", "0"})
          .row({"4", "1", "1"});
    else
      server_.on_pattern(kPartitions)
          .result({{"partition_number", "int"}, {"data_compression", "tinyint"}})
          .row({"1", "0"})
          .row({"2", "1"});
  }

  void fill_table(MetaTable* t, bool full, GError** error = nullptr) {
    tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapter().get(), t, full, error);
  }

  GRef<MetaColumn> column(MetaTable* t, int i) {
    return item<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(t), i);
  }
  std::string column_name(MetaTable* t, int i) {
    return tarvex_brevane_meta_model_meta_object_get_name(META(column(t, i).get()));
  }
};

TEST_F(AdapterTest, ConnectionHandsOutTheSqlServerAdapter) {
  open();
  ASSERT_TRUE(adapter());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(adapter().get()),
               "TarvexBrevaneSupportsDatabaseSQLServerAdapter");
  EXPECT_TRUE(g_type_is_a(tarvex_brevane_supports_database_sql_server_adapter_get_type(),
                          tarvex_brevane_supports_database_adapter_get_type()));
  // Servers of version 10 and lower, and those whose version does not
  // parse, get the version-10 adapter, a kind of the current one.
  for (const char* version : {"10.50.6000.34", "9.00.5000.00", "unknown"}) {
    SCOPED_TRACE(version);
    server_.clear_rules();
    open(version);
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(adapter().get()),
                 "TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x");
    EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_ADAPTER(adapter().get()));
  }
  server_.clear_rules();
  open("11.0.2100.60");
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(adapter().get()),
               "TarvexBrevaneSupportsDatabaseSQLServerAdapter");
}

TEST_F(AdapterTest, ColumnsAndPrimaryKeyFromTheCatalog) {
  open();
  script_columns();
  auto t = table();
  GError* error = nullptr;
  fill_table(t.get(), false, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_EQ(sent().size(), 2u) << "columns and key only";
  EXPECT_TRUE(is_filled(t.get()));

  GeeArrayList* columns = tarvex_brevane_meta_model_meta_table_get_columns(t.get());
  ASSERT_EQ(size_of(columns), 7);
  struct Expect {
    const char* name;
    guint ordinal;
    const char* raw;
    TarvexProvidersContractsDataType type;
    gint64 length;
    guint8 scale;
    bool not_null;
    const char* default_value;
    const char* collation;
    const char* after;
  } expected[] = {
      {"id", 1, "INT", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, 4, 0, true, "", "", ""},
      {"title", 2, "NVARCHAR", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, 20, 0, false, "",
       "SQL_Latin1_General_CP1_CI_AS", "id"},
      {"amount", 4, "DECIMAL", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, 10, 2, true, "((0))",
       "", "title"},
      {"notes", 5, "NVARCHAR", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, -1, 0, false, "",
       "Latin1_General_CI_AS", "amount"},
      {"created", 6, "DATETIME2", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 8, 7, true,
       "(sysdatetime())", "", "notes"},
      {"at", 7, "TIME", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME, 5, 3, false, "", "", "created"},
      {"code", 8, "VARCHAR", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 10, 0, false, "('')",
       "Latin1_General_CI_AS", "at"},
  };
  for (int i = 0; i < 7; i++) {
    const auto& e = expected[i];
    SCOPED_TRACE(e.name);
    auto c = column(t.get(), i);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(c.get())), e.name);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_ordinal(c.get()), e.ordinal);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_column_get_raw_type(c.get()), e.raw);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_data_type(c.get()), e.type);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_length(c.get()), e.length);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_scale(c.get()), e.scale);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_not_null(c.get()), e.not_null);
    EXPECT_EQ(take(g_strdup(tarvex_brevane_meta_model_meta_column_get_default_value(c.get()))),
              e.default_value);
    EXPECT_EQ(take(g_strdup(tarvex_brevane_meta_model_meta_column_get_collation(c.get()))),
              e.collation);
    if (i > 0) {
      EXPECT_EQ(take(g_strdup(tarvex_brevane_meta_model_meta_column_get_after(c.get()))), e.after);
    }
  }
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(column(t.get(), 0).get())),
               "Row id");

  // The key marks amount and id by name, despite the gap in the column ids.
  for (int i = 0; i < 7; i++) {
    auto c = column(t.get(), i);
    std::string name = column_name(t.get(), i);
    bool key = name == "amount" || name == "id";
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_is_primary_key(c.get()), key) << name;
    if (name == "amount") {
      EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_primary_ordinal(c.get()), 1);
    }
    if (name == "id") {
      EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_primary_ordinal(c.get()), 2);
    }
  }
  EXPECT_EQ(attr(t.get(), "PRIMARY_KEY_NAME"), "PK_CASES");

  // The key query is sent for the table, its schema and name as literals.
  EXPECT_NE(sent_with("ix.is_primary_key = 1")
                .find("OBJECT_SCHEMA_NAME(ic.object_id) = N'dbo' "
                      "AND OBJECT_NAME(ic.object_id) = N'CASES'"),
            std::string::npos);
}

TEST_F(AdapterTest, FullFillReadsEveryPart) {
  open("16.0.1000.6");
  script_columns();
  script_details();
  auto t = table();
  GError* error = nullptr;
  fill_table(t.get(), true, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_TRUE(is_filled(t.get()));
  EXPECT_EQ(sent().size(), 10u);

  // Indexes: key columns in key order, the included column apart, the filter.
  GeeArrayList* indexes = tarvex_brevane_meta_model_meta_table_get_indexes(t.get());
  ASSERT_EQ(size_of(indexes), 3);
  auto ix = item<TarvexBrevaneMetaModelMetaIndex>(indexes, 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(ix.get())), "IX_title");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_entity(ix.get()), "CASES");
  EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_index_get_columns(ix.get())),
            (std::vector<std::string>{"title DESC", "code ASC"}));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_include(ix.get()), "[notes]");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_where(ix.get()), "([code] IS NOT NULL)");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_method(ix.get()), "NONCLUSTERED");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_kind(ix.get()), "");
  EXPECT_FALSE(tarvex_brevane_meta_model_meta_index_get_is_clustered(ix.get()));
  EXPECT_EQ(attr(ix.get(), "UNIQUE"), "false");
  EXPECT_EQ(attr(ix.get(), "STATE"), "false");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(ix.get())), "Titles");
  auto cs = item<TarvexBrevaneMetaModelMetaIndex>(indexes, 1);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_kind(cs.get()), "COLUMNSTORE");
  EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_index_get_columns(cs.get())),
            (std::vector<std::string>{"at ASC"}));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_include(cs.get()), "");
  EXPECT_EQ(attr(cs.get(), "STATE"), "true");
  auto hash = item<TarvexBrevaneMetaModelMetaIndex>(indexes, 2);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_kind(hash.get()), "HASH");
  EXPECT_EQ(attr(hash.get(), "UNIQUE"), "true");

  // Triggers of the table named CASES.
  GeeArrayList* triggers = tarvex_brevane_meta_model_meta_table_get_triggers(t.get());
  ASSERT_EQ(size_of(triggers), 2);
  auto tr = item<TarvexBrevaneMetaModelMetaTrigger>(triggers, 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(tr.get())), "trg_ASSET");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_body(tr.get()),
               "BEGIN\n  SET NOCOUNT ON; -- AS noted\nEND");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_target(tr.get()), "CASES");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_event(tr.get()), "INSERT,UPDATE");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_timing(tr.get()), "AFTER");
  EXPECT_EQ(attr(tr.get(), "TARGET_TYPE"), "TABLE");
  EXPECT_EQ(attr(tr.get(), "DEFINITION_TYPE"), "SQL");
  EXPECT_EQ(attr(tr.get(), "EXECUTOR"), "USER");
  EXPECT_EQ(attr(tr.get(), "EXECUTOR_USER"), "bob");
  EXPECT_EQ(attr(tr.get(), "STATE"), "false");
  EXPECT_FALSE(has_attr(tr.get(), "ENCRYPTION"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(tr.get())), "Audit");
  auto clr = item<TarvexBrevaneMetaModelMetaTrigger>(triggers, 1);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_event(clr.get()), "DELETE");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_timing(clr.get()), "INSTEAD OF");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_function(clr.get()),
               "Audit.Lib.Audit.Triggers.OnDelete");
  EXPECT_EQ(attr(clr.get(), "DEFINITION_TYPE"), "EXTERNAL");
  EXPECT_EQ(attr(clr.get(), "EXECUTOR"), "OWNER");
  EXPECT_FALSE(has_attr(clr.get(), "EXECUTOR_USER"));
  EXPECT_EQ(attr(clr.get(), "ENCRYPTION"), "true");
  EXPECT_EQ(attr(clr.get(), "STATE"), "true");

  // Constraints: checks, then foreign keys, then unique constraints.
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(t.get());
  ASSERT_EQ(size_of(constraints), 6);
  auto ck = item<TarvexBrevaneMetaModelMetaCheck>(constraints, 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_check_get_check(ck.get()), "[amount]>(0)");
  EXPECT_EQ(attr(ck.get(), "REPLICATION"), "true");
  EXPECT_EQ(attr(ck.get(), "STATE"), "false");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(ck.get())), "Positive");
  auto pair = item<TarvexBrevaneMetaModelMetaCheck>(constraints, 1);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_check_get_check(pair.get()),
               "([a]>(0)) OR ([b]<(1))");
  EXPECT_EQ(attr(pair.get(), "REPLICATION"), "false");

  auto fa = item<TarvexBrevaneMetaModelMetaForeignKey>(constraints, 2);
  ASSERT_TRUE(TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(fa.get()));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(fa.get())), "FK_a");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_local_columns(fa.get()), "id,title");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_refer_columns(fa.get()),
               "pid,ptitle");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_refer_table(fa.get()), "Parent");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_delete_action(fa.get()), "CASCADE");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(fa.get())), "Parent");
  auto fb = item<TarvexBrevaneMetaModelMetaForeignKey>(constraints, 3);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(fb.get())), "FK_b");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_local_columns(fb.get()), "code,at");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_refer_schema(fb.get()), "ref");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_update_action(fb.get()), "SET_NULL");
  EXPECT_EQ(attr(fb.get(), "STATE"), "true");
  // The query keeps one key's columns together.
  EXPECT_NE(sent_with("foreign_key_columns").find("ORDER BY fk.name ASC, fc.constraint_column_id"),
            std::string::npos);
  EXPECT_NE(sent_with("foreign_key_columns").find("CAST(ep.value AS NVARCHAR(MAX))"),
            std::string::npos);

  auto uq = item<TarvexBrevaneMetaModelMetaUnique>(constraints, 4);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_unique_get_columns(uq.get()), "code ASC,title DESC");
  EXPECT_EQ(attr(uq.get(), "CLUSTERED"), "false");
  EXPECT_FALSE(has_attr(uq.get(), "KIND"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(uq.get())), "Pairs");
  auto one = item<TarvexBrevaneMetaModelMetaUnique>(constraints, 5);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_unique_get_columns(one.get()), "id ASC");
  EXPECT_EQ(attr(one.get(), "CLUSTERED"), "true");

  // Options and the comment.
  EXPECT_EQ(option(t.get(), "LOCK_ESCALATION"), "AUTO");
  EXPECT_EQ(option(t.get(), "CHANGE_TRACKING"), "true");
  EXPECT_EQ(option(t.get(), "TRACK_COLUMNS_UPDATED"), "true");
  EXPECT_EQ(option(t.get(), "IDENT_CURRENT"), "42");
  EXPECT_EQ(option(t.get(), "FILEGROUP_ON"), "PRIMARY");
  EXPECT_EQ(option(t.get(), "TEXTIMAGE_ON"), "LOBS");
  EXPECT_EQ(option(t.get(), "FILESTREAM_ON"), "FS");
  EXPECT_FALSE(has_option(t.get(), "PARTITION_SCHEMA"));
  EXPECT_EQ(option(t.get(), "DATA_COMPRESSION_PARTITIONS"), "1=2,4=1");
  EXPECT_EQ(option(t.get(), "XML_COMPRESSION_PARTITIONS"), "2=true");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(t.get())), "Cases table");
}

TEST_F(AdapterTest, Version15ReadsNoXmlCompression) {
  open("15.0.2000.5");
  script_columns();
  script_details("15");
  auto t = table();
  GError* error = nullptr;
  fill_table(t.get(), true, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_EQ(sent_with("sys.partitions p INNER").find("xml_compression"), std::string::npos);
  EXPECT_EQ(option(t.get(), "DATA_COMPRESSION_PARTITIONS"), "2=1");
  EXPECT_FALSE(has_option(t.get(), "XML_COMPRESSION_PARTITIONS"));
}

TEST_F(AdapterTest, FilledTableSendsNoQueryUntilReset) {
  open();
  script_columns();
  script_details();
  auto t = table();
  fill_table(t.get(), true);
  ASSERT_TRUE(is_filled(t.get()));
  mark();
  fill_table(t.get(), true);
  fill_table(t.get(), false);
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 7);

  // Reset empties the lists: a refill gives the same members, not twice.
  tarvex_brevane_meta_model_meta_object_reset(META(t.get()));
  EXPECT_FALSE(is_filled(t.get()));
  fill_table(t.get(), true);
  EXPECT_EQ(sent().size(), 10u);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 7);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_constraints(t.get())), 6);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_indexes(t.get())), 3);
}

TEST_F(AdapterTest, QueryErrorsReachTheCallerAndLeaveTheTableUnmarked) {
  open();
  script_columns();
  script_details();
  struct Case {
    const char* failing;
    int columns;  // columns filled before the failure
  } cases[] = {{kColumns, 0}, {kPrimary, 7}, {kTriggers, 7}, {kForeigns, 7}, {kPartitions, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    server_.on_pattern(c.failing).times(1).error(208, 16, "Invalid object name 'x'.");
    auto t = table();
    GError* error = nullptr;
    fill_table(t.get(), true, &error);
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::string(error->message).find("Invalid object name"), std::string::npos);
    g_error_free(error);
    EXPECT_FALSE(is_filled(t.get()));
    EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), c.columns);
    drop_provider_logs();
  }
}

TEST_F(AdapterTest, NamesEnterQueriesEscaped) {
  open();
  server_.on_pattern(kColumns)
      .result(kColumnColumns)
      .row({"1", "id", "int", "4", "10", "0", "0", nullopt, nullopt, nullopt});
  server_.on_pattern(kPrimary).result({{"name", "sysname", true},
                                       {"column_id", "int"},
                                       {"column_name", "sysname", true},
                                       {"key_ordinal", "tinyint"}});
  auto t = table("O'Neil", "x'); DROP TABLE t; --");
  GError* error = nullptr;
  fill_table(t.get(), false, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_NE(sent_with("sys.all_columns")
                .find("OBJECT_SCHEMA_NAME(ac.object_id) = N'O''Neil' AND "
                      "OBJECT_NAME(ac.object_id) = N'x''); DROP TABLE t; "
                      "--'"),
            std::string::npos)
      << sent().at(0);
}

// Every table query sends the names as Unicode literals, so names with
// letters outside the server's code page still match.
TEST_F(AdapterTest, TableQueriesSendUnicodeNames) {
  open("16.0.1000.6");
  script_columns();
  script_details();
  auto t = table("Λογιστική", "Κινήσεις");
  GError* error = nullptr;
  fill_table(t.get(), true, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  const auto batches = sent();
  ASSERT_EQ(batches.size(), 10u);
  for (const auto& batch : batches) {
    SCOPED_TRACE(batch);
    for (const std::string name : {"'Λογιστική'", "'Κινήσεις'"}) {
      size_t at = batch.find(name);
      EXPECT_NE(at, std::string::npos);
      for (; at != std::string::npos; at = batch.find(name, at + 1))
        EXPECT_TRUE(at > 0 && batch[at - 1] == 'N');
    }
  }
}

// The catalog knows no column of a missing table: not found, and no mark.
TEST_F(AdapterTest, MissingTableIsNotFound) {
  open();
  server_.on_pattern(kColumns).result(kColumnColumns);
  for (bool full : {false, true}) {
    SCOPED_TRACE(full ? "full" : "columns only");
    auto t = table("dbo", "Gone");
    GError* error = nullptr;
    fill_table(t.get(), full, &error);
    ASSERT_NE(error, nullptr);
    EXPECT_GERROR(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                  TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND);
    EXPECT_STREQ(error->message, "Table [dbo].[Gone] not found.");
    g_error_free(error);
    EXPECT_FALSE(is_filled(t.get()));
    EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 0);
    // Nothing is asked after the empty column list.
    EXPECT_TRUE(sent_with("ix.is_primary_key").empty());
  }
}

// TIME, DATETIME2 and DATETIMEOFFSET keep their fractional-second precision
// as the scale, 0 included; DATE and DATETIME keep the catalog's scale too.
TEST_F(AdapterTest, TimeTypesKeepTheirPrecision) {
  open();
  server_.on_pattern(kColumns)
      .result(kColumnColumns)
      .row({"1", "a", "datetime2", "7", "23", "3", "1", nullopt, nullopt, nullopt})
      .row({"2", "b", "datetimeoffset", "8", "26", "0", "1", nullopt, nullopt, nullopt})
      .row({"3", "c", "time", "3", "8", "0", "1", nullopt, nullopt, nullopt})
      .row({"4", "d", "datetime2", "8", "27", "7", "1", nullopt, nullopt, nullopt})
      .row({"5", "e", "date", "3", "10", "0", "1", nullopt, nullopt, nullopt})
      .row({"6", "f", "datetime", "8", "23", "3", "1", nullopt, nullopt, nullopt})
      .row({"7", "g", "int", "4", "10", "0", "1", nullopt, nullopt, nullopt});
  server_.on_pattern(kPrimary).result({{"name", "sysname", true},
                                       {"column_id", "int"},
                                       {"column_name", "sysname", true},
                                       {"key_ordinal", "tinyint"}});
  auto t = table();
  GError* error = nullptr;
  fill_table(t.get(), false, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  const struct {
    const char* raw;
    gint64 length;
    guint scale;
  } expected[] = {{"DATETIME2", 7, 3}, {"DATETIMEOFFSET", 8, 0}, {"TIME", 3, 0},
                  {"DATETIME2", 8, 7}, {"DATE", 3, 0},           {"DATETIME", 8, 3},
                  {"INT", 4, 0}};
  ASSERT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 7);
  for (int i = 0; i < 7; i++) {
    SCOPED_TRACE(i);
    auto c = column(t.get(), i);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_column_get_raw_type(c.get()), expected[i].raw);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_length(c.get()), expected[i].length);
    EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_scale(c.get()), expected[i].scale);
  }
}

TEST_F(AdapterTest, SchemaListsItsObjects) {
  open();
  server_.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA")
      .result({{"SCHEMA_OWNER", "nvarchar(128)", true},
               {"DEFAULT_CHARACTER_SET_NAME", "nvarchar(128)", true}})
      .row({"dbo", nullopt});
  server_.on_pattern("class_desc='SCHEMA'")
      .result({{"value", "nvarchar(max)", true}})
      .row({"Sales schema"});
  server_.on_pattern("type in \\('U', 'V', 'IT', 'S'\\)")
      .result({{"name", "sysname"}, {"type", "char(2)"}})
      .row({"Orders", "U "})
      .row({"OrderView", "V "})
      .row({"queue_messages_1", "IT"})
      .row({"sysrowsets", "S "});
  server_.on_pattern("type in \\('AF'")
      .result({{"name", "sysname"}, {"type", "char(2)"}})
      .row({"fn_total", "FN"})
      .row({"tvf_rows", "TF"})
      .row({"usp_run", "P "})
      .row({"xp_ext", "X "});
  server_.on_pattern("FROM sys\\.events")
      .result({{"object_id", "int"},
               {"event_name", "sysname", true},
               {"type_desc", "nvarchar(60)"},
               {"event_group_type_desc", "nvarchar(60)", true}})
      .row({"7", "trg_ddl", "CREATE_TABLE", nullopt})
      .row({"7", "trg_ddl", "ALTER_TABLE", nullopt});

  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("Shop", "sales"));
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter().get(), schema.get(),
                                                                FALSE, TRUE, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_TRUE(is_filled(schema.get()));
  EXPECT_EQ(attr(schema.get(), "OWNER"), "dbo");
  EXPECT_EQ(attr(schema.get(), "CHARACTER SET"), "");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(schema.get())),
               "Sales schema");
  // The comment, a sql_variant, is read as text.
  EXPECT_NE(sent_with("class_desc='SCHEMA'").find("CAST(value AS NVARCHAR(MAX))"),
            std::string::npos);

  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema.get());
  GeeArrayList* views = tarvex_brevane_meta_model_meta_schema_get_views(schema.get());
  ASSERT_EQ(size_of(tables), 3);
  ASSERT_EQ(size_of(views), 1);
  auto view = item<TarvexBrevaneMetaModelMetaView>(views, 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(view.get())), "OrderView");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_schema(META(view.get())), "sales");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_database(META(view.get())), "Shop");

  GeeArrayList* routines = tarvex_brevane_meta_model_meta_schema_get_routines(schema.get());
  ASSERT_EQ(size_of(routines), 4);
  const bool functions[] = {true, true, false, false};
  for (int i = 0; i < 4; i++) {
    auto routine = item<GObject>(routines, i);
    EXPECT_EQ(TARVEX_BREVANE_META_MODEL_IS_META_FUNCTION(routine.get()), functions[i]) << i;
    EXPECT_EQ(TARVEX_BREVANE_META_MODEL_IS_META_PROCEDURE(routine.get()), !functions[i]) << i;
  }
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_schema_get_events(schema.get())), 2);
  // Not deep: no table was filled.
  EXPECT_FALSE(is_filled(item<MetaTable>(tables, 0).get()));
  EXPECT_TRUE(sent_with("sys.all_columns").empty());

  // Filled once; reset and refill lists each object once.
  mark();
  tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter().get(), schema.get(), TRUE,
                                                                TRUE, nullptr);
  EXPECT_TRUE(sent().empty());
  tarvex_brevane_meta_model_meta_object_reset(META(schema.get()));
  tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter().get(), schema.get(),
                                                                FALSE, FALSE, &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(size_of(tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema.get())), 3);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_schema_get_routines(schema.get())), 0)
      << "not full: no routines";
  EXPECT_EQ(sent().size(), 3u);
}

TEST_F(AdapterTest, DeepSchemaFillFillsItsTables) {
  open();
  server_.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA")
      .result({{"SCHEMA_OWNER", "nvarchar(128)", true},
               {"DEFAULT_CHARACTER_SET_NAME", "nvarchar(128)", true}});
  server_.on_pattern("class_desc='SCHEMA'").result({{"value", "nvarchar(max)", true}});
  server_.on_pattern("type in \\('U', 'V', 'IT', 'S'\\)")
      .result({{"name", "sysname"}, {"type", "char(2)"}})
      .row({"CASES", "U "});
  script_columns();
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("Shop", "dbo"));
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapter().get(), META(schema.get()),
                                                                TRUE, FALSE, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_TRUE(is_filled(schema.get()));
  auto t = item<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()), 0);
  EXPECT_TRUE(is_filled(t.get()));
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 7);
  EXPECT_FALSE(has_attr(schema.get(), "OWNER")) << "no SCHEMATA row: no owner";

  // A table's failure stops the deep fill and leaves the schema unmarked.
  tarvex_brevane_meta_model_meta_object_reset(META(schema.get()));
  server_.on_pattern(kColumns).error(229, 14, "The SELECT permission was denied.");
  tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter().get(), schema.get(), TRUE,
                                                                FALSE, &error);
  ASSERT_NE(error, nullptr);
  g_clear_error(&error);
  EXPECT_FALSE(is_filled(schema.get()));
}

TEST_F(AdapterTest, Synonyms) {
  open();
  auto adapt = adapter();
  server_.on_pattern("FROM sys\\.synonyms sy")
      .result({{"base_object_name", "nvarchar(1035)", true}, {"comment", "nvarchar(max)", true}})
      .row({"[Shop].[dbo].[Orders]", "Old name"});
  auto synonym =
      adoptGRef(tarvex_brevane_meta_model_meta_synonym_new_with_names("Shop", "dbo", "Ord'ers"));
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapt.get(), META(synonym.get()),
                                                                FALSE, FALSE, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_synonym_get_target(synonym.get()),
               "[Shop].[dbo].[Orders]");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(synonym.get())), "Old name");
  EXPECT_TRUE(is_filled(synonym.get()));
  EXPECT_NE(
      sent_with("sys.synonyms").find("SCHEMA_NAME(sy.schema_id)=N'dbo' AND sy.name=N'Ord''ers'"),
      std::string::npos);

  // Not found: an error, no mark.
  server_.on_pattern("FROM sys\\.synonyms sy")
      .result({{"base_object_name", "nvarchar(1035)", true}, {"comment", "nvarchar(max)", true}});
  auto missing =
      adoptGRef(tarvex_brevane_meta_model_meta_synonym_new_with_names("Shop", "dbo", "none"));
  tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapt.get(), META(missing.get()),
                                                                FALSE, FALSE, &error);
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND);
  g_clear_error(&error);
  EXPECT_FALSE(is_filled(missing.get()));

  // A query error reaches the caller.
  server_.on_pattern("FROM sys\\.synonyms sy")
      .error(208, 16, "Invalid object name 'sys.synonyms'.");
  tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapt.get(), META(missing.get()),
                                                                FALSE, FALSE, &error);
  ASSERT_NE(error, nullptr);
  EXPECT_NE(std::string(error->message).find("sys.synonyms"), std::string::npos);
  g_clear_error(&error);
}

TEST_F(AdapterTest, ObjectsWithoutAFillerAreLeftAlone) {
  open();
  mark();
  auto column = adoptGRef(tarvex_brevane_meta_model_meta_column_new());
  auto check = adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names("d", "s", "c", "(1)"));
  GError* error = nullptr;
  for (gpointer object :
       {static_cast<gpointer>(column.get()), static_cast<gpointer>(check.get())}) {
    tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapter().get(), META(object),
                                                                  TRUE, TRUE, &error);
    EXPECT_EQ(error, nullptr);
    EXPECT_FALSE(is_filled(object));
  }
  EXPECT_TRUE(sent().empty());
}

TEST_F(AdapterTest, TypeNames) {
  open();
  auto* adapt = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerAdapter*>(adapter().get());
  struct Case {
    const char* code;
    const char* name;
  } cases[] = {{"FN", "FUNCTION"},  {"TF", "FUNCTION"},  {"AF", "FUNCTION"},  {"P ", "PROCEDURE"},
               {"PC", "PROCEDURE"}, {"X ", "PROCEDURE"}, {"RF", "PROCEDURE"}, {"U ", "TABLE"},
               {"IT", "TABLE"},     {"TT", "TABLE"},     {"  V  ", "VIEW"}};
  for (const auto& c : cases)
    EXPECT_EQ(
        take(tarvex_brevane_supports_database_sql_server_adapter_get_type_name(adapt, c.code)),
        c.name)
        << c.code;
  EXPECT_EQ(take(tarvex_brevane_supports_database_sql_server_adapter_get_type_name(adapt, "SN")),
            "");
  EXPECT_TRUE(take_log(G_LOG_LEVEL_MESSAGE, "adapter:1815: SN is unknown"));
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_adapter_get_type_name(adapt, nullptr),
                nullptr),
      "type != NULL");
}

TEST_F(AdapterTest, ExportedTypeLists) {
  EXPECT_STREQ(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_USER_LIST_INTERNAL[2], "OWNER");
  EXPECT_STREQ(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FUNCTION[5], "TF");
  EXPECT_STREQ(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_DATETIME[3],
               "TIMESTAMP");
  EXPECT_STREQ(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_CHARACTER[3],
               "NVARCHAR");
}

TEST_F(AdapterTest, BrokenPreconditions) {
  open();
  auto adapt = adapter();
  auto* object = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerAdapter*>(adapt.get());
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapt.get(), nullptr,
                                                                               TRUE, nullptr),
                  "table != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(
                      adapt.get(), nullptr, TRUE, TRUE, nullptr),
                  "schema != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iadaptable_fill_meta_object(
                      adapt.get(), nullptr, TRUE, TRUE, nullptr),
                  "meta_object != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_check(
                    object, nullptr, nullptr),
                nullptr),
      "table != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_options(
                    nullptr, nullptr, nullptr),
                nullptr),
      "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_database_sql_server_adapter_new(nullptr), nullptr),
      "connection != NULL");
}

}  // namespace
}  // namespace tarvex::test::dialect
