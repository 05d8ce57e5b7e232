// Log levels and the three formatters' exact lines at a fixed time.
#include <glib.h>

#include <string>

#include "brevane/contracts/log_level.h"
#include "brevane/log/color_formatter.h"
#include "brevane/log/default_formatter.h"
#include "brevane/log/simple_formatter.h"
#include "tests/brevane/log/log-test-support.h"
#include "tests/support/log-capture.h"

namespace {

using logtest::take;
constexpr auto RISKY = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY;
constexpr auto PLAIN = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN;
constexpr auto DEBUG = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG;

class LogLevelTest : public tarvex::test::LogCaptureTest {};

TEST_F(LogLevelTest, NamesNumbersAndColours) {
  struct Case {
    int level;
    const char* name;
    const char* number;
    const char* color;
  };
  const Case cases[] = {
      {0, "risky", "0", "red"},
      {1, "plain", "1", "blue"},
      {2, "debug", "2", "green"},
  };
  for (const auto& c : cases) {
    auto level = TarvexBrevaneContractsLogLogLevel(c.level);
    EXPECT_EQ(take(tarvex_brevane_contracts_log_log_level_to_string(level)), c.name);
    EXPECT_EQ(take(tarvex_brevane_contracts_log_log_level_to_number(level)), c.number);
    EXPECT_EQ(take(tarvex_brevane_contracts_log_log_level_to_color(level)), c.color);
  }
  EXPECT_EQ(
      take(tarvex_brevane_contracts_log_log_level_to_color(TarvexBrevaneContractsLogLogLevel(7))),
      "black");

  GType type = TARVEX_BREVANE_CONTRACTS_LOG_TYPE_LOG_LEVEL;
  EXPECT_STREQ(g_type_name(type), "TarvexBrevaneContractsLogLogLevel");
  auto* klass = static_cast<GEnumClass*>(g_type_class_ref(type));
  EXPECT_EQ(klass->n_values, 3u);
  EXPECT_STREQ(g_enum_get_value(klass, 1)->value_name,
               "TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN");
  EXPECT_STREQ(g_enum_get_value(klass, 2)->value_nick, "debug");
  g_type_class_unref(klass);
}

class FormatterTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;

  template <typename T>
  static std::string format(T* formatter, TarvexBrevaneContractsLogLogLevel level,
                            const char* server, const char* name, const char* text) {
    return take(tarvex_brevane_contracts_log_iformatter_format(
        TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(formatter), level, server, name, text));
  }
};

TEST_F(FormatterTest, ExactLinesAtFixedTime) {
  auto* def = tarvex_brevane_supports_log_default_formatter_new();
  auto* simple = tarvex_brevane_supports_log_simple_formatter_new();
  auto* color = tarvex_brevane_supports_log_color_formatter_new();

  EXPECT_EQ(format(def, PLAIN, "SYS", "SYS", "SQL: %s"),
            "20240105 09:30:07.042 [SYS][SYS][PLAIN] SQL: %s\n");
  EXPECT_EQ(format(def, DEBUG, "", "", "x"), "20240105 09:30:07.042 [][][DEBUG] x\n");
  EXPECT_EQ(format(def, RISKY, "srv", "db", "y"), "20240105 09:30:07.042 [srv][db][RISKY] y\n");
  EXPECT_EQ(format(simple, RISKY, "SYS", "SYS", "SQL: %s"), "09:30:07.042 SQL: %s\n");
  EXPECT_EQ(format(color, PLAIN, "SYS", "SYS", "SQL: %s"),
            "09:30:07.042 [SYS         ][SYS         ][\033[1;34mPLAIN\033[00m   ] SQL: %s\n");
  EXPECT_EQ(
      format(color, RISKY, "a-server-name-longer-than-12", "n", "z"),
      "09:30:07.042 [a-server-name-longer-than-12][n           ][\033[1;31mRISKY\033[00m   ] z\n");

  EXPECT_EQ(take(tarvex_brevane_supports_log_default_formatter_get_level_name(def, DEBUG)),
            "DEBUG");
  EXPECT_EQ(take(tarvex_brevane_supports_log_default_formatter_get_level_name(
                TARVEX_BREVANE_SUPPORTS_LOG_DEFAULT_FORMATTER(color), DEBUG)),
            "\033[1;32mDEBUG\033[00m");
  g_object_unref(def);
  g_object_unref(simple);
  g_object_unref(color);
}

TEST_F(FormatterTest, PercentInServerOrNamePrintsAsItself) {
  auto* def = tarvex_brevane_supports_log_default_formatter_new();
  auto* color = tarvex_brevane_supports_log_color_formatter_new();
  std::string line = format(def, PLAIN, "50%s", "n%d", "%s");
  gchar* expanded = g_strdup_printf(line.c_str(), "text");
  EXPECT_EQ(take(expanded), "20240105 09:30:07.042 [50%s][n%d][PLAIN] text\n");

  line = format(color, PLAIN, "a%n", "b", "%d");
  expanded = g_strdup_printf(line.c_str(), 7);
  EXPECT_EQ(take(expanded),
            "09:30:07.042 [a%n         ][b           ][\033[1;34mPLAIN\033[00m   ] 7\n");
  g_object_unref(def);
  g_object_unref(color);
}

TEST_F(FormatterTest, MissingPartsAreRefused) {
  auto* def = tarvex_brevane_supports_log_default_formatter_new();
  auto* simple = tarvex_brevane_supports_log_simple_formatter_new();
  std::string r;
  EXPECT_CRITICAL(r = format(def, PLAIN, nullptr, "n", "f"), "server != NULL");
  EXPECT_EQ(r, "(null)");
  EXPECT_CRITICAL(r = format(def, PLAIN, "s", nullptr, "f"), "name != NULL");
  EXPECT_CRITICAL(r = format(simple, PLAIN, "s", "n", nullptr), "format != NULL");
  EXPECT_EQ(r, "(null)");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_iformatter_format(nullptr, PLAIN, "s", "n", "f"),
                  "self != NULL");
  g_object_unref(def);
  g_object_unref(simple);
}

TEST_F(FormatterTest, TypesAndDerivation) {
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER),
               "TarvexBrevaneSupportsLogDefaultFormatter");
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SIMPLE_FORMATTER),
               "TarvexBrevaneSupportsLogSimpleFormatter");
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_SUPPORTS_LOG_TYPE_COLOR_FORMATTER),
               "TarvexBrevaneSupportsLogColorFormatter");
  EXPECT_TRUE(g_type_is_a(TARVEX_BREVANE_SUPPORTS_LOG_TYPE_COLOR_FORMATTER,
                          TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER));
  EXPECT_TRUE(g_type_is_a(TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SIMPLE_FORMATTER,
                          TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER));
}

}  // namespace
