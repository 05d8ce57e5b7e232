// Shared helpers of the log tests: a pinned clock and time zone, a private
// temporary folder, variadic wrappers around the va_list operations, and a
// handler that records what reaches it.
#pragma once

#include <gio/gio.h>
#include <glib.h>

#include <string>
#include <vector>

#include "brevane/contracts/ilog_handler.h"
#include "brevane/contracts/ilogger.h"
#include "tests/support/texts.h"

namespace logtest {

// 2024-01-05 09:30:07.042 in Asia/Kolkata (UTC+05:30, no daylight saving).
constexpr gint64 kFixedTime = G_GINT64_CONSTANT(1704427207) * G_USEC_PER_SEC + 42000;

// Pins TZ and the library clock; restores the real clock when destroyed.
class FixedClock {
 public:
  FixedClock();
  ~FixedClock();
};

// A fresh folder under the test's temporary folder, removed with its files.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
std::vector<std::string> list_dir(const std::string& path);
std::vector<std::string> lines_of(const std::string& text);
// Permission bits of a path (mode & 0777).
unsigned mode_of(const std::string& path);
using tarvex::test::take;

void publish(TarvexBrevaneContractsLogILogHandler* handler, TarvexBrevaneContractsLogLogLevel level,
             const char* server, const char* name, const char* format, ...) G_GNUC_PRINTF(5, 6);

using LoggerOp = void (*)(TarvexBrevaneContractsLogILogger*, const gchar*, const gchar*,
                          const gchar*, va_list);
void log(LoggerOp op, TarvexBrevaneContractsLogILogger* logger, const char* server,
         const char* name, const char* format, ...) G_GNUC_PRINTF(5, 6);

// A handler that keeps every published line (expanded, with its level).
struct Recorded {
  TarvexBrevaneContractsLogLogLevel level;
  std::string server, name, text;
};
TarvexBrevaneContractsLogILogHandler* recording_handler_new();
std::vector<Recorded> recorded(TarvexBrevaneContractsLogILogHandler* handler);
int closed_count(TarvexBrevaneContractsLogILogHandler* handler);

}  // namespace logtest
