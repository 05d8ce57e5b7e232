// The logging facade over a registered log manager, in private folders.
#include <glib.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "brevane/foundation/logging_service.h"
#include "brevane/foundation/services.h"
#include "brevane/log/delegate_handler.h"
#include "brevane/log/log_manager.h"
#include "tests/brevane/log/log-test-support.h"
#include "tests/support/log-capture.h"

namespace {

using logtest::lines_of;
using logtest::list_dir;
using logtest::read_file;
using logtest::take;
constexpr auto PLAIN = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN;
constexpr auto DEBUG = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG;

// Runs first: the order of the host's start-up steps.
TEST(LoggingServiceStartUp, ManagerMustBeRegisteredFirst) {
  tarvex::test::clear_captured_logs();
  logtest::TempDir dir;
  ASSERT_EQ(tarvex_brevane_foundation_logging_service_get_manager(), nullptr);
  EXPECT_CRITICAL(tarvex_brevane_foundation_logging_service_info(nullptr, "before initialize"),
                  "self != NULL");

  tarvex_brevane_foundation_services_initialize();
  EXPECT_CRITICAL(
      tarvex_brevane_foundation_logging_service_initialize("app", PLAIN, dir.path().c_str(), 0),
      "null != s_Log_manager");
  EXPECT_EQ(tarvex_brevane_foundation_logging_service_get_manager(), nullptr);

  tarvex_brevane_foundation_services_register_type(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER,
                                                   TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOG_MANAGER);
  tarvex_brevane_foundation_logging_service_initialize("app", PLAIN, dir.path().c_str(), 0);
  EXPECT_NE(tarvex_brevane_foundation_logging_service_get_manager(), nullptr);
  EXPECT_EQ(list_dir(dir.path()), std::vector<std::string>{"app-000.log"});
  tarvex_brevane_foundation_logging_service_shutdown();
  tarvex::test::drop_quiet_logs();
  EXPECT_TRUE(tarvex::test::captured_logs().empty());
}

class LoggingServiceTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;
  logtest::TempDir dir_;

  static void SetUpTestSuite() {
    tarvex_brevane_foundation_services_initialize();
    tarvex_brevane_foundation_services_register_type(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER,
                                                     TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOG_MANAGER);
  }
  void SetUp() override {
    LogCaptureTest::SetUp();
    start(PLAIN);
  }
  void TearDown() override {
    tarvex_brevane_foundation_logging_service_shutdown();
    LogCaptureTest::TearDown();
  }
  void start(TarvexBrevaneContractsLogLogLevel level) {
    tarvex_brevane_foundation_logging_service_initialize("app", level, dir_.path().c_str(), 0);
  }
  std::string main_log() const { return read_file(dir_.file("app-000.log")); }
  static std::string server_log(const char* uuid) {
    auto* logger = tarvex_brevane_contracts_log_ilog_manager_open(
        tarvex_brevane_foundation_logging_service_get_manager(), uuid);
    std::string text = take(tarvex_brevane_contracts_log_ilogger_recent(logger, nullptr));
    g_object_unref(logger);
    return text;
  }
  static size_t temp_files() {
    size_t n = 0;
    for (const auto& f : list_dir(g_get_tmp_dir()))
      if (g_str_has_prefix(f.c_str(), "Tarvex-")) n++;
    return n;
  }
};

TEST_F(LoggingServiceTest, CallWithoutServerGoesToTheMainLogOnly) {
  size_t before = temp_files();
  tarvex_brevane_foundation_logging_service_info(nullptr, "SQL: %s", "select 1");
  EXPECT_EQ(main_log(), "20240105 09:30:07.042 [SYS][SYS][PLAIN] SQL: select 1\n");
  EXPECT_EQ(temp_files(), before);
  // The default identity is the main logger's: the same as none.
  tarvex_brevane_foundation_logging_service_info("app", "rows: %d", 3);
  EXPECT_EQ(lines_of(main_log()).back(), "20240105 09:30:07.042 [SYS][SYS][PLAIN] rows: 3");
  EXPECT_EQ(temp_files(), before);
}

TEST_F(LoggingServiceTest, CallWithServerGoesToBothLogs) {
  size_t before = temp_files();
  tarvex_brevane_foundation_logging_service_info("u2", "SQL: %s", "select 2");
  EXPECT_EQ(temp_files(), before + 1);
  EXPECT_EQ(main_log(), "20240105 09:30:07.042 [][][PLAIN] SQL: select 2\n");
  EXPECT_EQ(server_log("u2"), "09:30:07.042 SQL: select 2\n");
}

TEST_F(LoggingServiceTest, LevelsAndThresholds) {
  start(DEBUG);
  tarvex_brevane_foundation_logging_service_error(nullptr, "e%d", 1);
  tarvex_brevane_foundation_logging_service_critical(nullptr, "c%d", 2);
  tarvex_brevane_foundation_logging_service_warning(nullptr, "w%d", 3);
  tarvex_brevane_foundation_logging_service_message(nullptr, "m%d", 4);
  tarvex_brevane_foundation_logging_service_info(nullptr, "i%d", 5);
  tarvex_brevane_foundation_logging_service_debug(nullptr, "d%d", 6);
  tarvex_brevane_foundation_logging_service_debug("u9", "server debug");
  tarvex_brevane_foundation_logging_service_warning("u9", "server warning");
  const std::vector<std::string> expected = {
      "20240105 09:30:07.042 [SYS][SYS][RISKY] e1",
      "20240105 09:30:07.042 [SYS][SYS][RISKY] c2",
      "20240105 09:30:07.042 [SYS][SYS][RISKY] w3",
      "20240105 09:30:07.042 [SYS][SYS][PLAIN] m4",
      "20240105 09:30:07.042 [SYS][SYS][PLAIN] i5",
      "20240105 09:30:07.042 [SYS][SYS][DEBUG] d6",
      "20240105 09:30:07.042 [][][DEBUG] server debug",
      "20240105 09:30:07.042 [][][RISKY] server warning",
  };
  EXPECT_EQ(lines_of(main_log()), expected);
  // A server's own log takes RISKY and PLAIN lines only.
  EXPECT_EQ(server_log("u9"), "09:30:07.042 server warning\n");

  // At PLAIN the main log drops debug lines.
  logtest::TempDir other;
  tarvex_brevane_foundation_logging_service_initialize("app", PLAIN, other.path().c_str(), 0);
  tarvex_brevane_foundation_logging_service_debug(nullptr, "dropped");
  tarvex_brevane_foundation_logging_service_info(nullptr, "kept");
  EXPECT_EQ(read_file(other.file("app-000.log")), "20240105 09:30:07.042 [SYS][SYS][PLAIN] kept\n");
}

TEST_F(LoggingServiceTest, SecondInitializeKeepsTheManagerAndMovesTheMainLog) {
  auto* manager = tarvex_brevane_foundation_logging_service_get_manager();
  logtest::TempDir other;
  tarvex_brevane_foundation_logging_service_initialize("app", PLAIN, other.path().c_str(), 0);
  EXPECT_EQ(tarvex_brevane_foundation_logging_service_get_manager(), manager);
  tarvex_brevane_foundation_logging_service_info(nullptr, "to the new folder");
  EXPECT_EQ(read_file(other.file("app-000.log")),
            "20240105 09:30:07.042 [SYS][SYS][PLAIN] to the new folder\n");
  EXPECT_EQ(main_log(), "");
}

TEST_F(LoggingServiceTest, AfterShutdownNothingIsWritten) {
  tarvex_brevane_foundation_logging_service_shutdown();
  tarvex_brevane_foundation_logging_service_info(nullptr, "lost");
  EXPECT_EQ(main_log(), "");
}

TEST_F(LoggingServiceTest, PreconditionsAreReported) {
  EXPECT_CRITICAL(tarvex_brevane_foundation_logging_service_info(nullptr, nullptr),
                  "format != NULL");
  EXPECT_CRITICAL(tarvex_brevane_foundation_logging_service_initialize(nullptr, PLAIN, "x", 0),
                  "uuid_default != NULL");
  EXPECT_CRITICAL(tarvex_brevane_foundation_logging_service_initialize("x", PLAIN, nullptr, 0),
                  "log_file_dir != NULL");
  EXPECT_EQ(main_log(), "");
}

// Two threads at once: nothing lost, no line mixed with another.
TEST_F(LoggingServiceTest, ConcurrentCallersKeepWholeLines) {
  constexpr int kLines = 400;
  auto work = [](const char* uuid, const char* who) {
    for (int i = 0; i < kLines; i++)
      tarvex_brevane_foundation_logging_service_info(uuid, "%s line %04d %s", who, i,
                                                     "with some text after it");
  };
  std::thread a(work, nullptr, "alpha");
  std::thread b(work, "u3", "beta");
  a.join();
  b.join();
  auto lines = lines_of(main_log());
  ASSERT_EQ(lines.size(), size_t(2 * kLines));
  int next_alpha = 0, next_beta = 0;
  for (const auto& line : lines) {
    char expected[128];
    if (line.find("alpha") != std::string::npos) {
      g_snprintf(expected, sizeof expected,
                 "20240105 09:30:07.042 [SYS][SYS][PLAIN] alpha line %04d with some text after it",
                 next_alpha++);
    } else {
      g_snprintf(expected, sizeof expected,
                 "20240105 09:30:07.042 [][][PLAIN] beta line %04d with some text after it",
                 next_beta++);
    }
    ASSERT_EQ(line, expected);
  }
  EXPECT_EQ(lines_of(server_log("u3")).size(), size_t(kLines));
}

// The host's callback logs through the facade on the main loop while a
// worker logs through it: neither waits on the other.
struct Delivery {
  GMainLoop* loop;
  std::atomic<int> worker_lines{0};
  int echoes = 0;
  int wanted;
};

void on_line(const gchar* line, gpointer data) {
  auto* d = static_cast<Delivery*>(data);
  if (std::string(line).find("worker") != std::string::npos) {
    d->worker_lines++;
    tarvex_brevane_foundation_logging_service_info("u4", "echo %d", d->worker_lines.load());
  } else {
    d->echoes++;
  }
  if (d->worker_lines + d->echoes >= d->wanted) g_main_loop_quit(d->loop);
}

TEST_F(LoggingServiceTest, CallbackThatLogsDoesNotDeadlockWithAWorker) {
  auto* handler = tarvex_brevane_supports_log_delegate_handler_new();
  auto* main = tarvex_brevane_contracts_log_ilog_manager_get_main(
      tarvex_brevane_foundation_logging_service_get_manager());
  tarvex_brevane_contracts_log_ilogger_append_handler(
      main, TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(handler));
  constexpr int kLines = 200;
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  Delivery d{loop, {0}, 0, 2 * kLines};
  tarvex_brevane_supports_log_delegate_handler_initialize(handler, on_line, &d);
  std::thread worker([] {
    for (int i = 0; i < kLines; i++)
      tarvex_brevane_foundation_logging_service_info(nullptr, "worker %d", i);
  });
  guint guard = g_timeout_add_seconds(
      60,
      +[](gpointer l) -> gboolean {
        g_main_loop_quit(static_cast<GMainLoop*>(l));
        return G_SOURCE_REMOVE;
      },
      loop);
  g_main_loop_run(loop);
  worker.join();
  EXPECT_EQ(d.worker_lines.load(), kLines);
  EXPECT_EQ(d.echoes, kLines);
  if (d.worker_lines + d.echoes >= d.wanted) g_source_remove(guard);
  tarvex_brevane_contracts_log_ilogger_delete_handler(
      main, TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(handler));
  tarvex_brevane_contracts_log_ilog_handler_close(
      TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(handler));
  g_object_unref(handler);
  g_main_loop_unref(loop);
  EXPECT_EQ(lines_of(main_log()).size(), size_t(2 * kLines));
}

TEST(LoggingServiceType, ReferenceCountedWithoutObjectBase) {
  auto* service = tarvex_brevane_foundation_logging_service_new();
  EXPECT_STREQ(g_type_name(G_TYPE_FROM_INSTANCE(service)), "TarvexBrevaneFoundationLoggingService");
  EXPECT_EQ(service->ref_count, 1);
  EXPECT_EQ(tarvex_brevane_foundation_logging_service_ref(service), service);
  EXPECT_EQ(service->ref_count, 2);
  tarvex_brevane_foundation_logging_service_unref(service);
  GValue value = G_VALUE_INIT;
  g_value_init(&value, TARVEX_BREVANE_FOUNDATION_TYPE_LOGGING_SERVICE);
  tarvex_brevane_foundation_value_take_logging_service(&value, service);
  EXPECT_EQ(tarvex_brevane_foundation_value_get_logging_service(&value), service);
  g_value_unset(&value);
}

}  // namespace
