// The wall clock behind every time stamp of the library (log lines, helper
// texts). Tests replace it to get exact lines for a fixed time.
//
// Not installed, not part of the API.
#pragma once

#include <glib.h>

#include <string>

#include "common/tarvex-export.h"

G_BEGIN_DECLS
// Replaces the wall clock (microseconds since the epoch); NULL restores it.
TARVEX_EXPORT void tarvex_brevane_testing_set_clock(gint64 (*clock)(void));
G_END_DECLS

#ifdef __cplusplus
namespace tarvex::brevane::clock {

// Microseconds since the epoch.
gint64 real_time();
// Now in the local time zone, formatted with GLib's date-time codes.
std::string format_now(const char* format);
// The millisecond within the second, from a second reading of the clock.
gint64 millis();

}  // namespace tarvex::brevane::clock
#endif
