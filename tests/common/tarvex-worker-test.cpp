// The worker idiom of the asynchronous operations: the blocking step on a
// thread of its own, the finishing step and the caller's callback on the
// main context the task was made on, at the task's priority, with the task
// kept alive until it completed.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "common/tarvex-worker-private.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueError;
using tarvex::run_on_worker;

namespace {

// What one task saw, in the order it happened.
struct Trace {
  std::atomic<GThread*> work_thread{nullptr};
  std::atomic<bool> worked{false};
  GThread* done_thread = nullptr;
  GThread* callback_thread = nullptr;
  gint64 value = 0;
  std::vector<std::string> order;
};

Trace* trace_of(GTask* task) {
  return static_cast<Trace*>(g_task_get_task_data(task));
}

void work(GTask* task) {
  auto* trace = trace_of(task);
  trace->work_thread = g_thread_self();
  trace->worked = true;
}

void done(GTask* task) {
  auto* trace = trace_of(task);
  trace->done_thread = g_thread_self();
  trace->order.push_back("done");
  g_task_return_int(task, 42);
}

void callback(GObject*, GAsyncResult* result, gpointer data) {
  auto* trace = static_cast<Trace*>(data);
  trace->callback_thread = g_thread_self();
  trace->order.push_back("callback");
  trace->value = g_task_propagate_int(G_TASK(result), nullptr);
}

GTask* new_task(Trace* trace, int priority = G_PRIORITY_DEFAULT) {
  GTask* task = g_task_new(nullptr, nullptr, callback, trace);
  g_task_set_task_data(task, trace, nullptr);
  g_task_set_priority(task, priority);
  return task;
}

// Waits (without turning any loop) until the worker has run.
bool wait_for_work(const Trace& trace) {
  const gint64 end = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
  while (!trace.worked && g_get_monotonic_time() < end) g_usleep(1000);
  return trace.worked;
}

// Turns `context` until `finished` or ten seconds passed.
template <typename Finished>
bool turn_until(GMainContext* context, Finished finished) {
  const gint64 end = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
  while (!finished() && g_get_monotonic_time() < end) g_main_context_iteration(context, FALSE);
  return finished();
}

TEST(Worker, WorkRunsOffTheCallersThreadTheRestOnIt) {
  Trace trace;
  auto task = adoptGRef(new_task(&trace));
  GUniqueError error;
  ASSERT_TRUE(run_on_worker(task.get(), work, done, "[test] resume", error.out()));
  ASSERT_TRUE(wait_for_work(trace));
  // Nothing completes before the caller's loop turns.
  EXPECT_TRUE(trace.order.empty());
  ASSERT_TRUE(turn_until(nullptr, [&] { return trace.callback_thread != nullptr; }));
  EXPECT_NE(trace.work_thread.load(), g_thread_self());
  EXPECT_EQ(trace.done_thread, g_thread_self());
  EXPECT_EQ(trace.callback_thread, g_thread_self());
  EXPECT_EQ(trace.order, (std::vector<std::string>{"done", "callback"}));
  EXPECT_EQ(trace.value, 42);
}

TEST(Worker, EachCallHasAThreadOfItsOwn) {
  // Three calls whose work waits for the others: on a pool of one thread
  // they would never end.
  static std::atomic<int> arrived;
  arrived = 0;
  auto meet = [](GTask* task) {
    ++arrived;
    const gint64 end = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
    while (arrived < 3 && g_get_monotonic_time() < end) g_usleep(1000);
    work(task);
  };
  Trace traces[3];
  for (Trace& trace : traces) {
    auto task = adoptGRef(new_task(&trace));
    ASSERT_TRUE(run_on_worker(task.get(), meet, done, "[test] resume", nullptr));
  }
  ASSERT_TRUE(turn_until(nullptr, [&] {
    for (const Trace& trace : traces)
      if (!trace.callback_thread) return false;
    return true;
  }));
  EXPECT_EQ(arrived.load(), 3);
  EXPECT_NE(traces[0].work_thread.load(), traces[1].work_thread.load());
  EXPECT_NE(traces[1].work_thread.load(), traces[2].work_thread.load());
  EXPECT_NE(traces[0].work_thread.load(), traces[2].work_thread.load());
}

TEST(Worker, CompletesOnTheContextTheTaskWasMadeOn) {
  GMainContext* own = g_main_context_new();
  Trace trace;
  g_main_context_push_thread_default(own);
  auto task = adoptGRef(new_task(&trace));
  g_main_context_pop_thread_default(own);
  ASSERT_TRUE(run_on_worker(task.get(), work, done, "[test] resume", nullptr));
  ASSERT_TRUE(wait_for_work(trace));
  // The global default context does not carry it.
  for (int i = 0; i < 20; ++i) g_main_context_iteration(nullptr, FALSE);
  EXPECT_TRUE(trace.order.empty());
  ASSERT_TRUE(turn_until(own, [&] { return trace.callback_thread != nullptr; }));
  EXPECT_EQ(trace.order, (std::vector<std::string>{"done", "callback"}));
  task.reset();
  g_main_context_unref(own);
}

// The resume waits behind a source of higher priority that is ready at the
// same time, and goes ahead of one of lower priority: one row a priority.
TEST(Worker, TheResumeHasTheTasksPriority) {
  struct Row {
    int task_priority;
    int other_priority;
    std::vector<std::string> order;
  };
  const Row rows[] = {
      {G_PRIORITY_DEFAULT_IDLE, G_PRIORITY_DEFAULT, {"other", "done", "callback"}},
      {G_PRIORITY_DEFAULT_IDLE, G_PRIORITY_DEFAULT_IDLE + 1, {"done", "callback", "other"}},
      {G_PRIORITY_DEFAULT, G_PRIORITY_DEFAULT - 1, {"other", "done", "callback"}},
      {G_PRIORITY_DEFAULT, G_PRIORITY_DEFAULT_IDLE, {"done", "callback", "other"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.task_priority);
    SCOPED_TRACE(row.other_priority);
    Trace trace;
    auto task = adoptGRef(new_task(&trace, row.task_priority));
    ASSERT_TRUE(run_on_worker(task.get(), work, done, "[test] resume", nullptr));
    ASSERT_TRUE(wait_for_work(trace));
    // The worker attaches the resume right after its work.
    const gint64 end = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
    while (!g_main_context_pending(nullptr) && g_get_monotonic_time() < end) g_usleep(1000);
    GSource* other = g_idle_source_new();
    g_source_set_priority(other, row.other_priority);
    g_source_set_callback(
        other,
        [](gpointer data) -> gboolean {
          static_cast<Trace*>(data)->order.push_back("other");
          return G_SOURCE_REMOVE;
        },
        &trace, nullptr);
    g_source_attach(other, nullptr);
    g_source_unref(other);
    ASSERT_TRUE(turn_until(nullptr, [&] { return trace.order.size() == 3; }));
    EXPECT_EQ(trace.order, row.order);
  }
}

TEST(Worker, TheTaskLivesUntilItCompleted) {
  Trace trace;
  GTask* task = new_task(&trace);
  gpointer watch = task;
  g_object_add_weak_pointer(G_OBJECT(task), &watch);
  ASSERT_TRUE(run_on_worker(task, work, done, "[test] resume", nullptr));
  // The caller lets go at once.
  g_object_unref(task);
  EXPECT_NE(watch, nullptr);
  ASSERT_TRUE(turn_until(nullptr, [&] { return trace.callback_thread != nullptr; }));
  // Then the resume lets go too.
  ASSERT_TRUE(turn_until(nullptr, [&] { return watch == nullptr; }));
}

}  // namespace
