// Shared pieces of the three formatters.
//
// Not installed, not part of the API.
#pragma once

#include <string>

#include "brevane/helpers/date_time_helper.h"
#include "brevane/log/default_formatter.h"
#include "brevane/log/log-private.h"

namespace tarvex::brevane::log {

// Left-aligns in a column of at least `width` bytes (printf's "%-Ns").
std::string pad(const std::string& text, size_t width);
// The level name through the class's virtual get_level_name.
std::string level_name(TarvexBrevaneSupportsLogDefaultFormatter* self, Level level);
// The time of a line: now in `format`, a dot and the millisecond.
inline std::string now_with_millis(const char* format) {
  GUniqueStr now(tarvex_brevane_helpers_date_time_helper_datetime_as_string_ms(format, "%03lli"));
  return now ? now.get() : "";
}

}  // namespace tarvex::brevane::log
