// Row models: a list model of values, positions outside the row, the
// version and clones.
#include <gtest/gtest.h>

#include "tests/providers/contracts/models-test.h"
#include "tests/support/log-capture.h"

namespace {

using namespace modeltest;

class RowModelTest : public tarvex::test::LogCaptureTest {};

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
  EXPECT_EQ(value_text(first.get()), "7");
  EXPECT_TRUE(spy.calls.empty());
}

TEST_F(RowModelTest, PositionsOutsideTheRow) {
  auto row = row_of({int32(1), int32(2)});
  for (gint position : {-1, 2, 100}) {
    EXPECT_EQ(tarvex_providers_contracts_row_model_get_value_at(row.get(), position), nullptr)
        << position;
  }
  auto second = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 1));
  EXPECT_EQ(value_text(second.get()), "2");
  auto value = adoptGRef(int32(9));
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_set_value_at(row.get(), 2, value.get()),
                  "position");
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_set_value_at(row.get(), -1, value.get()),
                  "position");
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_set_value_at(row.get(), 0, nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_row_model_get_value_at(nullptr, 0), "self != NULL");
  auto first = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 0));
  EXPECT_EQ(value_text(first.get()), "1");
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
    EXPECT_EQ(value_text(original.get()), "");
    // The lists are independent too.
    add(tarvex_providers_contracts_row_model_get_values(copy.get()), copied.get());
    EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(source)), 2u);
  }
  Row* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_row_model_clone(nullptr), "self != NULL");
  EXPECT_EQ(none, nullptr);
}

}  // namespace
