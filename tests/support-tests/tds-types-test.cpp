// Every type the reader maps reaches db-lib with its value and its NULL,
// over the current protocol and over the older ones that lack some types.
#include <gtest/gtest.h>

#include "tests/support-tests/tds-client.h"

using namespace tarvex::test;
using namespace tarvex::test::tdsclient;

namespace {

struct TypeCase {
  const char* type;
  const char* text;    // script text of the value
  int code;            // dbcoltype over TDS 7.4
  const char* expect;  // cell_text over TDS 7.4
  int code_71;         // dbcoltype over TDS 7.1
  const char* expect_71;
};

// Types without a nullable form of their own keep their code when nullable.
const TypeCase kCases[] = {
    {"bit", "1", SYBBIT, "1", SYBBIT, "1"},
    {"tinyint", "200", SYBINT1, "200", SYBINT1, "200"},
    {"smallint", "-1234", SYBINT2, "-1234", SYBINT2, "-1234"},
    {"int", "-2147483648", SYBINT4, "-2147483648", SYBINT4, "-2147483648"},
    {"bigint", "9223372036854775807", SYBINT8, "9223372036854775807", SYBINT8,
     "9223372036854775807"},
    {"real", "1.5", SYBREAL, "1.5", SYBREAL, "1.5"},
    {"float", "-2.25", SYBFLT8, "-2.25", SYBFLT8, "-2.25"},
    {"decimal(18,4)", "-123.45", SYBDECIMAL, "-123.4500", SYBDECIMAL, "-123.4500"},
    {"numeric(38,10)", "1234567890123456789012345678.0123456789", SYBNUMERIC,
     "1234567890123456789012345678.0123456789", SYBNUMERIC,
     "1234567890123456789012345678.0123456789"},
    {"smallmoney", "12.3456", SYBMONEY4, "12.3456", SYBMONEY4, "12.3456"},
    {"money", "-922337203685477.5808", SYBMONEY, "-922337203685477.5808", SYBMONEY,
     "-922337203685477.5808"},
    {"char(5)", "ab", SYBCHAR, "ab   ", SYBCHAR, "ab   "},
    {"varchar(10)", "h\xC3\xA9llo", SYBCHAR, "h\xC3\xA9llo", SYBCHAR, "h\xC3\xA9llo"},
    {"nchar(3)", "\xC3\xA4\xC3\xB6", SYBCHAR, "\xC3\xA4\xC3\xB6 ", SYBCHAR, "\xC3\xA4\xC3\xB6 "},
    {"nvarchar(40)", "\xE2\x82\xAC 5 \xF0\x9F\x98\x80", SYBCHAR, "\xE2\x82\xAC 5 \xF0\x9F\x98\x80",
     SYBCHAR, "\xE2\x82\xAC 5 \xF0\x9F\x98\x80"},
    {"varchar(max)", "long \xC3\xA9 text", SYBCHAR, "long \xC3\xA9 text", SYBTEXT,
     "long \xC3\xA9 text"},
    {"nvarchar(max)", "long \xE2\x82\xAC text", SYBCHAR, "long \xE2\x82\xAC text", SYBTEXT,
     "long \xE2\x82\xAC text"},
    {"text", "a text", SYBTEXT, "a text", SYBTEXT, "a text"},
    {"ntext", "an \xE2\x82\xAC ntext", SYBTEXT, "an \xE2\x82\xAC ntext", SYBTEXT,
     "an \xE2\x82\xAC ntext"},
    {"binary(4)", "0x0102", SYBBINARY, "0x01020000", SYBBINARY, "0x01020000"},
    {"varbinary(10)", "0xDEADBEEF", SYBBINARY, "0xDEADBEEF", SYBBINARY, "0xDEADBEEF"},
    {"varbinary(max)", "0x00FF10", SYBBINARY, "0x00FF10", SYBIMAGE, "0x00FF10"},
    {"image", "0xCAFE", SYBIMAGE, "0xCAFE", SYBIMAGE, "0xCAFE"},
    {"uniqueidentifier", "6F9619FF-8B86-D011-B42D-00C04FC964FF", kSybUnique,
     "6F9619FF-8B86-D011-B42D-00C04FC964FF", kSybUnique, "6F9619FF-8B86-D011-B42D-00C04FC964FF"},
    {"date", "2024-02-29", SYBMSDATE, "2024-02-29 00:00:00.000000000", SYBCHAR, "2024-02-29"},
    {"time(3)", "13:14:15.123", SYBMSTIME, "1900-01-01 13:14:15.123000000", SYBCHAR,
     "13:14:15.123"},
    {"smalldatetime", "2024-02-29 13:14", SYBDATETIME4, "2024-02-29 13:14:00.000000000",
     SYBDATETIME4, "2024-02-29 13:14:00.000000000"},
    {"datetime", "2024-02-29 13:14:15.997", SYBDATETIME, "2024-02-29 13:14:15.997000000",
     SYBDATETIME, "2024-02-29 13:14:15.997000000"},
    {"datetime2(7)", "2024-02-29 13:14:15.1234567", SYBMSDATETIME2, "2024-02-29 13:14:15.123456700",
     SYBCHAR, "2024-02-29 13:14:15.1234567"},
    {"datetime2(0)", "0001-01-01 00:00:00", SYBMSDATETIME2, "0001-01-01 00:00:00.000000000",
     SYBCHAR, "0001-01-01 00:00:00"},
    {"datetimeoffset(2)", "2024-02-29 13:14:15.12 +02:00", SYBMSDATETIMEOFFSET,
     "2024-02-29 13:14:15.120000000", SYBCHAR, "2024-02-29 13:14:15.12 +02:00"},
    {"xml", "<a>\xC3\xBC</a>", SYBTEXT, "<a>\xC3\xBC</a>", SYBTEXT, "<a>\xC3\xBC</a>"},
    {"sql_variant", "int:42", kSybVariant, "0x2A000000", kSybVariant, "0x2A000000"},
    {"geometry", "POINT(1 2)", 240, "0x00000000010C000000000000F03F0000000000000040", SYBIMAGE,
     "0x00000000010C000000000000F03F0000000000000040"},
};

// Over 7.2 only the 2008 date and time types still travel as text; over
// 7.1 the max, xml and UDT types travel as LOBs too.
struct Protocol {
  int version;
  const char* name;
};

bool is_2008_date_type(const char* type) {
  std::string t = type;
  return t == "date" || t.rfind("time(", 0) == 0 || t.rfind("datetime2", 0) == 0 ||
         t.rfind("datetimeoffset", 0) == 0;
}

bool old_form(const Protocol& p, const TypeCase& c) {
  if (p.version == DBVERSION_71) return true;
  if (p.version == DBVERSION_72) return is_2008_date_type(c.type);
  return false;
}

class TdsTypes : public LogCaptureTest, public ::testing::WithParamInterface<Protocol> {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    init_dblib();
    clear_events();
    server_.start();
  }
  tds::Server server_;
};

class TdsTypesVariant : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    init_dblib();
  }
};

TEST_P(TdsTypes, each_type_round_trips_with_its_null) {
  const Protocol proto = GetParam();
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.type);
    std::string sql = std::string("SELECT CAST(v AS ") + c.type + ")";
    server_.on_batch(sql)
        .result({{"v", c.type, false}, {"n", c.type, true}})
        .row({c.text, std::nullopt})
        .row({c.text, c.text});
  }
  Db db = connect(server_, {.version = proto.version});
  ASSERT_TRUE(db);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.type);
    ASSERT_TRUE(exec(db.get(), std::string("SELECT CAST(v AS ") + c.type + ")"));
    auto results = read_all(db.get());
    ASSERT_EQ(results.size(), 1u);
    const auto& rs = results[0];
    ASSERT_EQ(rs.rows.size(), 2u);
    EXPECT_EQ(rs.count, 2);
    bool old = old_form(proto, c);
    EXPECT_EQ(rs.types[0], old ? c.code_71 : c.code);
    // The nullable forms (INTN, FLTN, ...) travel on the wire, but db-lib
    // reports them under the fixed type's code.
    EXPECT_EQ(rs.types[1], rs.types[0]);
    const char* expect = old ? c.expect_71 : c.expect;
    if (expect) {
      EXPECT_EQ(rs.rows[0][0], expect);
      EXPECT_EQ(rs.rows[1][1], expect);
    }
    EXPECT_EQ(rs.rows[0][1], "NULL");
    EXPECT_NE(rs.rows[1][1], "NULL");
  }
}

INSTANTIATE_TEST_SUITE_P(Protocols, TdsTypes,
                         ::testing::Values(Protocol{DBVERSION_74, "tds74"},
                                           Protocol{DBVERSION_73, "tds73"},
                                           Protocol{DBVERSION_72, "tds72"},
                                           Protocol{DBVERSION_71, "tds71"}),
                         [](const auto& info) { return std::string(info.param.name); });

// sql_variant values of several base types: db-lib hands out the inner value.
TEST_F(TdsTypesVariant, variant_base_types_reach_the_client) {
  struct Case {
    const char* text;
    const char* expect;  // cell_text: the inner value's bytes
  };
  const Case cases[] = {
      {"tinyint:7", "0x07"},
      {"smallint:-2", "0xFEFF"},
      {"int:42", "0x2A000000"},
      {"bigint:1099511627776", "0x0000000000010000"},
      {"bit:1", "0x01"},
      {"float:1.5", "0x000000000000F83F"},
      {"money:1.0001", "0x0000000011270000"},
      {"nvarchar(20):16.0.1000.6", "0x31362E302E313030302E36"},
      {"varchar(8):abc", "0x616263"},
  };
  tds::Server server;
  std::vector<tds::Row> rows;
  for (const auto& c : cases) rows.push_back({c.text});
  rows.push_back({std::nullopt});
  server.on_batch("SELECT v FROM variants").result({{"v", "sql_variant", true}}).rows(rows);
  server.start();
  Db db = connect(server);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), "SELECT v FROM variants"));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 1u);
  ASSERT_EQ(rs[0].rows.size(), std::size(cases) + 1);
  for (size_t k = 0; k < std::size(cases); k++)
    EXPECT_EQ(rs[0].rows[k][0], cases[k].expect) << cases[k].text;
  EXPECT_EQ(rs[0].rows.back()[0], "NULL");
}

}  // namespace
