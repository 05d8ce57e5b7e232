// Every type the reader maps, read over TDS 7.4 (and the older protocol's
// date fallback), as values, data types and NULLs.
#include <gee.h>
#include <json-glib/json-glib.h>

#include <sybdb.h>
#include <sybfront.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <tuple>
#include <vector>

#include "providers/contracts/table-cells-private.h"
#include "providers/contracts/value-text-private.h"
#include "tests/providers/sqlserver/sqlserver-test.h"

namespace tarvex::test::sqlserver {
namespace {

#define DT_(name) TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_##name
using DT = TarvexProvidersContractsDataType;

struct TypeCase {
  const char* type;
  const char* cell;
  DT kind;
  const char* value_name;  // the value's "name"
  const char* text;        // its to_string; "hex:..." its bytes
};

// What a client sees of each type: db-lib reports character types as char,
// xml as text, varbinary as binary and CLR types as bytes.
const TypeCase kTypes[] = {
    {"bit", "1", DT_(BOOLEAN), "bool", "true"},
    {"tinyint", "200", DT_(UINT8), "uint8", "200"},
    {"smallint", "-300", DT_(INT16), "int16", "-300"},
    {"int", "-70000", DT_(INT32), "int32", "-70000"},
    {"bigint", "9000000000", DT_(INT64), "int64", "9000000000"},
    {"real", "1.5", DT_(FLOAT), "float", "1.5"},
    {"float", "2.25", DT_(DOUBLE), "double", "2.25"},
    {"decimal(18,4)", "-12345.6789", DT_(DECIMAL), "decimal", "-12345.6789"},
    {"numeric(5,2)", "1.25", DT_(DECIMAL), "decimal", "1.25"},
    {"decimal(38,2)", "123456789012345678901234567890.12", DT_(DECIMAL), "decimal",
     "123456789012345678901234567890.12"},
    {"smallmoney", "12.3456", DT_(MONEY), "money", "12.3456"},
    {"money", "-922337203685.4775", DT_(MONEY), "money", "-922337203685.4775"},
    {"char(4)", "ab", DT_(STRING), "string", "ab  "},
    {"varchar(10)", "h\xC3\xA9llo", DT_(STRING), "string", "h\xC3\xA9llo"},
    {"nchar(3)", "x", DT_(STRING), "string", "x  "},
    {"nvarchar(20)", "\xE6\x97\xA5\xE6\x9C\xAC", DT_(STRING), "string", "\xE6\x97\xA5\xE6\x9C\xAC"},
    {"varchar(max)", "long text", DT_(STRING), "string", "long text"},
    {"nvarchar(max)", "\xC3\xB1", DT_(STRING), "string", "\xC3\xB1"},
    {"text", "t", DT_(STRING), "string", "t"},
    {"ntext", "nt", DT_(STRING), "string", "nt"},
    {"binary(4)", "0x01020304", DT_(BINARY), "binary", "hex:01020304"},
    // Bytes that begin with "\x" are data like any other.
    {"varbinary(10)", "0x5C784142", DT_(BINARY), "binary", "hex:5C784142"},
    {"varbinary(max)", "0x00FF", DT_(BINARY), "binary", "hex:00FF"},
    {"image", "0x0A", DT_(BINARY), "binary", "hex:0A"},
    {"uniqueidentifier", "6F9619FF-8B86-D011-B42D-00C04FC964FF", DT_(UUID), "uuid",
     "6F9619FF-8B86-D011-B42D-00C04FC964FF"},
    {"date", "2024-02-29", DT_(DATE), "date", "2024-02-29"},
    {"time(3)", "13:14:15.123", DT_(TIME), "time", "13:14:15.123"},
    {"smalldatetime", "2024-02-29 13:14", DT_(DATETIME), "datetime", "2024-02-29 13:14:00"},
    // The server's wall-clock time, whatever the local zone.
    {"datetime", "2024-02-29 10:00:00.123", DT_(DATETIME), "datetime", "2024-02-29 10:00:00.123"},
    // To the microsecond a GDateTime holds.
    {"datetime2(7)", "2024-02-29 23:59:59.9999999", DT_(DATETIME), "datetime",
     "2024-02-29 23:59:59.999999"},
    {"datetimeoffset(2)", "2024-02-29 13:14:15.12 +02:00", DT_(DATETIME), "datetime",
     "2024-02-29 13:14:15.12 +02:00"},
    {"xml", "<a b=\"1\"/>", DT_(STRING), "string", "<a b=\"1\"/>"},
    // A variant's base type is not known: bytes that are no text stay bytes.
    {"sql_variant", "int:42", DT_(VARIANT), "binary", "hex:2A000000"},
    {"sql_variant", "smallint:7", DT_(VARIANT), "binary", "hex:0700"},
    {"sql_variant", "bigint:5", DT_(VARIANT), "binary", "hex:0500000000000000"},
    {"sql_variant", "tinyint:3", DT_(VARIANT), "binary", "hex:03"},
    {"sql_variant", "nvarchar(20):16.0.1000.6", DT_(VARIANT), "string", "16.0.1000.6"},
    {"geometry", "POINT(1 2)", DT_(BINARY), "binary", nullptr},
};

std::string value_name(Value* value) {
  const char* name = tarvex_providers_contracts_value_object_get_name(value);
  return name ? name : "<null>";
}

class ReaderTypes : public ProviderTest {
 protected:
  void SetUp() override {
    ProviderTest::SetUp();
    // A zone far from UTC: date-times must still print as the server stored them.
    const char* tz = g_getenv("TZ");
    saved_tz_ = tz ? tz : "";
    had_tz_ = tz != nullptr;
    g_setenv("TZ", "<+0530>-5:30", TRUE);
    tzset();
  }
  void TearDown() override {
    if (had_tz_)
      g_setenv("TZ", saved_tz_.c_str(), TRUE);
    else
      g_unsetenv("TZ");
    tzset();
    ProviderTest::TearDown();
  }
  std::string saved_tz_;
  bool had_tz_ = false;
};

TEST_F(ReaderTypes, EveryTypeAsValueAndNull) {
  auto local_now = adoptGRef(g_date_time_new_now_local());
  EXPECT_EQ(g_date_time_get_utc_offset(local_now.get()), G_GINT64_CONSTANT(19800000000));

  open();
  for (bool nullable : {false, true}) {
    SCOPED_TRACE(nullable ? "nullable" : "not null");
    std::vector<tds::Column> columns;
    tds::Row values, nulls;
    for (size_t i = 0; i < std::size(kTypes); i++) {
      columns.push_back({"c" + std::to_string(i), kTypes[i].type, nullable});
      values.push_back(kTypes[i].cell);
      nulls.push_back(std::nullopt);
    }
    auto& rule = server_.on_batch("SELECT * FROM types").result(columns).row(values);
    if (nullable) rule.row(nulls);
    auto table = model("SELECT * FROM types");
    ASSERT_NE(table.get(), nullptr) << error_->message;
    take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time");
    ASSERT_EQ(columns_of(table.get()), int(std::size(kTypes)));
    ASSERT_EQ(rows_of(table.get()), nullable ? 2 : 1);
    for (size_t i = 0; i < std::size(kTypes); i++) {
      const auto& c = kTypes[i];
      SCOPED_TRACE(testing::Message() << c.type << " " << c.cell);
      auto* column = column_at(table.get(), int(i));
      EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_type(column), c.kind);
      auto value =
          adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), int(i), 0));
      ASSERT_NE(value.get(), nullptr);
      EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(value.get()));
      EXPECT_EQ(value_name(value.get()), c.value_name);
      if (c.text && g_str_has_prefix(c.text, "hex:")) {
        GUniqueStr hex(tarvex_providers_contracts_value_binary_to_hexadecimal(
            reinterpret_cast<TarvexProvidersContractsValueBinary*>(value.get())));
        EXPECT_STREQ(hex.get(), c.text + 4);
      } else if (c.text) {
        EXPECT_EQ(value_text(value.get()), c.text);
      }
      if (nullable) {
        auto null_value =
            adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), int(i), 1));
        EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(null_value.get()));
      }
    }
    server_.clear_rules();
  }
}

// The object's JSON form, compact.
std::string json_of(gpointer object) {
  JsonNode* root = json_gobject_serialize(G_OBJECT(object));
  GUniqueStr data(json_to_string(root, FALSE));
  json_node_unref(root);
  return data.get();
}

TarvexProvidersContractsRowModel* row_at(Table* table, int row) {
  return static_cast<TarvexProvidersContractsRowModel*>(
      g_list_model_get_item(G_LIST_MODEL(table), guint(row)));
}

// A date-time value's moment with its offset ("" for other values).
std::string moment_of(Value* value) {
  if (!g_object_class_find_property(G_OBJECT_GET_CLASS(value), "itsvalue") ||
      tarvex_providers_contracts_value_object_get_data_type(value) != DT_(DATETIME))
    return "";
  GDateTime* moment = nullptr;
  g_object_get(value, "itsvalue", &moment, nullptr);
  if (!moment) return "<none>";
  GUniqueStr text(g_date_time_format_iso8601(moment));
  g_date_time_unref(moment);
  return text.get();
}

// A filled table hands out the values it would have made while reading,
// however a caller first reaches them, and the same object every time.
TEST_F(ReaderTypes, FilledValuesAreTheSameWhicheverWayReached) {
  std::vector<tds::Column> columns;
  tds::Row values, nulls;
  for (size_t i = 0; i < std::size(kTypes); i++) {
    columns.push_back({"c" + std::to_string(i), kTypes[i].type, true});
    values.push_back(kTypes[i].cell);
    nulls.push_back(std::nullopt);
  }
  // Date-times at the ends of the range, and an empty text and binary.
  const std::vector<std::pair<const char*, const char*>> extra = {
      {"datetime2(7)", "0001-01-01 00:00:00"},
      {"datetime2(7)", "9999-12-31 23:59:59.9999999"},
      {"datetimeoffset(0)", "9999-12-31 10:00:00 +14:00"},
      {"datetimeoffset(0)", "2000-01-01 00:00:00 -14:00"},
      {"varchar(10)", ""},
      {"varbinary(10)", "0x"},
  };
  for (const auto& [type, cell] : extra) {
    columns.push_back({"e" + std::to_string(columns.size()), type, true});
    values.push_back(cell);
    nulls.push_back(std::nullopt);
  }
  const int n = int(columns.size());
  server_.on_batch("SELECT * FROM types").result(columns).row(values).row(nulls);
  open();
  auto fill = [&] {
    auto table = model("SELECT * FROM types");
    // Made while reading, as before.
    EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time"));
    return table;
  };
  // What the reader contract's get_value makes of each cell.
  std::vector<std::vector<GRef<Value>>> read;
  {
    auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
        as_provider(provider_.get()), "SELECT * FROM types", error_.out()));
    ASSERT_NE(reader.get(), nullptr) << error_->message;
    GUniqueError error;
    while (tarvex_providers_contracts_idata_reader_read(reader.get(), error.out())) {
      read.emplace_back();
      for (int i = 0; i < n; i++)
        read.back().push_back(adoptGRef(tarvex_providers_contracts_idata_reader_get_value(
            reader.get(), guint16(i), error.out())));
    }
    ASSERT_EQ(error.get(), nullptr);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time"));
  }
  auto made = fill();
  ASSERT_NE(made.get(), nullptr) << error_->message;
  ASSERT_EQ(rows_of(made.get()), 2);
  // Every value made through each row's list.
  for (int r = 0; r < 2; r++) {
    auto row = adoptGRef(row_at(made.get(), r));
    ASSERT_EQ(gee_collection_get_size(
                  GEE_COLLECTION(tarvex_providers_contracts_row_model_get_values(row.get()))),
              n);
  }

  // Copies and the JSON form of an untouched table equal those of one
  // whose values are made.
  auto untouched = fill();
  for (int r = 0; r < 2; r++) {
    auto row = adoptGRef(row_at(untouched.get(), r));
    auto made_row = adoptGRef(row_at(made.get(), r));
    auto copy = adoptGRef(tarvex_providers_contracts_row_model_clone(row.get()));
    auto made_copy = adoptGRef(tarvex_providers_contracts_row_model_clone(made_row.get()));
    EXPECT_EQ(json_of(copy.get()), json_of(made_copy.get()));
  }
  EXPECT_EQ(json_of(untouched.get()), json_of(made.get()));

  auto lazy = fill();
  for (int r = 0; r < 2; r++) {
    auto row = adoptGRef(row_at(lazy.get(), r));
    auto made_row = adoptGRef(row_at(made.get(), r));
    EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(row.get())), guint(n));
    for (int i = 0; i < n; i++) {
      SCOPED_TRACE(testing::Message() << "row " << r << " column " << i);
      // Cells reached in turn by each way in.
      Value* first;
      switch (i % 3) {
        case 0:
          first = tarvex_providers_contracts_table_model_get_value_at(lazy.get(), i, r);
          break;
        case 1:
          first = as_value(g_list_model_get_item(G_LIST_MODEL(row.get()), guint(i)));
          break;
        default:
          first = tarvex_providers_contracts_row_model_get_value_at(row.get(), i);
      }
      auto value = adoptGRef(first);
      ASSERT_NE(value.get(), nullptr);
      auto again = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(lazy.get(), i, r));
      EXPECT_EQ(again.get(), value.get());
      auto expected =
          adoptGRef(tarvex_providers_contracts_row_model_get_value_at(made_row.get(), i));
      Value* direct = read[size_t(r)][size_t(i)].get();
      ASSERT_NE(direct, nullptr);
      EXPECT_EQ(G_OBJECT_TYPE(direct), G_OBJECT_TYPE(expected.get()));
      EXPECT_EQ(value_text(direct), value_text(expected.get()));
      EXPECT_EQ(moment_of(direct), moment_of(expected.get()));
      EXPECT_EQ(json_of(direct), json_of(expected.get()));
      EXPECT_EQ(G_OBJECT_TYPE(value.get()), G_OBJECT_TYPE(expected.get()));
      EXPECT_EQ(value_name(value.get()), value_name(expected.get()));
      EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(value.get()),
                tarvex_providers_contracts_value_object_get_data_type(expected.get()));
      EXPECT_EQ(tarvex_providers_contracts_value_object_get_is_null(value.get()),
                tarvex_providers_contracts_value_object_get_is_null(expected.get()));
      EXPECT_EQ(value_text(value.get()), value_text(expected.get()));
      EXPECT_EQ(moment_of(value.get()), moment_of(expected.get()));
      EXPECT_EQ(json_of(value.get()), json_of(expected.get()));
    }
    // The list holds the very objects handed out before it was made.
    auto first = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 0));
    GeeArrayList* list = tarvex_providers_contracts_row_model_get_values(row.get());
    auto listed = adoptGRef(as_value(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), 0)));
    EXPECT_EQ(listed.get(), first.get());
  }
  EXPECT_EQ(json_of(lazy.get()), json_of(made.get()));

  // Edits show everywhere, whether made before the list or through it.
  auto fresh = fill();
  auto row = adoptGRef(row_at(fresh.get(), 0));
  auto replacement = adoptGRef(as_value(tarvex_providers_contracts_value_int32_new(7)));
  tarvex_providers_contracts_table_model_set_value_at(fresh.get(), 1, 0, replacement.get());
  auto seen = adoptGRef(as_value(g_list_model_get_item(G_LIST_MODEL(row.get()), 1)));
  EXPECT_EQ(seen.get(), replacement.get());
  GeeArrayList* list = tarvex_providers_contracts_row_model_get_values(row.get());
  auto listed = adoptGRef(as_value(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), 1)));
  EXPECT_EQ(listed.get(), replacement.get());
  auto other = adoptGRef(as_value(tarvex_providers_contracts_value_int32_new(8)));
  gee_abstract_list_set(GEE_ABSTRACT_LIST(list), 2, other.get());
  auto through_table =
      adoptGRef(tarvex_providers_contracts_table_model_get_value_at(fresh.get(), 2, 0));
  EXPECT_EQ(through_table.get(), other.get());
}

// Many rows share the memory their cells are read into: a row outlives its
// table with its values intact, and every row reads as a made one. 40,000
// rows take chunks made ahead of the fill on the arena's own thread.
TEST_F(ReaderTypes, ManyRowsKeepTheirCells) {
  const int counts[] = {3000, 40000};
  for (int n : counts)
    server_.on_batch("SELECT big " + std::to_string(n))
        .generate(uint64_t(n), {{"Id", "int"},
                                {"Label", "nvarchar(40)"},
                                {"Stamp", "datetime2(7)"},
                                {"Tag", "uniqueidentifier"},
                                {"Data", "varbinary(20)"}});
  open();
  for (int n : counts) {
    SCOPED_TRACE(n);
    const std::string query = "SELECT big " + std::to_string(n);
    auto made = model(query.c_str());
    ASSERT_NE(made.get(), nullptr) << error_->message;
    auto lazy = model(query.c_str());
    ASSERT_NE(lazy.get(), nullptr) << error_->message;
    ASSERT_EQ(rows_of(lazy.get()), n);
    for (int r = 0; r < n; r++) {
      auto row = adoptGRef(row_at(made.get(), r));
      tarvex_providers_contracts_row_model_get_values(row.get());
    }
    EXPECT_EQ(json_of(lazy.get()), json_of(made.get()));

    auto untouched = model(query.c_str());
    ASSERT_NE(untouched.get(), nullptr) << error_->message;
    const int picked[] = {0, n / 2, n - 1};
    std::vector<GRef<TarvexProvidersContractsRowModel>> kept;
    for (int r : picked) kept.push_back(adoptGRef(row_at(untouched.get(), r)));
    untouched.reset();
    for (size_t k = 0; k < kept.size(); k++) {
      auto made_row = adoptGRef(row_at(made.get(), picked[k]));
      EXPECT_EQ(json_of(kept[k].get()), json_of(made_row.get())) << "row " << picked[k];
    }
  }
}

// Large cells take blocks of their own beside the shared chunks; rows kept
// past their table keep their cells, small and large, as made ones do.
TEST_F(ReaderTypes, LargeAndSmallCellsSurviveTheirTable) {
  auto& rule =
      server_.on_batch("SELECT mixed")
          .result(
              {{"Id", "int"}, {"Text", "nvarchar(max)", true}, {"Amount", "decimal(38,4)", true}});
  const int n = 400;
  auto text_of_row = [](int r) {
    return r % 7 == 0 ? std::string(size_t(70000 + r), char('a' + r % 26))
                      : "small " + std::to_string(r);
  };
  for (int r = 0; r < n; r++) {
    std::optional<std::string> text = r % 11 == 5 ? std::nullopt : std::optional(text_of_row(r));
    rule.row({std::to_string(r), text,
              r % 2 ? "1234567890123456789012345678901234." + std::to_string(1000 + r)
                    : std::to_string(r) + ".0000"});
  }
  open();
  auto table = model("SELECT mixed");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  ASSERT_EQ(rows_of(table.get()), n);
  std::vector<GRef<TarvexProvidersContractsRowModel>> kept;
  for (int r = 0; r < n; r++) kept.push_back(adoptGRef(row_at(table.get(), r)));
  table.reset();
  for (int r = 0; r < n; r++) {
    SCOPED_TRACE(r);
    auto text =
        adoptGRef(tarvex_providers_contracts_row_model_get_value_at(kept[size_t(r)].get(), 1));
    EXPECT_EQ(value_text(text.get()), r % 11 == 5 ? "" : text_of_row(r));
    auto amount =
        adoptGRef(tarvex_providers_contracts_row_model_get_value_at(kept[size_t(r)].get(), 2));
    EXPECT_EQ(value_text(amount.get()),
              r % 2 ? "1234567890123456789012345678901234." + std::to_string(1000 + r)
                    : std::to_string(r) + ".0000");
    auto copy = adoptGRef(tarvex_providers_contracts_row_model_clone(kept[size_t(r)].get()));
    EXPECT_EQ(json_of(copy.get()), json_of(kept[size_t(r)].get()));
  }
}

// A filled table answers for its rows before any caller asks for its
// "rows" list: the row a caller reaches is made once and is the one every
// route gives from then on, the list included; edits, removals and
// additions made before the list exists show in it and are announced.
TEST_F(ReaderTypes, RowsReachedBeforeTheListAreTheRowsOfTheList) {
  using Row = TarvexProvidersContractsRowModel;
  auto& rule =
      server_.on_batch("SELECT some")
          .result(
              {{"Id", "int"}, {"Text", "nvarchar(max)", true}, {"Amount", "decimal(38,4)", true}});
  const int n = 300;
  // Every seventh row too large for the shared chunks.
  auto text_of_row = [](int r) {
    return r % 7 == 0 ? std::string(size_t(70000 + r), char('a' + r % 26))
                      : "t\xC3\xA9xt " + std::to_string(r);
  };
  for (int r = 0; r < n; r++)
    rule.row({std::to_string(r), r % 11 == 5 ? std::nullopt : std::optional(text_of_row(r)),
              r % 2 ? "1234567890123456789012345678901234." + std::to_string(1000 + r)
                    : std::to_string(r) + ".0000"});
  open();
  auto expected_text = [&](int r) { return r % 11 == 5 ? std::string() : text_of_row(r); };
  auto item = [](Table* table, guint position) {
    return adoptGRef(static_cast<Row*>(g_list_model_get_item(G_LIST_MODEL(table), position)));
  };
  auto value = [](Row* row, int col) {
    return adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row, col));
  };
  struct Spy {
    std::vector<std::tuple<guint, guint, guint>> calls;
    static void on(GListModel*, guint position, guint removed, guint added, gpointer data) {
      static_cast<Spy*>(data)->calls.emplace_back(position, removed, added);
    }
  };
  using Call = std::tuple<guint, guint, guint>;

  auto listed = model("SELECT some");
  ASSERT_NE(listed.get(), nullptr) << error_->message;
  ASSERT_EQ(rows_of(listed.get()), n);

  auto table = model("SELECT some");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(table.get())), guint(n));
  EXPECT_EQ(g_list_model_get_item(G_LIST_MODEL(table.get()), guint(n)), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_table_model_get_value_at(table.get(), 0, n), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_table_model_get_value_at(table.get(), 3, 0), nullptr);
  // Reached cell first, row first, and the last row: large and small ones.
  std::vector<GRef<Row>> reached;
  std::vector<GRef<Value>> cells;
  const std::vector<int> positions = {0, 1, 7, 8, n - 1};
  for (int r : positions) {
    SCOPED_TRACE(r);
    auto cell = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 1, r));
    auto row = item(table.get(), guint(r));
    ASSERT_NE(row.get(), nullptr);
    EXPECT_EQ(item(table.get(), guint(r)).get(), row.get());
    EXPECT_EQ(value(row.get(), 1).get(), cell.get());
    EXPECT_EQ(value_text(cell.get()), expected_text(r));
    EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()),
              TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL);
    reached.push_back(std::move(row));
    cells.push_back(std::move(cell));
  }
  // The list, through the property, holds those very rows and values.
  GeeArrayList* rows = nullptr;
  g_object_get(table.get(), "rows", &rows, nullptr);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows, tarvex_providers_contracts_table_model_get_rows(table.get()));
  EXPECT_EQ(gee_collection_get_size(GEE_COLLECTION(rows)), n);
  for (size_t k = 0; k < positions.size(); k++) {
    auto in_list =
        adoptGRef(static_cast<Row*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(rows), positions[k])));
    EXPECT_EQ(in_list.get(), reached[k].get());
    EXPECT_EQ(value(in_list.get(), 1).get(), cells[k].get());
  }
  g_object_unref(rows);
  for (size_t k = 0; k < positions.size(); k++) {
    gint found = -1;
    EXPECT_TRUE(tarvex_providers_contracts_table_model_find(table.get(), reached[k].get(), &found));
    EXPECT_EQ(found, positions[k]);
  }
  EXPECT_EQ(json_of(table.get()), json_of(listed.get()));

  // Changes before the list exists.
  auto edited = model("SELECT some");
  ASSERT_NE(edited.get(), nullptr) << error_->message;
  Spy spy;
  g_signal_connect(edited.get(), "items-changed", G_CALLBACK(Spy::on), &spy);
  auto kept = item(edited.get(), 2);
  auto replacement = adoptGRef(as_value(tarvex_providers_contracts_value_int32_new(-1)));
  tarvex_providers_contracts_table_model_set_value_at(edited.get(), 0, 3, replacement.get());
  tarvex_providers_contracts_table_model_update_row_version(
      edited.get(), 4, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  auto removed = adoptGRef(tarvex_providers_contracts_table_model_delete_at(edited.get(), 5));
  ASSERT_NE(removed.get(), nullptr);
  EXPECT_EQ(value_text(value(removed.get(), 0).get()), "5");
  EXPECT_EQ(tarvex_providers_contracts_table_model_delete_at(edited.get(), n - 1), nullptr);
  auto added = adoptGRef(tarvex_providers_contracts_table_model_new_row(edited.get()));
  EXPECT_EQ(tarvex_providers_contracts_table_model_append(edited.get(), added.get()), guint(n - 1));
  EXPECT_EQ(spy.calls, (std::vector<Call>{{5, 1, 0}, {guint(n - 1), 0, 1}}));
  ASSERT_EQ(rows_of(edited.get()), n);
  EXPECT_EQ(text_at(edited.get(), 0, 5), "6");
  EXPECT_EQ(
      adoptGRef(tarvex_providers_contracts_table_model_get_value_at(edited.get(), 0, 3)).get(),
      replacement.get());
  auto updated = item(edited.get(), 4);
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(updated.get()),
            TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  EXPECT_EQ(item(edited.get(), 2).get(), kept.get());
  EXPECT_EQ(item(edited.get(), guint(n - 1)).get(), added.get());
  g_signal_handlers_disconnect_by_data(edited.get(), &spy);

  // Cleared before the list exists: announced, and rows reached before
  // keep their cells, also past their table.
  auto cleared = model("SELECT some");
  ASSERT_NE(cleared.get(), nullptr) << error_->message;
  Spy cleared_spy;
  g_signal_connect(cleared.get(), "items-changed", G_CALLBACK(Spy::on), &cleared_spy);
  std::vector<GRef<Row>> survivors;
  for (int r : positions) survivors.push_back(item(cleared.get(), guint(r)));
  tarvex_providers_contracts_table_model_clear(cleared.get(), FALSE);
  EXPECT_EQ(cleared_spy.calls, (std::vector<Call>{{0, guint(n), 0}}));
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(cleared.get())), 0u);
  EXPECT_EQ(rows_of(cleared.get()), 0);
  EXPECT_EQ(columns_of(cleared.get()), 3);
  g_signal_handlers_disconnect_by_data(cleared.get(), &cleared_spy);
  cleared.reset();
  table.reset();
  for (size_t k = 0; k < positions.size(); k++) {
    SCOPED_TRACE(positions[k]);
    EXPECT_EQ(value_text(value(survivors[k].get(), 1).get()), expected_text(positions[k]));
    EXPECT_EQ(value_text(value(reached[k].get(), 1).get()), expected_text(positions[k]));
    auto same = adoptGRef(static_cast<Row*>(gee_abstract_list_get(
        GEE_ABSTRACT_LIST(tarvex_providers_contracts_table_model_get_rows(listed.get())),
        positions[k])));
    EXPECT_EQ(json_of(survivors[k].get()), json_of(same.get()));
  }

  // A table released without its rows ever reached frees them with it (the
  // sanitizers' run checks the memory).
  EXPECT_NE(model("SELECT some").get(), nullptr);
}

// Each row of a filled table keeps its cells packed, each in the bytes its
// kind needs: the limits of every width read back whole, by the export
// reader and as values, whether the rows are still pending, listed but not
// reached, or made into values.
TEST_F(ReaderTypes, PackedCellsKeepTheLimitsOfTheirKinds) {
  const std::vector<std::tuple<const char*, const char*, const char*, const char*>> columns = {
      // type, lowest, highest, highest as the value prints it
      {"tinyint", "0", "255", "255"},
      {"smallint", "-32768", "32767", "32767"},
      {"int", "-2147483648", "2147483647", "2147483647"},
      {"bigint", "-9223372036854775808", "9223372036854775807", "9223372036854775807"},
      {"bit", "0", "1", "true"},
      {"real", "-1.5", "3.25", "3.25"},
      {"float", "-0.1", "2.25", "2.25"},
      {"decimal(18,4)", "-99999999999999.9999", "99999999999999.9999", "99999999999999.9999"},
      {"decimal(38,0)", "-99999999999999999999999999999999999999",
       "99999999999999999999999999999999999999", "99999999999999999999999999999999999999"},
      {"smallmoney", "-214748.3648", "214748.3647", "214748.3647"},
      {"money", "-922337203685477.5808", "922337203685477.5807", "922337203685477.5807"},
      {"nvarchar(20)", "", "\xF0\x9F\x98\x80 'a' ]b", "\xF0\x9F\x98\x80 'a' ]b"},
      {"varbinary(10)", "0x", "0x00FF00", "hex:00FF00"},
      {"uniqueidentifier", "00000000-0000-0000-0000-000000000000",
       "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF", "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF"},
      {"datetime2(7)", "0001-01-01 00:00:00.0000001", "9999-12-31 23:59:59.9999999",
       "9999-12-31 23:59:59.999999"},
      {"datetimeoffset(7)", "2024-02-29 13:14:15.1234567 -14:00",
       "2024-02-29 13:14:15.1234567 +14:00", "2024-02-29 13:14:15.123456 +14:00"},
  };
  std::vector<tds::Column> spec;
  tds::Row low, high, nulls;
  for (const auto& [type, lowest, highest, printed] : columns) {
    spec.push_back({"c" + std::to_string(spec.size()), type, true});
    low.push_back(lowest);
    high.push_back(highest);
    nulls.push_back(std::nullopt);
  }
  server_.on_batch("SELECT limits").result(spec).row(low).row(high).row(nulls);
  open();
  const guint width = guint(columns.size());

  // Every cell of every row as the export reader gives it, then as the
  // values the reader hands over.
  auto read = [&](Table* table) {
    const auto* cells = models::table_cells_of(table);
    EXPECT_NE(cells, nullptr);
    std::vector<std::string> out;
    if (!cells) return out;
    for (guint r = 0; r < cells->n_rows(G_OBJECT(table)); r++) {
      std::vector<models::Cell> row(width);
      std::vector<models::CellSlot> slots(width);
      cells->read_row(G_OBJECT(table), r, width, row.data(), slots.data());
      for (const auto& cell : row) {
        switch (cell.kind) {
          case models::Cell::TEXT:
            out.push_back("text:" + std::string(cell.data, cell.length));
            break;
          case models::Cell::BYTES:
            out.push_back("bytes:" + std::string(cell.data, cell.length));
            break;
          case models::Cell::VALUE:
            out.push_back("value:" + value_text(cell.value));
            if (cell.owned) g_object_unref(cell.value);
            break;
          case models::Cell::NULL_CELL:
            out.push_back("null");
            break;
          default:
            out.push_back("absent");
        }
      }
      std::vector<Value*> values(width);
      cells->row_values(G_OBJECT(table), r, width, values.data());
      for (Value* value : values) {
        out.push_back(value ? value_name(value) + ":" + value_text(value) : "<none>");
        if (value) g_object_unref(value);
      }
    }
    return out;
  };

  auto pending = model("SELECT limits");
  ASSERT_NE(pending.get(), nullptr) << error_->message;
  const auto expected = read(pending.get());
  ASSERT_EQ(expected.size(), size_t(3 * 2 * width));

  // The highest of each kind, as its value prints it; NULL beside the
  // empty text and the empty bytes of the lowest row.
  auto made = model("SELECT limits");
  ASSERT_NE(made.get(), nullptr) << error_->message;
  for (guint c = 0; c < width; c++) {
    SCOPED_TRACE(std::get<0>(columns[c]));
    auto value =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(made.get(), gint(c), 1));
    const char* printed = std::get<3>(columns[c]);
    if (g_str_has_prefix(printed, "hex:")) {
      GUniqueStr hex(tarvex_providers_contracts_value_binary_to_hexadecimal(
          reinterpret_cast<TarvexProvidersContractsValueBinary*>(value.get())));
      EXPECT_STREQ(hex.get(), printed + 4);
    } else {
      EXPECT_EQ(value_text(value.get()), printed);
    }
    auto lowest =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(made.get(), gint(c), 0));
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(lowest.get()));
    auto none =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(made.get(), gint(c), 2));
    EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(none.get()));
    EXPECT_EQ(expected[size_t(2 * width * 2 + c)], "null");
  }
  EXPECT_EQ(
      value_text(
          adoptGRef(tarvex_providers_contracts_table_model_get_value_at(made.get(), 1, 0)).get()),
      "-32768");
  EXPECT_EQ(
      value_text(
          adoptGRef(tarvex_providers_contracts_table_model_get_value_at(made.get(), 3, 0)).get()),
      "-9223372036854775808");
  EXPECT_EQ(
      value_text(
          adoptGRef(tarvex_providers_contracts_table_model_get_value_at(made.get(), 10, 0)).get()),
      "-922337203685477.5808");
  EXPECT_EQ(expected[11], "text:");
  EXPECT_EQ(expected[12], "bytes:");

  // Listed, the rows not reached: the same cells and values.
  auto listed = model("SELECT limits");
  ASSERT_NE(listed.get(), nullptr) << error_->message;
  EXPECT_EQ(gee_collection_get_size(
                GEE_COLLECTION(tarvex_providers_contracts_table_model_get_rows(listed.get()))),
            3);
  EXPECT_EQ(read(listed.get()), expected);
  // Every value made, then an edit of a row never reached before.
  for (int r = 0; r < 3; r++) {
    auto row = adoptGRef(row_at(made.get(), r));
    tarvex_providers_contracts_row_model_get_values(row.get());
  }
  // Made values are what the export reader hands over, as their objects.
  auto made_cells = read(made.get());
  ASSERT_EQ(made_cells.size(), expected.size());
  for (size_t k = 0; k < expected.size(); k++) {
    if (k % (2 * width) >= width)
      EXPECT_EQ(made_cells[k], expected[k]);
    else if (expected[k] != "null")
      EXPECT_TRUE(g_str_has_prefix(made_cells[k].c_str(), "value:")) << made_cells[k];
  }
  EXPECT_EQ(json_of(listed.get()), json_of(made.get()));
  auto row = adoptGRef(row_at(listed.get(), 1));
  auto seven = adoptGRef(as_value(tarvex_providers_contracts_value_int32_new(7)));
  tarvex_providers_contracts_row_model_set_value_at(row.get(), 1, seven.get());
  auto copy = adoptGRef(tarvex_providers_contracts_row_model_clone(row.get()));
  auto edited = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(copy.get(), 1));
  EXPECT_EQ(value_text(edited.get()), "7");
  auto kept = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(copy.get(), 13));
  EXPECT_EQ(value_text(kept.get()), std::get<3>(columns[13]));
}

TEST_F(ReaderTypes, TimesAndOffsets) {
  server_.on_batch("SELECT times")
      .result({{"t", "time(3)"},
               {"dto", "datetimeoffset(7)"},
               {"dt2", "datetime2(3)"},
               {"zero", "datetime"}})
      .row({"13:14:15.123", "2024-02-29 13:14:15.1234567 -07:30", "1999-12-31 23:59:59.999",
            "1900-01-01"});
  open();
  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "SELECT times", error_.out()));
  ASSERT_NE(reader.get(), nullptr) << error_->message;
  auto* r = reader.get();
  GUniqueError error;
  ASSERT_TRUE(tarvex_providers_contracts_idata_reader_read(r, error.out()));

  auto time = adoptGRef(tarvex_providers_contracts_idata_reader_get_time(r, 0, error.out()));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time: 0"));
  ASSERT_NE(time.get(), nullptr);
  GUniqueStr time_text(g_date_time_format_iso8601(time.get()));
  EXPECT_STREQ(time_text.get(), "1970-01-01T13:14:15.123000Z");

  // The instant and its offset both stay.
  auto offset = adoptGRef(tarvex_providers_contracts_idata_reader_get_datetime(r, 1, error.out()));
  ASSERT_NE(offset.get(), nullptr);
  EXPECT_EQ(g_date_time_get_utc_offset(offset.get()), G_GINT64_CONSTANT(-27000000000));
  EXPECT_EQ(g_date_time_get_hour(offset.get()), 13);
  auto expected = adoptGRef(g_date_time_new_from_iso8601("2024-02-29T20:44:15Z", nullptr));
  EXPECT_EQ(g_date_time_to_unix(offset.get()), g_date_time_to_unix(expected.get()));

  auto dt2 = adoptGRef(tarvex_providers_contracts_idata_reader_get_datetime(r, 2, error.out()));
  GUniqueStr dt2_text(g_date_time_format_iso8601(dt2.get()));
  EXPECT_STREQ(dt2_text.get(), "1999-12-31T23:59:59.999000Z");
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_timespan(r, 2, error.out()), 946684799);
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "reader:201: get_timespan: 2"));

  GDate date;
  tarvex_providers_contracts_idata_reader_get_date(r, 1, &date, error.out());
  ASSERT_TRUE(g_date_valid(&date));
  EXPECT_EQ(g_date_get_year(&date), 2024);
  EXPECT_EQ(g_date_get_month(&date), G_DATE_FEBRUARY);
  EXPECT_EQ(g_date_get_day(&date), 29);

  auto zero = adoptGRef(tarvex_providers_contracts_idata_reader_get_datetime(r, 3, error.out()));
  ASSERT_NE(zero.get(), nullptr);
  EXPECT_EQ(g_date_time_get_year(zero.get()), 1900);
  EXPECT_EQ(error.get(), nullptr);
}

TEST_F(ReaderTypes, RawGetters) {
  server_.on_batch("SELECT raw")
      .result({{"g", "uniqueidentifier"},
               {"b", "varbinary(10)"},
               {"e", "varbinary(10)"},
               {"s", "varchar(10)"},
               {"m", "money"},
               {"sm", "smallmoney"},
               {"d", "decimal(38,10)"},
               {"geo", "geometry"}})
      .row({"{0b1c2d3e-4f50-6172-8394-a5b6c7d8e9f0}", "0x5C7834", "", "", "12.3456", "-12.3456",
            "-1234567890123456789.0123456789", "POINT(1 2)"});
  open();
  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "SELECT raw", error_.out()));
  ASSERT_NE(reader.get(), nullptr) << error_->message;
  auto* r = reader.get();
  GUniqueError error;
  ASSERT_TRUE(tarvex_providers_contracts_idata_reader_read(r, error.out()));

  GUniqueStr guid(tarvex_providers_contracts_idata_reader_get_guid(r, 0, error.out()));
  EXPECT_STREQ(guid.get(), "0B1C2D3E-4F50-6172-8394-A5B6C7D8E9F0");

  gint length = -1;
  GUnique<guint8> bytes(
      tarvex_providers_contracts_idata_reader_get_binary(r, 1, &length, error.out()));
  ASSERT_EQ(length, 3);
  EXPECT_EQ(std::memcmp(bytes.get(), "\\x4", 3), 0);
  bytes.reset(tarvex_providers_contracts_idata_reader_get_binary(r, 2, &length, error.out()));
  EXPECT_EQ(length, 0);
  EXPECT_NE(bytes.get(), nullptr);

  // Empty values are not NULL.
  EXPECT_FALSE(tarvex_providers_contracts_idata_reader_is_null(r, 2, error.out()));
  EXPECT_FALSE(tarvex_providers_contracts_idata_reader_is_null(r, 3, error.out()));
  GUniqueStr empty(tarvex_providers_contracts_idata_reader_get_string(r, 3, error.out()));
  EXPECT_STREQ(empty.get(), "");

  EXPECT_DOUBLE_EQ(tarvex_providers_contracts_idata_reader_get_money(r, 4, error.out()), 12.3456);
  EXPECT_DOUBLE_EQ(tarvex_providers_contracts_idata_reader_get_money(r, 5, error.out()), -12.3456);
  // Too many digits for a double: read through its text, the nearest double.
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_decimal(r, 6, error.out()),
            g_ascii_strtod("-1234567890123456789.0123456789", nullptr));

  GUniqueStr dbms(tarvex_providers_contracts_idata_reader_get_dbms_type(r, 7, error.out()));
  EXPECT_STREQ(dbms.get(), "");
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_data_type(r, 7, error.out()), DT_(BINARY));
  bytes.reset(tarvex_providers_contracts_idata_reader_get_binary(r, 7, &length, error.out()));
  EXPECT_EQ(length, 22);
  EXPECT_EQ(error.get(), nullptr);
}

TEST_F(ReaderTypes, DecimalsMatchTheirText) {
  const char* cells[] = {
      "0.0000", "1.0000",  "-0.0001", "12345678901234.5678", "99999999999999.9999",
      "0.1000", "-5.0005", "3.3333"};
  auto& rule = server_.on_batch("SELECT d").result({{"d", "decimal(18,4)"}});
  for (const char* cell : cells) rule.row({cell});
  open();
  auto table = model("SELECT d");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  for (size_t i = 0; i < std::size(cells); i++) {
    auto value =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 0, int(i)));
    EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(
                  reinterpret_cast<TarvexProvidersContractsINumeric*>(value.get())),
              g_ascii_strtod(cells[i], nullptr))
        << cells[i];
  }
}

// Below TDS 7.3 the server sends the 2008 date and time types as text.
TEST_F(ReaderTypes, OlderProtocolSendsDatesAsText) {
  server_.set_max_tds_version(tds::kTds72);
  server_.on_batch("SELECT d")
      .result({{"d", "date"}, {"t", "time(0)"}})
      .row({"2024-02-29", "10:11:12"});
  open();
  auto table = model("SELECT d");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_type(column_at(table.get(), 0)),
            DT_(STRING));
  EXPECT_EQ(text_at(table.get(), 0, 0), "2024-02-29");

  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "SELECT d", error_.out()));
  ASSERT_NE(reader.get(), nullptr);
  GUniqueError error;
  ASSERT_TRUE(tarvex_providers_contracts_idata_reader_read(reader.get(), error.out()));
  GDate date;
  tarvex_providers_contracts_idata_reader_get_date(reader.get(), 0, &date, error.out());
  ASSERT_TRUE(g_date_valid(&date));
  EXPECT_EQ(g_date_get_year(&date), 1970);
  EXPECT_EQ(g_date_get_day(&date), 1);
  // Not an ISO 8601 date-time: the Unix epoch.
  auto time =
      adoptGRef(tarvex_providers_contracts_idata_reader_get_time(reader.get(), 1, error.out()));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time: 1"));
  EXPECT_EQ(g_date_time_to_unix(time.get()), 0);
}

TEST_F(ReaderTypes, ReaderPreconditionAndProperties) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_supports_sql_server_reader_new(nullptr), nullptr),
                  "connection != NULL");
  EXPECT_STREQ(g_type_name(TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER),
               "TarvexProvidersSupportsSQLServerReader");
  EXPECT_STREQ(g_type_name(TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_PROVIDER),
               "TarvexProvidersSupportsSQLServerProvider");
  auto* klass = static_cast<GObjectClass*>(
      g_type_class_ref(TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER));
  for (const char* name : {"userdata", "field-count", "is-closed"}) {
    GParamSpec* spec = g_object_class_find_property(klass, name);
    ASSERT_NE(spec, nullptr) << name;
    EXPECT_EQ(spec->flags & G_PARAM_WRITABLE, 0) << name;
  }
  g_type_class_unref(klass);
}

// ------------------------------------------------------------ every route

// What a plain db-lib program reads of a result: each cell's bytes and, for
// the types db-lib converts, its text (dbconvert to varchar). db-lib's
// defaults otherwise, as any program that sets nothing gets them.
struct PlainCell {
  std::optional<std::string> bytes;  // none for NULL
  std::string converted;
};

std::vector<std::vector<PlainCell>> plain_dblib_read(const tds::Server& server, const char* sql) {
  std::vector<std::vector<PlainCell>> rows;
  LOGINREC* login = dblogin();
  DBSETLUSER(login, "sa");
  DBSETLPWD(login, "secret");
  dbsetlname(login, "UTF-8", DBSETCHARSET);
  DBPROCESS* p = tdsdbopen(login, server.address().c_str(), 1);
  dbloginfree(login);
  if (!p) return rows;
  dbcmd(p, sql);
  if (dbsqlexec(p) == 1 && dbresults(p) == 1) {
    int n = dbnumcols(p);
    while (dbnextrow(p) == REG_ROW) {
      rows.emplace_back();
      for (int i = 1; i <= n; i++) {
        PlainCell cell;
        BYTE* data = dbdata(p, i);
        DBINT length = dbdatlen(p, i);
        int type = dbcoltype(p, i);
        if (data || length > 0) {
          cell.bytes = std::string(reinterpret_cast<const char*>(data), size_t(length));
          if (type != 98) {  // db-lib refuses to convert a sql_variant
            char buffer[256] = {};
            dbconvert(p, type, data, length, SYBVARCHAR, reinterpret_cast<BYTE*>(buffer),
                      sizeof buffer - 1);
            cell.converted = buffer;
            while (!cell.converted.empty() && cell.converted.back() == ' ')
              cell.converted.pop_back();
          }
        }
        rows.back().push_back(cell);
      }
    }
  }
  dbclose(p);
  return rows;
}

// The texts of one cell by every way a caller reaches it: a fresh table's
// value, the clone of an untouched row, the JSON of an untouched table, and
// the reader's get_value. All must agree.
class ReaderRoutes : public ReaderTypes {
 protected:
  // Texts of column `col` of every row, after checking that every route
  // gives the same text and value class.
  std::vector<std::string> texts(const char* sql, int col,
                                 std::vector<std::string>* classes = nullptr) {
    std::vector<std::string> out;
    auto lazy = model(sql);
    auto untouched = model(sql);
    auto for_json = model(sql);
    if (!lazy || !untouched || !for_json) {
      ADD_FAILURE() << error_->message;
      return out;
    }
    // get_value of the reader.
    std::vector<GRef<Value>> read;
    {
      auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
          as_provider(provider_.get()), sql, error_.out()));
      EXPECT_NE(reader.get(), nullptr);
      if (!reader) return out;
      GUniqueError error;
      while (tarvex_providers_contracts_idata_reader_read(reader.get(), error.out()))
        read.push_back(adoptGRef(tarvex_providers_contracts_idata_reader_get_value(
            reader.get(), guint16(col), nullptr)));
      EXPECT_EQ(error.get(), nullptr);
    }
    JsonNode* root = json_gobject_serialize(G_OBJECT(for_json.get()));
    JsonArray* json_rows = json_object_get_array_member(json_node_get_object(root), "rows");
    int n = rows_of(lazy.get());
    EXPECT_EQ(size_t(n), read.size());
    for (int r = 0; r < n && size_t(r) < read.size(); r++) {
      SCOPED_TRACE(testing::Message() << sql << " row " << r);
      auto value =
          adoptGRef(tarvex_providers_contracts_table_model_get_value_at(lazy.get(), col, r));
      std::string text = value_text(value.get());
      auto row = adoptGRef(row_at(untouched.get(), r));
      auto copy = adoptGRef(tarvex_providers_contracts_row_model_clone(row.get()));
      auto copied = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(copy.get(), col));
      EXPECT_EQ(value_text(copied.get()), text);
      EXPECT_EQ(value_text(read[size_t(r)].get()), text);
      EXPECT_EQ(G_OBJECT_TYPE(read[size_t(r)].get()), G_OBJECT_TYPE(value.get()));
      EXPECT_EQ(G_OBJECT_TYPE(copied.get()), G_OBJECT_TYPE(value.get()));
      // A clone of the made value prints the same too.
      auto cloned = adoptGRef(tarvex_providers_contracts_value_object_clone(value.get()));
      EXPECT_EQ(value_text(cloned.get()), text);
      JsonObject* json_row = json_array_get_object_element(json_rows, guint(r));
      JsonObject* json_value = json_array_get_object_element(
          json_object_get_array_member(json_row, "values"), guint(col));
      if (tarvex_providers_contracts_value_object_get_is_null(value.get())) {
        EXPECT_TRUE(json_object_get_null_member(json_value, "text"));
      } else if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BINARY(value.get())) {
        // Bytes go out in hexadecimal.
        GUniqueStr hex(tarvex_providers_contracts_value_binary_to_hexadecimal(
            reinterpret_cast<TarvexProvidersContractsValueBinary*>(value.get())));
        EXPECT_STREQ(json_object_get_string_member(json_value, "text"), hex.get());
      } else {
        EXPECT_STREQ(json_object_get_string_member(json_value, "text"), text.c_str());
      }
      out.push_back(text);
      if (classes) classes->push_back(G_OBJECT_TYPE_NAME(value.get()));
    }
    json_node_unref(root);
    return out;
  }
};

TEST_F(ReaderRoutes, CharactersBeyondTheBasicPlaneArriveWhole) {
  const char* kEmoji = "\xF0\x9F\x98\x80";                    // U+1F600
  const char* kClef = "\xF0\x9D\x84\x9E";                     // U+1D11E
  const char* kCjkExtB = "\xF0\xA0\x80\x80\xF0\xAA\x9A\xA5";  // U+20000 U+2A6A5
  const std::string mixed = std::string(
                                "Z\xC3\xBCrich \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC "
                                "\xE2\x9C\x93 ") +
                            kEmoji;
  const std::string name = std::string("Name ") + kEmoji;
  server_.on_batch("SELECT chars")
      .result({{name, "nvarchar(40)"}, {"max", "nvarchar(max)"}, {"n", "nchar(4)", true}})
      .row({mixed, kClef, kCjkExtB})
      .row({"", std::string(kEmoji) + kClef + kCjkExtB, std::nullopt});
  open();
  EXPECT_EQ(texts("SELECT chars", 0), (std::vector<std::string>{mixed, ""}));
  EXPECT_EQ(texts("SELECT chars", 1),
            (std::vector<std::string>{kClef, std::string(kEmoji) + kClef + kCjkExtB}));
  // nchar(4) holds two pairs of surrogates, no padding left.
  EXPECT_EQ(texts("SELECT chars", 2), (std::vector<std::string>{kCjkExtB, ""}));
  auto table = model("SELECT chars");
  ASSERT_NE(table.get(), nullptr);
  EXPECT_STREQ(tarvex_providers_contracts_column_model_get_name(column_at(table.get(), 0)),
               name.c_str());

  // What a db-lib program with the library's defaults reads, byte for byte.
  auto plain = plain_dblib_read(server_, "SELECT chars");
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(plain[0][0].bytes, mixed);
  EXPECT_EQ(plain[0][1].bytes, kClef);
  EXPECT_EQ(plain[1][1].bytes, std::string(kEmoji) + kClef + kCjkExtB);
  EXPECT_EQ(text_at(table.get(), 1, 1), *plain[1][1].bytes);
  take_handler_logs();
}

TEST_F(ReaderRoutes, SqlTextsWithCharactersBeyondTheBasicPlaneReachTheServer) {
  const std::string sql = "SELECT N'\xF0\x9F\x98\x80' AS [\xF0\xA0\x80\x80 \xF0\x9D\x84\x9E]";
  server_.on_batch(sql)
      .result({{"\xF0\xA0\x80\x80 \xF0\x9D\x84\x9E", "nvarchar(10)"}})
      .row({"\xF0\x9F\x98\x80"});
  open();
  auto value = scalar(sql.c_str());
  ASSERT_NE(value.get(), nullptr) << error_->message;
  EXPECT_EQ(value_text(value.get()), "\xF0\x9F\x98\x80");
  auto sent = server_.batch_texts();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back(), sql);
}

struct ExactCase {
  const char* type;
  std::vector<std::optional<std::string>> cells;  // also the texts expected
};

TEST_F(ReaderRoutes, DecimalsAndMoneyKeepEveryDigit) {
  const ExactCase cases[] = {
      {"decimal(18,4)",
       {"-98765432109876.5432", "99999999999999.9999", "-99999999999999.9999", "0.0000", "0.5000",
        "-0.0001", std::nullopt}},
      {"numeric(38,10)",
       {"-9876543210987654321098765432.1234567891", "9999999999999999999999999999.9999999999",
        "0.0000000000", std::nullopt}},
      // 38 digits, at the sides of what 64 bits of unscaled digits hold.
      {"decimal(38,0)",
       {"99999999999999999999999999999999999999", "-99999999999999999999999999999999999999",
        "9223372036854775807", "9223372036854775808", "-9223372036854775808", "0"}},
      {"decimal(38,38)",
       {"0.00000000000000000000000000000000000001", "-0.99999999999999999999999999999999999999"}},
      {"money",
       {"-922337203685477.5808", "922337203685477.5807", "-922337203685477.5807",
        "922337203685477.5806", "0.0000", "12.5000", std::nullopt}},
      {"smallmoney", {"-214748.3648", "214748.3647", "-214748.3647", "0.0000", std::nullopt}},
  };
  open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    server_.clear_rules();
    auto& rule = server_.on_batch("SELECT exact").result({{"x", c.type, true}});
    for (const auto& cell : c.cells) rule.row({cell});
    std::vector<std::string> expected;
    for (const auto& cell : c.cells) expected.push_back(cell ? *cell : "");
    EXPECT_EQ(texts("SELECT exact", 0), expected);
    // The very text db-lib writes of each cell.
    auto plain = plain_dblib_read(server_, "SELECT exact");
    ASSERT_EQ(plain.size(), c.cells.size());
    for (size_t r = 0; r < plain.size(); r++)
      if (c.cells[r]) EXPECT_EQ(plain[r][0].converted, *c.cells[r]);
    // The double view stays the nearest double.
    auto table = model("SELECT exact");
    for (size_t r = 0; r < c.cells.size(); r++) {
      if (!c.cells[r]) continue;
      auto value =
          adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 0, int(r)));
      EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(
                    reinterpret_cast<TarvexProvidersContractsINumeric*>(value.get())),
                g_ascii_strtod(c.cells[r]->c_str(), nullptr));
    }
  }
  take_handler_logs();
}

TEST_F(ReaderRoutes, DateTimesKeepFractionsAndOffsets) {
  const struct {
    const char* type;
    const char* cell;
    const char* text;
  } cases[] = {
      // datetime ticks in 1/300 s: SQL Server shows .123, .127, .997.
      {"datetime", "2023-07-14 10:20:30.123", "2023-07-14 10:20:30.123"},
      {"datetime", "2023-07-14 10:20:30.127", "2023-07-14 10:20:30.127"},
      {"datetime", "2023-07-14 23:59:59.997", "2023-07-14 23:59:59.997"},
      {"datetime", "2023-07-14 10:20:30", "2023-07-14 10:20:30"},
      {"datetime2(7)", "2023-07-14 10:20:30.1234567", "2023-07-14 10:20:30.123456"},
      {"datetime2(7)", "2023-07-14 10:20:30.0000001", "2023-07-14 10:20:30"},
      {"datetime2(7)", "2023-07-14 10:20:30.000001", "2023-07-14 10:20:30.000001"},
      {"datetime2(7)", "9999-12-31 23:59:59.9999999", "9999-12-31 23:59:59.999999"},
      {"datetime2(0)", "2023-07-14 10:20:30", "2023-07-14 10:20:30"},
      {"time(7)", "10:20:30.1234567", "10:20:30.123456"},
      {"time(7)", "00:00:00", "00:00:00"},
      {"time(3)", "23:59:59.5", "23:59:59.5"},
      // The offset as SQL Server writes it, the wall-clock time at it.
      {"datetimeoffset(0)", "2023-12-31 22:10:05 -03:30", "2023-12-31 22:10:05 -03:30"},
      {"datetimeoffset(7)", "2023-12-31 22:10:05.1234567 +05:45",
       "2023-12-31 22:10:05.123456 +05:45"},
      {"datetimeoffset(3)", "2023-12-31 22:10:05.5 +00:00", "2023-12-31 22:10:05.5 +00:00"},
      {"datetimeoffset(0)", "0001-01-01 00:00:00 -14:00", "0001-01-01 00:00:00 -14:00"},
      {"datetimeoffset(0)", "9999-12-31 23:59:59 +14:00", "9999-12-31 23:59:59 +14:00"},
      {"datetimeoffset(0)", "1970-01-01 00:00:00 +00:00", "1970-01-01 00:00:00 +00:00"},
  };
  open();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.cell);
    server_.clear_rules();
    server_.on_batch("SELECT moment")
        .result({{"m", c.type, true}})
        .row({c.cell})
        .row({std::nullopt});
    auto seen = texts("SELECT moment", 0);
    take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time");
    take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time");
    take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time");
    take_log(G_LOG_LEVEL_WARNING, "reader:173: get_time");
    EXPECT_EQ(seen, (std::vector<std::string>{c.text, ""}));
  }
  // A datetimeoffset keeps its instant: the text's wall clock at its offset.
  server_.clear_rules();
  server_.on_batch("SELECT moment")
      .result({{"m", "datetimeoffset(0)"}})
      .row({"2023-12-31 22:10:05 -03:30"});
  auto table = model("SELECT moment");
  ASSERT_NE(table.get(), nullptr);
  auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 0, 0));
  GDateTime* moment = tarvex_providers_contracts_value_date_time_get_itsvalue(
      reinterpret_cast<TarvexProvidersContractsValueDateTime*>(value.get()));
  auto expected = adoptGRef(g_date_time_new_from_iso8601("2024-01-01T01:40:05Z", nullptr));
  EXPECT_EQ(g_date_time_to_unix(moment), g_date_time_to_unix(expected.get()));
}

// Dates across the whole calendar (every 89th day from 0001-01-01, and
// every day around the leap days of 1900, 2000 and 2100), with times and
// fractions that change from row to row, read back as they were sent; a
// datetimeoffset at offsets from -14:00 to +14:00 as well, its wall clock
// on either side of midnight UTC. The expected texts come from GDate.
TEST_F(ReaderRoutes, DateTimesAcrossTheCalendarReadBackAsSent) {
  std::vector<guint32> days;  // Julian days of GDate
  for (guint32 day = 1; day <= 3652059; day += 89) days.push_back(day);
  auto around = [&](int year) {
    GDate date;
    g_date_clear(&date, 1);
    g_date_set_dmy(&date, 20, G_DATE_FEBRUARY, GDateYear(year));
    guint32 first = g_date_get_julian(&date);
    for (guint32 day = first; day < first + 20; ++day) days.push_back(day);
  };
  for (int year : {1900, 2000, 2100}) around(year);
  days.push_back(3652059);  // 9999-12-31

  struct Row {
    std::string cell, text;
  };
  std::vector<Row> plain, offset;
  for (size_t k = 0; k < days.size(); ++k) {
    GDate date;
    g_date_clear(&date, 1);
    g_date_set_julian(&date, days[k]);
    int hour = int(k * 7 % 24), minute = int(k * 13 % 60), second = int(k * 17 % 60);
    int fraction = int(k * 7919 % 10000000);  // 100 ns units
    char day_text[16], clock[16], digits[8];
    std::snprintf(day_text, sizeof day_text, "%04d-%02d-%02d", g_date_get_year(&date),
                  int(g_date_get_month(&date)), g_date_get_day(&date));
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", hour, minute, second);
    std::snprintf(digits, sizeof digits, "%07d", fraction);
    // Shown to the microsecond, without trailing zeros.
    std::string shown(digits, 6);
    while (!shown.empty() && shown.back() == '0') shown.pop_back();
    std::string when = std::string(day_text) + " " + clock;
    std::string text = when + (shown.empty() ? "" : "." + shown);
    plain.push_back({when + "." + digits, text});
    // Offsets in whole quarters from -14:00 to +14:00; the first and last
    // days only at offsets that keep their instant in the calendar.
    int quarters = int(k * 11 % 113) - 56;
    if ((days[k] == 1 && quarters > 0) || (days[k] == 3652059 && quarters < 0))
      quarters = -quarters;
    char zone[16];
    std::snprintf(zone, sizeof zone, " %c%02d:%02d", quarters < 0 ? '-' : '+',
                  std::abs(quarters) / 4, std::abs(quarters) % 4 * 15);
    offset.push_back({when + "." + digits + zone, text + zone});
  }
  open();
  for (auto [type, rows] :
       {std::pair{"datetime2(7)", &plain}, std::pair{"datetimeoffset(7)", &offset}}) {
    SCOPED_TRACE(type);
    server_.clear_rules();
    auto& result = server_.on_batch("SELECT moment").result({{"m", type, true}});
    std::vector<std::string> expected;
    for (const Row& row : *rows) {
      result.row({row.cell});
      expected.push_back(row.text);
    }
    auto seen = texts("SELECT moment", 0);
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t k = 0; k < seen.size(); ++k) EXPECT_EQ(seen[k], expected[k]) << rows->at(k).cell;
  }
}

// U+0000 is a character like any other: at the start, inside, at the end
// and alone, beside emoji, empty texts and NULL, in every character type a
// cell's text arrives whole by every route (the value, its clone, a row's
// clone, the reader's get_value, the table's cells before and after the
// row is made). varchar travels in code page 1252 (an emoji becomes "?"),
// nchar is blank-padded to its length in UTF-16 units.
TEST_F(ReaderRoutes, TextsHoldingU0000ArriveWhole) {
  using namespace std::string_literals;
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::vector<std::optional<std::string>> cells = {
      "\0ab"s, "a\0b"s, "ab\0"s, "\0"s, "\0\0"s, emoji + "\0"s + emoji, ""s, std::nullopt};
  struct Column {
    const char* type;
    int pad;  // nchar's length
    bool code_page;
  };
  const Column columns[] = {
      {"nvarchar(20)", 0, false}, {"varchar(20)", 0, true},    {"nchar(6)", 6, false},
      {"ntext", 0, false},        {"nvarchar(max)", 0, false}, {"varchar(max)", 0, true},
      {"text", 0, true}};
  auto expected_of = [&](const Column& column, const std::string& cell) {
    std::string out;
    int units = 0;
    for (const char* at = cell.data(); at < cell.data() + cell.size(); at = g_utf8_next_char(at)) {
      gunichar c = g_utf8_get_char(at);
      units += c >= 0x10000 ? 2 : 1;
      if (column.code_page && c >= 0x100)
        out += '?';
      else
        out.append(at, size_t(g_utf8_next_char(at) - at));
    }
    for (; units < column.pad; ++units) out += ' ';
    return out;
  };
  std::vector<tds::Column> result;
  for (const auto& column : columns) result.push_back({column.type, column.type, true});
  auto& rule = server_.on_batch("SELECT zeros").result(result);
  for (const auto& cell : cells) rule.row(tds::Row(result.size(), cell));
  open();

  const guint width = guint(result.size());
  auto table = model("SELECT zeros");
  ASSERT_TRUE(table) << error_->message;
  const auto* reader = models::table_cells_of(table.get());
  ASSERT_NE(reader, nullptr);
  ASSERT_EQ(reader->n_rows(G_OBJECT(table.get())), guint(cells.size()));
  auto whole = [](Value* value) -> std::optional<std::string> {
    if (!value || tarvex_providers_contracts_value_object_get_is_null(value)) return std::nullopt;
    std::string text;
    if (!values::value_text(value, text)) return "<no text>";
    return text;
  };
  auto read_cells = [&](guint row) {
    std::vector<models::Cell> out(width);
    std::vector<models::CellSlot> slots(width);
    reader->read_row(G_OBJECT(table.get()), row, width, out.data(), slots.data());
    std::vector<std::optional<std::string>> texts;
    for (auto& cell : out) {
      // A made value comes as itself: its whole text.
      if (cell.kind == models::Cell::TEXT)
        texts.push_back(std::string(cell.data, cell.length));
      else if (cell.kind == models::Cell::VALUE)
        texts.push_back(whole(cell.value));
      else if (cell.kind == models::Cell::NULL_CELL)
        texts.push_back(std::nullopt);
      else
        texts.push_back("<not a text>");
      if (cell.owned && cell.value) g_object_unref(cell.value);
    }
    return texts;
  };
  // The reader's own values, row by row.
  std::vector<std::vector<GRef<Value>>> read;
  {
    auto data_reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
        as_provider(provider_.get()), "SELECT zeros", error_.out()));
    ASSERT_TRUE(data_reader);
    GUniqueError error;
    while (tarvex_providers_contracts_idata_reader_read(data_reader.get(), error.out())) {
      read.emplace_back();
      for (guint c = 0; c < width; ++c)
        read.back().push_back(adoptGRef(tarvex_providers_contracts_idata_reader_get_value(
            data_reader.get(), guint16(c), nullptr)));
    }
    EXPECT_EQ(error.get(), nullptr);
  }
  ASSERT_EQ(read.size(), cells.size());

  for (guint r = 0; r < cells.size(); ++r) {
    SCOPED_TRACE(testing::Message() << "row " << r << " " << testing::PrintToString(cells[r]));
    std::vector<std::optional<std::string>> expected;
    for (const auto& column : columns)
      expected.push_back(cells[r] ? std::optional<std::string>(expected_of(column, *cells[r]))
                                  : std::nullopt);
    // The cells of the untouched row.
    EXPECT_EQ(read_cells(r), expected);
    for (guint c = 0; c < width; ++c) {
      SCOPED_TRACE(columns[c].type);
      auto value = adoptGRef(
          tarvex_providers_contracts_table_model_get_value_at(table.get(), gint(c), gint(r)));
      EXPECT_EQ(whole(value.get()), expected[c]);
      auto cloned = adoptGRef(tarvex_providers_contracts_value_object_clone(value.get()));
      EXPECT_EQ(whole(cloned.get()), expected[c]);
      EXPECT_EQ(whole(read[r][c].get()), expected[c]);
      EXPECT_EQ(G_OBJECT_TYPE(read[r][c].get()), G_OBJECT_TYPE(value.get()));
    }
    // The row is made now: its cells are its values, as whole.
    EXPECT_EQ(read_cells(r), expected);
    auto row = adoptGRef(static_cast<TarvexProvidersContractsRowModel*>(
        g_list_model_get_item(G_LIST_MODEL(table.get()), r)));
    ASSERT_TRUE(row);
    auto copy = adoptGRef(tarvex_providers_contracts_row_model_clone(row.get()));
    for (guint c = 0; c < width; ++c) {
      auto copied =
          adoptGRef(tarvex_providers_contracts_row_model_get_value_at(copy.get(), gint(c)));
      EXPECT_EQ(whole(copied.get()), expected[c]) << columns[c].type;
    }
  }
  take_handler_logs();
}

TEST_F(ReaderRoutes, VariantsAreTextOrTheirBytes) {
  const struct {
    const char* cell;
    const char* type_name;
    const char* text;  // text, or "hex:" the bytes
  } cases[] = {
      {"nvarchar(10):abcd", "TarvexProvidersContractsValueString", "abcd"},
      {"nvarchar(10):ab", "TarvexProvidersContractsValueString", "ab"},
      {"varchar(10):x", "TarvexProvidersContractsValueString", "x"},
      {"nvarchar(10):", "TarvexProvidersContractsValueString", ""},
      {"nvarchar(10):\xE6\x9D\xB1\xF0\x9F\x98\x80", "TarvexProvidersContractsValueString",
       "\xE6\x9D\xB1\xF0\x9F\x98\x80"},
      {"nvarchar(128):16.0.1000.6", "TarvexProvidersContractsValueString", "16.0.1000.6"},
      {"float:1.5", "TarvexProvidersContractsValueBinary", "hex:000000000000F83F"},
      {"real:2.5", "TarvexProvidersContractsValueBinary", "hex:00002040"},
      {"int:42", "TarvexProvidersContractsValueBinary", "hex:2A000000"},
      {"money:12.5", "TarvexProvidersContractsValueBinary", "hex:0000000048E80100"},
      {"datetime:2023-01-01 10:00:00", "TarvexProvidersContractsValueBinary", nullptr},
      {"date:2023-01-01", "TarvexProvidersContractsValueBinary", nullptr},
  };
  open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    server_.clear_rules();
    server_.on_batch("SELECT variant")
        .result({{"v", "sql_variant", true}})
        .row({c.cell})
        .row({std::nullopt});
    std::vector<std::string> classes;
    auto seen = texts("SELECT variant", 0, &classes);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(classes[0], c.type_name);
    EXPECT_EQ(classes[1], "TarvexProvidersContractsValueNull");
    auto table = model("SELECT variant");
    auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 0, 0));
    auto plain = plain_dblib_read(server_, "SELECT variant");
    ASSERT_EQ(plain.size(), 2u);
    if (g_str_equal(c.type_name, "TarvexProvidersContractsValueBinary")) {
      GUniqueStr hex(tarvex_providers_contracts_value_binary_to_hexadecimal(
          reinterpret_cast<TarvexProvidersContractsValueBinary*>(value.get())));
      if (c.text) EXPECT_STREQ(hex.get(), c.text + 4);
      // The bytes db-lib gives, as they are.
      std::string bytes_hex;
      for (unsigned char b : *plain[0][0].bytes) {
        char two[3];
        g_snprintf(two, sizeof two, "%02X", b);
        bytes_hex += two;
      }
      EXPECT_EQ(hex.get(), bytes_hex);
    } else {
      EXPECT_EQ(seen[0], c.text);
      EXPECT_EQ(*plain[0][0].bytes, c.text);
    }
  }
  take_handler_logs();
}

}  // namespace
}  // namespace tarvex::test::sqlserver
