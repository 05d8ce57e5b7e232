// The platform-log handler.
#include <glib.h>

#include <string>
#include <vector>

#include "brevane/log/default_formatter.h"
#include "brevane/log/glib_log_handler.h"
#include "tests/brevane/log/log-test-support.h"
#include "tests/support/log-capture.h"

namespace {

using logtest::publish;
using logtest::take;
using Handler = TarvexBrevaneContractsLogILogHandler;
constexpr auto RISKY = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY;
constexpr auto PLAIN = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN;
constexpr auto DEBUG = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG;

Handler* as_handler(gpointer p) {
  return TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(p);
}

class ConsoleHandlerTest : public tarvex::test::LogCaptureTest {};

TEST_F(ConsoleHandlerTest, WritesEveryLevelWhateverTheThreshold) {
  Handler* h = as_handler(tarvex_brevane_supports_log_glib_log_handler_new());
  EXPECT_EQ(tarvex_brevane_contracts_log_ilog_handler_get_threshold(h), PLAIN);
  EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_LOG_IS_DEFAULT_FORMATTER(
      tarvex_brevane_contracts_log_ilog_handler_get_formatter(h)));
  tarvex_brevane_contracts_log_ilog_handler_set_threshold(h, RISKY);

  publish(h, RISKY, "s", "n", "risky %d", 1);
  publish(h, PLAIN, "s", "n", "plain %s", "two");
  publish(h, DEBUG, "s", "n", "debug %c", '3');
  EXPECT_TRUE(tarvex::test::take_log(G_LOG_LEVEL_WARNING, "handler_console:23: risky 1"));
  EXPECT_TRUE(tarvex::test::take_log(G_LOG_LEVEL_MESSAGE, "handler_console:26: plain two"));
  EXPECT_TRUE(tarvex::test::take_log(G_LOG_LEVEL_DEBUG, "handler_console:29: debug 3"));
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilog_handler_recent(h, nullptr)), "");

  EXPECT_CRITICAL(publish(h, PLAIN, nullptr, "n", "x"), "server != NULL");
  EXPECT_CRITICAL(publish(h, PLAIN, "s", nullptr, "x"), "name != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilog_handler_close(nullptr), "self != NULL");
  g_object_unref(h);
}

TEST_F(ConsoleHandlerTest, SettersNotifyOnlyOnChange) {
  Handler* h = as_handler(tarvex_brevane_supports_log_glib_log_handler_new());
  int notified = 0;
  g_signal_connect_swapped(h, "notify", G_CALLBACK(+[](int* n) { (*n)++; }), &notified);
  tarvex_brevane_contracts_log_ilog_handler_set_threshold(h, PLAIN);
  EXPECT_EQ(notified, 0);
  g_object_set(h, "threshold", DEBUG, nullptr);
  EXPECT_EQ(notified, 1);
  auto* f =
      TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(tarvex_brevane_supports_log_default_formatter_new());
  tarvex_brevane_contracts_log_ilog_handler_set_formatter(h, f);
  tarvex_brevane_contracts_log_ilog_handler_set_formatter(h, f);
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(tarvex_brevane_contracts_log_ilog_handler_get_formatter(h), f);
  g_object_unref(f);
  g_object_unref(h);
}

}  // namespace
