// What the benchmarks share: wall time, resident memory read from
// /proc/self/status, resetting its peak, and stopping on an error.
#pragma once

#include <glib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tarvex::bench {

using Clock = std::chrono::steady_clock;

inline double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A memory line of /proc/self/status ("VmRSS:", "VmHWM:") in MB, or -1.
inline long status_mb(const char* field) {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0) kb = std::atol(line + n);
  std::fclose(f);
  return kb < 0 ? -1 : kb / 1024;
}

// Starts the peak resident size ("VmHWM") again from the current size.
inline void reset_peak() {
  if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", f);
    std::fclose(f);
  }
}

inline void check(GError* error, const char* what) {
  if (!error) return;
  std::fprintf(stderr, "%s: %s\n", what, error->message);
  std::exit(1);
}

}  // namespace tarvex::bench
