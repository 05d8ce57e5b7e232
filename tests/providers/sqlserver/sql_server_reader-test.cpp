// Every type the reader maps, read over TDS 7.4 (and the older protocol's
// date fallback), as values, data types and NULLs.
#include <gee.h>

#include <cstdlib>
#include <cstring>

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
     "123456789012345680000000000000"},
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
    {"time(3)", "13:14:15.123", DT_(TIME), "time", "13:14:15"},
    {"smalldatetime", "2024-02-29 13:14", DT_(DATETIME), "datetime", "2024-02-29 13:14:00"},
    // The server's wall-clock time, whatever the local zone.
    {"datetime", "2024-02-29 10:00:00.123", DT_(DATETIME), "datetime", "2024-02-29 10:00:00"},
    {"datetime2(7)", "2024-02-29 23:59:59.9999999", DT_(DATETIME), "datetime",
     "2024-02-29 23:59:59"},
    {"datetimeoffset(2)", "2024-02-29 13:14:15.12 +02:00", DT_(DATETIME), "datetime",
     "2024-02-29 13:14:15"},
    {"xml", "<a b=\"1\"/>", DT_(STRING), "string", "<a b=\"1\"/>"},
    {"sql_variant", "int:42", DT_(VARIANT), "int32", "42"},
    {"sql_variant", "smallint:7", DT_(VARIANT), "int16", "7"},
    {"sql_variant", "bigint:5", DT_(VARIANT), "int64", "5"},
    {"sql_variant", "tinyint:3", DT_(VARIANT), "uint8", "3"},
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
        EXPECT_EQ(text_of(value.get()), c.text);
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
  EXPECT_STREQ(time_text.get(), "1970-01-01T13:14:15Z");

  // The instant and its offset both stay.
  auto offset = adoptGRef(tarvex_providers_contracts_idata_reader_get_datetime(r, 1, error.out()));
  ASSERT_NE(offset.get(), nullptr);
  EXPECT_EQ(g_date_time_get_utc_offset(offset.get()), G_GINT64_CONSTANT(-27000000000));
  EXPECT_EQ(g_date_time_get_hour(offset.get()), 13);
  auto expected = adoptGRef(g_date_time_new_from_iso8601("2024-02-29T20:44:15Z", nullptr));
  EXPECT_EQ(g_date_time_to_unix(offset.get()), g_date_time_to_unix(expected.get()));

  auto dt2 = adoptGRef(tarvex_providers_contracts_idata_reader_get_datetime(r, 2, error.out()));
  GUniqueStr dt2_text(g_date_time_format_iso8601(dt2.get()));
  EXPECT_STREQ(dt2_text.get(), "1999-12-31T23:59:59Z");
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

}  // namespace
}  // namespace tarvex::test::sqlserver
