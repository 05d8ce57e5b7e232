// The progress record of long operations.
#include <glib-object.h>

#include "brevane/contracts/thread_progress.h"
#include "tests/support/log-capture.h"

namespace {

class ThreadProgressTest : public tarvex::test::LogCaptureTest {};

TEST_F(ThreadProgressTest, NewRecordAndSteps) {
  auto* p = tarvex_brevane_contracts_thread_progress_new();
  EXPECT_STREQ(g_type_name(G_TYPE_FROM_INSTANCE(p)), "TarvexBrevaneContractsThreadProgress");
  EXPECT_EQ(p->processed, 0);
  EXPECT_EQ(p->succeeded, 0);
  EXPECT_EQ(p->failed, 0);
  EXPECT_EQ(p->elapsed, 0);
  ASSERT_NE(p->messages, nullptr);
  EXPECT_EQ(g_queue_get_length(p->messages), 0u);
  EXPECT_FALSE(p->finished);

  for (bool ok : {true, true, false}) {
    p->processed++;
    (ok ? p->succeeded : p->failed)++;
    g_queue_push_tail(p->messages, g_strdup(ok ? "step: ok" : "step: failed"));
  }
  EXPECT_EQ(p->processed, 3);
  EXPECT_EQ(p->succeeded, 2);
  EXPECT_EQ(p->failed, 1);
  EXPECT_EQ(g_queue_get_length(p->messages), 3u);
  gchar* head = static_cast<gchar*>(g_queue_pop_head(p->messages));
  EXPECT_STREQ(head, "step: ok");
  g_free(head);

  // Held by a generic value, the record outlives the caller's reference;
  // the last release frees the queue and its lines.
  GValue value = G_VALUE_INIT;
  g_value_init(&value, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS);
  tarvex_brevane_contracts_value_set_thread_progress(&value, p);
  EXPECT_EQ(p->ref_count, 2);
  tarvex_brevane_contracts_thread_progress_unref(p);
  EXPECT_EQ(tarvex_brevane_contracts_value_get_thread_progress(&value), p);
  EXPECT_EQ(g_queue_get_length(p->messages), 2u);
  g_value_unset(&value);
}

TEST_F(ThreadProgressTest, PropertyDescriptionAndValueChecks) {
  GParamSpec* spec = tarvex_brevane_contracts_param_spec_thread_progress(
      "progress", "progress", "progress", TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS,
      G_PARAM_READWRITE);
  ASSERT_NE(spec, nullptr);
  EXPECT_EQ(G_PARAM_SPEC_VALUE_TYPE(spec), TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS);
  g_param_spec_unref(g_param_spec_ref_sink(spec));
  EXPECT_CRITICAL(tarvex_brevane_contracts_param_spec_thread_progress("p", "p", "p", G_TYPE_STRING,
                                                                      G_PARAM_READWRITE),
                  "g_type_is_a (object_type, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS)");

  GValue wrong = G_VALUE_INIT;
  g_value_init(&wrong, G_TYPE_STRING);
  auto* p = tarvex_brevane_contracts_thread_progress_new();
  EXPECT_CRITICAL(tarvex_brevane_contracts_value_take_thread_progress(&wrong, p),
                  "G_TYPE_CHECK_VALUE_TYPE (value, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS)");
  g_value_unset(&wrong);

  // Collecting through varargs and copying out use the value table.
  GValue value = G_VALUE_INIT;
  g_value_init(&value, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS);
  tarvex_brevane_contracts_value_take_thread_progress(&value, p);
  GValue copy = G_VALUE_INIT;
  g_value_init(&copy, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS);
  g_value_copy(&value, &copy);
  EXPECT_EQ(p->ref_count, 2);
  EXPECT_EQ(g_value_peek_pointer(&copy), p);
  g_value_unset(&copy);
  g_value_unset(&value);
}

}  // namespace
