// SQLServerAdapter: the deep fill of a schema reads each catalog view once
// for the whole schema and gives, JSON for JSON, what filling each table,
// view and routine on its own gives.
#include <string>
#include <vector>

#include "tests/brevane/database/sqlserver/sql_server_adapter_fill-test.h"
#include "tests/support/tds-catalog.h"

namespace tarvex::test::dialect {
namespace {

namespace catalog = tarvex::test::catalog;
using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;

// A schema whose name and objects hold quotes, brackets, blanks, keywords
// and non-ASCII text.
const char* const kSchema = "Sh'op ]x";

// A table with every part the fill reads; `n` varies its details.
catalog::Table rich_table(const std::string& name, int n, bool xml) {
  catalog::Table t;
  t.name = name;
  const std::string k = std::to_string(n);
  t.columns = {
      {"1", "id", "int", "4", "10", "0", "0", nullopt, nullopt, "Row id " + k},
      {"2", "títle 😀", "nvarchar", "40", "0", "0", "1", "(N'it''s')",
       "SQL_Latin1_General_CP1_CI_AS", nullopt},
      // Column 3 was dropped: the ids keep the gap.
      {"4", "amount", "decimal", "17", "38", "4", "0", "((0))", nullopt, "to 38 digits"},
      {"5", "notes", "nvarchar", "-1", "0", "0", "1", nullopt, "Latin1_General_CI_AS", ""},
      {"6", "at", "datetime2", "8", "27", "7", "0", "(sysdatetime())", nullopt, nullopt},
      {"7", "SELECT", "varchar", "10", "0", "0", "1", "('')", "Latin1_General_CI_AS", nullopt}};
  t.primary_key = {{"PK_" + name, "4", "amount", "1"}, {"PK_" + name, "1", "id", "2"}};
  t.indexes = {{"2", "IX " + name, "NONCLUSTERED", "0", "0", "5", "notes", "0", "0", "Titles", "1",
                "([SELECT] IS NOT NULL)"},
               {"2", "IX " + name, "NONCLUSTERED", "0", "0", "2", "títle 😀", "1", "1", "Titles",
                "0", "([SELECT] IS NOT NULL)"},
               {"3", "CS_" + k, "NONCLUSTERED COLUMNSTORE", "0", "1", "6", "at", "0", "0", nullopt,
                "1", nullopt}};
  t.triggers = {
      {"trg_" + k, "TR", "U ", name, "1", "1", "0", "0", "0", "0",
       "CREATE TRIGGER t ON x\nWITH EXECUTE AS 'bob'\nAFTER INSERT, UPDATE AS\nBEGIN\n  SELECT "
       "1; -- AS noted\nEND\n",
       "5", "bob", nullopt, nullopt, nullopt, nullopt, nullopt, "Audit " + k},
      {"trg_clr", "TA", "U ", name, "0", "0", "1", "1", "1", "1", nullopt, nullopt, nullopt,
       "Audit.Lib", "Audit.Triggers", "OnDelete", "-2", nullopt, nullopt}};
  t.checks = {
      {"11", "CK_a" + k, "CHECK_CONSTRAINT", "0", "1", "([amount]>(0))", "Positive"},
      {"12", "CK_b" + k, "CHECK_CONSTRAINT", "1", "0", "([id]>(0)) OR ([SELECT]<'1')", nullopt}};
  // Two keys of two columns each, their rows interleaved.
  t.foreigns = {{"FK_a" + k, "FOREIGN_KEY_CONSTRAINT", "CASCADE", "NO_ACTION", "0", "Parent", "id",
                 kSchema, "Parent", "pid"},
                {"FK_b" + k, "FOREIGN_KEY_CONSTRAINT", "NO_ACTION", "SET_NULL", "1", nullopt,
                 "SELECT", "ref", "Codes", "code"},
                {"FK_a" + k, "FOREIGN_KEY_CONSTRAINT", "CASCADE", "NO_ACTION", "0", "Parent",
                 "amount", kSchema, "Parent", "pamount"},
                {"FK_b" + k, "FOREIGN_KEY_CONSTRAINT", "NO_ACTION", "SET_NULL", "1", nullopt, "at",
                 "ref", "Codes", "at"}};
  t.uniques = {{"5", "UQ_pair" + k, "NONCLUSTERED", "1", "0", "7", "SELECT", "1", "0", "Pairs"},
               {"5", "UQ_pair" + k, "NONCLUSTERED", "1", "0", "2", "títle 😀", "2", "1", "Pairs"},
               {"6", "UQ_one" + k, "CLUSTERED", "1", "0", "1", "id", "1", "0", nullopt}};
  t.general = {{std::to_string(n % 3), n % 2 ? tds::Cell("1") : nullopt,
                n % 2 ? tds::Cell("99999999999999999999999999999999999999") : nullopt,
                "Table " + name}};
  t.spaces = {{name, "PRIMARY", "FG", nullopt, "LOBS", "FS", "FD"}};
  t.partitions = {{"1", "2", "0"}, {"2", "0", "1"}, {"3", "0", "0"}};
  (void)xml;
  return t;
}

catalog::Schema rich_schema(int tables, bool xml) {
  catalog::Schema s;
  s.name = kSchema;
  s.xml_compression = xml;
  const char* names[] = {"Orders", "O'Brien ]Items", "Ünïcode 😀 table", "SELECT"};
  for (int i = 0; i < tables; i++) {
    std::string name = i < 4 ? names[i] : "T" + std::to_string(i);
    s.tables.push_back(rich_table(name, i, xml));
  }
  s.views = {{"V'one",
              {"CREATE VIEW v AS SELECT 1 AS a WITH CHECK OPTION", "1", "1", "0", "1", "1", "1",
               "View one"}},
             {"V locked", {nullopt, "1", "1", "0", "0", "0", "0", nullopt}}};
  s.routines = {
      {"usp_run",
       "P ",
       {"P ", "CREATE PROCEDURE usp_run @a int = 5, @b nvarchar(10) OUTPUT AS SELECT @a", "0", "0",
        "0", "0", "0", "0", nullopt, nullopt, nullopt, nullopt, "2024-01-01", "2024-01-02", "Runs",
        nullopt},
       {{"@a", "int", "4", "10", "0", "1", nullopt, "0", "0", "1"},
        {"@b", "nvarchar", "20", "0", "0", "1", nullopt, "1", "0", "2"}}},
      {"fn_one",
       "FN",
       {"FN", "CREATE FUNCTION fn_one() RETURNS int AS BEGIN RETURN 1 END", "0", "0", "1", "0", "0",
        "0", nullopt, nullopt, nullopt, nullopt, "2024-01-01", "2024-01-02", nullopt, "-2"},
       {{"", "int", "4", "10", "0", "1", nullopt, "1", "0", "0"}}}};
  return s;
}

// An adapter whose check filler marks each table it fills.
struct CheckingAdapter {
  TarvexBrevaneSupportsDatabaseSQLServerAdapter parent_instance;
};
struct CheckingAdapterClass {
  TarvexBrevaneSupportsDatabaseSQLServerAdapterClass parent_class;
};
G_DEFINE_TYPE(CheckingAdapter, checking_adapter,
              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER)

TarvexBrevaneMetaModelMetaTable* checking_fill_check(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    GError** error) {
  auto* parent = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerAdapterClass*>(
      checking_adapter_parent_class);
  auto* filled = parent->fill_schema_table_check(self, table, error);
  if (filled)
    gee_abstract_map_set(
        GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(META(table))),
        "CHECKED", "yes");
  return filled;
}

void checking_adapter_class_init(CheckingAdapterClass* klass) {
  klass->parent_class.fill_schema_table_check = checking_fill_check;
}
void checking_adapter_init(CheckingAdapter*) {}

class AdapterTableTest : public AdapterFillTest {
 protected:
  GRef<MetaSchema> schema() {
    return adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("Shop", kSchema));
  }
  // A batch of one object's own queries, not of the whole schema's.
  static bool per_object(const std::string& batch) {
    for (const char* own : {"AND OBJECT_NAME(", "AND ao.name=", "AND o.name=", "AND t.name=",
                            "AND av.name=", "AND tr.name="})
      if (batch.find(own) != std::string::npos) return true;
    return false;
  }
  int per_object_batches() const {
    int n = 0;
    for (const auto& batch : sent()) n += per_object(batch);
    return n;
  }

  // The schema filled as the deep fill did before: listed, then each
  // object on its own.
  GRef<MetaSchema> filled_one_by_one() {
    auto s = schema();
    EXPECT_EQ(fill(s.get(), false, true), nullptr);
    for (auto& t : objects(tarvex_brevane_meta_model_meta_schema_get_tables(s.get())))
      EXPECT_EQ(fill(t.get(), false, true), nullptr);
    for (auto& v : objects(tarvex_brevane_meta_model_meta_schema_get_views(s.get())))
      EXPECT_EQ(fill(v.get()), nullptr);
    for (auto& r : objects(tarvex_brevane_meta_model_meta_schema_get_routines(s.get())))
      EXPECT_EQ(fill(r.get()), nullptr);
    return s;
  }

  static std::vector<GRef<GObject>> objects(GeeArrayList* list) {
    std::vector<GRef<GObject>> out;
    for (int i = 0; i < size_of(list); i++) out.push_back(item<GObject>(list, i));
    return out;
  }
};

// The deep fill equals the fill of each object on its own, on servers with
// and without XML compression and on the version-10 adapter.
TEST_F(AdapterTableTest, DeepFillEqualsTheFillOfEachObject) {
  for (const char* version : {"16.0.1000.6", "15.0.2000.5", "10.50.6000.34"}) {
    SCOPED_TRACE(version);
    server_.clear_rules();
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    open(version);
    const bool xml = std::string(version).rfind("16", 0) == 0;
    catalog::script(server_, rich_schema(4, xml));

    mark();
    auto together = schema();
    ASSERT_EQ(fill(together.get(), true, true), nullptr);
    // Listing (5), table parts (10), views (1), routines and parameters (2).
    EXPECT_EQ(sent().size(), 18u);
    EXPECT_EQ(per_object_batches(), 0);

    mark();
    auto alone = filled_one_by_one();
    EXPECT_EQ(sent().size(), 5u + 4 * 10 + 2 + 2 * 2);
    EXPECT_EQ(per_object_batches(), 4 * 10 + 2 + 2 * 2);

    GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(together.get());
    ASSERT_EQ(size_of(tables), 4);
    for (int i = 0; i < 4; i++) {
      auto t = item<MetaTable>(tables, i);
      SCOPED_TRACE(tarvex_brevane_meta_model_meta_object_get_name(META(t.get())));
      EXPECT_TRUE(is_filled(t.get()));
      EXPECT_EQ(
          json_of(t.get()),
          json_of(item<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(alone.get()), i)
                      .get()));
      // What was read is really there, not two empty tables compared.
      EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 6);
      EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_constraints(t.get())), 6);
      EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_triggers(t.get())), 2);
      EXPECT_EQ(option(t.get(), "DATA_COMPRESSION_PARTITIONS"), "1=2");
      EXPECT_EQ(has_option(t.get(), "XML_COMPRESSION_PARTITIONS"), xml);
    }
    for (auto* list : {tarvex_brevane_meta_model_meta_schema_get_views(together.get()),
                       tarvex_brevane_meta_model_meta_schema_get_routines(together.get())})
      for (auto& object : objects(list)) EXPECT_TRUE(is_filled(object.get()));
    EXPECT_EQ(json_of(together.get()), json_of(alone.get()));
    drop_provider_logs();
  }
}

// The number of batches of a deep fill does not grow with the tables.
TEST_F(AdapterTableTest, DeepFillBatchesDoNotGrowWithTheTables) {
  open();
  std::vector<size_t> counts;
  for (int tables : {0, 1, 2, 40}) {
    SCOPED_TRACE(tables);
    server_.clear_rules();
    catalog::Schema s = rich_schema(tables, true);
    catalog::script(server_, s, catalog::Reads::WholeSchema);
    mark();
    auto filled = schema();
    ASSERT_EQ(fill(filled.get(), true, true), nullptr);
    EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_schema_get_tables(filled.get())), tables);
    counts.push_back(sent().size());
  }
  // Without tables no table part is read.
  EXPECT_EQ(counts[0], 5u + 1 + 2);
  for (size_t i = 1; i < counts.size(); i++) EXPECT_EQ(counts[i], 18u) << i;

  // Not full: columns and keys only, no routine listed.
  server_.clear_rules();
  catalog::script(server_, rich_schema(3, true), catalog::Reads::WholeSchema);
  mark();
  auto plain = schema();
  ASSERT_EQ(fill(plain.get(), true, false), nullptr);
  EXPECT_EQ(sent().size(), 3u + 2 + 1);
  auto t = item<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(plain.get()), 2);
  EXPECT_TRUE(is_filled(t.get()));
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 6);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_indexes(t.get())), 0);
  EXPECT_EQ(attr(t.get(), "PRIMARY_KEY_NAME"), "PK_Ünïcode 😀 table");
}

// A class that replaces a part of the table fill gets its own filler
// called for each table: the deep fill then fills each table on its own.
TEST_F(AdapterTableTest, ReplacedPartFillerIsCalledForEachTable) {
  open();
  catalog::script(server_, rich_schema(3, true));
  auto checking = adoptGRef(reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapter*>(
      tarvex_brevane_supports_database_sql_server_adapter_construct(checking_adapter_get_type(),
                                                                    iconn())));
  mark();
  auto filled = schema();
  GError* error = nullptr;
  tarvex_brevane_supports_database_adapter_fill_meta_schema(checking.get(), filled.get(), TRUE,
                                                            TRUE, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  for (auto& t : objects(tarvex_brevane_meta_model_meta_schema_get_tables(filled.get()))) {
    EXPECT_TRUE(is_filled(t.get()));
    EXPECT_EQ(attr(t.get(), "CHECKED"), "yes");
  }
  EXPECT_EQ(per_object_batches(), 3 * 10 + 0);
  // Its views and routines are still read for the whole schema.
  EXPECT_EQ(sent().size(), 5u + 3 * 10 + 1 + 2);
}

// A table the whole schema's column read does not show is asked for on its
// own: the catalog then says it is gone, the fill stops there and the
// schema stays unmarked; the tables before it are filled.
TEST_F(AdapterTableTest, TableMissingFromTheWholeReadIsAskedForAlone) {
  open();
  catalog::Schema s = rich_schema(3, true);
  catalog::script(server_, s);
  // The listing names a table that has no catalog rows (dropped meanwhile).
  server_.on_pattern("type in \\('U', 'V', 'IT', 'S'\\)")
      .result({{"name", "sysname"}, {"type", "char(2)"}})
      .row({"Orders", "U "})
      .row({"Gone", "U "})
      .row({"SELECT", "U "});
  server_.on_pattern("(?s)FROM sys\\.all_columns ac.*OBJECT_NAME\\(ac\\.object_id\\) = N'Gone'")
      .result(catalog::kColumnColumns);
  mark();
  auto filled = schema();
  expect_not_found(fill(filled.get(), true, true), "Table [Sh'op ]]x].[Gone] not found.");
  EXPECT_FALSE(is_filled(filled.get()));
  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(filled.get());
  EXPECT_TRUE(is_filled(item<MetaTable>(tables, 0).get()));
  EXPECT_FALSE(is_filled(item<MetaTable>(tables, 1).get()));
  EXPECT_FALSE(is_filled(item<MetaTable>(tables, 2).get()));
  // One own query: the column read of the table that is gone.
  EXPECT_EQ(per_object_batches(), 1);
}

// A failing whole read stops the fill before any table is written.
TEST_F(AdapterTableTest, FailingWholeReadStopsTheFill) {
  open();
  for (const char* failing :
       {"FROM sys\\.all_columns ac", "FROM sys\\.triggers tr", "FROM sys\\.partitions p",
        "FROM sys\\.all_views av", "FROM sys\\.all_parameters ap"}) {
    SCOPED_TRACE(failing);
    server_.clear_rules();
    catalog::script(server_, rich_schema(2, true), catalog::Reads::WholeSchema);
    server_.on_pattern(failing).error(229, 14, "The SELECT permission was denied.");
    auto filled = schema();
    expect_query_error(fill(filled.get(), true, true), "permission was denied");
    EXPECT_FALSE(is_filled(filled.get()));
  }
  // The tables were not written when a table part failed.
  server_.clear_rules();
  catalog::script(server_, rich_schema(2, true), catalog::Reads::WholeSchema);
  server_.on_pattern("FROM sys\\.check_constraints cc").error(229, 14, "Denied.");
  auto filled = schema();
  expect_query_error(fill(filled.get(), true, true), "Denied");
  auto t = item<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(filled.get()), 0);
  EXPECT_FALSE(is_filled(t.get()));
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(t.get())), 0);

  // Filled once, asked nothing again.
  server_.clear_rules();
  catalog::script(server_, rich_schema(2, true), catalog::Reads::WholeSchema);
  auto once = schema();
  ASSERT_EQ(fill(once.get(), true, true), nullptr);
  mark();
  ASSERT_EQ(fill(once.get(), true, true), nullptr);
  EXPECT_TRUE(sent().empty());
}

// A reset schema filled deep again lists and reads its tables again, the
// same as before.
TEST_F(AdapterTableTest, RefillAfterResetReadsTheWholeSchemaAgain) {
  open();
  catalog::script(server_, rich_schema(2, true));
  auto filled = schema();
  ASSERT_EQ(fill(filled.get(), false, true), nullptr);
  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(filled.get());
  for (auto& t : objects(tables)) ASSERT_EQ(fill(t.get(), false, true), nullptr);
  const std::string before = json_of(item<MetaTable>(tables, 0).get());
  // A deep fill after a reset of the schema alone lists the tables again;
  // the listed ones are new and read once, the old ones are gone with the
  // reset lists.
  tarvex_brevane_meta_model_meta_object_reset(META(filled.get()));
  mark();
  ASSERT_EQ(fill(filled.get(), true, true), nullptr);
  EXPECT_EQ(per_object_batches(), 0);
  EXPECT_EQ(size_of(tables = tarvex_brevane_meta_model_meta_schema_get_tables(filled.get())), 2);
  EXPECT_EQ(json_of(item<MetaTable>(tables, 0).get()), before);
}

}  // namespace
}  // namespace tarvex::test::dialect
