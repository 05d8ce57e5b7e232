// The wall clock behind every time stamp of the library (log lines, helper
// texts). Tests replace it to get exact lines for a fixed time.
//
// Not installed, not part of the API; the seam is reached only by programs
// that link the library's internal archive (the tests), never through the
// shared library.
#pragma once

#include <glib.h>

#include <string>

namespace tarvex::testing {
// Replaces the wall clock (microseconds since the epoch); nullptr restores it.
void set_clock(gint64 (*clock)(void));
}  // namespace tarvex::testing

namespace tarvex::brevane::clock {

// Microseconds since the epoch.
gint64 real_time();
// Now in the local time zone, formatted with GLib's date-time codes.
std::string format_now(const char* format);
// The millisecond within the second, from a second reading of the clock.
gint64 millis();

}  // namespace tarvex::brevane::clock
