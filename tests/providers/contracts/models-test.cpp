// Result models: columns, rows, tables, data sets, the small results and
// the JSON form of models and values.
#include <gee.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/tarvex-gobject.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using Column = TarvexProvidersContractsColumnModel;
using Row = TarvexProvidersContractsRowModel;
using Table = TarvexProvidersContractsTableModel;
using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

constexpr auto INITIAL = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
constexpr auto IDENTICAL = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_IDENTICAL;
constexpr auto DELETE = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE;
constexpr auto INSERT = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT;
constexpr auto UPDATE = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE;

Value* int32(gint v) {
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_int32_new(v));
}
Value* text(const char* v) {
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_string_new(v));
}
Value* null_value() {
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new());
}

gint size(GeeArrayList* list) {
  return gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
}
void add(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}
template <typename T>
GRef<T> at(GeeArrayList* list, gint i) {
  return adoptGRef(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
}

std::string text_of(Value* value) {
  if (!value) return "<none>";
  GUniqueStr s(tarvex_providers_contracts_value_object_to_string(value));
  return s.get();
}

// A row of the given values (taking the references).
GRef<Row> row_of(std::initializer_list<Value*> values) {
  auto row = adoptGRef(tarvex_providers_contracts_row_model_new());
  GeeArrayList* list = tarvex_providers_contracts_row_model_get_values(row.get());
  for (Value* v : values) {
    add(list, v);
    g_object_unref(v);
  }
  return row;
}

// The object's JSON form, compact (json_gobject_to_data gives the same
// content pretty-printed).
std::string json_of(gpointer object) {
  JsonNode* root = json_gobject_serialize(G_OBJECT(object));
  GUniqueStr data(json_to_string(root, FALSE));
  json_node_unref(root);
  return data.get();
}

// Records every items-changed of a list model.
struct ItemsSpy {
  std::vector<std::tuple<guint, guint, guint>> calls;
  gulong id;
  GObject* model;
  explicit ItemsSpy(gpointer target) : model(G_OBJECT(target)) {
    id = g_signal_connect(
        model, "items-changed",
        G_CALLBACK(+[](GListModel*, guint position, guint removed, guint added, gpointer data) {
          static_cast<ItemsSpy*>(data)->calls.emplace_back(position, removed, added);
        }),
        this);
  }
  ~ItemsSpy() { g_signal_handler_disconnect(model, id); }
  using Call = std::tuple<guint, guint, guint>;
};

class ColumnModelTest : public tarvex::test::LogCaptureTest {};
class RowModelTest : public tarvex::test::LogCaptureTest {};
class TableModelTest : public tarvex::test::LogCaptureTest {
 protected:
  // A table of INT32 and STRING columns with rows (1, "a"), (2, "b"), (3, "c").
  GRef<Table> sample() {
    DT types[] = {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
                  TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING};
    auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(types, 2));
    const char* texts[] = {"a", "b", "c"};
    for (int i = 0; i < 3; i++) {
      auto row = row_of({int32(i + 1), text(texts[i])});
      add(tarvex_providers_contracts_table_model_get_rows(table.get()), row.get());
    }
    return table;
  }
  GRef<Row> row_at(Table* table, gint i) {
    return at<Row>(tarvex_providers_contracts_table_model_get_rows(table), i);
  }
};
class ResultTest : public tarvex::test::LogCaptureTest {};
class ModelJsonTest : public tarvex::test::LogCaptureTest {};

// ------------------------------------------------------------ columns

TEST_F(ColumnModelTest, ConstructorsFillWhatTheyAreGiven) {
  auto plain = adoptGRef(tarvex_providers_contracts_column_model_new());
  auto typed = adoptGRef(tarvex_providers_contracts_column_model_new_with_type(
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY));
  auto full = adoptGRef(tarvex_providers_contracts_column_model_new_full(
      "id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64));
  auto sized = adoptGRef(tarvex_providers_contracts_column_model_new_full_size(
      "name", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 80));
  struct {
    Column* column;
    const char* name;
    DT type;
    gulong size;
  } cases[] = {
      {plain.get(), "", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, 0},
      {typed.get(), "", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, 0},
      {full.get(), "id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64, 0},
      {sized.get(), "name", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 80},
  };
  for (auto& c : cases) {
    EXPECT_STREQ(tarvex_providers_contracts_column_model_get_name(c.column), c.name);
    EXPECT_EQ(tarvex_providers_contracts_column_model_get_title(c.column), nullptr);
    EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_type(c.column), c.type);
    EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_size(c.column), c.size);
  }
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(plain.get()), "TarvexProvidersContractsColumnModel");

  Column* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_column_model_new_full(
                      nullptr, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32),
                  "column_name != NULL");
  EXPECT_EQ(none, nullptr);
  EXPECT_CRITICAL(none = tarvex_providers_contracts_column_model_new_full_size(
                      nullptr, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, 4),
                  "column_name != NULL");
  EXPECT_EQ(none, nullptr);

  // Also settable at construction.
  auto built = adoptGRef(
      static_cast<Column*>(g_object_new(tarvex_providers_contracts_column_model_get_type(), "name",
                                        "x", "title", "X", "data-size", gulong(9), nullptr)));
  EXPECT_STREQ(tarvex_providers_contracts_column_model_get_title(built.get()), "X");
  EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_size(built.get()), 9u);
}

TEST_F(ColumnModelTest, SettersNotifyOnlyOnChange) {
  auto column = adoptGRef(tarvex_providers_contracts_column_model_new_full(
      "id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32));
  int notes = 0;
  g_signal_connect(column.get(), "notify",
                   G_CALLBACK(+[](GObject*, GParamSpec*, gpointer n) { ++*static_cast<int*>(n); }),
                   &notes);
  tarvex_providers_contracts_column_model_set_title(column.get(), nullptr);
  tarvex_providers_contracts_column_model_set_name(column.get(), "id");
  g_object_set(column.get(), "data-type", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "data-size",
               gulong(0), nullptr);
  EXPECT_EQ(notes, 0);
  tarvex_providers_contracts_column_model_set_title(column.get(), "Identity");
  tarvex_providers_contracts_column_model_set_title(column.get(), "Identity");
  EXPECT_EQ(notes, 1);
  tarvex_providers_contracts_column_model_set_title(column.get(), "");
  EXPECT_EQ(notes, 2);
  tarvex_providers_contracts_column_model_set_data_size(column.get(), 4);
  tarvex_providers_contracts_column_model_set_data_type(column.get(),
                                                        TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64);
  EXPECT_EQ(notes, 4);
  EXPECT_STREQ(tarvex_providers_contracts_column_model_get_name(column.get()), "id");
  EXPECT_CRITICAL(tarvex_providers_contracts_column_model_set_title(nullptr, "x"), "self != NULL");
}

// --------------------------------------------------------------- rows

TEST_F(RowModelTest, NewRowIsEmptyAndAListModelOfValues) {
  auto row = adoptGRef(tarvex_providers_contracts_row_model_new());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(row.get()), "TarvexProvidersContractsRowModel");
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()), INITIAL);
  EXPECT_EQ(g_list_model_get_item_type(G_LIST_MODEL(row.get())),
            tarvex_providers_contracts_value_object_get_type());
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(row.get())), 0u);
  EXPECT_EQ(g_list_model_get_item(G_LIST_MODEL(row.get()), 0), nullptr);
  GeeArrayList* values = tarvex_providers_contracts_row_model_get_values(row.get());
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(size(values), 0);
  // The list is made once and handed out itself.
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_values(row.get()), values);
  GeeArrayList* through_property = nullptr;
  g_object_get(row.get(), "values", &through_property, nullptr);
  EXPECT_EQ(through_property, values);
  g_object_unref(through_property);
}

TEST_F(RowModelTest, EditsOfTheListShowEverywhereWithoutSignals) {
  auto row = row_of({int32(1), text("a")});
  ItemsSpy spy(row.get());
  GeeArrayList* values = tarvex_providers_contracts_row_model_get_values(row.get());
  auto null = adoptGRef(null_value());
  add(values, null.get());
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(row.get())), 3u);
  auto third = adoptGRef(static_cast<Value*>(g_list_model_get_item(G_LIST_MODEL(row.get()), 2)));
  EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(third.get()));
  tarvex_providers_contracts_row_model_set_value_at(row.get(), 0, adoptGRef(int32(7)).get());
  auto first = at<Value>(values, 0);
  EXPECT_EQ(text_of(first.get()), "7");
  EXPECT_TRUE(spy.calls.empty());
}

TEST_F(RowModelTest, PositionsOutsideTheRow) {
  auto row = row_of({int32(1), int32(2)});
  for (gint position : {-1, 2, 100}) {
    EXPECT_EQ(tarvex_providers_contracts_row_model_get_value_at(row.get(), position), nullptr)
        << position;
  }
  auto second = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 1));
  EXPECT_EQ(text_of(second.get()), "2");
  auto value = adoptGRef(int32(9));
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_set_value_at(row.get(), 2, value.get()),
                  "position");
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_set_value_at(row.get(), -1, value.get()),
                  "position");
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_set_value_at(row.get(), 0, nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_get_value_at(nullptr, 0), "self != NULL");
  auto first = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 0));
  EXPECT_EQ(text_of(first.get()), "1");
}

TEST_F(RowModelTest, VersionNotifiesOnChange) {
  auto row = adoptGRef(tarvex_providers_contracts_row_model_new());
  int notes = 0;
  g_signal_connect(row.get(), "notify::version",
                   G_CALLBACK(+[](GObject*, GParamSpec*, gpointer n) { ++*static_cast<int*>(n); }),
                   &notes);
  tarvex_providers_contracts_row_model_set_version(row.get(), INITIAL);
  EXPECT_EQ(notes, 0);
  g_object_set(row.get(), "version", UPDATE, nullptr);
  EXPECT_EQ(notes, 1);
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()), UPDATE);
}

TEST_F(RowModelTest, CloneSharesNoValue) {
  // Both stores of a row: values filled by the table (no list made yet) and
  // values filled through the list.
  DT types[] = {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
                TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32};
  auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(types, 2));
  auto fresh = adoptGRef(tarvex_providers_contracts_table_model_new_row(table.get()));
  auto listed = row_of({text(""), int32(0)});
  tarvex_providers_contracts_row_model_set_version(listed.get(), INSERT);
  for (Row* source : {fresh.get(), listed.get()}) {
    auto copy = adoptGRef(tarvex_providers_contracts_row_model_clone(source));
    EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(copy.get()), INSERT);
    ASSERT_EQ(g_list_model_get_n_items(G_LIST_MODEL(copy.get())), 2u);
    auto copied = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(copy.get(), 0));
    auto original = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(source, 0));
    EXPECT_NE(copied.get(), original.get());
    EXPECT_EQ(G_OBJECT_TYPE(copied.get()), G_OBJECT_TYPE(original.get()));
    tarvex_providers_contracts_value_string_set_itsvalue(
        reinterpret_cast<TarvexProvidersContractsValueString*>(copied.get()), "changed");
    EXPECT_EQ(text_of(original.get()), "");
    // The lists are independent too.
    add(tarvex_providers_contracts_row_model_get_values(copy.get()), copied.get());
    EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(source)), 2u);
  }
  Row* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_row_model_clone(nullptr), "self != NULL");
  EXPECT_EQ(none, nullptr);
}

// ------------------------------------------------------------- tables

TEST_F(TableModelTest, NewWithTypesMakesOneColumnPerKind) {
  DT types[] = {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
                TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME,
                TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY};
  auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(types, 3));
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(table.get()), "TarvexProvidersContractsTableModel");
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_IRESULT(table.get()));
  EXPECT_EQ(g_list_model_get_item_type(G_LIST_MODEL(table.get())),
            tarvex_providers_contracts_row_model_get_type());
  GeeArrayList* columns = tarvex_providers_contracts_table_model_get_columns(table.get());
  ASSERT_EQ(size(columns), 3);
  for (int i = 0; i < 3; i++) {
    auto column = at<Column>(columns, i);
    EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_type(column.get()), types[i]);
    EXPECT_STREQ(tarvex_providers_contracts_column_model_get_name(column.get()), "");
  }
  EXPECT_EQ(size(tarvex_providers_contracts_table_model_get_rows(table.get())), 0);
  auto empty = adoptGRef(tarvex_providers_contracts_table_model_new());
  EXPECT_EQ(size(tarvex_providers_contracts_table_model_get_columns(empty.get())), 0);
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(empty.get())), 0u);
}

TEST_F(TableModelTest, NewRowHoldsTheFactoryDefaults) {
  DT types[] = {
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN};
  auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(types, 4));
  ItemsSpy spy(table.get());
  auto row = adoptGRef(tarvex_providers_contracts_table_model_new_row(table.get()));
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()), INSERT);
  ASSERT_EQ(g_list_model_get_n_items(G_LIST_MODEL(row.get())), 4u);
  struct {
    GType type;
    const char* text;
  } expected[] = {{tarvex_providers_contracts_value_int32_get_type(), "0"},
                  {tarvex_providers_contracts_value_string_get_type(), ""},
                  {tarvex_providers_contracts_value_null_get_type(), ""},
                  {tarvex_providers_contracts_value_boolean_get_type(), "false"}};
  for (int i = 0; i < 4; i++) {
    auto value = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), i));
    ASSERT_NE(value.get(), nullptr);
    EXPECT_EQ(G_OBJECT_TYPE(value.get()), expected[i].type) << i;
    EXPECT_EQ(text_of(value.get()), expected[i].text) << i;
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(value.get()), types[i]);
  }
  // Not added to the table.
  EXPECT_EQ(size(tarvex_providers_contracts_table_model_get_rows(table.get())), 0);
  EXPECT_TRUE(spy.calls.empty());
  // The list made later holds the same values.
  GeeArrayList* values = tarvex_providers_contracts_row_model_get_values(row.get());
  ASSERT_EQ(size(values), 4);
  auto listed = at<Value>(values, 1);
  auto direct = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 1));
  EXPECT_EQ(listed.get(), direct.get());
}

TEST_F(TableModelTest, AppendAndInsertAnnounceWhereTheRowWent) {
  auto table = sample();
  ItemsSpy spy(table.get());
  auto extra = row_of({int32(4), text("d")});
  EXPECT_EQ(tarvex_providers_contracts_table_model_append(table.get(), extra.get()), 3u);
  // A row already in the table is added again, at the end.
  auto first = row_at(table.get(), 0);
  EXPECT_EQ(tarvex_providers_contracts_table_model_append(table.get(), first.get()), 4u);
  auto front = row_of({int32(0), text("z")});
  EXPECT_EQ(tarvex_providers_contracts_table_model_insert(table.get(), 0, front.get()), 0u);
  auto end = row_of({int32(5), text("e")});
  EXPECT_EQ(tarvex_providers_contracts_table_model_insert(table.get(), -1, end.get()), 6u);
  EXPECT_EQ(tarvex_providers_contracts_table_model_insert(table.get(), 1, first.get()), 1u);
  auto past = row_of({int32(6), text("f")});
  EXPECT_EQ(tarvex_providers_contracts_table_model_insert(table.get(), 99, past.get()), 8u);
  using C = ItemsSpy::Call;
  EXPECT_EQ(spy.calls, (std::vector<C>{C{3, 0, 1}, C{4, 0, 1}, C{0, 0, 1}, C{6, 0, 1}, C{1, 0, 1},
                                       C{8, 0, 1}}));
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(table.get())), 9u);
  auto announced = row_at(table.get(), 6);
  EXPECT_EQ(announced.get(), first.get());

  EXPECT_CRITICAL(tarvex_providers_contracts_table_model_append(table.get(), nullptr),
                  "row != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_table_model_insert(table.get(), 0, nullptr),
                  "row != NULL");
  EXPECT_EQ(spy.calls.size(), 6u);
}

TEST_F(TableModelTest, DeleteFindAndDeleteAt) {
  auto table = sample();
  ItemsSpy spy(table.get());
  auto second = row_at(table.get(), 1);
  auto stranger = row_of({int32(1), text("a")});  // equal content, other object

  gint position = -1;
  EXPECT_FALSE(tarvex_providers_contracts_table_model_find(table.get(), stranger.get(), &position));
  EXPECT_EQ(position, 0);
  EXPECT_TRUE(tarvex_providers_contracts_table_model_find(table.get(), second.get(), &position));
  EXPECT_EQ(position, 1);

  tarvex_providers_contracts_table_model_delete(table.get(), stranger.get());
  EXPECT_TRUE(spy.calls.empty());
  tarvex_providers_contracts_table_model_delete(table.get(), second.get());
  using C = ItemsSpy::Call;
  EXPECT_EQ(spy.calls, (std::vector<C>{C{1, 1, 0}}));
  EXPECT_FALSE(tarvex_providers_contracts_table_model_find(table.get(), second.get(), &position));

  for (gint bad : {-1, 2, 50})
    EXPECT_EQ(tarvex_providers_contracts_table_model_delete_at(table.get(), bad), nullptr);
  EXPECT_EQ(spy.calls.size(), 1u);
  auto removed = adoptGRef(tarvex_providers_contracts_table_model_delete_at(table.get(), 1));
  ASSERT_NE(removed.get(), nullptr);
  auto value = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(removed.get(), 1));
  EXPECT_EQ(text_of(value.get()), "c");
  EXPECT_EQ(spy.calls, (std::vector<C>{C{1, 1, 0}, C{1, 1, 0}}));
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(table.get())), 1u);
}

TEST_F(TableModelTest, ClearEmitsOnceForTheRows) {
  for (gboolean also_columns : {gboolean(FALSE), gboolean(TRUE)}) {
    auto table = sample();
    ItemsSpy spy(table.get());
    tarvex_providers_contracts_table_model_clear(table.get(), also_columns);
    EXPECT_EQ(size(tarvex_providers_contracts_table_model_get_rows(table.get())), 0);
    EXPECT_EQ(size(tarvex_providers_contracts_table_model_get_columns(table.get())),
              also_columns ? 0 : 2);
    using C = ItemsSpy::Call;
    EXPECT_EQ(spy.calls, (std::vector<C>{C{0, 3, 0}}));
  }
}

TEST_F(TableModelTest, UpdateRowVersionRules) {
  struct {
    TarvexProvidersContractsDataVersion before, edit, after;
    bool removed;
  } cases[] = {
      {INITIAL, DELETE, DELETE, false},  {UPDATE, DELETE, DELETE, false},
      {INSERT, DELETE, INSERT, true},    {INITIAL, UPDATE, UPDATE, false},
      {INSERT, UPDATE, INSERT, false},   {DELETE, UPDATE, DELETE, false},
      {INITIAL, INSERT, INITIAL, false}, {INITIAL, IDENTICAL, INITIAL, false},
  };
  for (auto& c : cases) {
    auto table = sample();
    auto row = row_at(table.get(), 1);
    tarvex_providers_contracts_row_model_set_version(row.get(), c.before);
    ItemsSpy spy(table.get());
    tarvex_providers_contracts_table_model_update_row_version(table.get(), 1, c.edit);
    EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()), c.after)
        << c.before << "/" << c.edit;
    gint position = 0;
    EXPECT_EQ(tarvex_providers_contracts_table_model_find(table.get(), row.get(), &position),
              !c.removed);
    using C = ItemsSpy::Call;
    // A removed row is announced, so list views do not ask for it.
    std::vector<C> expected;
    if (c.removed) expected.push_back(C{1, 1, 0});
    EXPECT_EQ(spy.calls, expected) << c.before << "/" << c.edit;
  }
  // A row made by new_row and appended goes on delete.
  auto table = sample();
  auto fresh = adoptGRef(tarvex_providers_contracts_table_model_new_row(table.get()));
  guint at_end = tarvex_providers_contracts_table_model_append(table.get(), fresh.get());
  tarvex_providers_contracts_table_model_update_row_version(table.get(), at_end, UPDATE);
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(fresh.get()), INSERT);
  tarvex_providers_contracts_table_model_update_row_version(table.get(), at_end, DELETE);
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(table.get())), 3u);

  EXPECT_CRITICAL(tarvex_providers_contracts_table_model_update_row_version(table.get(), 3, DELETE),
                  "position");
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(table.get())), 3u);
}

TEST_F(TableModelTest, ValueAccessByColumnAndRow) {
  auto table = sample();
  struct {
    gint col, row;
    const char* expected;
  } cases[] = {{0, 0, "1"},       {1, 2, "c"},      {2, 0, "<none>"},
               {-1, 0, "<none>"}, {0, 3, "<none>"}, {0, -1, "<none>"}};
  for (auto& c : cases) {
    auto value =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), c.col, c.row));
    EXPECT_EQ(text_of(value.get()), c.expected) << c.col << "," << c.row;
  }
  auto empty = adoptGRef(tarvex_providers_contracts_table_model_new());
  EXPECT_EQ(tarvex_providers_contracts_table_model_get_value_at(empty.get(), 0, 0), nullptr);

  ItemsSpy spy(table.get());
  auto replacement = adoptGRef(text("B"));
  tarvex_providers_contracts_table_model_set_value_at(table.get(), 1, 1, replacement.get());
  auto read = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 1, 1));
  EXPECT_EQ(read.get(), replacement.get());
  EXPECT_TRUE(spy.calls.empty());
  EXPECT_CRITICAL(tarvex_providers_contracts_table_model_set_value_at(table.get(), 0, 0, nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_table_model_set_value_at(table.get(), 0, 3, replacement.get()),
      "row");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_table_model_set_value_at(table.get(), 2, 0, replacement.get()),
      "position");
}

TEST_F(TableModelTest, DirectListChangesEmitNothingAndListViewsFollow) {
  auto table = sample();
  ItemsSpy spy(table.get());
  GeeArrayList* rows = tarvex_providers_contracts_table_model_get_rows(table.get());
  auto extra = row_of({int32(9), text("x")});
  add(rows, extra.get());
  EXPECT_TRUE(spy.calls.empty());
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(table.get())), 4u);
  auto item = adoptGRef(static_cast<Row*>(g_list_model_get_item(G_LIST_MODEL(table.get()), 3)));
  EXPECT_EQ(item.get(), extra.get());
  EXPECT_EQ(g_list_model_get_item(G_LIST_MODEL(table.get()), 4), nullptr);
}

TEST_F(TableModelTest, DataSetIsAListModelOfTables) {
  auto set = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(set.get()), "TarvexProvidersContractsDataSetModel");
  EXPECT_EQ(g_list_model_get_item_type(G_LIST_MODEL(set.get())),
            tarvex_providers_contracts_table_model_get_type());
  GeeArrayList* tables = tarvex_providers_contracts_data_set_model_get_tables(set.get());
  EXPECT_EQ(size(tables), 0);
  auto table = sample();
  add(tables, table.get());
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(set.get())), 1u);
  auto item = adoptGRef(static_cast<Table*>(g_list_model_get_item(G_LIST_MODEL(set.get()), 0)));
  EXPECT_EQ(item.get(), table.get());
  EXPECT_EQ(g_list_model_get_item(G_LIST_MODEL(set.get()), 1), nullptr);
  EXPECT_CRITICAL(tarvex_providers_contracts_data_set_model_get_tables(nullptr), "self != NULL");
}

// ------------------------------------------------------------ results

TEST_F(ResultTest, ScalarAndInvalidResults) {
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_iresult_get_type()),
               "TarvexProvidersContractsIResult");
  auto scalar = adoptGRef(tarvex_providers_contracts_scalar_result_new(-3));
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(scalar.get()), "TarvexProvidersContractsScalarResult");
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_IRESULT(scalar.get()));
  EXPECT_EQ(tarvex_providers_contracts_scalar_result_get_rows(scalar.get()), -3);
  tarvex_providers_contracts_scalar_result_set_rows(scalar.get(), 12);
  gint rows = 0;
  g_object_get(scalar.get(), "rows", &rows, nullptr);
  EXPECT_EQ(rows, 12);

  auto invalid = adoptGRef(tarvex_providers_contracts_invalid_result_new("-1", "bad"));
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(invalid.get()), "TarvexProvidersContractsInvalidResult");
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_IRESULT(invalid.get()));
  EXPECT_STREQ(tarvex_providers_contracts_invalid_result_get_code(invalid.get()), "-1");
  EXPECT_STREQ(tarvex_providers_contracts_invalid_result_get_message(invalid.get()), "bad");
  tarvex_providers_contracts_invalid_result_set_message(invalid.get(), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_invalid_result_get_message(invalid.get()), nullptr);
  g_object_set(invalid.get(), "code", "42", nullptr);
  EXPECT_STREQ(tarvex_providers_contracts_invalid_result_get_code(invalid.get()), "42");

  TarvexProvidersContractsInvalidResult* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_invalid_result_new(nullptr, "m"),
                  "error_code != NULL");
  EXPECT_CRITICAL(none = tarvex_providers_contracts_invalid_result_new("c", nullptr),
                  "error_message != NULL");
  EXPECT_EQ(none, nullptr);
  EXPECT_CRITICAL(tarvex_providers_contracts_scalar_result_get_rows(nullptr), "self != NULL");

  auto built = adoptGRef(static_cast<TarvexProvidersContractsScalarResult*>(
      g_object_new(tarvex_providers_contracts_scalar_result_get_type(), "rows", 5, nullptr)));
  EXPECT_EQ(tarvex_providers_contracts_scalar_result_get_rows(built.get()), 5);
}

// --------------------------------------------------------------- JSON

TEST_F(ModelJsonTest, ValuesShowTheirKindAndText) {
  const guint8 bytes[] = {'a', 0, 0xFF};
  struct {
    Value* value;
    const char* json;
  } cases[] = {
      {int32(42), R"({"data-type":"int32","text":"42"})"},
      {text(""), R"({"data-type":"string","text":""})"},
      {null_value(), R"({"data-type":"dbnull","text":null})"},
      {text("say \"hi\""), R"({"data-type":"string","text":"say \"hi\""})"},
      {reinterpret_cast<Value*>(tarvex_providers_contracts_value_binary_new(bytes, 3)),
       R"({"data-type":"binary","text":"6100FF"})"},
      {reinterpret_cast<Value*>(tarvex_providers_contracts_value_time_span_new(-90)),
       R"({"data-type":"timespan","text":"-90"})"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(json_of(c.value), c.json);
    g_object_unref(c.value);
  }
}

TEST_F(ModelJsonTest, RowsDifferingInOneCellDiffer) {
  auto a = row_of({int32(1), text("x"), null_value()});
  auto same = row_of({int32(1), text("x"), null_value()});
  auto other = row_of({int32(1), text("y"), null_value()});
  auto empty_not_null = row_of({int32(1), text("x"), text("")});
  EXPECT_EQ(json_of(a.get()),
            R"({"values":[{"data-type":"int32","text":"1"},{"data-type":"string","text":"x"},)"
            R"({"data-type":"dbnull","text":null}]})");
  EXPECT_EQ(json_of(a.get()), json_of(same.get()));
  EXPECT_NE(json_of(a.get()), json_of(other.get()));
  EXPECT_NE(json_of(a.get()), json_of(empty_not_null.get()));
  // The change state is not content.
  tarvex_providers_contracts_row_model_set_version(same.get(), UPDATE);
  EXPECT_EQ(json_of(a.get()), json_of(same.get()));
}

TEST_F(ModelJsonTest, TablesAndDataSets) {
  auto build = [&](const char* second_text) {
    DT types[] = {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
                  TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING};
    auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(types, 2));
    auto id = at<Column>(tarvex_providers_contracts_table_model_get_columns(table.get()), 0);
    tarvex_providers_contracts_column_model_set_name(id.get(), "id");
    tarvex_providers_contracts_column_model_set_title(id.get(), "Identity");
    auto r1 = row_of({int32(1), text("a")});
    auto r2 = row_of({int32(2), text(second_text)});
    tarvex_providers_contracts_table_model_append(table.get(), r1.get());
    tarvex_providers_contracts_table_model_append(table.get(), r2.get());
    return table;
  };
  auto table = build("b");
  EXPECT_EQ(
      json_of(table.get()),
      R"({"columns":[{"name":"id","data-type":"int32","data-size":0},)"
      R"({"name":"","data-type":"string","data-size":0}],)"
      R"("rows":[{"values":[{"data-type":"int32","text":"1"},{"data-type":"string","text":"a"}]},)"
      R"({"values":[{"data-type":"int32","text":"2"},{"data-type":"string","text":"b"}]}]})");
  EXPECT_EQ(json_of(table.get()), json_of(build("b").get()));
  EXPECT_NE(json_of(table.get()), json_of(build("B").get()));

  auto set = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  EXPECT_EQ(json_of(set.get()), R"({"tables":[]})");
  add(tarvex_providers_contracts_data_set_model_get_tables(set.get()), table.get());
  EXPECT_EQ(json_of(set.get()), std::string(R"({"tables":[)") + json_of(table.get()) + "]}");
}

}  // namespace
