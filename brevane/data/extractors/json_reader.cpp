// The JSON document reading of the JSON extractor: number texts, text
// faults and the UTF-8 and escape helpers of the record reader.
#include <charconv>
#include <cmath>

#include "brevane/data/extractors/json-reader-private.h"

namespace tarvex::data::json {

GQuark json_quark() {
  return g_quark_from_static_string("JSON");
}

// The shortest text that reads back to the same double, in "%g" form: the
// fewest significant digits come from the shortest exponent form.
std::string double_text(gdouble d) {
  char shortest[64];
  auto result =
      std::to_chars(shortest, shortest + sizeof shortest, d, std::chars_format::scientific);
  int digits = 0;
  for (const char* p = shortest; p < result.ptr && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') ++digits;
  char format[8];
  g_snprintf(format, sizeof format, "%%.%dg", std::clamp(digits, 1, 17));
  char buffer[G_ASCII_DTOSTR_BUF_SIZE];
  g_ascii_formatd(buffer, sizeof buffer, format, d);
  return buffer;
}

namespace {

// The digits of a double rounded to `precision` significant ones (as
// printf rounds them), without trailing zeros, and the power of ten of the
// first; the sign is the double's.
struct Rounded {
  char digits[24];
  int n = 0;
  int exponent = 0;
  bool negative = false;
};
Rounded round_to(gdouble d, int precision) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::scientific,
                              precision - 1);
  Rounded r;
  const char* p = buffer;
  r.negative = *p == '-';
  if (r.negative) ++p;
  for (; p < result.ptr && *p != 'e'; ++p)
    if (*p != '.') r.digits[r.n++] = *p;
  std::from_chars(p + 1 + (p[1] == '+'), result.ptr, r.exponent);
  while (r.n > 1 && r.digits[r.n - 1] == '0') --r.n;
  return r;
}

// A double as printf's "%.<precision>g" writes it.
void g_format(gdouble d, int precision, std::string& out) {
  Rounded r = round_to(d, precision);
  out.clear();
  if (r.negative) out += '-';
  if (r.exponent < -4 || r.exponent >= precision) {
    out += r.digits[0];
    if (r.n > 1) {
      out += '.';
      out.append(r.digits + 1, size_t(r.n - 1));
    }
    out += r.exponent < 0 ? "e-" : "e+";
    int magnitude = std::abs(r.exponent);
    if (magnitude < 10) out += '0';
    char e[8];
    out.append(e, size_t(std::to_chars(e, e + sizeof e, magnitude).ptr - e));
  } else if (r.exponent < 0) {
    out += "0.";
    out.append(size_t(-r.exponent - 1), '0');
    out.append(r.digits, size_t(r.n));
  } else {
    int whole = r.exponent + 1;
    out.append(r.digits, size_t(std::min(r.n, whole)));
    if (r.n < whole) out.append(size_t(whole - r.n), '0');
    if (r.n > whole) {
      out += '.';
      out.append(r.digits + whole, size_t(r.n - whole));
    }
  }
}

// number_text() of a token with a point or an exponent, the common way:
// the number's significant digits read once, the double rounded to as
// many and compared. False leaves it to the general way (exponents far
// out, numbers beyond the normal doubles).
bool fraction_text(std::string_view token, std::string& out) {
  char digits[24];
  int n = 0;        // significant digits kept in `digits`
  long count = 0;   // digits of the mantissa
  long whole = 0;   // of them before the point
  long first = -1;  // index of the first not zero
  long last = -1;   // and of the last
  bool fraction = false;
  size_t i = token[0] == '-' ? 1 : 0;
  for (; i < token.size(); ++i) {
    char c = token[i];
    if (c == '.') {
      fraction = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    if (!fraction) ++whole;
    if (c != '0') {
      if (first < 0) first = count;
      last = count;
    }
    if (first >= 0 && n < 18) digits[n++] = c;
    ++count;
  }
  long power = 0;
  if (i < token.size()) {
    size_t at = i + 1;
    if (at < token.size() && token[at] == '+') ++at;
    int e = 0;
    auto result = std::from_chars(token.data() + at, token.data() + token.size(), e);
    if (result.ec != std::errc() || e > 400 || e < -400) return false;
    power = e;
  }
  if (first < 0) {
    // Zero, as json-glib's double of it prints.
    out = token[0] == '-' ? "-0" : "0";
    return true;
  }
  long significant = last - first + 1;
  if (significant > 17) {
    // More digits than a double keeps.
    out.assign(token);
    return true;
  }
  gdouble d = 0;
  auto parsed = std::from_chars(token.data(), token.data() + token.size(), d);
  if (parsed.ec != std::errc() || parsed.ptr != token.data() + token.size() ||
      std::fpclassify(d) != FP_NORMAL)
    return false;
  Rounded r = round_to(d, int(significant));
  long exponent = whole - 1 - first + power;
  if (r.n != significant || r.exponent != exponent ||
      std::memcmp(r.digits, digits, size_t(significant)) != 0) {
    out.assign(token);
    return true;
  }
  // Held exactly: json-glib's double, in the fewest digits that give it
  // back.
  char shortest[64];
  auto result =
      std::to_chars(shortest, shortest + sizeof shortest, d, std::chars_format::scientific);
  int precision = 0;
  for (const char* p = shortest; p < result.ptr && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') ++precision;
  g_format(d, std::clamp(precision, 1, 17), out);
  return true;
}

}  // namespace

void number_text(std::string_view token, std::string& out) {
  if (token.find_first_of(".eE") == std::string_view::npos) {
    gint64 n = 0;
    auto result = std::from_chars(token.data(), token.data() + token.size(), n);
    if (result.ec == std::errc() && result.ptr == token.data() + token.size()) {
      char digits[24];
      out.assign(digits, size_t(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
    } else {
      out.assign(token);
    }
    return;
  }
  if (fraction_text(token, out)) return;
  if (Parser::exact(token)) {
    std::string copy(token);
    out = double_text(g_ascii_strtod(copy.c_str(), nullptr));
  } else {
    out.assign(token);
  }
}

// The error of a text that cannot be a text value.
void fault_error(Fault fault, guint record, const char* name, GError** error) {
  switch (fault) {
    case Fault::zero:
      g_set_error(error, json_quark(), -1,
                  _("invalid json format: record %u, field %s: the text holds U+0000, which a "
                    "text value cannot carry."),
                  record, name);
      break;
    case Fault::utf8:
      g_set_error(error, json_quark(), -1,
                  _("invalid json format: record %u, field %s: the text is not valid UTF-8."),
                  record, name);
      break;
    case Fault::escape:
      g_set_error(error, json_quark(), -1,
                  _("invalid json format: record %u, field %s: the text holds an invalid escape."),
                  record, name);
      break;
    case Fault::surrogate:
      g_set_error(error, json_quark(), -1,
                  _("invalid json format: record %u, field %s: the text holds half of a "
                    "surrogate pair."),
                  record, name);
      break;
    case Fault::none:
      break;
  }
}

// The length of the UTF-8 sequence at `p` when it is one, 0 when it is
// not, -1 when the bytes up to `end` begin one.
int utf8_sequence(const char* p, const char* end) {
  guchar c = guchar(*p);
  int n;
  guchar low = 0x80, high = 0xBF;  // of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;  // up to U+10FFFF
  } else {
    return 0;
  }
  for (int i = 1; i < n; ++i) {
    if (p + i >= end) return -1;
    guchar b = guchar(p[i]);
    if (i == 1 ? (b < low || b > high) : (b < 0x80 || b > 0xBF)) return 0;
  }
  return n;
}

void append_utf8(std::string& out, gunichar c) {
  char bytes[6];
  out.append(bytes, size_t(g_unichar_to_utf8(c, bytes)));
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of the four hexadecimal digits at `p`, or -1.
long hex4(const char* p) {
  long value = 0;
  for (int i = 0; i < 4; ++i) {
    int v = hex_value(p[i]);
    if (v < 0) return -1;
    value = value * 16 + v;
  }
  return value;
}

// Whether the bytes at `p` up to `end` begin a "\uXXXX" escape.
bool could_be_escape(const char* p, const char* end) {
  static constexpr std::string_view kStart = "\\u";
  for (size_t i = 0; p + i < end && i < 6; ++i)
    if (i < 2 ? p[i] != kStart[i] : hex_value(p[i]) < 0) return false;
  return true;
}

}  // namespace tarvex::data::json
