// Table patch of the SQL Server builder: ALTER scripts from change records
// built by hand (codes relative to the desired table: 4 only the desired
// table has the member, 2 only the server, 8 both, differing).
#include <algorithm>

#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "tests/brevane/database/sqlserver/builder-test.h"

namespace tarvex::test {
namespace {

using Table = TarvexBrevaneMetaModelMetaTable;
using Column = TarvexBrevaneMetaModelMetaColumn;

using enum tarvex::meta::ChangeCode;

struct Names {
  const char* schema;
  const char* table;
  const char* column;
  std::string two() const { return ms_br(schema) + "." + ms_br(table); }
  static std::string ms_br(const std::string& name) {
    std::string out = "[";
    for (char c : name) {
      out += c;
      if (c == ']') out += ']';
    }
    return out + "]";
  }
  static std::string lit(const std::string& text) {
    std::string out = "N'";
    for (char c : text) {
      out += c;
      if (c == '\'') out += '\'';
    }
    return out + "'";
  }
};
const Names kNames[] = {
    {"s", "t", "c"},
    {"o'k", "a]b \xC3\xBC", "c]'\xC3\xA9"},
};

class TablePatchTest : public OfflineBuilderTest {
 protected:
  std::string patch(Table* table) {
    return take(tarvex_brevane_contracts_database_ibuildable_patch_table(
        TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder.get()), table));
  }
  GRef<Table> table(const Names& n) {
    return adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", n.schema, n.table));
  }
};

// The statement that drops a column's default under whatever name the server
// gave it.
std::string drop_default(const std::string& two, const std::string& column) {
  const std::string lookup =
      "DECLARE @sql nvarchar(max) = (SELECT " +
      Names::lit("ALTER TABLE " + two + " DROP CONSTRAINT ") +
      " + QUOTENAME(dc.name) FROM sys.default_constraints dc WHERE "
      "dc.parent_object_id = OBJECT_ID(" +
      Names::lit(two) + ") AND dc.parent_column_id = COLUMNPROPERTY(OBJECT_ID(" + Names::lit(two) +
      "), " + Names::lit(column) + ", 'ColumnId')); IF @sql IS NOT NULL EXEC sp_executesql @sql;";
  return "EXEC sp_executesql " + Names::lit(lookup) + ";\n";
}

// The text inside the outer N'...' of a statement, quotes undoubled.
std::string inner_text(const std::string& statement) {
  const size_t b = statement.find("N'");
  const size_t e = statement.rfind("';");
  std::string out;
  for (size_t i = b + 2; i < e; ++i) {
    out += statement[i];
    if (statement[i] == '\'') ++i;
  }
  return out;
}

// ------------------------------------------------------------ the whole road

// A column whose type grows, that is the key, is indexed and has a default;
// a column dropped and one added: dependents go first and come back last.
TEST_F(TablePatchTest, DependentKeyIndexAndDefault) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    auto t = table(n);
    const std::string two = n.two();
    const std::string c = Names::ms_br(n.column);
    set_attr(t.get(), "PRIMARY_KEY_NAME", "PK_t");
    auto key = add_column(t.get(), n.column, "varchar", 20, 0, true);
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(key.get(), TRUE);
    tarvex_brevane_meta_model_meta_column_set_default_value(key.get(), "('x')");
    set_diff(key.get(), "length", kChanged);
    add_column(t.get(), "note", "nvarchar", -1);
    auto ix = adoptGRef(
        tarvex_brevane_meta_model_meta_index_new_with_names("db", n.schema, n.table, "ix"));
    tarvex_brevane_meta_model_meta_index_append(ix.get(),
                                                (std::string(n.column) + " DESC").c_str());
    add(tarvex_brevane_meta_model_meta_table_get_indexes(t.get()), ix.get());
    auto other = adoptGRef(
        tarvex_brevane_meta_model_meta_index_new_with_names("db", n.schema, n.table, "other"));
    tarvex_brevane_meta_model_meta_index_append(other.get(), "note ASC");
    add(tarvex_brevane_meta_model_meta_table_get_indexes(t.get()), other.get());
    set_diff(t.get(), (std::string("columns.") + n.column).c_str(), kChanged);
    set_diff(t.get(), "columns.old", kDropped);
    set_diff(t.get(), "columns.note", kCreated);

    const std::string text = patch(t.get());
    EXPECT_EQ(text, "ALTER TABLE " + two + " DROP CONSTRAINT [PK_t];\n" +
                        "DROP INDEX IF EXISTS [ix] ON " + two + ";\n" +
                        drop_default(two, n.column) + drop_default(two, "old") + "ALTER TABLE " +
                        two + " DROP COLUMN [old];\n" + "ALTER TABLE " + two +
                        " ADD [note] nvarchar(MAX) NULL;\n" + "ALTER TABLE " + two +
                        " ALTER COLUMN " + c + " varchar(20) NOT NULL;\n" + "ALTER TABLE " + two +
                        " ADD DEFAULT ('x') FOR " + c + ";\n" + "ALTER TABLE " + two +
                        " ADD CONSTRAINT [PK_t] PRIMARY KEY (" + c + ");\n" +
                        "CREATE NONCLUSTERED INDEX [ix] ON " + two + " (" + c + " DESC);\n");
    all.push_back({two, text});
    // The looked-up drop is T-SQL of its own.
    all.push_back({two + " lookup", inner_text(drop_default(two, n.column))});
  }
  expect_valid_tsql(all);
}

// ------------------------------------------------------------ one change at a time

TEST_F(TablePatchTest, ColumnChanges) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    const std::string two = n.two();
    const std::string c = Names::ms_br(n.column);
    const std::string alter = "ALTER TABLE " + two + " ALTER COLUMN " + c + " ";
    struct Case {
      const char* what;
      const char* type;
      gint64 length;
      guint8 scale;
      bool not_null;
      std::vector<std::pair<const char*, const char*>> attributes;
      const char* def;
      std::vector<std::pair<const char*, int>> record;
      std::string expected;
    } cases[] = {
        // Nullability is always written: without it the column turns nullable.
        {"collation only",
         "nvarchar",
         50,
         0,
         true,
         {},
         "",
         {{"collation", kChanged}},
         alter + "nvarchar(50) NOT NULL;\n"},
        {"nullable", "int", 4, 0, false, {}, "", {{"not-null", kChanged}}, alter + "int NULL;\n"},
        {"MAX",
         "varbinary",
         -1,
         0,
         true,
         {},
         "",
         {{"length", kChanged}},
         alter + "varbinary(MAX) NOT NULL;\n"},
        {"scale 0",
         "decimal",
         10,
         0,
         false,
         {},
         "",
         {{"scale", kChanged}},
         alter + "decimal(10, 0) NULL;\n"},
        // One statement per change; defaults are constraints.
        {"new default",
         "int",
         4,
         0,
         true,
         {},
         "((1))",
         {{"default-value", kChanged}},
         drop_default(two, n.column) + "ALTER TABLE " + two + " ADD DEFAULT ((1)) FOR " + c +
             ";\n"},
        {"empty-string default",
         "nvarchar",
         10,
         0,
         true,
         {},
         "EMPYT STRING",
         {{"default-value", kChanged}},
         drop_default(two, n.column) + "ALTER TABLE " + two + " ADD DEFAULT '' FOR " + c + ";\n"},
        {"default removed",
         "int",
         4,
         0,
         true,
         {},
         "",
         {{"default-value", kChanged}},
         drop_default(two, n.column)},
        {"type and default",
         "bigint",
         8,
         0,
         true,
         {},
         "((0))",
         {{"raw-type", kChanged}},
         drop_default(two, n.column) + alter + "bigint NOT NULL;\n" + "ALTER TABLE " + two +
             " ADD DEFAULT ((0)) FOR " + c + ";\n"},
        {"attributes",
         "uniqueidentifier",
         16,
         0,
         true,
         {{"ROWGUIDCOL", "true"}, {"MASKED", "default()"}},
         "",
         {{"attributes.ROWGUIDCOL", kChanged},
          {"attributes.SPARSE", kDropped},
          {"attributes.MASKED", kCreated},
          {"attributes.REPLICATION", kChanged}},
         alter + "ADD ROWGUIDCOL;\n" + alter + "DROP NOT FOR REPLICATION;\n" + alter +
             "DROP SPARSE;\n" + alter + "ADD MASKED WITH (FUNCTION = 'default()');\n"},
        {"mask dropped",
         "int",
         4,
         0,
         false,
         {},
         "",
         {{"attributes.MASKED", kDropped}},
         alter + "DROP MASKED;\n"},
    };
    for (const auto& k : cases) {
      auto t = table(n);
      auto column = add_column(t.get(), n.column, k.type, k.length, k.scale, k.not_null);
      for (const auto& [key, value] : k.attributes) set_attr(column.get(), key, value);
      tarvex_brevane_meta_model_meta_column_set_default_value(column.get(), k.def);
      for (const auto& [path, code] : k.record) set_diff(column.get(), path, code);
      set_diff(t.get(), (std::string("columns.") + n.column).c_str(), kChanged);
      const std::string text = patch(t.get());
      EXPECT_EQ(text, k.expected) << k.what << " " << two;
      all.push_back({std::string(k.what) + " " + two, text});
    }
  }
  expect_valid_tsql(all);
}

TEST_F(TablePatchTest, DroppedColumnsAreNamedFromTheirPaths) {
  auto t = table(kNames[0]);
  set_diff(t.get(), "columns.a", kDropped);
  set_diff(t.get(), "columns.b.c", kDropped);
  const std::string text = patch(t.get());
  EXPECT_EQ(text, drop_default("[s].[t]", "a") + drop_default("[s].[t]", "b.c") +
                      "ALTER TABLE [s].[t] DROP COLUMN [a], [b.c];\n");
  expect_valid_tsql(text, "dropped columns");
}

TEST_F(TablePatchTest, PrimaryKey) {
  // Membership only: the server's key (named by the record's old value) is
  // dropped and the desired one added; no ALTER COLUMN.
  auto t = table(kNames[0]);
  auto a = add_column(t.get(), "a", "int", 4, 0, true);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(a.get(), TRUE);
  set_diff(a.get(), "is-primary-key", kChanged);
  set_diff(a.get(), "primary-ordinal", kChanged);
  set_diff(t.get(), "columns.a", kChanged);
  set_attr(t.get(), "PRIMARY_KEY_NAME", "PK_new");
  set_diff(t.get(), "attributes.PRIMARY_KEY_NAME", kChanged);
  tarvex_brevane_meta_model_meta_object_append_slice(META(t.get()), "attributes.PRIMARY_KEY_NAME",
                                                     "PK_old]");
  const std::string text = patch(t.get());
  EXPECT_EQ(text,
            "ALTER TABLE [s].[t] DROP CONSTRAINT [PK_old]]];\n"
            "ALTER TABLE [s].[t] ADD CONSTRAINT [PK_new] PRIMARY KEY ([a]);\n");
  // The records it was given stay as they were.
  EXPECT_TRUE(diff_contains(t.get(), "columns.a"));
  EXPECT_EQ(diff_count(a.get()), 2);

  // The server has no key: nothing to drop.
  auto u = table(kNames[0]);
  auto b = add_column(u.get(), "b", "int", 4, 0, true);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(b.get(), TRUE);
  set_diff(b.get(), "is-primary-key", kChanged);
  set_diff(u.get(), "columns.b", kChanged);
  set_attr(u.get(), "PRIMARY_KEY_NAME", "PK_u");
  set_diff(u.get(), "attributes.PRIMARY_KEY_NAME", kCreated);
  EXPECT_EQ(patch(u.get()), "ALTER TABLE [s].[t] ADD CONSTRAINT [PK_u] PRIMARY KEY ([b]);\n");

  // The desired table has no key left: only the drop.
  auto v = table(kNames[0]);
  auto d = add_column(v.get(), "d", "int", 4, 0, true);
  set_diff(d.get(), "is-primary-key", kChanged);
  set_diff(v.get(), "columns.d", kChanged);
  set_diff(v.get(), "attributes.PRIMARY_KEY_NAME", kDropped);
  tarvex_brevane_meta_model_meta_object_append_slice(META(v.get()), "attributes.PRIMARY_KEY_NAME",
                                                     "PK_v");
  EXPECT_EQ(patch(v.get()), "ALTER TABLE [s].[t] DROP CONSTRAINT [PK_v];\n");
  expect_valid_tsql(text, "key");
}

TEST_F(TablePatchTest, MembersDroppedByTheirPaths) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    auto t = table(n);
    const std::string two = n.two();
    set_diff(t.get(), "constraints.ck_gone'", kDropped);
    set_diff(t.get(), "indexes.ix_gone]", kDropped);
    set_diff(t.get(), "triggers.tr_gone", kDropped);
    const std::string text = patch(t.get());
    EXPECT_EQ(text, "ALTER TABLE " + two + " DROP CONSTRAINT [ck_gone'];\n" +
                        "DROP INDEX IF EXISTS [ix_gone]]] ON " + two + ";\n" +
                        "DROP TRIGGER IF EXISTS " + Names::ms_br(n.schema) + ".[tr_gone];\n");
    all.push_back({two, text});
  }
  expect_valid_tsql(all);
}

TEST_F(TablePatchTest, ChangedConstraintsAreCreatedAgain) {
  auto t = table(kNames[0]);
  add_column(t.get(), "a", "int", 4);
  auto check =
      adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names("db", "s", "ck", "[a]>(1)"));
  tarvex_brevane_meta_model_meta_object_set_comment(META(check.get()), "kept's");
  set_attr(check.get(), "STATE", "true");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(t.get()), check.get());
  set_diff(t.get(), "constraints.ck", kChanged);
  set_diff(check.get(), "check", kChanged);
  const std::string text = patch(t.get());
  // The dropped constraint comes back with its comment and its state.
  EXPECT_EQ(text,
            "ALTER TABLE [s].[t] DROP CONSTRAINT [ck];\n"
            "ALTER TABLE [s].[t] ADD CONSTRAINT [ck] CHECK ([a]>(1));\n"
            "EXEC sp_addextendedproperty 'MS_Description', N'kept''s', 'SCHEMA', N's', 'TABLE', "
            "N't', 'CONSTRAINT', N'ck';\n"
            "ALTER TABLE [s].[t] NOCHECK CONSTRAINT [ck];\n");
  expect_valid_tsql(text, "constraint");
}

TEST_F(TablePatchTest, StateOnlyChangesAreNotRecreated) {
  auto t = table(kNames[0]);
  add_column(t.get(), "a", "int", 4);
  auto ix = adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names("db", "s", "t", "ix"));
  tarvex_brevane_meta_model_meta_index_append(ix.get(), "a ASC");
  add(tarvex_brevane_meta_model_meta_table_get_indexes(t.get()), ix.get());
  set_diff(t.get(), "indexes.ix", kChanged);
  set_diff(ix.get(), "attributes.STATE", kChanged);
  auto ck =
      adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names("db", "s", "ck", "([a]>(1))"));
  set_attr(ck.get(), "STATE", "true");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(t.get()), ck.get());
  set_diff(t.get(), "constraints.ck", kChanged);
  set_diff(ck.get(), "attributes.STATE", kChanged);
  EXPECT_EQ(patch(t.get()),
            "ALTER INDEX [ix] ON [s].[t] REBUILD;\n"
            "ALTER TABLE [s].[t] NOCHECK CONSTRAINT [ck];\n");
}

TEST_F(TablePatchTest, OptionsAreOneStatementEach) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    auto t = table(n);
    const std::string two = n.two();
    set_option(t.get(), "CHANGE_TRACKING", "true");
    set_option(t.get(), "TRACK_COLUMNS_UPDATED", "true");
    set_option(t.get(), "LOCK_ESCALATION", "TABLE");
    set_diff(t.get(), "options.CHANGE_TRACKING", kChanged);
    set_diff(t.get(), "options.LOCK_ESCALATION", kChanged);
    set_diff(t.get(), "options.DATA_COMPRESSION", kChanged);
    const std::string text = patch(t.get());
    EXPECT_EQ(text, "ALTER TABLE " + two +
                        " ENABLE CHANGE_TRACKING WITH (TRACK_COLUMNS_UPDATED = ON);\n"
                        "ALTER TABLE " +
                        two + " SET (LOCK_ESCALATION = TABLE);\n");
    all.push_back({two, text});
  }
  auto t = table(kNames[0]);
  set_option(t.get(), "LOCK_ESCALATION", "TABLE); DROP TABLE x; --");
  set_diff(t.get(), "options.CHANGE_TRACKING", kChanged);
  set_diff(t.get(), "options.LOCK_ESCALATION", kChanged);
  // Not a keyword of the option: left out.
  EXPECT_EQ(patch(t.get()), "ALTER TABLE [s].[t] DISABLE CHANGE_TRACKING;\n");
  expect_valid_tsql(all);
}

TEST_F(TablePatchTest, CommentOnlyAndEmptyRecords) {
  auto t = table(kNames[0]);
  add_column(t.get(), "a", "int", 4);
  EXPECT_EQ(patch(t.get()), "");
  tarvex_brevane_meta_model_meta_object_set_comment(META(t.get()), "");
  set_diff(t.get(), "comment", kChanged);
  EXPECT_EQ(patch(t.get()),
            "EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', N's', 'TABLE', N't';\n");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_patch_table(
                    TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder.get()), nullptr),
                nullptr),
      "table != NULL");
}

// Triggers are bodies: each in its own batch, and nothing of the patch after
// them lands inside.
TEST_F(TablePatchTest, TriggersAndAddedColumnsInBatches) {
  auto t = table(kNames[0]);
  auto a = add_column(t.get(), "a", "int", 4);
  tarvex_brevane_meta_model_meta_object_set_comment(META(a.get()), "new");
  set_diff(t.get(), "columns.a", kCreated);
  auto tr = adoptGRef(
      tarvex_brevane_meta_model_meta_trigger_new_with_body("db", "s", "tr", "SET NOCOUNT ON;"));
  tarvex_brevane_meta_model_meta_trigger_set_timing(tr.get(), "AFTER");
  tarvex_brevane_meta_model_meta_trigger_set_event(tr.get(), "INSERT");
  add(tarvex_brevane_meta_model_meta_table_get_triggers(t.get()), tr.get());
  set_diff(t.get(), "triggers.tr", kCreated);
  const std::string text = patch(t.get());
  EXPECT_EQ(text,
            "ALTER TABLE [s].[t] ADD [a] int NULL;\n"
            "GO\n"
            "CREATE TRIGGER [tr] ON [s].[t]\n"
            "  AFTER INSERT\n"
            "  AS SET NOCOUNT ON;\n"
            "GO\n"
            "EXEC sp_addextendedproperty 'MS_Description', N'new', 'SCHEMA', N's', 'TABLE', N't', "
            "'COLUMN', N'a';\n");
  expect_valid_tsql(text, "triggers");
}

// ------------------------------------------------------------ the model stays

// Every entry of the change records of a table and of its members, as
// "owner: path = code" and "owner: path <- old text" lines, in order.
std::vector<std::string> records_of(Table* table) {
  std::vector<std::string> out;
  auto record = [&](gpointer object) {
    const std::string owner = tarvex_brevane_meta_model_meta_object_get_name(META(object));
    auto diff = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(META(object)));
    auto it = adoptGRef(gee_map_map_iterator(GEE_MAP(diff.get())));
    while (gee_map_iterator_next(it.get())) {
      GUniqueStr key(static_cast<char*>(gee_map_iterator_get_key(it.get())));
      const int code = GPOINTER_TO_INT(gee_map_iterator_get_value(it.get()));
      out.push_back(owner + ": " + key.get() + " = " + std::to_string(code));
    }
    auto slice = adoptGRef(tarvex_brevane_meta_model_meta_object_slice(META(object)));
    auto at = adoptGRef(gee_map_map_iterator(GEE_MAP(slice.get())));
    while (gee_map_iterator_next(at.get())) {
      GUniqueStr key(static_cast<char*>(gee_map_iterator_get_key(at.get())));
      GUniqueStr value(static_cast<char*>(gee_map_iterator_get_value(at.get())));
      out.push_back(owner + ": " + key.get() + " <- " + value.get());
    }
  };
  record(table);
  for (GeeArrayList* list : {tarvex_brevane_meta_model_meta_table_get_columns(table),
                             tarvex_brevane_meta_model_meta_table_get_constraints(table),
                             tarvex_brevane_meta_model_meta_table_get_indexes(table),
                             tarvex_brevane_meta_model_meta_table_get_triggers(table)}) {
    const gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
    for (gint i = 0; i < n; ++i) {
      auto member =
          adoptGRef(static_cast<GObject*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
      record(member.get());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

// Writing a patch reads the change records and leaves them as they were:
// the same record gives the same script a second time. The record holds
// every kind of entry the writer handles on its way (key membership,
// comments and states of members, a changed column that members depend
// on), with awkward names.
TEST_F(TablePatchTest, TheRecordIsLeftAsItWas) {
  for (const auto& n : kNames) {
    auto t = table(n);
    set_attr(t.get(), "PRIMARY_KEY_NAME", "PK_t");
    tarvex_brevane_meta_model_meta_object_set_comment(META(t.get()), "table \xF0\x9F\x98\x80");
    set_diff(t.get(), "comment", kChanged);
    auto key = add_column(t.get(), n.column, "varchar", 20, 0, true);
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(key.get(), TRUE);
    set_diff(key.get(), "length", kChanged);
    set_diff(key.get(), "is-primary-key", kChanged);
    tarvex_brevane_meta_model_meta_object_append_slice(META(key.get()), "length", "10");
    set_diff(t.get(), (std::string("columns.") + n.column).c_str(), kChanged);
    auto note = add_column(t.get(), "note", "nvarchar", -1);
    tarvex_brevane_meta_model_meta_object_set_comment(META(note.get()), "it's");
    set_diff(note.get(), "comment", kChanged);
    set_diff(t.get(), "columns.note", kChanged);
    auto ix = adoptGRef(
        tarvex_brevane_meta_model_meta_index_new_with_names("db", n.schema, n.table, "ix"));
    tarvex_brevane_meta_model_meta_index_append(ix.get(), (std::string(n.column) + " ASC").c_str());
    add(tarvex_brevane_meta_model_meta_table_get_indexes(t.get()), ix.get());
    set_attr(ix.get(), "STATE", "true");
    set_diff(ix.get(), "attributes.STATE", kChanged);
    set_diff(t.get(), "indexes.ix", kChanged);
    auto ck = adoptGRef(
        tarvex_brevane_meta_model_meta_check_new_with_names("db", n.schema, "ck", "([note]<>'')"));
    add(tarvex_brevane_meta_model_meta_table_get_constraints(t.get()), ck.get());
    tarvex_brevane_meta_model_meta_object_set_comment(META(ck.get()), "]");
    set_diff(ck.get(), "comment", kChanged);
    set_diff(t.get(), "constraints.ck", kChanged);
    set_diff(t.get(), "columns.old", kDropped);

    const auto before = records_of(t.get());
    ASSERT_FALSE(before.empty());
    auto json_before = GUniqueStr(json_gobject_to_data(G_OBJECT(t.get()), nullptr));
    const std::string first = patch(t.get());
    EXPECT_NE(first, "");
    EXPECT_EQ(records_of(t.get()), before) << n.table;
    EXPECT_STREQ(GUniqueStr(json_gobject_to_data(G_OBJECT(t.get()), nullptr)).get(),
                 json_before.get());
    EXPECT_EQ(patch(t.get()), first) << n.table;
    EXPECT_EQ(records_of(t.get()), before) << n.table;
  }
}

}  // namespace
}  // namespace tarvex::test
