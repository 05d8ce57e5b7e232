// Loggers.
#include <gee.h>
#include <glib.h>

#include <string>
#include <vector>

#include "brevane/log/logger.h"
#include "brevane/log/slice_file_log_handler.h"
#include "brevane/log/temp_file_log_handler.h"
#include "tests/brevane/log/log-test-support.h"
#include "tests/support/log-capture.h"

namespace {

using logtest::list_dir;
using logtest::read_file;
using logtest::take;
using Handler = TarvexBrevaneContractsLogILogHandler;
using Logger = TarvexBrevaneContractsLogILogger;
using Strings = std::vector<std::string>;
constexpr auto RISKY = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY;
constexpr auto PLAIN = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN;
constexpr auto DEBUG = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG;

Logger* new_logger(const char* uuid) {
  return TARVEX_BREVANE_CONTRACTS_LOG_ILOGGER(tarvex_brevane_supports_log_logger_new(uuid));
}

std::vector<Handler*> handlers_of(Logger* logger) {
  std::vector<Handler*> out;
  GeeHashSet* set = tarvex_brevane_contracts_log_ilogger_get_handlers(logger);
  GeeIterator* it = gee_iterable_iterator(GEE_ITERABLE(set));
  while (gee_iterator_next(it)) {
    auto* h = static_cast<Handler*>(gee_iterator_get(it));
    out.push_back(h);
    g_object_unref(h);  // the logger keeps its own reference
  }
  g_object_unref(it);
  g_object_unref(set);
  return out;
}

class LoggerTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;
};

TEST_F(LoggerTest, IdentityAndInitialize) {
  Logger* logger = new_logger("u1");
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_uuid(logger), "u1");
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_name(logger), "");
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_server(logger), "");
  tarvex_brevane_contracts_log_ilogger_initialize(logger, "srv", "nm");
  gchar *uuid = nullptr, *name = nullptr, *server = nullptr;
  g_object_get(logger, "uuid", &uuid, "name", &name, "server", &server, nullptr);
  EXPECT_EQ(take(uuid), "u1");
  EXPECT_EQ(take(name), "nm");
  EXPECT_EQ(take(server), "srv");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilogger_initialize(logger, nullptr, "n"),
                  "t_server != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilogger_initialize(logger, "s", nullptr),
                  "t_name != NULL");
  gpointer none = nullptr;
  EXPECT_CRITICAL(none = tarvex_brevane_supports_log_logger_new(nullptr), "t_uuid != NULL");
  EXPECT_EQ(none, nullptr);
  g_object_unref(logger);
}

TEST_F(LoggerTest, LevelsAndFanOut) {
  Logger* logger = new_logger("u");
  Handler* a = logtest::recording_handler_new();
  Handler* b = logtest::recording_handler_new();
  tarvex_brevane_contracts_log_ilogger_append_handler(logger, a);
  tarvex_brevane_contracts_log_ilogger_append_handler(logger, a);  // already there
  tarvex_brevane_contracts_log_ilogger_append_handler(logger, b);
  EXPECT_EQ(handlers_of(logger).size(), 2u);

  struct Case {
    logtest::LoggerOp op;
    TarvexBrevaneContractsLogLogLevel level;
  };
  const Case cases[] = {
      {tarvex_brevane_contracts_log_ilogger_error, RISKY},
      {tarvex_brevane_contracts_log_ilogger_critical, RISKY},
      {tarvex_brevane_contracts_log_ilogger_warning, RISKY},
      {tarvex_brevane_contracts_log_ilogger_message, PLAIN},
      {tarvex_brevane_contracts_log_ilogger_info, PLAIN},
      {tarvex_brevane_contracts_log_ilogger_debug, DEBUG},
  };
  int i = 0;
  for (const auto& c : cases) logtest::log(c.op, logger, "srv", "nm", "line %d %s", i++, "arg");
  for (Handler* h : {a, b}) {
    auto lines = logtest::recorded(h);
    ASSERT_EQ(lines.size(), 6u);
    for (size_t k = 0; k < lines.size(); k++) {
      EXPECT_EQ(lines[k].level, cases[k].level);
      // Each handler gets the caller's whole argument list.
      EXPECT_EQ(lines[k].text, "line " + std::to_string(k) + " arg");
      EXPECT_EQ(lines[k].server, "srv");
      EXPECT_EQ(lines[k].name, "nm");
    }
  }
  EXPECT_CRITICAL(
      logtest::log(tarvex_brevane_contracts_log_ilogger_info, logger, nullptr, "n", "x"),
      "t_server != NULL");
  EXPECT_CRITICAL(
      logtest::log(tarvex_brevane_contracts_log_ilogger_info, logger, "s", nullptr, "x"),
      "t_name != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilogger_append_handler(logger, nullptr),
                  "handler != NULL");
  EXPECT_EQ(logtest::recorded(a).size(), 6u);

  tarvex_brevane_contracts_log_ilogger_delete_handler(logger, a);
  EXPECT_EQ(handlers_of(logger), std::vector<Handler*>{b});
  tarvex_brevane_contracts_log_ilogger_close(logger);
  EXPECT_EQ(logtest::closed_count(b), 1);
  EXPECT_EQ(logtest::closed_count(a), 0);
  EXPECT_TRUE(handlers_of(logger).empty());

  tarvex_brevane_contracts_log_ilogger_append_handler(logger, a);
  tarvex_brevane_contracts_log_ilogger_remove_handler_all(logger);
  EXPECT_TRUE(handlers_of(logger).empty());
  EXPECT_EQ(logtest::closed_count(a), 0);
  g_object_unref(a);
  g_object_unref(b);
  g_object_unref(logger);
}

TEST_F(LoggerTest, RecentComesFromTheTemporaryFileHandler) {
  Logger* logger = new_logger("u");
  logtest::TempDir dir;
  auto* slice = tarvex_brevane_supports_log_slice_file_log_handler_new();
  ASSERT_TRUE(tarvex_brevane_supports_log_slice_file_log_handler_initialize(
      slice, "u", dir.path().c_str(), 0, nullptr));
  tarvex_brevane_contracts_log_ilogger_append_handler(
      logger, TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(slice));
  logtest::log(tarvex_brevane_contracts_log_ilogger_info, logger, "s", "n", "hello");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilogger_recent(logger, nullptr)), "");

  auto* temp = tarvex_brevane_supports_log_temp_file_log_handler_new();
  tarvex_brevane_supports_log_temp_file_log_handler_initialize(temp, "u");
  tarvex_brevane_contracts_log_ilogger_append_handler(
      logger, TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(temp));
  logtest::log(tarvex_brevane_contracts_log_ilogger_info, logger, "s", "n", "again");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilogger_recent(logger, nullptr)),
            "09:30:07.042 again\n");
  EXPECT_EQ(
      read_file(dir.file("u-000.log")),
      "20240105 09:30:07.042 [s][n][PLAIN] hello\n20240105 09:30:07.042 [s][n][PLAIN] again\n");
  tarvex_brevane_contracts_log_ilogger_close(logger);
  g_object_unref(slice);
  g_object_unref(temp);
  g_object_unref(logger);
}

TEST_F(LoggerTest, PercentInLoggerNameOrServerPrintsAsItself) {
  Logger* logger = new_logger("u");
  logtest::TempDir dir;
  auto* slice = tarvex_brevane_supports_log_slice_file_log_handler_new();
  ASSERT_TRUE(tarvex_brevane_supports_log_slice_file_log_handler_initialize(
      slice, "u", dir.path().c_str(), 0, nullptr));
  tarvex_brevane_contracts_log_ilogger_append_handler(
      logger, TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(slice));
  logtest::log(tarvex_brevane_contracts_log_ilogger_warning, logger, "db%s%n", "100%", "%s",
               "text");
  EXPECT_EQ(read_file(dir.file("u-000.log")), "20240105 09:30:07.042 [db%s%n][100%][RISKY] text\n");
  tarvex_brevane_contracts_log_ilogger_close(logger);
  g_object_unref(slice);
  g_object_unref(logger);
}

}  // namespace
