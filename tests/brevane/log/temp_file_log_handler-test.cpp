// The temporary-file handler, in private folders.
#include <gio/gio.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <string>
#include <vector>

#include "brevane/log/default_formatter.h"
#include "brevane/log/simple_formatter.h"
#include "brevane/log/temp_file_log_handler.h"
#include "tests/brevane/log/log-test-support.h"
#include "tests/support/log-capture.h"

namespace {

using logtest::lines_of;
using logtest::list_dir;
using logtest::publish;
using logtest::read_file;
using logtest::take;
using logtest::write_file;
using Handler = TarvexBrevaneContractsLogILogHandler;
using Strings = std::vector<std::string>;
constexpr auto RISKY = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY;
constexpr auto PLAIN = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN;
constexpr auto DEBUG = TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG;

class TempFileHandlerTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;

  static std::vector<std::string> files_named(const std::string& name) {
    std::vector<std::string> found;
    std::string prefix = "Tarvex-" + name + "-";
    for (const auto& f : list_dir(g_get_tmp_dir()))
      if (g_str_has_prefix(f.c_str(), prefix.c_str()) && g_str_has_suffix(f.c_str(), ".log"))
        found.push_back(std::string(g_get_tmp_dir()) + "/" + f);
    return found;
  }
};

TEST_F(TempFileHandlerTest, RecentReturnsEverythingWritten) {
  auto* t = tarvex_brevane_supports_log_temp_file_log_handler_new();
  Handler* h = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(t);
  tarvex_brevane_supports_log_temp_file_log_handler_initialize(t, "uuid-1");
  auto files = files_named("uuid-1");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(logtest::mode_of(files[0]), 0600u);
  EXPECT_EQ(files[0].size(), std::string(g_get_tmp_dir()).size() + 1 +
                                 std::string("Tarvex-uuid-1-XXXXXX.log").size());

  publish(h, PLAIN, "s", "n", "one %d", 1);
  publish(h, RISKY, "s", "n", "two");
  publish(h, DEBUG, "s", "n", "dropped");
  publish(h, PLAIN, "s", "n", "three");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilog_handler_recent(h, nullptr)),
            "09:30:07.042 one 1\n09:30:07.042 two\n09:30:07.042 three\n");
  publish(h, PLAIN, "s", "n", "four");
  EXPECT_EQ(take(tarvex_brevane_supports_log_temp_file_log_handler_recent(t, nullptr)),
            "09:30:07.042 one 1\n09:30:07.042 two\n09:30:07.042 three\n09:30:07.042 four\n");
  EXPECT_EQ(read_file(files[0]),
            "09:30:07.042 one 1\n09:30:07.042 two\n09:30:07.042 three\n09:30:07.042 four\n");

  tarvex_brevane_contracts_log_ilog_handler_close(h);
  EXPECT_EQ(files_named("uuid-1").size(), 1u);  // the file stays
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilog_handler_recent(h, nullptr)), "");
  g_object_unref(t);
}

TEST_F(TempFileHandlerTest, FailedCreationDropsLines) {
  auto* t = tarvex_brevane_supports_log_temp_file_log_handler_new();
  Handler* h = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(t);
  EXPECT_WARNING(tarvex_brevane_supports_log_temp_file_log_handler_initialize(t, "a/b"),
                 "handler_file_temp:27: Failed to open file: ");
  publish(h, PLAIN, "s", "n", "lost");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilog_handler_recent(h, nullptr)), "");
  EXPECT_CRITICAL(tarvex_brevane_supports_log_temp_file_log_handler_initialize(t, nullptr),
                  "name != NULL");
  g_object_unref(t);
}

TEST_F(TempFileHandlerTest, PercentInNameIsLiteral) {
  auto* t = tarvex_brevane_supports_log_temp_file_log_handler_new();
  tarvex_brevane_supports_log_temp_file_log_handler_initialize(t, "p%s%n");
  EXPECT_EQ(files_named("p%s%n").size(), 1u);
  tarvex_brevane_supports_log_temp_file_log_handler_close(t);
  g_object_unref(t);
}

}  // namespace
