// The numbered-file handler, in private folders.
#include <gio/gio.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <string>
#include <vector>

#include "brevane/log/default_formatter.h"
#include "brevane/log/simple_formatter.h"
#include "brevane/log/slice_file_log_handler.h"
#include "tests/brevane/log/log-test-support.h"
#include "tests/support/expect-gerror.h"
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

class SliceFileHandlerTest : public tarvex::test::LogCaptureTest {
 protected:
  logtest::FixedClock clock_;
  logtest::TempDir dir_;

  // A handler initialized on `folder`; NULL (with the error) on failure.
  TarvexBrevaneSupportsLogSliceFileLogHandler* open(const char* name, gint64 limit,
                                                    const std::string& folder,
                                                    GError** error = nullptr) {
    auto* h = tarvex_brevane_supports_log_slice_file_log_handler_new();
    if (!tarvex_brevane_supports_log_slice_file_log_handler_initialize(h, name, folder.c_str(),
                                                                       limit, error)) {
      g_object_unref(h);
      return nullptr;
    }
    return h;
  }
  TarvexBrevaneSupportsLogSliceFileLogHandler* open(const char* name, gint64 limit) {
    return open(name, limit, dir_.path());
  }
  static void close(TarvexBrevaneSupportsLogSliceFileLogHandler* h) {
    tarvex_brevane_contracts_log_ilog_handler_close(TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(h));
    g_object_unref(h);
  }
  // A default-formatted line of exactly 60 bytes at the fixed time
  // ("20240105 09:30:07.042 [S][N][PLAIN] " is 36 bytes).
  static void line60(TarvexBrevaneSupportsLogSliceFileLogHandler* h, int n) {
    publish(TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(h), PLAIN, "S", "N",
            "line %d, of sixty bytes.", n % 10);
  }
};

TEST_F(SliceFileHandlerTest, EmptyFolderStartsAtZeroWithOwnerOnlyFile) {
  auto* h = open("app", 1048576);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(list_dir(dir_.path()), Strings{"app-000.log"});
  EXPECT_EQ(read_file(dir_.file("app-000.log")), "");
  EXPECT_EQ(logtest::mode_of(dir_.file("app-000.log")), 0600u);
  Handler* as = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(h);
  EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_LOG_IS_DEFAULT_FORMATTER(
      tarvex_brevane_contracts_log_ilog_handler_get_formatter(as)));
  EXPECT_EQ(tarvex_brevane_contracts_log_ilog_handler_get_threshold(as), PLAIN);
  publish(as, PLAIN, "SYS", "SYS", "SQL: %s", "select 1");
  publish(as, DEBUG, "SYS", "SYS", "dropped");
  EXPECT_EQ(read_file(dir_.file("app-000.log")),
            "20240105 09:30:07.042 [SYS][SYS][PLAIN] SQL: select 1\n");
  EXPECT_EQ(take(tarvex_brevane_contracts_log_ilog_handler_recent(as, nullptr)), "");
  close(h);
}

TEST_F(SliceFileHandlerTest, NewHandlerUsesSimpleFormatterUntilInitialized) {
  auto* h = tarvex_brevane_supports_log_slice_file_log_handler_new();
  Handler* as = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(h);
  EXPECT_TRUE(
      G_TYPE_CHECK_INSTANCE_TYPE(tarvex_brevane_contracts_log_ilog_handler_get_formatter(as),
                                 TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SIMPLE_FORMATTER));
  EXPECT_EQ(h->stream, nullptr);
  publish(as, PLAIN, "s", "n", "no file yet");  // dropped quietly
  g_object_unref(h);
}

TEST_F(SliceFileHandlerTest, ContinuesTheNewestFileOrStartsTheNext) {
  for (int i = 0; i < 5; i++)
    write_file(dir_.file(take(g_strdup_printf("app-%03d.log", i))), std::string(10, 'x'));
  write_file(dir_.file("other-009.log"), "");
  auto* h = open("app", 100);
  line60(h, 1);
  EXPECT_EQ(read_file(dir_.file("app-004.log")).size(), 70u);
  // 10 on disk + 60 counted: a second line passes the limit, the rotation
  // finds 004 at 70 bytes (not above 100) and reopens it.
  line60(h, 2);
  EXPECT_EQ(read_file(dir_.file("app-004.log")).size(), 130u);
  line60(h, 3);
  EXPECT_EQ(read_file(dir_.file("app-005.log")).size(), 60u);
  close(h);

  // A newest file already above the limit: the next number.
  write_file(dir_.file("app-005.log"), std::string(200, 'y'));
  h = open("app", 100);
  EXPECT_EQ(read_file(dir_.file("app-006.log")), "");
  close(h);
}

TEST_F(SliceFileHandlerTest, LimitOfOneHundredBytes) {
  auto* h = open("app", 100);
  for (int i = 1; i <= 5; i++) line60(h, i);
  close(h);
  EXPECT_EQ(list_dir(dir_.path()), (Strings{"app-000.log", "app-001.log", "app-002.log"}));
  auto l0 = lines_of(read_file(dir_.file("app-000.log")));
  auto l1 = lines_of(read_file(dir_.file("app-001.log")));
  auto l2 = lines_of(read_file(dir_.file("app-002.log")));
  ASSERT_EQ(l0.size(), 2u);
  ASSERT_EQ(l1.size(), 2u);
  ASSERT_EQ(l2.size(), 1u);
  EXPECT_EQ(l0[0], "20240105 09:30:07.042 [S][N][PLAIN] line 1, of sixty bytes.");
  EXPECT_NE(l1[0].find("line 3"), std::string::npos);
  EXPECT_NE(l2[0].find("line 5"), std::string::npos);
  EXPECT_EQ(read_file(dir_.file("app-000.log")).size(), 120u);
}

TEST_F(SliceFileHandlerTest, NoLimitNeverRotates) {
  auto* h = open("app", 0);
  for (int i = 0; i < 50; i++) line60(h, i);
  close(h);
  EXPECT_EQ(list_dir(dir_.path()), Strings{"app-000.log"});
  EXPECT_EQ(read_file(dir_.file("app-000.log")).size(), 3000u);
}

TEST_F(SliceFileHandlerTest, GapInNumbersContinuesTheLargest) {
  write_file(dir_.file("app-000.log"), "old\n");
  write_file(dir_.file("app-007.log"), "seven\n");
  auto* h = open("app", 1000);
  line60(h, 1);
  close(h);
  EXPECT_EQ(lines_of(read_file(dir_.file("app-007.log"))).size(), 2u);
  EXPECT_EQ(list_dir(dir_.path()), (Strings{"app-000.log", "app-007.log"}));
}

TEST_F(SliceFileHandlerTest, PercentAndPatternCharactersInFolderAndName) {
  std::string folder = dir_.file("logs%s%n%d");
  ASSERT_EQ(g_mkdir(folder.c_str(), 0700), 0);
  write_file(folder + "/srv.(1)%d-003.log", "");
  write_file(folder + "/srvX1%d-009.log", "");  // would match if the name were a pattern
  auto* h = open("srv.(1)%d", 0, folder);
  ASSERT_NE(h, nullptr);
  line60(h, 1);
  close(h);
  EXPECT_EQ(lines_of(read_file(folder + "/srv.(1)%d-003.log")).size(), 1u);
  EXPECT_EQ(list_dir(folder), (Strings{"srv.(1)%d-003.log", "srvX1%d-009.log"}));
}

TEST_F(SliceFileHandlerTest, ThresholdFiltersLevels) {
  struct Case {
    TarvexBrevaneContractsLogLogLevel threshold;
    size_t written;
  };
  for (auto c : {Case{RISKY, 1}, Case{PLAIN, 2}, Case{DEBUG, 3}}) {
    logtest::TempDir dir;
    auto* h = open("t", 0, dir.path());
    Handler* as = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(h);
    tarvex_brevane_contracts_log_ilog_handler_set_threshold(as, c.threshold);
    publish(as, RISKY, "s", "n", "r");
    publish(as, PLAIN, "s", "n", "p");
    publish(as, DEBUG, "s", "n", "d");
    close(h);
    EXPECT_EQ(lines_of(read_file(dir.file("t-000.log"))).size(), c.written) << c.threshold;
  }
}

TEST_F(SliceFileHandlerTest, InitializeAgainStartsOverInTheNewFolder) {
  write_file(dir_.file("app-005.log"), "");
  auto* h = open("app", 0);
  logtest::TempDir other;
  ASSERT_TRUE(tarvex_brevane_supports_log_slice_file_log_handler_initialize(
      h, "app", other.path().c_str(), 0, nullptr));
  line60(h, 1);
  close(h);
  EXPECT_EQ(list_dir(other.path()), Strings{"app-000.log"});
  EXPECT_EQ(read_file(other.file("app-000.log")).size(), 60u);
}

TEST_F(SliceFileHandlerTest, FolderErrorsReachTheCaller) {
  GError* error = nullptr;
  EXPECT_EQ(open("app", 0, dir_.file("missing"), &error), nullptr);
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
  g_error_free(error);

  auto* h = tarvex_brevane_supports_log_slice_file_log_handler_new();
  EXPECT_CRITICAL(
      tarvex_brevane_supports_log_slice_file_log_handler_initialize(h, nullptr, "x", 0, nullptr),
      "name != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_supports_log_slice_file_log_handler_initialize(h, "x", nullptr, 0, nullptr),
      "folder != NULL");
  g_object_unref(h);
}

}  // namespace
