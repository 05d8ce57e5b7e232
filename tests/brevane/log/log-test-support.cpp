#include "tests/brevane/log/log-test-support.h"

#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "brevane/helpers/clock-private.h"

namespace logtest {
namespace {

gint64 fixed_clock() {
  return kFixedTime;
}

// Every temporary file of the process (the per-server logs included) goes to
// one private folder, removed when the tests end.
class TmpEnvironment : public ::testing::Environment {
 public:
  TmpEnvironment() {
    char tmpl[] = "/tmp/brevane-log-tests-XXXXXX";
    root_ = g_mkdtemp(tmpl) ? tmpl : "/tmp";
    g_setenv("TMPDIR", root_.c_str(), TRUE);
  }
  void TearDown() override { remove_tree(root_); }

  static void remove_tree(const std::string& path) {
    if (GDir* dir = g_dir_open(path.c_str(), 0, nullptr)) {
      while (const char* name = g_dir_read_name(dir)) {
        std::string child = path + "/" + name;
        if (g_file_test(child.c_str(), G_FILE_TEST_IS_DIR) &&
            !g_file_test(child.c_str(), G_FILE_TEST_IS_SYMLINK))
          remove_tree(child);
        else
          g_unlink(child.c_str());
      }
      g_dir_close(dir);
    }
    g_rmdir(path.c_str());
  }

 private:
  std::string root_;
};

[[maybe_unused]] ::testing::Environment* const s_env =
    ::testing::AddGlobalTestEnvironment(new TmpEnvironment);

}  // namespace

FixedClock::FixedClock() {
  g_setenv("TZ", "Asia/Kolkata", TRUE);
  tzset();
  tarvex::testing::set_clock(fixed_clock);
}

FixedClock::~FixedClock() {
  tarvex::testing::set_clock(nullptr);
}

TempDir::TempDir() {
  std::string tmpl = std::string(g_get_tmp_dir()) + "/dir-XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  path_ = g_mkdtemp(buf.data());
}

TempDir::~TempDir() {
  TmpEnvironment::remove_tree(path_);
}

std::string TempDir::file(const std::string& name) const {
  return path_ + "/" + name;
}

std::string read_file(const std::string& path) {
  gchar* content = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &content, &length, nullptr)) return "<missing>";
  std::string r(content, length);
  g_free(content);
  return r;
}

void write_file(const std::string& path, const std::string& content) {
  g_file_set_contents(path.c_str(), content.data(), static_cast<gssize>(content.size()), nullptr);
}

std::vector<std::string> list_dir(const std::string& path) {
  std::vector<std::string> names;
  if (GDir* dir = g_dir_open(path.c_str(), 0, nullptr)) {
    while (const char* name = g_dir_read_name(dir)) names.emplace_back(name);
    g_dir_close(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

unsigned mode_of(const std::string& path) {
  GStatBuf st;
  if (g_stat(path.c_str(), &st) != 0) return 0;
  return st.st_mode & 0777;
}

void publish(TarvexBrevaneContractsLogILogHandler* handler, TarvexBrevaneContractsLogLogLevel level,
             const char* server, const char* name, const char* format, ...) {
  va_list args;
  va_start(args, format);
  tarvex_brevane_contracts_log_ilog_handler_publish(handler, level, server, name, format, args);
  va_end(args);
}

void log(LoggerOp op, TarvexBrevaneContractsLogILogger* logger, const char* server,
         const char* name, const char* format, ...) {
  va_list args;
  va_start(args, format);
  op(logger, server, name, format, args);
  va_end(args);
}

}  // namespace logtest

// ---------------------------------------------------------------- recorder
typedef struct {
  GObject parent_instance;
} TestRecordingHandler;
typedef struct {
  GObjectClass parent_class;
} TestRecordingHandlerClass;

static void test_recording_handler_iface_init(TarvexBrevaneContractsLogILogHandlerIface* iface);
G_DEFINE_TYPE_WITH_CODE(TestRecordingHandler, test_recording_handler, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER,
                                              test_recording_handler_iface_init))

namespace {
struct RecorderState {
  std::mutex lock;
  std::vector<logtest::Recorded> lines;
  int closed = 0;
};

RecorderState* state_of(gpointer self) {
  return static_cast<RecorderState*>(g_object_get_data(G_OBJECT(self), "recorder"));
}

void recorder_publish(TarvexBrevaneContractsLogILogHandler* self,
                      TarvexBrevaneContractsLogLogLevel level, const gchar* server,
                      const gchar* name, const gchar* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  gchar* text = g_strdup_vprintf(format, copy);
  va_end(copy);
  auto* st = state_of(self);
  std::lock_guard<std::mutex> guard(st->lock);
  st->lines.push_back({level, server, name, text});
  g_free(text);
}

void recorder_close(TarvexBrevaneContractsLogILogHandler* self) {
  auto* st = state_of(self);
  std::lock_guard<std::mutex> guard(st->lock);
  st->closed++;
}

void recorder_get_property(GObject* object, guint, GValue* value, GParamSpec* pspec) {
  if (G_PARAM_SPEC_VALUE_TYPE(pspec) == TARVEX_BREVANE_CONTRACTS_LOG_TYPE_LOG_LEVEL)
    g_value_set_enum(value, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG);
}
void recorder_set_property(GObject*, guint, const GValue*, GParamSpec*) {}
}  // namespace

static void test_recording_handler_iface_init(TarvexBrevaneContractsLogILogHandlerIface* iface) {
  iface->publish = recorder_publish;
  iface->close = recorder_close;
}

static void test_recording_handler_class_init(TestRecordingHandlerClass* klass) {
  G_OBJECT_CLASS(klass)->get_property = recorder_get_property;
  G_OBJECT_CLASS(klass)->set_property = recorder_set_property;
  g_object_class_override_property(G_OBJECT_CLASS(klass), 1, "formatter");
  g_object_class_override_property(G_OBJECT_CLASS(klass), 2, "threshold");
}

static void test_recording_handler_init(TestRecordingHandler* self) {
  g_object_set_data_full(G_OBJECT(self), "recorder", new RecorderState,
                         [](gpointer p) { delete static_cast<RecorderState*>(p); });
}

namespace logtest {

TarvexBrevaneContractsLogILogHandler* recording_handler_new() {
  return static_cast<TarvexBrevaneContractsLogILogHandler*>(
      g_object_new(test_recording_handler_get_type(), nullptr));
}

std::vector<Recorded> recorded(TarvexBrevaneContractsLogILogHandler* handler) {
  auto* st = state_of(handler);
  std::lock_guard<std::mutex> guard(st->lock);
  return st->lines;
}

int closed_count(TarvexBrevaneContractsLogILogHandler* handler) {
  auto* st = state_of(handler);
  std::lock_guard<std::mutex> guard(st->lock);
  return st->closed;
}

}  // namespace logtest
