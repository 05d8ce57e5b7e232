// Internal constructors of values that keep what a server sent exactly
// (not installed, not exported): decimals and money from their digits, and
// date-times that print the offset they were stored with.
#pragma once

#include <array>
#include <cstring>
#include <string>

#include "providers/contracts/number-chars-private.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_numeric.h"

namespace tarvex::values {

// The text of `unscaled` / 10^scale with exactly `scale` decimals, as a
// server writes a decimal or money ("-0.0001", "12.3456", "0.5000"); the
// same into a buffer is scaled_chars of number-chars-private.h.
std::string scaled_text(bool negative, unsigned __int128 magnitude, int scale);
inline std::string scaled_text(gint64 unscaled, int scale) {
  bool negative = unscaled < 0;
  unsigned __int128 magnitude =
      negative ? (unsigned __int128)(-(__int128)unscaled) : (unsigned __int128)unscaled;
  return scaled_text(negative, magnitude, scale);
}

// Values that print `text` (a plain decimal number, not checked) and give
// its nearest double.
TarvexProvidersContractsValueDecimal* decimal_new_exact(std::string text);
TarvexProvidersContractsValueMoney* money_new_exact(std::string text);

// A date-time that keeps the instant at the zone of `datetime` and prints
// that zone's offset after the time ("2023-12-31 22:10:05 -03:30"), as a
// server writes a datetimeoffset.
TarvexProvidersContractsValueDateTime* date_time_new_with_offset(GDateTime* datetime);

// The date-time of these fields in `zone` with `microsecond` added
// exactly (GLib's seconds as a double can lose the last microsecond); null
// when GLib refuses the fields.
inline GDateTime* date_time_at(GTimeZone* zone, gint year, gint month, gint day, gint hour,
                               gint minute, gint second, gint microsecond) {
  GDateTime* whole = g_date_time_new(zone, year, month, day, hour, minute, second);
  if (!whole || microsecond == 0) return whole;
  GDateTime* exact = g_date_time_add(whole, GTimeSpan(microsecond));
  g_date_time_unref(whole);
  return exact;
}

// The text of a uniqueidentifier's 16 bytes as SQL Server writes it (its
// first three groups are stored little-endian), into `out` (37 bytes).
inline void uuid_text(const guint8* bytes, char* out) {
  // Each byte's two digits from a table.
  static constexpr auto kHex = [] {
    std::array<char, 512> hex{};
    for (int b = 0; b < 256; b++) {
      hex[2 * b] = "0123456789ABCDEF"[b >> 4];
      hex[2 * b + 1] = "0123456789ABCDEF"[b & 15];
    }
    return hex;
  }();
  static constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  static constexpr int kAt[16] = {0, 2, 4, 6, 9, 11, 14, 16, 19, 21, 24, 26, 28, 30, 32, 34};
  for (int k = 0; k < 16; k++) std::memcpy(out + kAt[k], kHex.data() + 2 * bytes[kOrder[k]], 2);
  out[8] = out[13] = out[18] = out[23] = '-';
  out[36] = '\0';
}

}  // namespace tarvex::values
