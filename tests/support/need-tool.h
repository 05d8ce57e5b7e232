// Checks that need a tool from outside the project (sshd, python3 and its
// html5lib, cmark-gfm, xmllint, the T-SQL parser's Node packages). Run by
// hand, a test whose tool is missing skips; under the README's test command
// (tools/setup.sh test, which sets TARVEX_REQUIRE_TOOLS=1) it fails and
// names the tool, so a failed install never hides behind a green run.
#pragma once

#include <glib.h>
#include <gtest/gtest.h>

#include <cstring>

namespace tarvex::test {

// True when a missing tool is a failure rather than a skip.
inline bool tools_required() {
  const char* value = g_getenv("TARVEX_REQUIRE_TOOLS");
  return value && *value && std::strcmp(value, "0") != 0;
}

}  // namespace tarvex::test

// Skips or fails the test when `available` is false. A macro, so that the
// skip or failure returns from the test body (or SetUp) itself, not from a
// helper that the test would then carry on after.
#define TARVEX_NEED_TOOL(available, tool)                                             \
  do {                                                                                \
    if (!(available)) {                                                               \
      if (::tarvex::test::tools_required())                                           \
        GTEST_FAIL() << "missing tool: " << tool << " (TARVEX_REQUIRE_TOOLS is set)"; \
      else                                                                            \
        GTEST_SKIP() << "missing tool: " << tool;                                     \
    }                                                                                 \
  } while (0)
