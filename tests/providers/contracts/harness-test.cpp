// Checks the shared log-capture fixture itself.
#include <glib.h>

#include "tests/support/log-capture.h"

namespace {

class HarnessTest : public tarvex::test::LogCaptureTest {};

static int guarded(const char* self) {
  g_return_val_if_fail(self != NULL, -1);
  return 1;
}

TEST_F(HarnessTest, PreconditionIsCapturedAsCritical) {
  int r = 0;
  EXPECT_CRITICAL(r = guarded(nullptr), "self != NULL");
  EXPECT_EQ(r, -1);
  EXPECT_EQ(guarded("x"), 1);
}

TEST_F(HarnessTest, QuietMessagesAreNotFailures) {
  g_debug("debug line");
  g_message("message line");
  tarvex::test::drop_quiet_logs();
  EXPECT_TRUE(tarvex::test::captured_logs().empty());
}

}  // namespace
