// The log manager.
#include <gee.h>
#include <glib.h>

#include <string>
#include <vector>

#include "brevane/log/log_manager.h"
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
using Manager = TarvexBrevaneContractsLogILogManager;
using Strings = std::vector<std::string>;
constexpr auto RISKY = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY;
constexpr auto PLAIN = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN;
constexpr auto DEBUG = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG;

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

class LogManagerTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;
  logtest::TempDir dir_;
  Manager* manager_ =
      TARVEX_BREVANE_CONTRACTS_LOG_ILOG_MANAGER(tarvex_brevane_supports_log_log_manager_new());
  ~LogManagerTest() override {
    tarvex_brevane_contracts_log_ilog_manager_shutdown(manager_);
    g_object_unref(manager_);
  }
};

TEST_F(LogManagerTest, InitializeMakesMainLoggerWithNumberedFiles) {
  EXPECT_EQ(tarvex_brevane_contracts_log_ilog_manager_get_main(manager_), nullptr);
  tarvex_brevane_contracts_log_ilog_manager_initialize(manager_, "app", DEBUG, dir_.path().c_str(),
                                                       1024);
  Logger* main = tarvex_brevane_contracts_log_ilog_manager_get_main(manager_);
  ASSERT_NE(main, nullptr);
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_uuid(main), "app");
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_name(main), "SYS");
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_server(main), "SYS");
  GObject* prop = nullptr;
  g_object_get(manager_, "main", &prop, nullptr);
  EXPECT_EQ(prop, G_OBJECT(main));
  g_object_unref(prop);

  auto handlers = handlers_of(main);
  ASSERT_EQ(handlers.size(), 1u);
  EXPECT_TRUE(G_TYPE_CHECK_INSTANCE_TYPE(handlers[0],
                                         TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER));
  EXPECT_EQ(tarvex_brevane_contracts_log_ilog_handler_get_threshold(handlers[0]), DEBUG);
  EXPECT_EQ(list_dir(dir_.path()), Strings{"app-000.log"});

  // Its own identity opens the main logger, without another handler.
  Logger* same = tarvex_brevane_contracts_log_ilog_manager_open(manager_, "app");
  EXPECT_EQ(same, main);
  EXPECT_EQ(handlers_of(main).size(), 1u);
  g_object_unref(same);
}

TEST_F(LogManagerTest, MissingFolderIsCreatedForTheOwnerOnly) {
  std::string folder = dir_.file("logs");
  tarvex_brevane_contracts_log_ilog_manager_initialize(manager_, "app", PLAIN, folder.c_str(), 0);
  EXPECT_EQ(logtest::mode_of(folder), 0700u);
  EXPECT_EQ(list_dir(folder), Strings{"app-000.log"});
}

TEST_F(LogManagerTest, UnusableFolderLeavesMainLoggerWithoutHandler) {
  std::string folder = dir_.file("no/such/parent");
  EXPECT_WARNING(tarvex_brevane_contracts_log_ilog_manager_initialize(manager_, "app", PLAIN,
                                                                      folder.c_str(), 0),
                 "manager:52: *** Failed creating FileHandler: ");
  Logger* main = tarvex_brevane_contracts_log_ilog_manager_get_main(manager_);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(handlers_of(main).empty());
  logtest::log(tarvex_brevane_contracts_log_ilogger_info, main, "SYS", "SYS", "goes nowhere");

  EXPECT_CRITICAL(
      tarvex_brevane_contracts_log_ilog_manager_initialize(manager_, nullptr, PLAIN, "x", 0),
      "uuid_default != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_log_ilog_manager_initialize(manager_, "x", PLAIN, nullptr, 0),
      "log_file_dir != NULL");
}

TEST_F(LogManagerTest, ServerLoggersOpenCloseAndShutdown) {
  tarvex_brevane_contracts_log_ilog_manager_initialize(manager_, "app", PLAIN, dir_.path().c_str(),
                                                       0);
  Logger* u2 = tarvex_brevane_contracts_log_ilog_manager_open(manager_, "u2");
  Logger* again = tarvex_brevane_contracts_log_ilog_manager_open(manager_, "u2");
  EXPECT_EQ(u2, again);
  g_object_unref(again);
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_name(u2), "");
  EXPECT_STREQ(tarvex_brevane_contracts_log_ilogger_get_server(u2), "");
  auto handlers = handlers_of(u2);
  ASSERT_EQ(handlers.size(), 1u);
  EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_LOG_IS_TEMP_FILE_LOG_HANDLER(handlers[0]));
  EXPECT_EQ(tarvex_brevane_contracts_log_ilog_handler_get_threshold(handlers[0]), PLAIN);

  logtest::log(tarvex_brevane_contracts_log_ilogger_debug, u2, "", "", "dropped");
  logtest::log(tarvex_brevane_contracts_log_ilogger_info, u2, "", "", "kept");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilogger_recent(u2, nullptr)), "09:30:07.042 kept\n");

  // Closing forgets the logger; opening again makes a new one, a new file.
  tarvex_brevane_contracts_log_ilog_manager_close(manager_, "u2");
  Logger* fresh = tarvex_brevane_contracts_log_ilog_manager_open(manager_, "u2");
  EXPECT_NE(fresh, u2);
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilogger_recent(fresh, nullptr)), "");
  g_object_unref(u2);

  tarvex_brevane_contracts_log_ilog_manager_shutdown(manager_);
  Logger* main = tarvex_brevane_contracts_log_ilog_manager_get_main(manager_);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(handlers_of(main).empty());
  EXPECT_TRUE(handlers_of(fresh).empty());
  g_object_unref(fresh);

  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilog_manager_open(manager_, nullptr),
                  "uuid != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilog_manager_close(manager_, nullptr),
                  "uuid != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_log_ilog_manager_open(nullptr, "x"), "self != NULL");
}

}  // namespace
