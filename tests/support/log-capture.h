// Shared test fixture: captures every GLib log message of the process so a
// test can assert that a broken precondition was reported as a critical
// warning, and fails any test that leaves an unexpected warning or critical.
#pragma once

#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex::test {

struct LogRecord {
  GLogLevelFlags level;
  std::string domain;
  std::string message;
};

// Installed once by the test main; safe from any thread.
void install_log_capture();
// Messages captured since the last clear.
std::vector<LogRecord> captured_logs();
void clear_captured_logs();
// Removes the first captured message of that level whose text contains
// `needle`; true when one was found.
bool take_log(GLogLevelFlags level, const std::string& needle);
// Removes every captured message of level debug, info and message.
void drop_quiet_logs();

// Base fixture: starts each test with an empty capture and fails it when a
// warning or critical is left over at the end.
class LogCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace tarvex::test

// Runs `stmt` and asserts that it reported exactly one critical warning
// containing `needle` (GLib's precondition texts, e.g. "self != NULL").
#define EXPECT_CRITICAL(stmt, needle)                                            \
  do {                                                                           \
    stmt;                                                                        \
    EXPECT_TRUE(::tarvex::test::take_log(G_LOG_LEVEL_CRITICAL, needle))          \
        << "expected a critical containing \"" << (needle) << "\" from: " #stmt; \
  } while (0)

#define EXPECT_WARNING(stmt, needle)                                            \
  do {                                                                          \
    stmt;                                                                       \
    EXPECT_TRUE(::tarvex::test::take_log(G_LOG_LEVEL_WARNING, needle))          \
        << "expected a warning containing \"" << (needle) << "\" from: " #stmt; \
  } while (0)
