// The callback handler (on a real main loop).
#include <glib.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "brevane/log/default_formatter.h"
#include "brevane/log/delegate_handler.h"
#include "brevane/log/logger.h"
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

struct Received {
  std::vector<std::string> lines;
  GMainLoop* loop = nullptr;
  size_t wanted = 0;
  Handler* echo_to = nullptr;  // publish once more from inside the callback
  TarvexBrevaneContractsLogILogger* echo_logger = nullptr;
};

void on_line(const gchar* line, gpointer data) {
  auto* r = static_cast<Received*>(data);
  r->lines.emplace_back(line);
  if (r->echo_to && r->lines.size() == 1) publish(r->echo_to, PLAIN, "s", "n", "from the callback");
  if (r->echo_logger && std::string(line).find("worker") != std::string::npos &&
      std::string(line).find("echo") == std::string::npos)
    logtest::log(tarvex_brevane_contracts_log_ilogger_info, r->echo_logger, "s", "n", "echo %zu",
                 r->lines.size());
  if (r->loop && r->lines.size() >= r->wanted) g_main_loop_quit(r->loop);
}

class CallbackHandlerTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;
  GMainLoop* loop_ = g_main_loop_new(nullptr, FALSE);
  ~CallbackHandlerTest() override { g_main_loop_unref(loop_); }

  // Runs the default main loop until `r` has `wanted` lines; fails after a
  // generous guard instead of hanging.
  void run_until(Received& r, size_t wanted) {
    r.loop = loop_;
    r.wanted = wanted;
    if (r.lines.size() >= wanted) return;
    bool expired = false;
    using Pair = std::pair<GMainLoop*, bool*>;
    guint guard = g_timeout_add_seconds_full(
        G_PRIORITY_DEFAULT, 30,
        +[](gpointer p) -> gboolean {
          auto* pair = static_cast<Pair*>(p);
          *pair->second = true;
          g_main_loop_quit(pair->first);
          return G_SOURCE_REMOVE;
        },
        new Pair(loop_, &expired), +[](gpointer p) { delete static_cast<Pair*>(p); });
    g_main_loop_run(loop_);
    if (!expired) g_source_remove(guard);
    EXPECT_FALSE(expired) << "lines did not arrive";
  }

  // Lets pending idle sources run.
  static void drain_context() {
    for (int i = 0; i < 10; i++) g_main_context_iteration(nullptr, FALSE);
  }
};

TEST_F(CallbackHandlerTest, LinesArriveInOrderAsEscapedMarkup) {
  auto* d = tarvex_brevane_supports_log_delegate_handler_new();
  Handler* h = as_handler(d);
  Received r;
  tarvex_brevane_supports_log_delegate_handler_initialize(d, on_line, &r);
  publish(h, RISKY, "s", "n", "first <b>&\"'%s", "</b>");
  publish(h, PLAIN, "s", "n", "second");
  publish(h, DEBUG, "s", "n", "dropped at the default threshold");
  publish(h, PLAIN, "s", "n", "third");
  EXPECT_TRUE(r.lines.empty());  // nothing before the main loop runs
  run_until(r, 3);
  ASSERT_EQ(r.lines.size(), 3u);
  EXPECT_EQ(r.lines[0],
            "09:30:07.042   <span foreground=\"red\">first "
            "&lt;b&gt;&amp;&quot;&apos;&lt;/b&gt;</span>\n");
  EXPECT_EQ(r.lines[1], "09:30:07.042   <span foreground=\"blue\">second</span>\n");
  EXPECT_EQ(r.lines[2], "09:30:07.042   <span foreground=\"blue\">third</span>\n");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilog_handler_recent(h, nullptr)), "");

  // Invalid UTF-8 is replaced, not passed on.
  publish(h, PLAIN, "s", "n", "bad \xff byte");
  run_until(r, 4);
  EXPECT_TRUE(g_utf8_validate(r.lines[3].c_str(), -1, nullptr));

  tarvex_brevane_contracts_log_ilog_handler_set_threshold(h, DEBUG);
  publish(h, DEBUG, "s", "n", "debug now");
  run_until(r, 5);
  EXPECT_EQ(r.lines[4], "09:30:07.042   <span foreground=\"green\">debug now</span>\n");
  tarvex_brevane_contracts_log_ilog_handler_close(h);
  g_object_unref(d);
}

TEST_F(CallbackHandlerTest, NothingBeforeInitializeOrAfterClose) {
  auto* d = tarvex_brevane_supports_log_delegate_handler_new();
  Handler* h = as_handler(d);
  Received r;
  publish(h, PLAIN, "s", "n", "before initialize");
  tarvex_brevane_supports_log_delegate_handler_initialize(d, on_line, &r);
  publish(h, PLAIN, "s", "n", "queued, then closed");
  tarvex_brevane_contracts_log_ilog_handler_close(h);
  publish(h, PLAIN, "s", "n", "after close");
  drain_context();
  EXPECT_TRUE(r.lines.empty());
  // The handler is released once closed: no source keeps it.
  GWeakRef weak;
  g_weak_ref_init(&weak, d);
  g_object_unref(d);
  EXPECT_EQ(g_weak_ref_get(&weak), nullptr);
  g_weak_ref_clear(&weak);
}

TEST_F(CallbackHandlerTest, SecondInitializeLeavesNoEarlierDrain) {
  auto* d = tarvex_brevane_supports_log_delegate_handler_new();
  Handler* h = as_handler(d);
  Received first, second;
  tarvex_brevane_supports_log_delegate_handler_initialize(d, on_line, &first);
  publish(h, PLAIN, "s", "n", "for the first callback, discarded");
  tarvex_brevane_supports_log_delegate_handler_initialize(d, on_line, &second);
  publish(h, PLAIN, "s", "n", "for the second");
  run_until(second, 1);
  drain_context();
  EXPECT_TRUE(first.lines.empty());
  ASSERT_EQ(second.lines.size(), 1u);
  EXPECT_NE(second.lines[0].find("for the second"), std::string::npos);
  tarvex_brevane_contracts_log_ilog_handler_close(h);
  g_object_unref(d);
}

TEST_F(CallbackHandlerTest, CallbackThatLogsIsDelivered) {
  auto* d = tarvex_brevane_supports_log_delegate_handler_new();
  Handler* h = as_handler(d);
  Received r;
  r.echo_to = h;
  tarvex_brevane_supports_log_delegate_handler_initialize(d, on_line, &r);
  publish(h, PLAIN, "s", "n", "outer");
  run_until(r, 2);
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_NE(r.lines[1].find("from the callback"), std::string::npos);
  tarvex_brevane_contracts_log_ilog_handler_close(h);
  g_object_unref(d);
}

// A worker logs through a logger (holding the logger's lock while it
// publishes) while the host's callback logs through the same logger on the
// main loop: neither may wait on the other.
TEST_F(CallbackHandlerTest, CallbackThatLogsDoesNotDeadlockWithAWorker) {
  auto* d = tarvex_brevane_supports_log_delegate_handler_new();
  auto* logger = TARVEX_BREVANE_CONTRACTS_LOG_ILOGGER(tarvex_brevane_supports_log_logger_new("u"));
  tarvex_brevane_contracts_log_ilogger_append_handler(logger, as_handler(d));
  Received r;
  r.echo_logger = logger;
  tarvex_brevane_supports_log_delegate_handler_initialize(d, on_line, &r);

  constexpr int kLines = 300;
  std::thread worker([&] {
    for (int i = 0; i < kLines; i++)
      logtest::log(tarvex_brevane_contracts_log_ilogger_info, logger, "s", "n", "worker %d", i);
  });
  run_until(r, 2 * kLines);  // every worker line and one echo of each
  worker.join();
  EXPECT_EQ(r.lines.size(), size_t(2 * kLines));
  int worker_lines = 0;
  for (const auto& line : r.lines)
    if (line.find("worker") != std::string::npos) worker_lines++;
  EXPECT_EQ(worker_lines, kLines);
  tarvex_brevane_contracts_log_ilogger_close(logger);
  g_object_unref(logger);
  g_object_unref(d);
}

}  // namespace
