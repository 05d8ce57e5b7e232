// Column models: constructors and notifying setters.
#include <gtest/gtest.h>

#include "tests/providers/contracts/models-test.h"
#include "tests/support/log-capture.h"

namespace {

using namespace modeltest;

class ColumnModelTest : public tarvex::test::LogCaptureTest {};

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

}  // namespace
