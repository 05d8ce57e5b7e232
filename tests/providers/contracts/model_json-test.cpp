// The JSON form of values, rows, tables and data sets.
#include <gtest/gtest.h>

#include "tests/providers/contracts/models-test.h"
#include "tests/support/log-capture.h"

namespace {

using namespace modeltest;

class ModelJsonTest : public tarvex::test::LogCaptureTest {};

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
