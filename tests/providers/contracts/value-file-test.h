// Support for the tests of the values' asynchronous file operations: a
// private main context with a temporary folder, and a record of the write
// requests that reach GIO's output streams.
#pragma once

#include <gio/gio.h>

#include <functional>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"

namespace tarvex::test {

// Each test runs on its own thread-default main context and gets a fresh
// temporary folder, removed with its content afterwards.
class FileValueTest : public LogCaptureTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string path(const char* name) const;
  // Starts an operation with (callback, user data) and runs the main loop
  // until its callback has run; returns the result it got.
  GRef<GAsyncResult> run(const std::function<void(GAsyncReadyCallback, gpointer)>& start);
  // Iterates the context until nothing is pending.
  void drain();

  GMainContext* context_ = nullptr;
  std::string folder_;
};

// The file's content, or "<missing>".
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
// Names in a folder (to find stray temporary files).
std::vector<std::string> list_folder(const std::string& folder);

// Records the byte counts of g_output_stream_write_async requests made on
// file streams while alive; can make the request numbered `fail_at`
// (counting from 0) fail with G_IO_ERROR_NO_SPACE instead of writing.
class WriteRecorder {
 public:
  explicit WriteRecorder(int fail_at = -1);
  ~WriteRecorder();
  std::vector<gsize> counts() const;
};

}  // namespace tarvex::test
