// Table models and data sets: rows appended, inserted, found, deleted and
// cleared with their list-model signals, version rules and value access.
#include <gtest/gtest.h>

#include <optional>

#include "providers/contracts/table-cells-private.h"
#include "providers/contracts/value-text-private.h"
#include "tests/providers/contracts/models-test.h"
#include "tests/support/log-capture.h"

namespace {

using namespace modeltest;

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
    EXPECT_EQ(value_text(value.get()), expected[i].text) << i;
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
  EXPECT_EQ(value_text(value.get()), "c");
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
    EXPECT_EQ(value_text(value.get()), c.expected) << c.col << "," << c.row;
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

}  // namespace

namespace {

// Rows appended as texts keep each text's given length, U+0000 included:
// the cells read back whole, before and after their row and values are
// made, and so do the values.
TEST_F(TableModelTest, AppendedTextsKeepTheirLengthThroughCellsAndValues) {
  using namespace std::string_literals;
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::vector<std::optional<std::string>> texts = {
      "\0ab"s, "a\0b"s, "ab\0"s, "\0"s, emoji + "\0"s + emoji, ""s, std::nullopt, "\0\0"s};
  std::vector<DT> types(texts.size(), TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING);
  auto table = adoptGRef(
      tarvex_providers_contracts_table_model_new_with_types(types.data(), gint(types.size())));
  const auto* cells = tarvex::models::table_cells_of(table.get());
  ASSERT_NE(cells, nullptr);
  std::vector<const char*> pointers;
  std::vector<gsize> lengths;
  for (const auto& t : texts) {
    pointers.push_back(t ? t->data() : nullptr);
    lengths.push_back(t ? t->size() : 0);
  }
  const guint width = guint(texts.size());
  cells->append_texts(G_OBJECT(table.get()), pointers.data(), lengths.data(), width);
  ASSERT_EQ(cells->n_rows(G_OBJECT(table.get())), 1u);

  auto check_cells = [&](const char* when) {
    SCOPED_TRACE(when);
    std::vector<tarvex::models::Cell> read(width);
    std::vector<tarvex::models::CellSlot> slots(width);
    cells->read_row(G_OBJECT(table.get()), 0, width, read.data(), slots.data());
    for (guint i = 0; i < width; i++) {
      SCOPED_TRACE(i);
      if (!texts[i]) {
        // A NULL cell, or the NULL value the row holds once made.
        EXPECT_TRUE(read[i].kind == tarvex::models::Cell::NULL_CELL ||
                    (read[i].kind == tarvex::models::Cell::VALUE &&
                     tarvex_providers_contracts_value_object_get_is_null(read[i].value)));
        continue;
      }
      if (read[i].kind == tarvex::models::Cell::VALUE) {
        std::string whole;
        EXPECT_TRUE(tarvex::values::value_text(read[i].value, whole));
        EXPECT_EQ(whole, *texts[i]);
        continue;
      }
      ASSERT_EQ(read[i].kind, tarvex::models::Cell::TEXT);
      EXPECT_EQ(std::string(read[i].data, read[i].length), *texts[i]);
    }
  };
  check_cells("untouched");
  for (guint i = 0; i < width; i++) {
    SCOPED_TRACE(i);
    auto value =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), gint(i), 0));
    ASSERT_TRUE(value);
    std::string whole;
    if (!texts[i]) {
      EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(value.get()));
      continue;
    }
    EXPECT_TRUE(tarvex::values::value_text(value.get(), whole));
    EXPECT_EQ(whole, *texts[i]);
  }
  // The row and its values are made now: the cells are the values.
  check_cells("values made");
}

}  // namespace
