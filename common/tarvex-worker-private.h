// Work off the caller's thread, reported back on the caller's main context:
// the one way every asynchronous operation of the library runs.
//
// run_on_worker(task, work, done, name, error) starts a thread of its own
// for `work`, which does the blocking part and keeps what came of it in the
// task data. The thread then resumes the task through an idle source, at
// the task's priority, on the main context the task completes on (the
// thread-default context of its caller), and ends; there `done` logs,
// emits signals and completes the task, so the caller's callback runs on
// its own thread. Nothing completes before the caller's loop turns.
//
// When no thread can be started, it returns false with the reason, and
// neither `work` nor `done` runs: the caller completes the task itself.
//
// Not installed, not part of the API.
#pragma once

#include <gio/gio.h>

namespace tarvex {

using WorkerStep = void (*)(GTask* task);

namespace worker_detail {

struct Steps {
  GTask* task;  // a reference of its own
  WorkerStep work;
  WorkerStep done;
  const char* name;
};

inline gboolean resume(gpointer data) {
  auto* steps = static_cast<Steps*>(data);
  steps->done(steps->task);
  return G_SOURCE_REMOVE;
}

inline void release(gpointer data) {
  auto* steps = static_cast<Steps*>(data);
  g_object_unref(steps->task);
  delete steps;
}

inline gpointer run(gpointer data) {
  auto* steps = static_cast<Steps*>(data);
  steps->work(steps->task);
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, g_task_get_priority(steps->task));
  g_source_set_callback(source, resume, steps, release);
  g_source_set_static_name(source, steps->name);
  g_source_attach(source, g_task_get_context(steps->task));
  g_source_unref(source);
  return nullptr;
}

}  // namespace worker_detail

// `name` names the resume source for debugging; it must be a static text.
inline bool run_on_worker(GTask* task, WorkerStep work, WorkerStep done, const char* name,
                          GError** error) {
  auto* steps = new worker_detail::Steps{G_TASK(g_object_ref(task)), work, done, name};
  // One thread per call, never joined: it ends once it has scheduled the
  // resume, which holds the task from then on.
  GThread* thread = g_thread_try_new(nullptr, worker_detail::run, steps, error);
  if (!thread) {
    worker_detail::release(steps);
    return false;
  }
  g_thread_unref(thread);
  return true;
}

}  // namespace tarvex
