// Date-time helper: fixed-time texts through a pinned clock and time zone,
// and time spans through tables of cases.
#include <glib.h>

#include <cstdlib>
#include <string>

#include "brevane/helpers/clock-private.h"
#include "brevane/helpers/date_time_helper.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace {

// 2024-01-05 09:30:07.042 in Asia/Kolkata (UTC+05:30, no daylight saving).
constexpr gint64 kFixedTime = G_GINT64_CONSTANT(1704427207) * G_USEC_PER_SEC + 42000;

gint64 fixed_clock() {
  return kFixedTime;
}

using tarvex::test::take;

class DateTimeHelperTest : public tarvex::test::LogCaptureTest {
 protected:
  static void SetUpTestSuite() {
    g_setenv("TZ", "Asia/Kolkata", TRUE);
    tzset();
  }
  void SetUp() override {
    LogCaptureTest::SetUp();
    tarvex::testing::set_clock(fixed_clock);
  }
  void TearDown() override {
    tarvex::testing::set_clock(nullptr);
    LogCaptureTest::TearDown();
  }
};

TEST_F(DateTimeHelperTest, NowFormsAtFixedLocalTime) {
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_as_normal()),
            "2024-01-05 09:30:07");
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_as_compact()), "20240105093007");
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_as_iso8601()),
            "2024-01-05T09:30:07");
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_with_ms_normal()),
            "2024-01-05 09:30:07.042");
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_with_ms_compact()),
            "20240105093007.042");
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_with_ms_iso8601()),
            "2024-01-05T09:30:07.042");
  EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_datetime_as_string("%d/%m/%Y")),
            "05/01/2024");
  EXPECT_EQ(
      take(tarvex_brevane_helpers_date_time_helper_datetime_as_string_ms("%H:%M:%S", "%03lli")),
      "09:30:07.042");
}

TEST_F(DateTimeHelperTest, RealClockShapes) {
  tarvex::testing::set_clock(nullptr);
  std::string compact = take(tarvex_brevane_helpers_date_time_helper_datetime_with_ms_compact());
  EXPECT_TRUE(g_regex_match_simple("^[0-9]{14}\\.[0-9]{3}$", compact.c_str(), GRegexCompileFlags(0),
                                   GRegexMatchFlags(0)))
      << compact;
}

TEST_F(DateTimeHelperTest, NullFormatsAreRefused) {
  gchar* r = nullptr;
  EXPECT_CRITICAL(r = tarvex_brevane_helpers_date_time_helper_datetime_as_string(nullptr),
                  "format != NULL");
  EXPECT_EQ(r, nullptr);
  EXPECT_CRITICAL(r = tarvex_brevane_helpers_date_time_helper_datetime_as_string_ms("%H", nullptr),
                  "ms_format != NULL");
  EXPECT_EQ(r, nullptr);
}

struct SpanCase {
  gint64 span;
  const char* plain;
  const char* micro;
  const char* unit;
};

TEST_F(DateTimeHelperTest, TimeSpans) {
  const SpanCase cases[] = {
      {0, "00:00:00", "00:00:00.000", "0ms"},
      {1500, "00:00:00", "00:00:00.001", "1ms"},
      {-5000, "00:00:00", nullptr, "-5ms"},
      {999999, "00:00:00", "00:00:00.999", "999ms"},
      {1000000, "00:00:01", "00:00:01.000", "1S 0ms"},
      {61500000, "00:01:01", "00:01:01.500", "1M 1S 500ms"},
      {G_GINT64_CONSTANT(3600000000), "01:00:00", "01:00:00.000", "1H 0M 0S 0ms"},
      {G_GINT64_CONSTANT(3723000000), "01:02:03", "01:02:03.000", "1H 2M 3S 0ms"},
      {G_GINT64_CONSTANT(360000000000), "100:00:00", "100:00:00.000", "100H 0M 0S 0ms"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.span);
    EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_format_time_span(c.span)), c.plain);
    if (c.micro) {
      EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_format_time_span_micro(c.span)),
                c.micro);
    }
    EXPECT_EQ(take(tarvex_brevane_helpers_date_time_helper_format_time_span_unit(c.span)), c.unit);
  }
}

TEST_F(DateTimeHelperTest, InstanceLifecycleAndValues) {
  TarvexBrevaneHelpersDateTimeHelper* helper = tarvex_brevane_helpers_date_time_helper_new();
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->ref_count, 1);
  EXPECT_STREQ(g_type_name(G_TYPE_FROM_INSTANCE(helper)), "TarvexBrevaneHelpersDateTimeHelper");

  GValue value = G_VALUE_INIT;
  g_value_init(&value, TARVEX_BREVANE_HELPERS_TYPE_DATE_TIME_HELPER);
  tarvex_brevane_helpers_value_set_date_time_helper(&value, helper);
  EXPECT_EQ(helper->ref_count, 2);
  EXPECT_EQ(tarvex_brevane_helpers_value_get_date_time_helper(&value), helper);
  g_value_unset(&value);
  EXPECT_EQ(helper->ref_count, 1);
  tarvex_brevane_helpers_date_time_helper_unref(helper);
}

}  // namespace
