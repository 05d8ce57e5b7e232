// Test doubles of the connection tests: a provider that records its calls
// and answers from a script, and a log manager that records every line the
// logging service writes.
#pragma once

#include <glib-object.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "brevane/contracts/log_level.h"
#include "providers/contracts/provider.h"

namespace dbtest {

struct FakeProviderState {
  std::mutex mutex;
  std::vector<std::string> calls;  // "open", "close", "affect:SQL", ...
  std::string connection_string;
  bool opened = false;
  // Failures: the next open, every execute / transaction operation, close.
  bool fail_open = false;
  bool fail_execute = false;
  bool fail_close = false;
  // The error of a failing execute operation.
  int fail_code = 102;
  std::string fail_message = "Incorrect syntax near 'x'.";
  gint64 affected = 3;
  int rows = 2;
  std::string scalar = "16.0.1000.6";
  // Called inside every execute operation (the connection lock held).
  std::function<void(const std::string& sql)> during_execute;
  std::atomic<int> inside{0};
  std::atomic<int> most_inside{0};

  std::vector<std::string> take_calls();
};

// A new provider (owned) and its state (owned by the provider).
TarvexProvidersContractsIProvider* fake_provider_new();
FakeProviderState& fake_state(TarvexProvidersContractsIProvider* provider);

struct LogLine {
  TarvexBrevaneContractsLogLogLevel level;
  std::string uuid;  // the logger the line went to
  std::string text;
};

// Registers the recording log manager and initialises the logging service
// once per process; the main identity is "main".
void install_log_recorder();
// Lines written to the logger of `uuid` since the last call, in order.
std::vector<LogLine> take_log_lines(const std::string& uuid);
void clear_log_lines();

}  // namespace dbtest
