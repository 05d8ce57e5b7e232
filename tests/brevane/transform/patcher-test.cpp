// Patcher: meta-model and data comparisons on hand-built models.
#include <gee.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "brevane/model/meta-helpers-private.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace tarvex::test {
namespace {

using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;
using MetaObject = TarvexBrevaneMetaModelMetaObject;
using TableModel = TarvexProvidersContractsTableModel;
using RowModel = TarvexProvidersContractsRowModel;
using Value = TarvexProvidersContractsValueObject;

int version_of(gpointer object) {
  return int(tarvex_brevane_meta_model_meta_object_get_version(META(object)));
}

using meta::name_of;

template <typename T>
std::vector<GRef<T>> items(GeeArrayList* list) {
  std::vector<GRef<T>> out;
  gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < n; ++i)
    out.push_back(
        GRef<T>::adopt(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return out;
}

GRef<MetaTable> table(const char* database, const char* schema, const char* name,
                      std::vector<std::pair<const char*, const char*>> columns) {
  auto t = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names(database, schema, name));
  for (auto& [column, type] : columns) {
    auto c = adoptGRef(tarvex_brevane_meta_model_meta_table_new_column(
        t.get(), column, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING));
    tarvex_brevane_meta_model_meta_column_set_raw_type(c.get(), type);
  }
  return t;
}

class PatcherTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    patcher_ = adoptGRef(tarvex_brevane_transform_patcher_new());
  }
  GRef<TarvexBrevaneTransformPatcher> patcher_;
};

// Tables living in differently named databases and schemas: equal unless
// names are compared. Names that contain the other side's database name
// (test -> test_count) must not be rewritten.
TEST_F(PatcherTest, TablesInOtherPlacesCompareEqualWithoutNameRewriting) {
  auto source = table("prod", "sales", "orders", {{"prod_count", "INT"}, {"id", "INT"}});
  auto target = table("test", "s", "orders", {{"prod_count", "INT"}, {"id", "INT"}});
  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), source.get(),
                                                             target.get(), FALSE, nullptr),
            1);
  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), source.get(),
                                                             target.get(), TRUE, nullptr),
            8);

  // Plain substring replacement of "test" by "prod" would make these equal.
  auto renamed_source = table("prod", "dbo", "t", {{"prod_count", "INT"}});
  auto renamed_target = table("test", "dbo", "t", {{"test_count", "INT"}});
  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), renamed_source.get(),
                                                             renamed_target.get(), FALSE, nullptr),
            8);
}

TEST_F(PatcherTest, PatchedTableOrdersColumnsAndMarksSides) {
  auto source = table("d", "dbo", "t", {{"id", "INT"}, {"größe", "INT"}, {"gone", "INT"}});
  auto target = table("d", "dbo", "t", {{"id", "INT"}, {"größe", "BIGINT"}, {"新しい", "INT"}});
  MetaTable* patched = nullptr;
  ASSERT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), source.get(),
                                                             target.get(), FALSE, &patched),
            8);
  auto owned = adoptGRef(patched);
  auto columns = items<GObject>(tarvex_brevane_meta_model_meta_table_get_columns(patched));
  ASSERT_EQ(columns.size(), 4u);
  struct Expected {
    const char* name;
    int code;
    gpointer owner_column;  // which side's object is placed
  };
  auto target_columns =
      items<GObject>(tarvex_brevane_meta_model_meta_table_get_columns(target.get()));
  auto source_columns =
      items<GObject>(tarvex_brevane_meta_model_meta_table_get_columns(source.get()));
  const Expected expected[] = {{"新しい", 4, target_columns[2].get()},
                               {"id", 1, source_columns[0].get()},
                               {"größe", 8, target_columns[1].get()},
                               {"gone", 2, source_columns[2].get()}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(name_of(columns[i].get()), expected[i].name);
    EXPECT_EQ(version_of(columns[i].get()), expected[i].code) << expected[i].name;
    EXPECT_EQ(columns[i].get(), expected[i].owner_column) << expected[i].name;
  }
  EXPECT_EQ(version_of(patched), 8);
  EXPECT_EQ(name_of(patched), "t");
}

TEST_F(PatcherTest, SchemaLevelCodesAndIdenticalTablesKept) {
  auto source = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d1", "dbo"));
  auto target = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d2", "dbo"));
  auto same_s = table("d1", "dbo", "same", {{"a", "INT"}});
  auto same_t = table("d2", "dbo", "same", {{"a", "INT"}});
  auto only_source = table("d1", "dbo", "only_source", {{"a", "INT"}});
  auto only_target = table("d2", "dbo", "only_target", {{"a", "INT"}});
  GeeArrayList* st = tarvex_brevane_meta_model_meta_schema_get_tables(source.get());
  GeeArrayList* tt = tarvex_brevane_meta_model_meta_schema_get_tables(target.get());
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(st), same_s.get());
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(st), only_source.get());
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(tt), same_t.get());
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(tt), only_target.get());
  MetaSchema* patched = nullptr;
  ASSERT_EQ(tarvex_brevane_transform_patcher_diff_meta_schema(patcher_.get(), source.get(),
                                                              target.get(), FALSE, &patched),
            8);
  auto owned = adoptGRef(patched);
  auto tables = items<GObject>(tarvex_brevane_meta_model_meta_schema_get_tables(patched));
  ASSERT_EQ(tables.size(), 3u);
  EXPECT_EQ(name_of(tables[0].get()), "same");
  EXPECT_EQ(version_of(tables[0].get()), 1);
  EXPECT_EQ(name_of(tables[1].get()), "only_source");
  EXPECT_EQ(version_of(tables[1].get()), 4);
  EXPECT_EQ(name_of(tables[2].get()), "only_target");
  EXPECT_EQ(version_of(tables[2].get()), 2);

  // Equal schemas in two databases: nothing to patch.
  auto empty_s = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d1", "x"));
  auto empty_t = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d2", "x"));
  MetaSchema* none = reinterpret_cast<MetaSchema*>(0x1);
  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_schema(patcher_.get(), empty_s.get(),
                                                              empty_t.get(), FALSE, &none),
            1);
  EXPECT_EQ(none, nullptr);
}

TEST_F(PatcherTest, DiffModelRecordsMapKeysAndRenamedElements) {
  auto source = table("d", "dbo", "t", {{"id", "INT"}, {"old_name", "INT"}});
  auto target = table("d", "dbo", "t", {{"id", "INT"}, {"new_name", "INT"}});
  auto set_attr = [](gpointer object, const char* key, const char* value) {
    gee_abstract_map_set(
        GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(META(object))), key,
        value);
  };
  set_attr(source.get(), "ONLY_SOURCE", "it's [x]");
  set_attr(target.get(), "ONLY_TARGET", "1");
  auto renamed =
      adoptGRef(tarvex_brevane_meta_model_meta_table_get_column(target.get(), "new_name"));
  set_attr(renamed.get(), "__name__", "old_name");
  tarvex_brevane_meta_model_meta_object_set_comment(META(source.get()), "Größe 'x'");

  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_model(patcher_.get(), META(source.get()),
                                                        META(target.get())),
            8);
  auto diff = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(META(target.get())));
  auto slice = adoptGRef(tarvex_brevane_meta_model_meta_object_slice(META(target.get())));
  auto code = [&](const char* path) {
    return gee_abstract_map_has_key(GEE_ABSTRACT_MAP(diff.get()), path)
               ? GPOINTER_TO_INT(gee_abstract_map_get(GEE_ABSTRACT_MAP(diff.get()), path))
               : -1;
  };
  EXPECT_EQ(code("attributes.ONLY_SOURCE"), 2);
  EXPECT_EQ(code("attributes.ONLY_TARGET"), 4);
  EXPECT_FALSE(gee_abstract_map_has_key(GEE_ABSTRACT_MAP(slice.get()), "attributes.ONLY_TARGET"));
  GUniqueStr old_value(static_cast<char*>(
      gee_abstract_map_get(GEE_ABSTRACT_MAP(slice.get()), "attributes.ONLY_SOURCE")));
  EXPECT_STREQ(old_value.get(), "it's [x]");
  // The renamed column is compared with its former self, not dropped and added.
  EXPECT_EQ(code("columns.old_name"), -1);
  EXPECT_EQ(code("columns.new_name"), 8);
  GeeMap* attributes =
      GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(META(renamed.get())));
  EXPECT_FALSE(gee_map_has_key(attributes, "__name__"));
  // Old values are kept as plain text: quotes and non-ASCII as they are.
  EXPECT_EQ(code("comment"), 8);
  GUniqueStr old_comment(
      static_cast<char*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(slice.get()), "comment")));
  EXPECT_STREQ(old_comment.get(), "Größe 'x'");
}

// ---------------------------------------------------------------- child kinds

// A diff record's code for `path`; -1 when the path is absent.
int diff_code(gpointer object, const std::string& path) {
  auto diff = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(META(object)));
  return gee_abstract_map_has_key(GEE_ABSTRACT_MAP(diff.get()), path.c_str())
             ? GPOINTER_TO_INT(gee_abstract_map_get(GEE_ABSTRACT_MAP(diff.get()), path.c_str()))
             : -1;
}

using Lister = GeeArrayList* (*)(MetaTable*);

// One kind of table child: the table list and the property holding it, and
// how one is made.
struct ChildKind {
  const char* kind;
  const char* property;
  Lister list;
  GType (*type)();
};

GRef<GObject> make_child(const ChildKind& kind, MetaTable* table, const char* name) {
  const char* db = tarvex_brevane_meta_model_meta_object_get_database(META(table));
  const char* schema = tarvex_brevane_meta_model_meta_object_get_schema(META(table));
  GRef<GObject> child;
  const GType type = kind.type();
  if (type == TARVEX_BREVANE_META_MODEL_TYPE_META_COLUMN)
    return adoptGRef(G_OBJECT(tarvex_brevane_meta_model_meta_table_new_column(
        table, name, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32)));
  if (type == TARVEX_BREVANE_META_MODEL_TYPE_META_INDEX)
    child = adoptGRef(G_OBJECT(tarvex_brevane_meta_model_meta_index_new_with_names(
        db, schema, name_of(table).c_str(), name)));
  else if (type == TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK)
    child = adoptGRef(G_OBJECT(
        tarvex_brevane_meta_model_meta_check_new_with_names(db, schema, name, "[id] > 0")));
  else if (type == TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE)
    child =
        adoptGRef(G_OBJECT(tarvex_brevane_meta_model_meta_unique_new_with_names(db, schema, name)));
  else if (type == TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY)
    child = adoptGRef(
        G_OBJECT(tarvex_brevane_meta_model_meta_foreign_key_new_with_names(db, schema, name)));
  else
    child = adoptGRef(
        G_OBJECT(tarvex_brevane_meta_model_meta_trigger_new_with_names(db, schema, name)));
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(kind.list(table)), child.get());
  return child;
}

const ChildKind kChildKinds[] = {
    {"column", "columns", tarvex_brevane_meta_model_meta_table_get_columns,
     tarvex_brevane_meta_model_meta_column_get_type},
    {"index", "indexes", tarvex_brevane_meta_model_meta_table_get_indexes,
     tarvex_brevane_meta_model_meta_index_get_type},
    {"check", "constraints", tarvex_brevane_meta_model_meta_table_get_constraints,
     tarvex_brevane_meta_model_meta_check_get_type},
    {"unique", "constraints", tarvex_brevane_meta_model_meta_table_get_constraints,
     tarvex_brevane_meta_model_meta_unique_get_type},
    {"foreign key", "constraints", tarvex_brevane_meta_model_meta_table_get_constraints,
     tarvex_brevane_meta_model_meta_foreign_key_get_type},
    {"trigger", "triggers", tarvex_brevane_meta_model_meta_table_get_triggers,
     tarvex_brevane_meta_model_meta_trigger_get_type},
};

// Each kind of child only in the source, only in the target, in both and
// changed, in both and equal: its code and which side's object the patched
// table holds, and the change record the model comparison writes. Both
// constraint lists start with equal constraints of the other classes under
// the same names: a constraint is matched within its own class.
TEST_F(PatcherTest, EveryChildKindOnEitherSideChangedAndEqual) {
  for (const ChildKind& kind : kChildKinds) {
    SCOPED_TRACE(kind.kind);
    auto source = table("d", "dbo", "t", {});
    auto target = table("d", "dbo", "t", {});
    const bool constraint = kind.list == tarvex_brevane_meta_model_meta_table_get_constraints;
    if (constraint)
      for (const ChildKind& other : kChildKinds)
        if (other.list == kind.list && other.type != kind.type)
          for (const char* name : {"chg", "same"}) {
            make_child(other, source.get(), name);
            make_child(other, target.get(), name);
          }
    struct Expected {
      const char* name;
      int code;
      GObject* owner;
      int record;  // the model comparison's code, -1 none
    };
    auto s_only = make_child(kind, source.get(), "s_only");
    auto chg_s = make_child(kind, source.get(), "chg");
    auto same_s = make_child(kind, source.get(), "same");
    auto same_t = make_child(kind, target.get(), "same");
    auto chg_t = make_child(kind, target.get(), "chg");
    auto t_only = make_child(kind, target.get(), "t_only");
    tarvex_brevane_meta_model_meta_object_set_comment(META(chg_s.get()), "before");
    tarvex_brevane_meta_model_meta_object_set_comment(META(chg_t.get()), "after 'x'");
    const Expected expected[] = {{"s_only", 2, s_only.get(), 2},
                                 {"chg", 8, chg_t.get(), 8},
                                 {"same", 1, same_s.get(), -1},
                                 {"t_only", 4, t_only.get(), 4}};

    MetaTable* patched = nullptr;
    ASSERT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), source.get(),
                                                               target.get(), FALSE, &patched),
              8);
    auto owned = adoptGRef(patched);
    std::vector<GRef<GObject>> children;
    for (auto& child : items<GObject>(kind.list(patched)))
      if (G_TYPE_CHECK_INSTANCE_TYPE(child.get(), kind.type())) children.push_back(child);
    ASSERT_EQ(children.size(), 4u);
    for (const Expected& e : expected) {
      SCOPED_TRACE(e.name);
      GObject* found = nullptr;
      for (auto& child : children)
        if (name_of(child.get()) == e.name) found = child.get();
      EXPECT_EQ(found, e.owner);
      if (found) EXPECT_EQ(version_of(found), e.code);
    }

    EXPECT_EQ(tarvex_brevane_transform_patcher_diff_model(patcher_.get(), META(source.get()),
                                                          META(target.get())),
              8);
    for (const Expected& e : expected)
      EXPECT_EQ(diff_code(target.get(), std::string(kind.property) + "." + e.name), e.record)
          << e.name;
  }
}

// A column default only in the source, only in the target, changed and
// equal: the column differs in the first three, and its own record names
// the default with the source's value kept.
TEST_F(PatcherTest, ColumnDefaultsOnEitherSideChangedAndEqual) {
  auto source =
      table("d", "dbo", "t", {{"d_s", "INT"}, {"d_t", "INT"}, {"d_chg", "INT"}, {"d_same", "INT"}});
  auto target =
      table("d", "dbo", "t", {{"d_s", "INT"}, {"d_t", "INT"}, {"d_chg", "INT"}, {"d_same", "INT"}});
  auto set_default = [](MetaTable* t, const char* column, const char* value) {
    auto c = adoptGRef(tarvex_brevane_meta_model_meta_table_get_column(t, column));
    tarvex_brevane_meta_model_meta_column_set_default_value(c.get(), value);
  };
  set_default(source.get(), "d_s", "((1))");
  set_default(target.get(), "d_t", "(N'x')");
  set_default(source.get(), "d_chg", "(getdate())");
  set_default(target.get(), "d_chg", "(sysdatetime())");
  set_default(source.get(), "d_same", "((0))");
  set_default(target.get(), "d_same", "((0))");
  struct Expected {
    const char* column;
    int code;
    const char* old_value;  // the slice's text, null for an equal column
  };
  const Expected expected[] = {
      {"d_s", 8, "((1))"}, {"d_t", 8, ""}, {"d_chg", 8, "(getdate())"}, {"d_same", 1, nullptr}};
  MetaTable* patched = nullptr;
  ASSERT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), source.get(),
                                                             target.get(), FALSE, &patched),
            8);
  auto owned = adoptGRef(patched);
  auto columns = items<GObject>(tarvex_brevane_meta_model_meta_table_get_columns(patched));
  ASSERT_EQ(tarvex_brevane_transform_patcher_diff_model(patcher_.get(), META(source.get()),
                                                        META(target.get())),
            8);
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.column);
    int code = -1;
    for (auto& c : columns)
      if (name_of(c.get()) == e.column) code = version_of(c.get());
    EXPECT_EQ(code, e.code);
    EXPECT_EQ(diff_code(target.get(), std::string("columns.") + e.column), e.old_value ? 8 : -1);
    auto column =
        adoptGRef(tarvex_brevane_meta_model_meta_table_get_column(target.get(), e.column));
    EXPECT_EQ(diff_code(column.get(), "default-value"), e.old_value ? 8 : -1);
    if (!e.old_value) continue;
    auto slice = adoptGRef(tarvex_brevane_meta_model_meta_object_slice(META(column.get())));
    GUniqueStr old_value(
        static_cast<char*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(slice.get()), "default-value")));
    EXPECT_STREQ(old_value.get() ? old_value.get() : "", e.old_value);
  }
}

// The diff code is bookkeeping: objects that differ only in it are equal at
// every level, also when compared again after a comparison set the codes,
// and a table patch from their change record writes nothing.
TEST_F(PatcherTest, DiffCodesNeverMakeObjectsDiffer) {
  auto source = table("d", "dbo", "t", {{"id", "INT"}, {"name", "NVARCHAR"}});
  auto target = table("d", "dbo", "t", {{"id", "INT"}, {"name", "NVARCHAR"}});
  for (MetaTable* t : {source.get(), target.get()}) {
    make_child(kChildKinds[1], t, "ix");
    make_child(kChildKinds[2], t, "ck");
    make_child(kChildKinds[5], t, "tr");
  }
  auto mark = [](MetaTable* t, int code) {
    tarvex_brevane_meta_model_meta_object_set_version(META(t),
                                                      TarvexProvidersContractsDataVersion(code));
    for (Lister list : {tarvex_brevane_meta_model_meta_table_get_columns,
                        tarvex_brevane_meta_model_meta_table_get_indexes,
                        tarvex_brevane_meta_model_meta_table_get_constraints,
                        tarvex_brevane_meta_model_meta_table_get_triggers})
      for (auto& child : items<GObject>(list(t)))
        tarvex_brevane_meta_model_meta_object_set_version(
            META(child.get()), TarvexProvidersContractsDataVersion(code));
  };
  mark(source.get(), 8);
  mark(target.get(), 2);
  for (gboolean names : {gboolean(FALSE), gboolean(TRUE)})
    EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(patcher_.get(), source.get(),
                                                               target.get(), names, nullptr),
              1);
  auto s_schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d", "dbo"));
  auto t_schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d", "dbo"));
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_schema_get_tables(s_schema.get())),
      source.get());
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_schema_get_tables(t_schema.get())),
      target.get());
  tarvex_brevane_meta_model_meta_object_set_version(META(s_schema.get()),
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_schema(patcher_.get(), s_schema.get(),
                                                              t_schema.get(), FALSE, nullptr),
            1);

  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_model(patcher_.get(), META(target.get()),
                                                        META(source.get())),
            1);
  EXPECT_EQ(diff_code(source.get(), "version"), -1);
  auto connection = adoptGRef(offline_connection_new());
  auto builder =
      adoptGRef(tarvex_brevane_supports_database_sql_server_builder_new(connection.get()));
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_patch_table(
                TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder.get()), source.get())),
            "");
}

TEST_F(PatcherTest, NullArgumentsAreReported) {
  auto t = table("d", "dbo", "t", {});
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(
                                patcher_.get(), nullptr, t.get(), FALSE, nullptr),
                            0),
                  "source != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_table(
                                nullptr, t.get(), t.get(), FALSE, nullptr),
                            0),
                  "self != NULL");
}

// ---------------------------------------------------------------- data

GRef<TableModel> data(std::vector<const char*> names, std::vector<std::vector<const char*>> rows,
                      std::vector<const char*> keys = {}) {
  auto model = adoptGRef(tarvex_providers_contracts_table_model_new());
  GeeArrayList* columns = tarvex_providers_contracts_table_model_get_columns(model.get());
  for (const char* name : names) {
    auto c = adoptGRef(tarvex_providers_contracts_column_model_new_full(
        name, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING));
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(columns), c.get());
  }
  for (auto& cells : rows) {
    auto row = adoptGRef(tarvex_providers_contracts_row_model_new());
    GeeArrayList* values = tarvex_providers_contracts_row_model_get_values(row.get());
    for (const char* cell : cells) {
      GRef<GObject> v = cell
                            ? adoptGRef(G_OBJECT(tarvex_providers_contracts_value_string_new(cell)))
                            : adoptGRef(G_OBJECT(tarvex_providers_contracts_value_null_new()));
      gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(values), v.get());
    }
    tarvex_providers_contracts_table_model_append(model.get(), row.get());
  }
  if (!keys.empty()) {
    std::vector<char*> strv;
    for (const char* k : keys) strv.push_back(g_strdup(k));
    strv.push_back(nullptr);
    g_object_set_data_full(G_OBJECT(model.get()), "KEYS",
                           g_memdup2(strv.data(), strv.size() * sizeof(char*)),
                           (GDestroyNotify)g_strfreev);
  }
  return model;
}

struct RowSeen {
  std::string first;
  int version;
};

std::vector<RowSeen> rows_of(TableModel* model) {
  std::vector<RowSeen> out;
  guint n = g_list_model_get_n_items(G_LIST_MODEL(model));
  for (guint i = 0; i < n; ++i) {
    auto row = adoptGRef(static_cast<RowModel*>(g_list_model_get_item(G_LIST_MODEL(model), i)));
    auto v = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 0));
    out.push_back(
        {value_text(v.get()), int(tarvex_providers_contracts_row_model_get_version(row.get()))});
  }
  return out;
}

TEST_F(PatcherTest, KeyedRowsGiveInsertsUpdatesAndDeletes) {
  auto source = data({"id", "name"}, {{"1", "a"}, {"2", "b"}, {"4", "d"}}, {"id"});
  // The target holds the rows in another order, one changed, one extra.
  auto target = data({"id", "name"}, {{"3", "c"}, {"2", "B"}, {"1", "a"}}, {"id"});
  TableModel* patched = nullptr;
  ASSERT_EQ(tarvex_brevane_transform_patcher_diff_data_table(patcher_.get(), source.get(),
                                                             target.get(), &patched),
            8);
  auto owned = adoptGRef(patched);
  auto rows = rows_of(patched);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].first, "2");
  EXPECT_EQ(rows[0].version, 8);
  EXPECT_EQ(rows[1].first, "4");
  EXPECT_EQ(rows[1].version, 4);
  EXPECT_EQ(rows[2].first, "3");
  EXPECT_EQ(rows[2].version, 2);
  const char* const* keys =
      static_cast<const char* const*>(g_object_get_data(G_OBJECT(patched), "KEYS"));
  ASSERT_NE(keys, nullptr);
  EXPECT_STREQ(keys[0], "id");
}

// Shorter targets, longer targets, rows with fewer values: no error.
TEST_F(PatcherTest, UnkeyedRowsByPositionAreBoundsChecked) {
  struct Case {
    std::vector<std::vector<const char*>> source, target;
    std::vector<int> versions;
  };
  const Case cases[] = {
      {{{"1", "a"}, {"2", "b"}}, {}, {4, 4}},
      {{{"1", "a"}}, {{"1", "a"}, {"2", "b"}}, {2}},
      {{{"1", "a"}}, {{"1"}}, {8}},
      {{{"1", nullptr}}, {{"1", ""}}, {8}},
      {{{"1", nullptr}}, {{"1", nullptr}}, {}},
  };
  for (const auto& c : cases) {
    auto source = data({"id", "name"}, c.source);
    auto target = data({"id", "name"}, c.target);
    TableModel* patched = nullptr;
    gint code = tarvex_brevane_transform_patcher_diff_data_table(patcher_.get(), source.get(),
                                                                 target.get(), &patched);
    auto owned = adoptGRef(patched);
    EXPECT_EQ(code, c.versions.empty() ? 1 : 8);
    std::vector<int> seen;
    if (patched)
      for (auto& r : rows_of(patched)) seen.push_back(r.version);
    EXPECT_EQ(seen, c.versions);
  }
}

TEST_F(PatcherTest, DataSetWithFewerTargetTables) {
  auto source = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  auto target = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  auto t1 = data({"id"}, {{"1"}});
  auto t2 = data({"id"}, {{"1"}});
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_data_set_model_get_tables(source.get())),
      t1.get());
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_data_set_model_get_tables(source.get())),
      t2.get());
  auto same = data({"id"}, {{"1"}});
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_data_set_model_get_tables(target.get())),
      same.get());
  TarvexProvidersContractsDataSetModel* patched = nullptr;
  ASSERT_EQ(tarvex_brevane_transform_patcher_diff_data_set(patcher_.get(), source.get(),
                                                           target.get(), &patched),
            8);
  auto owned = adoptGRef(patched);
  auto tables = items<TableModel>(tarvex_providers_contracts_data_set_model_get_tables(patched));
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(rows_of(tables[0].get())[0].version, 4);

  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_data_set(patcher_.get(), target.get(),
                                                           target.get(), nullptr),
            1);
}

}  // namespace
}  // namespace tarvex::test
