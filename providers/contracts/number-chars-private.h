// Internal: the texts of numbers as values print them, written into a
// caller's buffer without allocating (exports write millions of cells).
// Each text has a quick path for the common numbers and the general code
// beside it, which the quick path falls back to and which the tests
// compare it with. Not installed.
#pragma once

#include <glib.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace tarvex::values {

// Floating numbers: the fewest digits that read back to the same number.
// Plain notation for the money and decimal kinds (SQL Server reads no
// exponent in a decimal text); for float and double plain notation between
// 1e-4 and 1e16 and the exponent form outside, like most languages print.
enum class Notation { kPlain, kGeneral };

namespace number_chars {

// "00" to "99": two digits at a time.
inline constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of `n` to end at `end`; returns their start.
inline char* digits_before(char* end, guint64 n) {
  while (n >= 100) {
    guint64 pair = n % 100;
    n /= 100;
    end -= 2;
    std::memcpy(end, kPairs + 2 * pair, 2);
  }
  if (n >= 10) {
    end -= 2;
    std::memcpy(end, kPairs + 2 * n, 2);
  } else {
    *--end = char('0' + n);
  }
  return end;
}

// The powers of ten a double holds exactly, up to what the quick path uses.
inline constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                     1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                     1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20};

}  // namespace number_chars

// The general code: writes the text into `out` (`size` bytes; 400 hold
// every form) and returns its length, or 0 when it does not fit.
template <typename Floating>
inline size_t floating_chars_general(Floating n, Notation notation, char* out, size_t size) {
  static_assert(std::is_floating_point_v<Floating>);
  // The shortest digits come from the exponent form; the plain form is laid
  // out from them, so 1e38 prints as a 1 and zeros, not as the 38 exact
  // digits of the nearest double.
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n, std::chars_format::scientific);
  if (ec != std::errc()) return 0;
  std::string_view sci(buffer, end - buffer);
  size_t e = sci.find('e');
  auto copy = [&](std::string_view text) -> size_t {
    if (text.size() > size) return 0;
    std::memcpy(out, text.data(), text.size());
    return text.size();
  };
  if (e == std::string_view::npos) return copy(sci);  // inf, nan
  std::string_view exp_text = sci.substr(e + 1);
  if (!exp_text.empty() && exp_text.front() == '+') exp_text.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
  if (notation == Notation::kGeneral && (exponent < -4 || exponent >= 16)) return copy(sci);

  std::string_view mantissa = sci.substr(0, e);
  bool negative = !mantissa.empty() && mantissa.front() == '-';
  if (negative) mantissa.remove_prefix(1);
  char digits[32];
  size_t count = 0;
  for (char c : mantissa)
    if (c != '.' && count < sizeof digits) digits[count++] = c;
  size_t exp = size_t(exponent < 0 ? -exponent : exponent);
  // Sign, "0.", zeros and digits, or digits, zeros and the point.
  if (3 + exp + count + 1 > size) return 0;
  size_t at = 0;
  if (negative) out[at++] = '-';
  auto put = [&](const char* from, size_t length) {
    std::memcpy(out + at, from, length);
    at += length;
  };
  if (count == 1 && digits[0] == '0') {
    out[at++] = '0';
  } else if (exponent < 0) {
    put("0.", 2);
    std::memset(out + at, '0', exp - 1);
    at += exp - 1;
    put(digits, count);
  } else if (count <= exp + 1) {
    put(digits, count);
    std::memset(out + at, '0', exp + 1 - count);
    at += exp + 1 - count;
  } else {
    put(digits, exp + 1);
    out[at++] = '.';
    put(digits + exp + 1, count - exp - 1);
  }
  return at;
}

// The quick path of a double: zero, and a number between 1e-4 and 1e15
// that a decimal of at most 15 significant digits reads as (integers, and
// numbers of few decimals such as 12345.5, 0.25 or 3.14). Any two such
// decimals read as different doubles, so the one found is the shortest
// text; its digits are laid out as floating_chars_general lays them.
// Returns 0 for any other number.
inline size_t double_chars_quick(double n, char* out, size_t size) {
  using number_chars::kPowers;
  if (size < 32) return 0;
  bool negative = std::signbit(n);
  double a = negative ? -n : n;
  if (a == 0) {
    size_t at = 0;
    if (negative) out[at++] = '-';
    out[at++] = '0';
    return at;
  }
  if (!(a >= 1e-4 && a < 1e15)) return 0;
  // Below the power of ten of `a`, or one less (from its binary exponent).
  guint64 bits;
  std::memcpy(&bits, &a, sizeof bits);
  int binary = int((bits >> 52) & 0x7ff) - 1023;
  int decimal = (binary * 78913) >> 18;  // floor(binary * log10(2))
  // Scaled to 15 digits: the digits of a decimal of up to 15 that `a` is
  // the nearest double of (the two roundings stay well within a half).
  int scale = 14 - decimal;
  double scaled = a * kPowers[scale];
  if (scaled >= 1e15) scaled = a * kPowers[--scale];
  guint64 m = guint64(scaled + 0.5);
  // m and 10^scale are exact, so the quotient is the nearest double of
  // m / 10^scale: that decimal reads as `a`, or this path does not apply.
  if (double(m) / kPowers[scale] != a) return 0;
  // The fewest digits: without the zeros after the point.
  if (scale >= 8 && m % 100000000 == 0) m /= 100000000, scale -= 8;
  if (scale >= 4 && m % 10000 == 0) m /= 10000, scale -= 4;
  if (scale >= 2 && m % 100 == 0) m /= 100, scale -= 2;
  if (scale >= 1 && m % 10 == 0) m /= 10, scale -= 1;
  char digits[24];
  char* end = digits + sizeof digits;
  char* start = number_chars::digits_before(end, m);
  int count = int(end - start);
  size_t at = 0;
  if (negative) out[at++] = '-';
  if (scale == 0) {
    std::memcpy(out + at, start, size_t(count));
    return at + size_t(count);
  }
  if (count > scale) {
    int whole = count - scale;
    std::memcpy(out + at, start, size_t(whole));
    at += size_t(whole);
    out[at++] = '.';
    std::memcpy(out + at, start + whole, size_t(scale));
    return at + size_t(scale);
  }
  // "0.", the zeros after the point and the digits (at least 1e-4 here).
  out[at++] = '0';
  out[at++] = '.';
  std::memset(out + at, '0', size_t(scale - count));
  at += size_t(scale - count);
  std::memcpy(out + at, start, size_t(count));
  return at + size_t(count);
}

// Writes the text into `out` (`size` bytes; 400 hold every form) and
// returns its length, or 0 when it does not fit.
template <typename Floating>
inline size_t floating_chars(Floating n, Notation notation, char* out, size_t size) {
  if constexpr (std::is_same_v<Floating, double>) {
    if (size_t length = double_chars_quick(n, out, size)) return length;
  }
  return floating_chars_general(n, notation, out, size);
}

// The text of magnitude / 10^scale with exactly `scale` decimals, as a
// server writes a decimal or money ("-0.0001", "12.3456", "0.5000"), into
// `out` (kScaledChars bytes), returning its length. The general code:
constexpr size_t kScaledChars = 52;
inline size_t scaled_chars_general(bool negative, unsigned __int128 magnitude, int scale,
                                   char* out) {
  char digits[48];
  int n = 0;
  // 128-bit division is slow; most values fit 64 bits.
  while (magnitude > G_MAXUINT64 && n < int(sizeof digits)) {
    digits[n++] = char('0' + int(magnitude % 10));
    magnitude /= 10;
  }
  guint64 small = guint64(magnitude);
  do {
    digits[n++] = char('0' + int(small % 10));
    small /= 10;
  } while (small != 0 && n < int(sizeof digits));
  bool zero = n == 1 && digits[0] == '0';
  while (n < scale + 1 && n < int(sizeof digits)) digits[n++] = '0';
  size_t at = 0;
  if (negative && !zero) out[at++] = '-';
  for (int k = n - 1; k >= 0; k--) {
    out[at++] = digits[k];
    if (k == scale && scale > 0) out[at++] = '.';
  }
  return at;
}

// The same, quick for a magnitude of 64 bits and a scale up to 38.
inline size_t scaled_chars(bool negative, unsigned __int128 magnitude, int scale, char* out) {
  if (magnitude > G_MAXUINT64 || scale < 0 || scale > 38)
    return scaled_chars_general(negative, magnitude, scale, out);
  char digits[48];
  char* end = digits + sizeof digits;
  guint64 small = guint64(magnitude);
  char* start = number_chars::digits_before(end, small);
  // At least one digit before the point.
  char* first = end - (scale + 1);
  if (start > first) {
    std::memset(first, '0', size_t(start - first));
    start = first;
  }
  size_t at = 0;
  if (negative && small != 0) out[at++] = '-';
  size_t whole = size_t(end - start) - size_t(scale);
  std::memcpy(out + at, start, whole);
  at += whole;
  if (scale == 0) return at;
  out[at++] = '.';
  std::memcpy(out + at, start + whole, size_t(scale));
  return at + size_t(scale);
}

inline size_t scaled_chars(gint64 unscaled, int scale, char* out) {
  bool negative = unscaled < 0;
  guint64 magnitude = negative ? 0 - guint64(unscaled) : guint64(unscaled);
  return scaled_chars(negative, magnitude, scale, out);
}

}  // namespace tarvex::values
