#include "tests/support/log-capture.h"

#include <mutex>

namespace tarvex::test {
namespace {

std::mutex g_mutex;
std::vector<LogRecord> g_records;

GLogWriterOutput capture_writer(GLogLevelFlags level, const GLogField* fields, gsize n_fields,
                                gpointer) {
  LogRecord rec{GLogLevelFlags(level & G_LOG_LEVEL_MASK), {}, {}};
  for (gsize i = 0; i < n_fields; i++) {
    if (g_strcmp0(fields[i].key, "MESSAGE") == 0 && fields[i].value)
      rec.message = fields[i].length < 0
                        ? std::string(static_cast<const char*>(fields[i].value))
                        : std::string(static_cast<const char*>(fields[i].value), fields[i].length);
    else if (g_strcmp0(fields[i].key, "GLIB_DOMAIN") == 0 && fields[i].value)
      rec.domain = fields[i].length < 0
                       ? std::string(static_cast<const char*>(fields[i].value))
                       : std::string(static_cast<const char*>(fields[i].value), fields[i].length);
  }
  if (g_getenv("TARVEX_TEST_VERBOSE"))
    g_log_writer_standard_streams(level, fields, n_fields, nullptr);
  std::lock_guard<std::mutex> lock(g_mutex);
  g_records.push_back(std::move(rec));
  return G_LOG_WRITER_HANDLED;
}

}  // namespace

void install_log_capture() {
  // Criticals must be recorded, not abort the run.
  g_log_set_always_fatal(GLogLevelFlags(G_LOG_FATAL_MASK));
  g_log_set_writer_func(capture_writer, nullptr, nullptr);
}

std::vector<LogRecord> captured_logs() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_records;
}

void clear_captured_logs() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_records.clear();
}

bool take_log(GLogLevelFlags level, const std::string& needle) {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (auto it = g_records.begin(); it != g_records.end(); ++it) {
    if (it->level == level && it->message.find(needle) != std::string::npos) {
      g_records.erase(it);
      return true;
    }
  }
  return false;
}

void drop_quiet_logs() {
  std::lock_guard<std::mutex> lock(g_mutex);
  std::erase_if(g_records, [](const LogRecord& r) {
    return r.level & (G_LOG_LEVEL_DEBUG | G_LOG_LEVEL_INFO | G_LOG_LEVEL_MESSAGE);
  });
}

void LogCaptureTest::SetUp() {
  clear_captured_logs();
}

void LogCaptureTest::TearDown() {
  for (const auto& r : captured_logs()) {
    if (r.level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_ERROR))
      ADD_FAILURE() << "unexpected " << (r.level == G_LOG_LEVEL_WARNING ? "warning" : "critical")
                    << " [" << r.domain << "]: " << r.message;
  }
  clear_captured_logs();
}

}  // namespace tarvex::test
