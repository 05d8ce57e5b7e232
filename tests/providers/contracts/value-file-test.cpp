#include "tests/providers/contracts/value-file-test.h"

#include <dlfcn.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <mutex>

namespace tarvex::test {

void FileValueTest::SetUp() {
  LogCaptureTest::SetUp();
  context_ = g_main_context_new();
  g_main_context_push_thread_default(context_);
  GUniqueStr folder(g_dir_make_tmp("tarvex-values-XXXXXX", nullptr));
  ASSERT_TRUE(folder);
  folder_ = folder.get();
}

void FileValueTest::TearDown() {
  drain();
  for (const auto& name : list_folder(folder_)) g_remove(path(name.c_str()).c_str());
  g_rmdir(folder_.c_str());
  g_main_context_pop_thread_default(context_);
  g_main_context_unref(context_);
  LogCaptureTest::TearDown();
}

std::string FileValueTest::path(const char* name) const {
  GUniqueStr full(g_build_filename(folder_.c_str(), name, nullptr));
  return full.get();
}

GRef<GAsyncResult> FileValueTest::run(
    const std::function<void(GAsyncReadyCallback, gpointer)>& start) {
  struct Wait {
    GRef<GAsyncResult> result;
    GMainLoop* loop;
  } wait{nullptr, g_main_loop_new(context_, FALSE)};
  start(
      [](GObject*, GAsyncResult* res, gpointer data) {
        auto* w = static_cast<Wait*>(data);
        w->result = retainGRef(res);
        g_main_loop_quit(w->loop);
      },
      &wait);
  g_main_loop_run(wait.loop);
  g_main_loop_unref(wait.loop);
  return std::move(wait.result);
}

void FileValueTest::drain() {
  while (g_main_context_iteration(context_, FALSE)) {
  }
}

std::string read_file(const std::string& path) {
  gchar* data = nullptr;
  gsize size = 0;
  if (!g_file_get_contents(path.c_str(), &data, &size, nullptr)) return "<missing>";
  std::string content(data, size);
  g_free(data);
  return content;
}

void write_file(const std::string& path, const std::string& content) {
  ASSERT_TRUE(g_file_set_contents(path.c_str(), content.data(), gssize(content.size()), nullptr));
}

std::vector<std::string> list_folder(const std::string& folder) {
  std::vector<std::string> names;
  GDir* dir = g_dir_open(folder.c_str(), 0, nullptr);
  if (!dir) return names;
  while (const char* name = g_dir_read_name(dir)) names.emplace_back(name);
  g_dir_close(dir);
  std::sort(names.begin(), names.end());
  return names;
}

// ------------------------------------------------------------ WriteRecorder

namespace {
std::mutex recorder_mutex;
bool recording = false;
int fail_at = -1;
std::vector<gsize> recorded;
}  // namespace

WriteRecorder::WriteRecorder(int fail) {
  std::lock_guard lock(recorder_mutex);
  recording = true;
  fail_at = fail;
  recorded.clear();
}

WriteRecorder::~WriteRecorder() {
  std::lock_guard lock(recorder_mutex);
  recording = false;
}

std::vector<gsize> WriteRecorder::counts() const {
  std::lock_guard lock(recorder_mutex);
  return recorded;
}

}  // namespace tarvex::test

// Stands in front of GIO's own function (the library under test resolves it
// through the dynamic linker), records the request and passes it on.
extern "C" __attribute__((visibility("default"))) void g_output_stream_write_async(
    GOutputStream* stream, const void* buffer, gsize count, int io_priority,
    GCancellable* cancellable, GAsyncReadyCallback callback, gpointer user_data) {
  using Real = void (*)(GOutputStream*, const void*, gsize, int, GCancellable*, GAsyncReadyCallback,
                        gpointer);
  static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "g_output_stream_write_async"));
  bool fail = false;
  if (G_IS_FILE_OUTPUT_STREAM(stream)) {
    using namespace tarvex::test;
    std::lock_guard lock(recorder_mutex);
    if (recording) {
      fail = fail_at == int(recorded.size());
      recorded.push_back(count);
    }
  }
  if (fail) {
    g_task_report_new_error(stream, callback, user_data, reinterpret_cast<gpointer>(real),
                            G_IO_ERROR, G_IO_ERROR_NO_SPACE, "No space left on device");
    return;
  }
  real(stream, buffer, count, io_priority, cancellable, callback, user_data);
}
