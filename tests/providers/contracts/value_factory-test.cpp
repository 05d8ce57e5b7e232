// The value factory of IValue: every DataType, from a text and from none.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/need-tool.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

namespace {

#define K(name) TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_##name

// A zone with an offset and daylight saving, so local-time rules cannot
// pass by accident in a UTC process.
class FactoryTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    const char* old = g_getenv("TZ");
    had_tz_ = old != nullptr;
    old_tz_ = old ? old : "";
    g_setenv("TZ", "Europe/Berlin", TRUE);
    tzset();
  }
  void TearDown() override {
    if (had_tz_)
      g_setenv("TZ", old_tz_.c_str(), TRUE);
    else
      g_unsetenv("TZ");
    tzset();
    LogCaptureTest::TearDown();
  }

 private:
  bool had_tz_ = false;
  std::string old_tz_;
};

GRef<Value> make(gint kind, const char* text) {
  return adoptGRef(tarvex_providers_contracts_ivalue_factory(DT(kind), text));
}

using tarvex::test::value_text;

std::string now_text(const char* format) {
  auto now = adoptGRef(g_date_time_new_now_local());
  GUniqueStr s(g_date_time_format(now.get(), format));
  return s.get();
}

struct Case {
  gint kind;
  const char* text;
  const char* type_name;
  DT reported;
  const char* printed;
};

// One row per kind with a given text, and a few numbers outside the enumeration.
const Case kFromText[] = {
    {0, "<a/>", "TarvexProvidersContractsValueXml", K(XML), "<a/>"},
    {1, "anything", "TarvexProvidersContractsValueNull", K(DBNULL), ""},
    {2, "true", "TarvexProvidersContractsValueBoolean", K(BOOLEAN), "true"},
    {3, "A", "TarvexProvidersContractsValueXml", K(XML), "A"},
    {4, "300", "TarvexProvidersContractsValueInt8", K(INT8), "44"},
    {5, "70000", "TarvexProvidersContractsValueInt16", K(INT16), "4464"},
    {6, " -42abc", "TarvexProvidersContractsValueInt32", K(INT32), "-42"},
    {7, "0x10", "TarvexProvidersContractsValueInt64", K(INT64), "16"},
    {8, "-1", "TarvexProvidersContractsValueUInt8", K(UINT8), "255"},
    {9, "0x10001", "TarvexProvidersContractsValueUInt16", K(UINT16), "1"},
    {10, "010", "TarvexProvidersContractsValueUInt32", K(UINT32), "8"},
    {11, "18446744073709551615", "TarvexProvidersContractsValueUInt64", K(UINT64),
     "18446744073709551615"},
    {12, "red", "TarvexProvidersContractsValueXml", K(XML), "red"},
    {13, "a|b", "TarvexProvidersContractsValueXml", K(XML), "a|b"},
    {14, "a,b", "TarvexProvidersContractsValueXml", K(XML), "a,b"},
    {15, "12.5", "TarvexProvidersContractsValueMoney", K(MONEY), "12.5"},
    // A decimal keeps its digits as text: no double in between.
    {16, "12345678901234567890.1234567890", "TarvexProvidersContractsValueXml", K(XML),
     "12345678901234567890.1234567890"},
    {17, "2.5", "TarvexProvidersContractsValueFloat", K(FLOAT), "2.5"},
    {18, "3.14159", "TarvexProvidersContractsValueDouble", K(DOUBLE), "3.14159"},
    {19, "2024-03-01T10:20:30", "TarvexProvidersContractsValueDate", K(DATE), "2024-03-01"},
    {20, "2024-03-01T10:20:30.75", "TarvexProvidersContractsValueTime", K(TIME), "10:20:30.75"},
    {21, "2024-03-01T10:20:30", "TarvexProvidersContractsValueDateTime", K(DATETIME),
     "2024-03-01 10:20:30"},
    {22, "0x10", "TarvexProvidersContractsValueTimeSpan", K(TIMESPAN), "16"},
    {23, "2024-03-01T10:20:30Z", "TarvexProvidersContractsValueDateTime", K(DATETIME),
     "2024-03-01 10:20:30"},
    {24, "hello", "TarvexProvidersContractsValueString", K(STRING), "hello"},
    {25, "wide", "TarvexProvidersContractsValueXml", K(XML), "wide"},
    {26, "<x/>", "TarvexProvidersContractsValueXml", K(XML), "<x/>"},
    {27, "not-a-uuid", "TarvexProvidersContractsValueUuid", K(UUID), "not-a-uuid"},
    {28, "{\"a\":1}", "TarvexProvidersContractsValueJson", K(JSON), "{\"a\":1}"},
    {29, "POINT(1 2)", "TarvexProvidersContractsValueXml", K(XML), "POINT(1 2)"},
    {30, "POINT(3 4)", "TarvexProvidersContractsValueXml", K(XML), "POINT(3 4)"},
    {31, "abc", "TarvexProvidersContractsValueBinary", K(BINARY), "abc"},
    {32, "abc", "TarvexProvidersContractsValueBlob", K(BLOB), "abc"},
    {33, "ignored", "TarvexProvidersContractsValueObject", K(UNKNOWN), ""},
    {34, "p", "TarvexProvidersContractsValueXml", K(XML), "p"},
    {35, "v", "TarvexProvidersContractsValueXml", K(XML), "v"},
    {36, "[1]", "TarvexProvidersContractsValueXml", K(XML), "[1]"},
    {37, "[2]", "TarvexProvidersContractsValueXml", K(XML), "[2]"},
    {38, "[1,2)", "TarvexProvidersContractsValueXml", K(XML), "[1,2)"},
    {39, "(1,2)", "TarvexProvidersContractsValueXml", K(XML), "(1,2)"},
    {40, "boom", "TarvexProvidersContractsValueXml", K(XML), "boom"},
    {41, "past the end", "TarvexProvidersContractsValueXml", K(XML), "past the end"},
    {-1, "negative", "TarvexProvidersContractsValueXml", K(XML), "negative"},
    {1000, "far", "TarvexProvidersContractsValueXml", K(XML), "far"},
};

TEST_F(FactoryTest, EveryKindFromAText) {
  for (const auto& c : kFromText) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " text " << c.text);
    auto v = make(c.kind, c.text);
    ASSERT_NE(v.get(), nullptr);
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v.get()), c.type_name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v.get()), c.reported);
    EXPECT_EQ(value_text(v.get()), c.printed);
    EXPECT_EQ(bool(tarvex_providers_contracts_value_object_get_is_null(v.get())), c.kind == 1);
  }
}

// A new row's defaults: the factory with no text.
const Case kFromNothing[] = {
    {0, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {1, nullptr, "TarvexProvidersContractsValueNull", K(DBNULL), ""},
    {2, nullptr, "TarvexProvidersContractsValueBoolean", K(BOOLEAN), "false"},
    {3, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {4, nullptr, "TarvexProvidersContractsValueInt8", K(INT8), "0"},
    {5, nullptr, "TarvexProvidersContractsValueInt16", K(INT16), "0"},
    {6, nullptr, "TarvexProvidersContractsValueInt32", K(INT32), "0"},
    {7, nullptr, "TarvexProvidersContractsValueInt64", K(INT64), "0"},
    {8, nullptr, "TarvexProvidersContractsValueUInt8", K(UINT8), "0"},
    {9, nullptr, "TarvexProvidersContractsValueUInt16", K(UINT16), "0"},
    {10, nullptr, "TarvexProvidersContractsValueUInt32", K(UINT32), "0"},
    {11, nullptr, "TarvexProvidersContractsValueUInt64", K(UINT64), "0"},
    {12, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {13, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {14, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {15, nullptr, "TarvexProvidersContractsValueMoney", K(MONEY), "0"},
    {16, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {17, nullptr, "TarvexProvidersContractsValueFloat", K(FLOAT), "0"},
    {18, nullptr, "TarvexProvidersContractsValueDouble", K(DOUBLE), "0"},
    {19, nullptr, "TarvexProvidersContractsValueDate", K(DATE), nullptr},
    {20, nullptr, "TarvexProvidersContractsValueTime", K(TIME), nullptr},
    {21, nullptr, "TarvexProvidersContractsValueDateTime", K(DATETIME), nullptr},
    {22, nullptr, "TarvexProvidersContractsValueTimeSpan", K(TIMESPAN), "0"},
    {23, nullptr, "TarvexProvidersContractsValueDateTime", K(DATETIME), nullptr},
    {24, nullptr, "TarvexProvidersContractsValueString", K(STRING), ""},
    {25, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {26, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {27, nullptr, "TarvexProvidersContractsValueUuid", K(UUID), ""},
    {28, nullptr, "TarvexProvidersContractsValueJson", K(JSON), ""},
    {29, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {30, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {31, nullptr, "TarvexProvidersContractsValueBinary", K(BINARY), ""},
    {32, nullptr, "TarvexProvidersContractsValueBlob", K(BLOB), ""},
    {33, nullptr, "TarvexProvidersContractsValueObject", K(UNKNOWN), ""},
    {34, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {35, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {36, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {37, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {38, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {39, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {40, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
    {41, nullptr, "TarvexProvidersContractsValueXml", K(XML), ""},
};

TEST_F(FactoryTest, EveryKindFromNoText) {
  for (const auto& c : kFromNothing) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind);
    // The date kinds hold "now": read the clock around the call.
    const char* format = c.kind == 19   ? "%Y-%m-%d"
                         : c.kind == 20 ? "%H:%M:%S"
                                        : "%Y-%m-%d %H:%M:%S";
    std::string before = now_text(format);
    auto v = make(c.kind, nullptr);
    std::string after = now_text(format);
    ASSERT_NE(v.get(), nullptr);
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v.get()), c.type_name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v.get()), c.reported);
    if (c.printed) {
      EXPECT_EQ(value_text(v.get()), c.printed);
    } else {
      // Whole seconds: the clock's fraction is no part of the format.
      std::string printed = value_text(v.get());
      printed = printed.substr(0, printed.find('.'));
      if (before <= after) {  // not across midnight
        EXPECT_TRUE(before <= printed && printed <= after)
            << before << " <= " << printed << " <= " << after;
      }
    }
  }
}

TEST_F(FactoryTest, NoTextMakesEmptyBinaryData) {
  for (gint kind : {31, 32}) {
    auto v = make(kind, nullptr);
    auto* bytes = tarvex_providers_contracts_value_binary_get_itsvalue(
        reinterpret_cast<TarvexProvidersContractsValueBinary*>(v.get()));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(g_bytes_get_size(bytes), 0u);
  }
  // From a text: its bytes, without a terminator.
  auto v = make(31, "a\xc3\xa9");
  auto* bytes = tarvex_providers_contracts_value_binary_get_itsvalue(
      reinterpret_cast<TarvexProvidersContractsValueBinary*>(v.get()));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(g_bytes_get_size(bytes), 3u);
}

TEST_F(FactoryTest, BooleanIsTrueForTheExactTextTrueOnly) {
  struct {
    const char* text;
    bool expected;
  } cases[] = {{"true", true}, {"TRUE", false}, {"True", false},  {"1", false},
               {"yes", false}, {"", false},     {"true ", false}, {" true", false}};
  for (const auto& c : cases) {
    auto v = make(2, c.text);
    EXPECT_EQ(bool(tarvex_providers_contracts_value_boolean_get_boolean(
                  reinterpret_cast<TarvexProvidersContractsValueBoolean*>(v.get()))),
              c.expected)
        << c.text;
  }
}

// Integers, including the bad texts: they read what their parser gets.
TEST_F(FactoryTest, IntegerTexts) {
  struct {
    gint kind;
    const char* text;
    const char* printed;
  } cases[] = {
      {6, "abc", "0"},
      {6, "", "0"},
      {6, "  +7", "7"},
      {6, "- 7", "0"},
      {6, "12.9", "12"},
      {6, "0x10", "0"},  // decimal only: the 0 before the x
      {6, "2147483647", "2147483647"},
      {6, "99999999999", "2147483647"},  // held to the 32-bit range
      {6, "-99999999999", "-2147483648"},
      {4, "300", "44"},  // low 8 bits
      {4, "128", "-128"},
      {4, "-129", "127"},
      {5, "-32769", "32767"},
      {7, "0x10", "16"},
      {7, "010", "8"},
      {7, "-0X1f", "-31"},
      {7, "9223372036854775808", "9223372036854775807"},
      {7, "-9223372036854775809", "-9223372036854775808"},
      {7, "z", "0"},
      {8, "-1", "255"},
      {8, "256", "0"},
      {8, "0xff", "255"},
      {9, "65535", "65535"},
      {9, "-2", "65534"},
      {10, "-1", "4294967295"},
      {10, "4294967296", "4294967295"},  // held to the 32-bit range
      {10, "-4294967296", "4294967295"},
      {10, "0X1f", "31"},
      {10, "08", "0"},  // octal: the 8 ends it
      {10, "0x", "0"},
      {10, "\t 42 ", "42"},
      {10, "abc", "0"},
      {11, "-1", "18446744073709551615"},
      {11, "0x10", "16"},
      {11, "99999999999999999999", "18446744073709551615"},
      {22, "-0x10", "-16"},
      {22, "abc", "0"},
  };
  for (const auto& c : cases) {
    auto v = make(c.kind, c.text);
    EXPECT_EQ(value_text(v.get()), c.printed) << "kind " << c.kind << " text \"" << c.text << "\"";
  }
}

TEST_F(FactoryTest, FloatingTexts) {
  struct {
    gint kind;
    const char* text;
    double number;
  } cases[] = {
      // Money is read in single precision, then widened.
      {15, "0.1", double(0.1f)},
      {15, "12,5", 12},  // a comma is no decimal separator
      {15, "abc", 0},
      {15, "1e3", 1000},
      {15, "  -7.25 EUR", -7.25},
      {17, "0.1", double(0.1f)},
      {17, " -2.5xyz", -2.5},
      {17, "", 0},
      {18, "0.1", 0.1},
      {18, "1,5", 1},
      {18, "-1e-300", -1e-300},
      {18, "junk", 0},
  };
  for (const auto& c : cases) {
    auto v = make(c.kind, c.text);
    EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(
                  reinterpret_cast<TarvexProvidersContractsINumeric*>(v.get())),
              c.number)
        << "kind " << c.kind << " text \"" << c.text << "\"";
  }
  // The single-precision money prints the digits of its double.
  auto money = make(15, "0.1");
  EXPECT_EQ(value_text(money.get()), "0.10000000149011612");
  auto f = make(17, "0.1");
  EXPECT_EQ(value_text(f.get()), "0.1");
}

TEST_F(FactoryTest, NumberTextsIgnoreTheProcessLocale) {
  std::string saved = setlocale(LC_ALL, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"})
    if (setlocale(LC_ALL, name) && localeconv()->decimal_point[0] == ',') {
      comma = true;
      break;
    }
  if (!comma) {
    setlocale(LC_ALL, saved.c_str());
    TARVEX_NEED_TOOL(comma, "a comma-decimal locale such as de_DE.UTF-8 (localedef)");
  }
  for (gint kind : {15, 17, 18}) {
    auto v = make(kind, "12.5");
    EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(
                  reinterpret_cast<TarvexProvidersContractsINumeric*>(v.get())),
              12.5)
        << kind;
    EXPECT_EQ(value_text(v.get()), "12.5") << kind;
  }
  // Nor does the comma become a separator.
  auto v = make(17, "12,5");
  EXPECT_EQ(value_text(v.get()), "12");
  setlocale(LC_ALL, saved.c_str());
}

TEST_F(FactoryTest, TimeTexts) {
  struct {
    const char* text;
    const char* printed;
  } cases[] = {
      {"2024-03-01T10:20:30", "10:20:30"},
      {"2024-03-01T23:59:59.999", "23:59:59.999"},
      {"2024-07-01T10:20:30+02:00", "10:20:30"},  // the text's own wall clock
      {"10:20:30", "00:00:00"},                   // no date: not parsed
      {"garbage", "00:00:00"},
      {"", "00:00:00"},
  };
  for (const auto& c : cases) {
    auto v = make(20, c.text);
    EXPECT_EQ(value_text(v.get()), c.printed) << c.text;
  }
}

TEST_F(FactoryTest, DateTextsGoThroughTheIso8601Constructors) {
  for (const char* text :
       {"2024-03-01", "2024-03-01T23:30:00Z", "2024-03-01T00:30:00+05:00", "abc", ""}) {
    SCOPED_TRACE(text);
    auto date = make(19, text);
    auto direct = adoptGRef(tarvex_providers_contracts_value_date_new_iso8601(text));
    EXPECT_EQ(value_text(date.get()), value_text(reinterpret_cast<Value*>(direct.get())));
    auto datetime = make(21, text);
    auto direct_dt = adoptGRef(tarvex_providers_contracts_value_date_time_new_iso8601(text));
    EXPECT_EQ(value_text(datetime.get()), value_text(reinterpret_cast<Value*>(direct_dt.get())));
  }
  auto bad = make(21, "abc");
  EXPECT_EQ(value_text(bad.get()), "1970-01-01 01:00:00");  // the epoch, in Berlin
  auto zoned = make(23, "2024-03-01T10:20:30+02:00");
  EXPECT_EQ(value_text(zoned.get()), "2024-03-01 10:20:30");
}

TEST_F(FactoryTest, ObjectIgnoresItsText) {
  for (const char* text : {"x", "", static_cast<const char*>(nullptr)}) {
    auto v = make(33, text);
    EXPECT_EQ(value_text(v.get()), "");
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v.get()), "UNKNOWN");
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v.get()), K(UNKNOWN));
  }
}

TEST_F(FactoryTest, MadeValuesAreIndependentOfTheirText) {
  gchar* text = g_strdup("keep me");
  auto xml = make(26, text);
  auto bin = make(31, text);
  text[0] = 'X';
  g_free(text);
  EXPECT_EQ(value_text(xml.get()), "keep me");
  EXPECT_EQ(value_text(bin.get()), "keep me");
}

}  // namespace
