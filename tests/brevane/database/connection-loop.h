// Asynchronous connection calls on a running main loop: a completion that
// records where and with what a call came back, and a loop runner with a
// safety limit, so a call that never completes fails its test instead of
// hanging it.
#pragma once

#include <gio/gio.h>

#include <functional>

#include "common/tarvex-gobject-private.h"

namespace dbtest {

struct Completion {
  tarvex::GRef<GAsyncResult> result;
  GObject* source = nullptr;
  GThread* thread = nullptr;  // the thread the callback ran on
  int calls = 0;

  static void callback(GObject* source, GAsyncResult* result, gpointer data) {
    auto* self = static_cast<Completion*>(data);
    self->source = source;
    self->result = tarvex::retainGRef(result);
    self->thread = g_thread_self();
    ++self->calls;
  }
  bool done() const { return calls > 0; }
};

// Turns the default main context until `done` says so or `seconds` passed;
// false on the limit.
inline bool run_until(const std::function<bool()>& done, int seconds = 30) {
  const gint64 end = g_get_monotonic_time() + gint64(seconds) * G_USEC_PER_SEC;
  // Wakes the loop now and then, so the limit is checked.
  guint tick = g_timeout_add(
      20, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!done() && g_get_monotonic_time() < end) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(tick);
  return done();
}

inline bool run_until_done(const Completion& completion, int seconds = 30) {
  return run_until([&] { return completion.done(); }, seconds);
}

}  // namespace dbtest
