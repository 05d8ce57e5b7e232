// Main of every test program: installs the log capture before any test runs.
#include <gtest/gtest.h>

#include <clocale>

#include "tests/support/log-capture.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  tarvex::test::install_log_capture();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
