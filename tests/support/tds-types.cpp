#include "tests/support/tds-types.h"

#include <glib.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "tests/support/tds-wire.h"

namespace tarvex::test::tds {

namespace {

// SQL_Latin1_General_CP1_CI_AS: code page 1252 for the single-byte types.
constexpr uint8_t kCollation[5] = {0x09, 0x04, 0xD0, 0x00, 0x34};
constexpr int64_t kTicksPerDay = 864000000000LL;
constexpr uint32_t kPlpChunk = 8000;

[[noreturn]] void bad(const std::string& what) {
  throw std::invalid_argument(what);
}

std::string lower_trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && g_ascii_isspace(s[b])) b++;
  while (e > b && g_ascii_isspace(s[e - 1])) e--;
  std::string out;
  for (size_t k = b; k < e; k++)
    if (!g_ascii_isspace(s[k])) out += char(g_ascii_tolower(s[k]));
  return out;
}

bool is_date_kind(SqlType t) {
  return t == SqlType::Date || t == SqlType::Time || t == SqlType::DateTime2 ||
         t == SqlType::DateTimeOffset;
}

bool is_udt(SqlType t) {
  return t == SqlType::Geometry || t == SqlType::Geography;
}

int decimal_bytes(int precision) {
  if (precision <= 9) return 4;
  if (precision <= 19) return 8;
  if (precision <= 28) return 12;
  return 16;
}

int time_bytes(int scale) {
  if (scale <= 2) return 3;
  if (scale <= 4) return 4;
  return 5;
}

int64_t pow10(int n) {
  int64_t v = 1;
  while (n-- > 0) v *= 10;
  return v;
}

// Text length of a 2008 date/time type sent to a client that predates them.
int date_text_length(const TypeSpec& t) {
  int frac = t.scale > 0 ? t.scale + 1 : 0;
  switch (t.type) {
    case SqlType::Date:
      return 10;
    case SqlType::Time:
      return 8 + frac;
    case SqlType::DateTime2:
      return 19 + frac;
    default:
      return 26 + frac;
  }
}

// The type as a client of `version` receives it: older protocols get the
// 2008 date/time types as nvarchar and the max, xml and UDT types as LOBs.
TypeSpec effective(const TypeSpec& t, uint32_t version) {
  TypeSpec e = t;
  if (version < kTds73 && is_date_kind(t.type)) {
    e.type = SqlType::NVarChar;
    e.length = date_text_length(t);
    return e;
  }
  if (version < kTds72) {
    if (t.type == SqlType::VarChar && t.is_max()) e.type = SqlType::Text;
    if (t.type == SqlType::NVarChar && t.is_max()) e.type = SqlType::NText;
    if (t.type == SqlType::VarBinary && t.is_max()) e.type = SqlType::Image;
    if (t.type == SqlType::Xml) e.type = SqlType::NText;
    if (is_udt(t.type)) e.type = SqlType::Image;
  }
  return e;
}

std::string two(unsigned v) {
  char b[8];
  g_snprintf(b, sizeof b, "%02u", v);
  return b;
}

std::string format_time(int64_t ticks, int scale) {
  int64_t secs = ticks / 10000000;
  int64_t frac = ticks % 10000000;
  std::string s = two(unsigned(secs / 3600)) + ":" + two(unsigned(secs / 60 % 60)) + ":" +
                  two(unsigned(secs % 60));
  if (scale > 0) {
    char b[16];
    g_snprintf(b, sizeof b, "%07lld", (long long)frac);
    s += ".";
    s.append(b, size_t(scale));
  }
  return s;
}

std::string format_date(int32_t days) {
  int y;
  unsigned m, d;
  civil_from_days(days, y, m, d);
  char b[32];
  g_snprintf(b, sizeof b, "%04d-%02u-%02u", y, m, d);
  return b;
}

// Text form used for the 2008 types on old protocols (what the server would send).
std::string format_date_kind(const TypeSpec& t, const Value& v) {
  int64_t ticks = v.ticks - v.ticks % pow10(7 - t.scale);
  switch (t.type) {
    case SqlType::Date:
      return format_date(v.days);
    case SqlType::Time:
      return format_time(ticks, t.scale);
    case SqlType::DateTime2:
      return format_date(v.days) + " " + format_time(ticks, t.scale);
    default: {
      int off = v.offset < 0 ? -v.offset : v.offset;
      return format_date(v.days) + " " + format_time(ticks, t.scale) + " " +
             (v.offset < 0 ? "-" : "+") + two(unsigned(off / 60)) + ":" + two(unsigned(off % 60));
    }
  }
}

// Characters of UTF-8 text, U+0000 counted as one (GLib's own count
// stops at a zero byte).
size_t utf8_chars(std::string_view s) {
  size_t n = 0;
  for (const char* p = s.data(); p < s.data() + s.size(); p = g_utf8_next_char(p)) ++n;
  return n;
}

// Valid UTF-8, where a text cell may hold U+0000 like any other character.
bool utf8_valid(std::string_view s) {
  size_t at = 0;
  while (at <= s.size()) {
    size_t zero = s.find('\0', at);
    if (zero == std::string_view::npos) zero = s.size();
    if (!g_utf8_validate_len(s.data() + at, zero - at, nullptr)) return false;
    at = zero + 1;
  }
  return true;
}

size_t utf16_units(std::string_view s) {
  size_t n = 0;
  const char* p = s.data();
  const char* end = p + s.size();
  while (p < end) {
    gunichar c = g_utf8_get_char(p);
    n += c >= 0x10000 ? 2 : 1;
    p = g_utf8_next_char(p);
  }
  return n;
}

// ---------------------------------------------------------------- parsing

bool parse_int(std::string_view s, int64_t& out) {
  std::string t(s);
  if (t.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = g_ascii_strtoll(t.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return false;
  out = v;
  return true;
}

// "-12.3400" into a magnitude scaled by 10^scale; false when malformed or
// when it has more fractional digits than `scale`.
bool parse_scaled(std::string_view s, int scale, unsigned __int128& mag, bool& negative) {
  size_t k = 0;
  negative = false;
  if (k < s.size() && (s[k] == '-' || s[k] == '+')) negative = s[k++] == '-';
  unsigned __int128 m = 0;
  int frac = -1;
  bool digits = false;
  for (; k < s.size(); k++) {
    char c = s[k];
    if (c == '.' && frac < 0) {
      frac = 0;
      continue;
    }
    if (c < '0' || c > '9') return false;
    if (frac >= 0 && ++frac > scale) {
      if (c != '0') return false;
      continue;
    }
    m = m * 10 + unsigned(c - '0');
    digits = true;
    if (m >> 127) return false;
  }
  if (!digits) return false;
  for (int f = frac < 0 ? 0 : frac; f < scale; f++) m *= 10;
  mag = m;
  if (m == 0) negative = false;
  return true;
}

int hexval(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool parse_hex(std::string_view s, std::string& out) {
  if (s.size() % 2) return false;
  out.clear();
  for (size_t k = 0; k < s.size(); k += 2) {
    int a = hexval(s[k]), b = hexval(s[k + 1]);
    if (a < 0 || b < 0) return false;
    out += char(a * 16 + b);
  }
  return true;
}

bool parse_guid(std::string_view s, std::string& out) {
  if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
  if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') return false;
  std::string hex;
  for (char c : s)
    if (c != '-') hex += c;
  std::string raw;
  if (!parse_hex(hex, raw)) return false;
  // Data1, Data2 and Data3 travel little-endian, Data4 as it is.
  out.assign(16, '\0');
  const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int k = 0; k < 16; k++) out[size_t(k)] = raw[size_t(order[k])];
  return true;
}

bool digits_at(std::string_view s, size_t at, size_t n, int& out) {
  if (at + n > s.size()) return false;
  out = 0;
  for (size_t k = at; k < at + n; k++) {
    if (s[k] < '0' || s[k] > '9') return false;
    out = out * 10 + (s[k] - '0');
  }
  return true;
}

// "hh:mm[:ss[.fffffff]]" into 100 ns ticks; returns the characters used.
size_t parse_clock(std::string_view s, int64_t& ticks) {
  int h, mi, se = 0;
  if (!digits_at(s, 0, 2, h) || s.size() < 5 || s[2] != ':' || !digits_at(s, 3, 2, mi)) return 0;
  size_t k = 5;
  int64_t frac = 0;
  if (k < s.size() && s[k] == ':') {
    if (!digits_at(s, k + 1, 2, se)) return 0;
    k += 3;
    if (k < s.size() && s[k] == '.') {
      k++;
      int n = 0;
      while (k < s.size() && s[k] >= '0' && s[k] <= '9') {
        if (n < 7) {
          frac = frac * 10 + (s[k] - '0');
          n++;
        }
        k++;
      }
      if (n == 0) return 0;
      while (n++ < 7) frac *= 10;
    }
  }
  if (h > 23 || mi > 59 || se > 59) return 0;
  ticks = (int64_t(h) * 3600 + mi * 60 + se) * 10000000LL + frac;
  return k;
}

// "YYYY-MM-DD"; returns the characters used.
size_t parse_civil(std::string_view s, int32_t& days) {
  int y, m, d;
  if (!digits_at(s, 0, 4, y) || s.size() < 10 || s[4] != '-' || !digits_at(s, 5, 2, m) ||
      s[7] != '-' || !digits_at(s, 8, 2, d))
    return 0;
  if (m < 1 || m > 12 || d < 1 || d > 31 || y < 1) return 0;
  if (!g_date_valid_dmy(GDateDay(d), GDateMonth(m), GDateYear(y))) return 0;
  days = days_from_civil(y, unsigned(m), unsigned(d));
  return 10;
}

bool parse_datetime(std::string_view s, bool want_offset, Value& v) {
  size_t k = parse_civil(s, v.days);
  if (k == 0) return false;
  v.ticks = 0;
  if (k < s.size() && (s[k] == ' ' || s[k] == 'T')) {
    size_t c = parse_clock(s.substr(k + 1), v.ticks);
    if (c == 0) return false;
    k += 1 + c;
  }
  v.offset = 0;
  if (want_offset) {
    if (k < s.size() && s[k] == ' ') k++;
    if (k < s.size() && s[k] == 'Z') {
      k++;
    } else if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
      int oh, om;
      if (!digits_at(s, k + 1, 2, oh) || k + 3 >= s.size() || s[k + 3] != ':' ||
          !digits_at(s, k + 4, 2, om) || oh > 14 || om > 59)
        return false;
      v.offset = int16_t((s[k] == '-' ? -1 : 1) * (oh * 60 + om));
      k += 6;
    }
  }
  return k == s.size();
}

// SQL Server's serialisation of a point: SRID, version 1, "valid, single point", X, Y.
bool parse_point(std::string_view s, std::string& out) {
  std::string t(s);
  double x, y;
  char tail;
  if (sscanf(t.c_str(), "POINT ( %lf %lf ) %c", &x, &y, &tail) != 2) return false;
  out.assign("\x00\x00\x00\x00\x01\x0C", 6);
  out.append(reinterpret_cast<const char*>(&x), 8);
  out.append(reinterpret_cast<const char*>(&y), 8);
  return true;
}

// ---------------------------------------------------------------- encoding

void put_le(PacketWriter& out, uint64_t v, int n) {
  uint8_t b[8];
  for (int k = 0; k < n; k++) b[k] = uint8_t(v >> (8 * k));
  out.put(b, size_t(n));
}

void put_decimal(PacketWriter& out, const TypeSpec& t, const Value& v) {
  int n = decimal_bytes(t.precision);
  out.u8(v.negative ? 0 : 1);
  unsigned __int128 m = v.mag;
  uint8_t b[16];
  for (int k = 0; k < n; k++) {
    b[k] = uint8_t(m);
    m >>= 8;
  }
  out.put(b, size_t(n));
}

void put_time(PacketWriter& out, int scale, int64_t ticks) {
  put_le(out, uint64_t(ticks / pow10(7 - scale)), time_bytes(scale));
}

void put_money(PacketWriter& out, int64_t v) {
  out.u32(uint32_t(uint64_t(v) >> 32));
  out.u32(uint32_t(v));
}

int32_t days_1900() {
  static const int32_t d = days_from_civil(1900, 1, 1);
  return d;
}

void put_datetime(PacketWriter& out, const Value& v) {
  int64_t t300 = (v.ticks * 3 + 50000) / 100000;
  int32_t days = v.days - days_1900();
  if (t300 >= 25920000) {
    t300 -= 25920000;
    days++;
  }
  out.u32(uint32_t(days));
  out.u32(uint32_t(t300));
}

void put_smalldatetime(PacketWriter& out, const Value& v) {
  int64_t minutes = (v.ticks + 300000000) / 600000000;
  int32_t days = v.days - days_1900();
  if (minutes >= 1440) {
    minutes -= 1440;
    days++;
  }
  out.u16(uint16_t(days));
  out.u16(uint16_t(minutes));
}

// The value of a fixed-size type, without length prefix.
void put_fixed(PacketWriter& out, const TypeSpec& t, const Value& v) {
  switch (t.type) {
    case SqlType::Bit:
      out.u8(v.i ? 1 : 0);
      break;
    case SqlType::TinyInt:
      out.u8(uint8_t(v.i));
      break;
    case SqlType::SmallInt:
      out.u16(uint16_t(v.i));
      break;
    case SqlType::Int:
      out.u32(uint32_t(v.i));
      break;
    case SqlType::BigInt:
      out.u64(uint64_t(v.i));
      break;
    case SqlType::Real: {
      float f = float(v.d);
      uint32_t b;
      std::memcpy(&b, &f, 4);
      out.u32(b);
      break;
    }
    case SqlType::Float: {
      uint64_t b;
      std::memcpy(&b, &v.d, 8);
      out.u64(b);
      break;
    }
    case SqlType::SmallMoney:
      out.u32(uint32_t(v.i));
      break;
    case SqlType::Money:
      put_money(out, v.i);
      break;
    case SqlType::SmallDateTime:
      put_smalldatetime(out, v);
      break;
    case SqlType::DateTime:
      put_datetime(out, v);
      break;
    default:
      break;
  }
}

int fixed_size(SqlType t) {
  switch (t) {
    case SqlType::Bit:
    case SqlType::TinyInt:
      return 1;
    case SqlType::SmallInt:
      return 2;
    case SqlType::Int:
    case SqlType::Real:
    case SqlType::SmallMoney:
    case SqlType::SmallDateTime:
      return 4;
    case SqlType::BigInt:
    case SqlType::Float:
    case SqlType::Money:
    case SqlType::DateTime:
      return 8;
    default:
      return 0;
  }
}

uint8_t fixed_code(SqlType t) {
  switch (t) {
    case SqlType::Bit:
      return 0x32;
    case SqlType::TinyInt:
      return 0x30;
    case SqlType::SmallInt:
      return 0x34;
    case SqlType::Int:
      return 0x38;
    case SqlType::BigInt:
      return 0x7F;
    case SqlType::Real:
      return 0x3B;
    case SqlType::Float:
      return 0x3E;
    case SqlType::SmallMoney:
      return 0x7A;
    case SqlType::Money:
      return 0x3C;
    case SqlType::SmallDateTime:
      return 0x3A;
    case SqlType::DateTime:
      return 0x3D;
    default:
      return 0;
  }
}

// The nullable form of a fixed-size type.
uint8_t nullable_code(SqlType t) {
  switch (t) {
    case SqlType::Bit:
      return 0x68;
    case SqlType::TinyInt:
    case SqlType::SmallInt:
    case SqlType::Int:
    case SqlType::BigInt:
      return 0x26;
    case SqlType::Real:
    case SqlType::Float:
      return 0x6D;
    case SqlType::SmallMoney:
    case SqlType::Money:
      return 0x6E;
    default:
      return 0x6F;
  }
}

bool is_single_byte_text(SqlType t) {
  return t == SqlType::Char || t == SqlType::VarChar || t == SqlType::Text;
}

bool is_wide_text(SqlType t) {
  return t == SqlType::NChar || t == SqlType::NVarChar || t == SqlType::NText || t == SqlType::Xml;
}

// Wire bytes of a character or binary value of effective type `t`.
void encoded_bytes(const TypeSpec& t, const Value& v, std::string& out) {
  out.clear();
  if (is_single_byte_text(t.type))
    append_cp1252(out, v.bytes);
  else if (is_wide_text(t.type))
    append_utf16le(out, v.bytes);
  else
    out = v.bytes;
  // Fixed-length types are padded as the server stores them.
  if (t.type == SqlType::Char && out.size() < size_t(t.length))
    out.append(size_t(t.length) - out.size(), ' ');
  if (t.type == SqlType::Binary && out.size() < size_t(t.length))
    out.append(size_t(t.length) - out.size(), '\0');
  if (t.type == SqlType::NChar)
    while (out.size() < size_t(t.length) * 2) out.append(" \0", 2);
}

void put_plp(PacketWriter& out, const std::string& data) {
  out.u64(data.size());
  for (size_t at = 0; at < data.size(); at += kPlpChunk) {
    size_t n = std::min<size_t>(kPlpChunk, data.size() - at);
    out.u32(uint32_t(n));
    out.put(data.data() + at, n);
  }
  out.u32(0);
}

bool is_plp(const TypeSpec& t) {
  return ((t.type == SqlType::VarChar || t.type == SqlType::NVarChar ||
           t.type == SqlType::VarBinary) &&
          t.is_max()) ||
         t.type == SqlType::Xml || is_udt(t.type);
}

void put_table_name(PacketWriter& out, uint32_t version) {
  if (version >= kTds72) {
    out.u8(1);
    out.us_varchar("t");
  } else {
    out.us_varchar("t");
  }
}

uint8_t code_of(SqlType t) {
  switch (t) {
    case SqlType::Decimal:
      return 0x6A;
    case SqlType::Numeric:
      return 0x6C;
    case SqlType::Char:
      return 0xAF;
    case SqlType::VarChar:
      return 0xA7;
    case SqlType::NChar:
      return 0xEF;
    case SqlType::NVarChar:
      return 0xE7;
    case SqlType::Binary:
      return 0xAD;
    case SqlType::VarBinary:
      return 0xA5;
    case SqlType::Text:
      return 0x23;
    case SqlType::NText:
      return 0x63;
    case SqlType::Image:
      return 0x22;
    case SqlType::UniqueIdentifier:
      return 0x24;
    case SqlType::Date:
      return 0x28;
    case SqlType::Time:
      return 0x29;
    case SqlType::DateTime2:
      return 0x2A;
    case SqlType::DateTimeOffset:
      return 0x2B;
    case SqlType::Xml:
      return 0xF1;
    case SqlType::Variant:
      return 0x62;
    case SqlType::Geometry:
    case SqlType::Geography:
      return 0xF0;
    default:
      return fixed_code(t);
  }
}

// Body of a sql_variant: base type, property bytes, properties, value.
void variant_body(const TypeSpec& t, const Value& v, std::string& body) {
  PacketWriter tmp(0, 0, 1 << 20);
  tmp.begin_message();
  std::string data;
  uint8_t code = code_of(t.type);
  switch (t.type) {
    case SqlType::Decimal:
    case SqlType::Numeric:
      tmp.u8(code);
      tmp.u8(2);
      tmp.u8(uint8_t(t.precision));
      tmp.u8(uint8_t(t.scale));
      put_decimal(tmp, t, v);
      break;
    case SqlType::Char:
    case SqlType::VarChar:
    case SqlType::NChar:
    case SqlType::NVarChar:
      encoded_bytes(t, v, data);
      tmp.u8(code);
      tmp.u8(7);
      tmp.put(kCollation, 5);
      tmp.u16(uint16_t(t.is_max() ? 8000 : (is_wide_text(t.type) ? 2 : 1) * t.length));
      tmp.bytes(data);
      break;
    case SqlType::Binary:
    case SqlType::VarBinary:
      encoded_bytes(t, v, data);
      tmp.u8(code);
      tmp.u8(2);
      tmp.u16(uint16_t(t.is_max() ? 8000 : t.length));
      tmp.bytes(data);
      break;
    case SqlType::UniqueIdentifier:
      tmp.u8(code);
      tmp.u8(0);
      tmp.bytes(v.bytes);
      break;
    case SqlType::Date:
      tmp.u8(code);
      tmp.u8(0);
      put_le(tmp, uint64_t(v.days), 3);
      break;
    case SqlType::Time:
    case SqlType::DateTime2:
    case SqlType::DateTimeOffset: {
      tmp.u8(code);
      tmp.u8(1);
      tmp.u8(uint8_t(t.scale));
      int32_t days = v.days;
      int64_t ticks = v.ticks;
      if (t.type == SqlType::DateTimeOffset) {
        int64_t all = int64_t(days) * kTicksPerDay + ticks - int64_t(v.offset) * 600000000LL;
        days = int32_t(all / kTicksPerDay);
        ticks = all % kTicksPerDay;
      }
      put_time(tmp, t.scale, ticks);
      if (t.type != SqlType::Time) put_le(tmp, uint64_t(days), 3);
      if (t.type == SqlType::DateTimeOffset) tmp.u16(uint16_t(v.offset));
      break;
    }
    default:
      tmp.u8(code);
      tmp.u8(0);
      put_fixed(tmp, t, v);
      break;
  }
  // The single packet holds the body after its 8-byte header.
  tmp.close_partial();
  body.assign(reinterpret_cast<const char*>(tmp.data()) + 8, tmp.ready() - 8);
}

}  // namespace

// ---------------------------------------------------------------- public

std::string tds_version_text(uint32_t version) {
  switch (version) {
    case kTds71:
      return "7.1";
    case kTds72:
      return "7.2";
    case kTds73:
      return "7.3";
    case 0x730A0003:
      return "7.3";
    case kTds74:
      return "7.4";
    default: {
      char b[16];
      g_snprintf(b, sizeof b, "0x%08X", version);
      return b;
    }
  }
}

uint32_t tds_version_from_text(std::string_view text) {
  if (text == "7.1") return kTds71;
  if (text == "7.2") return kTds72;
  if (text == "7.3") return kTds73;
  if (text == "7.4") return kTds74;
  return 0;
}

int32_t days_from_civil(int y, unsigned m, unsigned d) {
  // Days since 0001-01-01 in the proleptic Gregorian calendar.
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return int32_t(era * 146097 + int(doe) - 306);
}

void civil_from_days(int32_t days, int& y, unsigned& m, unsigned& d) {
  int32_t z = days + 306;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = int(yoe) + era * 400 + (m <= 2);
}

void append_utf16le(std::string& out, std::string_view utf8) {
  const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    uint32_t c = *p;
    if (c < 0x80) {
      out += char(c);
      out += '\0';
      p++;
      continue;
    }
    const char* next = g_utf8_next_char(reinterpret_cast<const char*>(p));
    c = g_utf8_get_char_validated(reinterpret_cast<const char*>(p), gssize(end - p));
    if (c >= 0xFFFFFFFE) {
      c = 0xFFFD;
      next = reinterpret_cast<const char*>(p + 1);
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      uint16_t hi = uint16_t(0xD800 + (c >> 10)), lo = uint16_t(0xDC00 + (c & 0x3FF));
      out += char(hi & 0xFF);
      out += char(hi >> 8);
      out += char(lo & 0xFF);
      out += char(lo >> 8);
    } else {
      out += char(c & 0xFF);
      out += char(c >> 8);
    }
    p = reinterpret_cast<const uint8_t*>(next);
  }
}

void append_cp1252(std::string& out, std::string_view utf8) {
  static const uint16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    auto b = uint8_t(*p);
    if (b < 0x80) {
      out += char(b);
      p++;
      continue;
    }
    gunichar c = g_utf8_get_char_validated(p, gssize(end - p));
    if (c >= 0xFFFFFFFE) {
      out += '?';
      p++;
      continue;
    }
    p = g_utf8_next_char(p);
    char mapped = '?';
    if (c >= 0xA0 && c <= 0xFF) {
      mapped = char(c);
    } else {
      for (int k = 0; k < 32; k++)
        if (high[k] != 0 && high[k] == c) mapped = char(0x80 + k);
    }
    out += mapped;
  }
}

std::string TypeSpec::text() const {
  auto len = [&](int n) { return n < 0 ? std::string("max") : std::to_string(n); };
  switch (type) {
    case SqlType::Bit:
      return "bit";
    case SqlType::TinyInt:
      return "tinyint";
    case SqlType::SmallInt:
      return "smallint";
    case SqlType::Int:
      return "int";
    case SqlType::BigInt:
      return "bigint";
    case SqlType::Real:
      return "real";
    case SqlType::Float:
      return "float";
    case SqlType::Decimal:
      return "decimal(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
    case SqlType::Numeric:
      return "numeric(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
    case SqlType::SmallMoney:
      return "smallmoney";
    case SqlType::Money:
      return "money";
    case SqlType::Char:
      return "char(" + len(length) + ")";
    case SqlType::VarChar:
      return "varchar(" + len(length) + ")";
    case SqlType::NChar:
      return "nchar(" + len(length) + ")";
    case SqlType::NVarChar:
      return "nvarchar(" + len(length) + ")";
    case SqlType::Text:
      return "text";
    case SqlType::NText:
      return "ntext";
    case SqlType::Binary:
      return "binary(" + len(length) + ")";
    case SqlType::VarBinary:
      return "varbinary(" + len(length) + ")";
    case SqlType::Image:
      return "image";
    case SqlType::UniqueIdentifier:
      return "uniqueidentifier";
    case SqlType::Date:
      return "date";
    case SqlType::Time:
      return "time(" + std::to_string(scale) + ")";
    case SqlType::SmallDateTime:
      return "smalldatetime";
    case SqlType::DateTime:
      return "datetime";
    case SqlType::DateTime2:
      return "datetime2(" + std::to_string(scale) + ")";
    case SqlType::DateTimeOffset:
      return "datetimeoffset(" + std::to_string(scale) + ")";
    case SqlType::Xml:
      return "xml";
    case SqlType::Variant:
      return "sql_variant";
    case SqlType::Geometry:
      return "geometry";
    case SqlType::Geography:
      return "geography";
  }
  return "?";
}

TypeSpec parse_type(std::string_view text) {
  std::string s = lower_trim(text);
  std::string name = s, args;
  size_t open = s.find('(');
  if (open != std::string::npos) {
    if (s.back() != ')') bad("malformed type \"" + std::string(text) + "\"");
    name = s.substr(0, open);
    args = s.substr(open + 1, s.size() - open - 2);
  }
  std::vector<int> nums;
  bool max = false;
  if (!args.empty()) {
    for (const auto& part : std::vector<std::string>{[&] {
           std::vector<std::string> v;
           size_t b = 0;
           for (size_t k = 0; k <= args.size(); k++)
             if (k == args.size() || args[k] == ',') {
               v.push_back(args.substr(b, k - b));
               b = k + 1;
             }
           return v;
         }()}) {
      if (part == "max") {
        max = true;
        nums.push_back(-1);
        continue;
      }
      int64_t n;
      if (!parse_int(part, n) || n < 0 || n > 8000)
        bad("malformed type \"" + std::string(text) + "\"");
      nums.push_back(int(n));
    }
  }
  auto arg = [&](size_t k, int def) { return k < nums.size() ? nums[k] : def; };
  TypeSpec t;
  struct Simple {
    const char* name;
    SqlType type;
  };
  static const Simple simple[] = {
      {"bit", SqlType::Bit},
      {"tinyint", SqlType::TinyInt},
      {"smallint", SqlType::SmallInt},
      {"int", SqlType::Int},
      {"integer", SqlType::Int},
      {"bigint", SqlType::BigInt},
      {"real", SqlType::Real},
      {"smallmoney", SqlType::SmallMoney},
      {"money", SqlType::Money},
      {"text", SqlType::Text},
      {"ntext", SqlType::NText},
      {"image", SqlType::Image},
      {"uniqueidentifier", SqlType::UniqueIdentifier},
      {"date", SqlType::Date},
      {"smalldatetime", SqlType::SmallDateTime},
      {"datetime", SqlType::DateTime},
      {"xml", SqlType::Xml},
      {"sql_variant", SqlType::Variant},
      {"geometry", SqlType::Geometry},
      {"geography", SqlType::Geography},
  };
  for (const auto& e : simple)
    if (name == e.name) {
      if (!nums.empty()) bad("type \"" + std::string(text) + "\" takes no arguments");
      t.type = e.type;
      return t;
    }
  if (name == "float") {
    int n = arg(0, 53);
    t.type = n <= 24 ? SqlType::Real : SqlType::Float;
    return t;
  }
  if (name == "decimal" || name == "numeric" || name == "dec") {
    t.type = name == "numeric" ? SqlType::Numeric : SqlType::Decimal;
    t.precision = arg(0, 18);
    t.scale = arg(1, 0);
    if (max || t.precision < 1 || t.precision > 38 || t.scale > t.precision)
      bad("bad precision or scale in \"" + std::string(text) + "\"");
    return t;
  }
  if (name == "time" || name == "datetime2" || name == "datetimeoffset") {
    t.type = name == "time"        ? SqlType::Time
             : name == "datetime2" ? SqlType::DateTime2
                                   : SqlType::DateTimeOffset;
    t.scale = arg(0, 7);
    if (max || t.scale > 7) bad("bad fractional precision in \"" + std::string(text) + "\"");
    return t;
  }
  struct Sized {
    const char* name;
    SqlType type;
    int limit;
    bool allows_max;
  };
  static const Sized sized[] = {
      {"char", SqlType::Char, 8000, false},       {"varchar", SqlType::VarChar, 8000, true},
      {"nchar", SqlType::NChar, 4000, false},     {"nvarchar", SqlType::NVarChar, 4000, true},
      {"binary", SqlType::Binary, 8000, false},   {"varbinary", SqlType::VarBinary, 8000, true},
      {"sysname", SqlType::NVarChar, 128, false},
  };
  for (const auto& e : sized)
    if (name == e.name) {
      t.type = e.type;
      t.length = name == "sysname" ? 128 : arg(0, 1);
      if ((t.length < 0 && !e.allows_max) || t.length == 0 || t.length > e.limit || nums.size() > 1)
        bad("bad length in \"" + std::string(text) + "\"");
      return t;
    }
  bad("unknown type \"" + std::string(text) + "\"");
}

Value parse_value(const TypeSpec& t, std::string_view text) {
  Value v;
  v.null = false;
  auto fail = [&](const char* why) -> void {
    bad(std::string(why) + " \"" + std::string(text) + "\" for " + t.text());
  };
  switch (t.type) {
    case SqlType::Bit: {
      std::string s = lower_trim(text);
      if (s == "1" || s == "true")
        v.i = 1;
      else if (s == "0" || s == "false")
        v.i = 0;
      else
        fail("not a bit");
      break;
    }
    case SqlType::TinyInt:
    case SqlType::SmallInt:
    case SqlType::Int:
    case SqlType::BigInt: {
      if (!parse_int(text, v.i)) fail("not an integer");
      int64_t lo = t.type == SqlType::TinyInt    ? 0
                   : t.type == SqlType::SmallInt ? -32768
                   : t.type == SqlType::Int      ? INT32_MIN
                                                 : INT64_MIN;
      int64_t hi = t.type == SqlType::TinyInt    ? 255
                   : t.type == SqlType::SmallInt ? 32767
                   : t.type == SqlType::Int      ? INT32_MAX
                                                 : INT64_MAX;
      if (v.i < lo || v.i > hi) fail("out of range");
      break;
    }
    case SqlType::Real:
    case SqlType::Float: {
      std::string s(text);
      char* end = nullptr;
      v.d = g_ascii_strtod(s.c_str(), &end);
      if (s.empty() || *end != '\0') fail("not a number");
      break;
    }
    case SqlType::Decimal:
    case SqlType::Numeric: {
      if (!parse_scaled(text, t.scale, v.mag, v.negative)) fail("not a decimal of this scale");
      unsigned __int128 limit = 1;
      for (int k = 0; k < t.precision; k++) limit *= 10;
      if (v.mag >= limit) fail("too many digits");
      break;
    }
    case SqlType::SmallMoney:
    case SqlType::Money: {
      unsigned __int128 m;
      bool neg;
      if (!parse_scaled(text, 4, m, neg) || m > (unsigned __int128)INT64_MAX + (neg ? 1 : 0))
        fail("not a money value");
      v.i = neg ? int64_t(0 - uint64_t(m)) : int64_t(m);
      if (t.type == SqlType::SmallMoney && (v.i < INT32_MIN || v.i > INT32_MAX))
        fail("out of range");
      break;
    }
    case SqlType::Char:
    case SqlType::VarChar:
    case SqlType::Text:
    case SqlType::NChar:
    case SqlType::NVarChar:
    case SqlType::NText:
    case SqlType::Xml:
      if (!utf8_valid(text)) fail("invalid UTF-8 in");
      v.bytes = std::string(text);
      if (!t.is_max() && (t.type == SqlType::Char || t.type == SqlType::VarChar) &&
          utf8_chars(text) > size_t(t.length))
        fail("too long:");
      if (!t.is_max() && (t.type == SqlType::NChar || t.type == SqlType::NVarChar) &&
          utf16_units(text) > size_t(t.length))
        fail("too long:");
      break;
    case SqlType::Binary:
    case SqlType::VarBinary:
    case SqlType::Image:
    case SqlType::Geometry:
    case SqlType::Geography:
      if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (!parse_hex(text.substr(2), v.bytes)) fail("bad hexadecimal");
      } else if (is_udt(t.type)) {
        if (!parse_point(text, v.bytes)) fail("neither 0x... nor POINT(x y):");
      } else {
        v.bytes = std::string(text);
      }
      if (!t.is_max() && (t.type == SqlType::Binary || t.type == SqlType::VarBinary) &&
          v.bytes.size() > size_t(t.length))
        fail("too long:");
      break;
    case SqlType::UniqueIdentifier:
      if (!parse_guid(text, v.bytes)) fail("not a uniqueidentifier");
      break;
    case SqlType::Date:
      if (parse_civil(text, v.days) != text.size()) fail("not a date (YYYY-MM-DD)");
      break;
    case SqlType::Time:
      if (parse_clock(text, v.ticks) != text.size()) fail("not a time (hh:mm:ss.fffffff)");
      break;
    case SqlType::SmallDateTime:
    case SqlType::DateTime:
    case SqlType::DateTime2:
      if (!parse_datetime(text, false, v)) fail("not a date-time (YYYY-MM-DD hh:mm:ss.fffffff)");
      if (t.type != SqlType::DateTime2 && v.days < days_from_civil(1900, 1, 1))
        fail("before 1900 in");
      break;
    case SqlType::DateTimeOffset:
      if (!parse_datetime(text, true, v)) fail("not a date-time with offset (... +hh:mm)");
      break;
    case SqlType::Variant: {
      // "type:value", e.g. "int:42" or "nvarchar(20):16.0.1000.6".
      size_t colon = text.find(':');
      if (colon == std::string_view::npos) fail("variant needs type:value, not");
      TypeSpec inner = parse_type(text.substr(0, colon));
      if (inner.type == SqlType::Variant || inner.type == SqlType::Text ||
          inner.type == SqlType::NText || inner.type == SqlType::Image ||
          inner.type == SqlType::Xml || is_udt(inner.type) || inner.is_max())
        fail("type not allowed inside sql_variant:");
      Value iv = parse_value(inner, text.substr(colon + 1));
      v.variant = std::make_shared<const std::pair<TypeSpec, Value>>(inner, std::move(iv));
      break;
    }
  }
  return v;
}

void write_colmetadata(PacketWriter& out, const std::vector<ColumnSpec>& columns,
                       uint32_t version) {
  out.u8(kTokenColMetadata);
  out.u16(uint16_t(columns.size()));
  for (const auto& c : columns) {
    TypeSpec t = effective(c.type, version);
    if (version >= kTds72)
      out.u32(0);  // user type
    else
      out.u16(0);
    uint16_t flags = c.nullable ? 0x0001 : 0x0000;
    flags |= 0x0008;  // updatable: read/write
    out.u16(flags);
    switch (t.type) {
      case SqlType::Bit:
      case SqlType::TinyInt:
      case SqlType::SmallInt:
      case SqlType::Int:
      case SqlType::BigInt:
      case SqlType::Real:
      case SqlType::Float:
      case SqlType::SmallMoney:
      case SqlType::Money:
      case SqlType::SmallDateTime:
      case SqlType::DateTime:
        if (c.nullable) {
          out.u8(nullable_code(t.type));
          out.u8(uint8_t(fixed_size(t.type)));
        } else {
          out.u8(fixed_code(t.type));
        }
        break;
      case SqlType::Decimal:
      case SqlType::Numeric:
        out.u8(code_of(t.type));
        out.u8(uint8_t(decimal_bytes(t.precision) + 1));
        out.u8(uint8_t(t.precision));
        out.u8(uint8_t(t.scale));
        break;
      case SqlType::UniqueIdentifier:
        out.u8(0x24);
        out.u8(16);
        break;
      case SqlType::Date:
        out.u8(0x28);
        break;
      case SqlType::Time:
      case SqlType::DateTime2:
      case SqlType::DateTimeOffset:
        out.u8(code_of(t.type));
        out.u8(uint8_t(t.scale));
        break;
      case SqlType::Char:
      case SqlType::VarChar:
      case SqlType::NChar:
      case SqlType::NVarChar:
        out.u8(code_of(t.type));
        out.u16(t.is_max() ? 0xFFFF : uint16_t(t.length * (is_wide_text(t.type) ? 2 : 1)));
        out.put(kCollation, 5);
        break;
      case SqlType::Binary:
      case SqlType::VarBinary:
        out.u8(code_of(t.type));
        out.u16(t.is_max() ? 0xFFFF : uint16_t(t.length));
        break;
      case SqlType::Text:
      case SqlType::NText:
        out.u8(code_of(t.type));
        out.u32(t.type == SqlType::Text ? 0x7FFFFFFF : 0x7FFFFFFE);
        out.put(kCollation, 5);
        put_table_name(out, version);
        break;
      case SqlType::Image:
        out.u8(0x22);
        out.u32(0x7FFFFFFF);
        put_table_name(out, version);
        break;
      case SqlType::Xml:
        out.u8(0xF1);
        out.u8(0);  // no schema collection
        break;
      case SqlType::Variant:
        out.u8(0x62);
        out.u32(8009);
        break;
      case SqlType::Geometry:
      case SqlType::Geography:
        out.u8(0xF0);
        out.u16(0xFFFF);
        out.b_varchar("master");
        out.b_varchar("sys");
        out.b_varchar(t.type == SqlType::Geometry ? "geometry" : "geography");
        out.us_varchar(std::string("Microsoft.SqlServer.Types.") +
                       (t.type == SqlType::Geometry ? "SqlGeometry" : "SqlGeography") +
                       ", Microsoft.SqlServer.Types, Version=11.0.0.0, Culture=neutral, "
                       "PublicKeyToken=89845dcd8080cc91");
        break;
    }
    out.b_varchar(c.name);
  }
}

void write_cell(PacketWriter& out, const ColumnSpec& c, const Value& v, uint32_t version) {
  TypeSpec t = effective(c.type, version);
  thread_local std::string scratch;
  thread_local Value text_value;
  const Value* val = &v;
  if (t.type != c.type.type && is_date_kind(c.type.type) && !v.null) {
    text_value.null = false;
    text_value.bytes = format_date_kind(c.type, v);
    val = &text_value;
  }
  const Value& x = *val;
  switch (t.type) {
    case SqlType::Bit:
    case SqlType::TinyInt:
    case SqlType::SmallInt:
    case SqlType::Int:
    case SqlType::BigInt:
    case SqlType::Real:
    case SqlType::Float:
    case SqlType::SmallMoney:
    case SqlType::Money:
    case SqlType::SmallDateTime:
    case SqlType::DateTime:
      if (c.nullable) {
        if (x.null) {
          out.u8(0);
          return;
        }
        out.u8(uint8_t(fixed_size(t.type)));
      }
      put_fixed(out, t, x);
      return;
    case SqlType::Decimal:
    case SqlType::Numeric:
      if (x.null) {
        out.u8(0);
        return;
      }
      out.u8(uint8_t(decimal_bytes(t.precision) + 1));
      put_decimal(out, t, x);
      return;
    case SqlType::UniqueIdentifier:
      if (x.null) {
        out.u8(0);
        return;
      }
      out.u8(16);
      out.bytes(x.bytes);
      return;
    case SqlType::Date:
      if (x.null) {
        out.u8(0);
        return;
      }
      out.u8(3);
      put_le(out, uint64_t(x.days), 3);
      return;
    case SqlType::Time:
    case SqlType::DateTime2:
    case SqlType::DateTimeOffset: {
      if (x.null) {
        out.u8(0);
        return;
      }
      int n = time_bytes(t.scale) + (t.type == SqlType::Time ? 0 : 3) +
              (t.type == SqlType::DateTimeOffset ? 2 : 0);
      out.u8(uint8_t(n));
      int32_t days = x.days;
      int64_t ticks = x.ticks;
      if (t.type == SqlType::DateTimeOffset) {
        int64_t all = int64_t(days) * kTicksPerDay + ticks - int64_t(x.offset) * 600000000LL;
        days = int32_t(all / kTicksPerDay);
        ticks = all % kTicksPerDay;
      }
      put_time(out, t.scale, ticks);
      if (t.type != SqlType::Time) put_le(out, uint64_t(days), 3);
      if (t.type == SqlType::DateTimeOffset) out.u16(uint16_t(x.offset));
      return;
    }
    case SqlType::Text:
    case SqlType::NText:
    case SqlType::Image:
      if (x.null) {
        out.u8(0);
        return;
      }
      encoded_bytes(t, x, scratch);
      out.u8(16);
      out.bytes(
          std::string_view("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10", 16));
      out.u64(1);  // timestamp
      out.u32(uint32_t(scratch.size()));
      out.bytes(scratch);
      return;
    case SqlType::Variant:
      if (x.null || !x.variant) {
        out.u32(0);
        return;
      }
      variant_body(x.variant->first, x.variant->second, scratch);
      out.u32(uint32_t(scratch.size()));
      out.bytes(scratch);
      return;
    default:
      break;
  }
  // Character and binary types, by length prefix or in chunks.
  if (is_plp(t)) {
    if (x.null) {
      out.u64(~uint64_t(0));
      return;
    }
    encoded_bytes(t, x, scratch);
    put_plp(out, scratch);
    return;
  }
  if (x.null) {
    out.u16(0xFFFF);
    return;
  }
  encoded_bytes(t, x, scratch);
  out.u16(uint16_t(scratch.size()));
  out.bytes(scratch);
}

Value generated_value(const ColumnSpec& spec, uint64_t row, size_t column) {
  Value v;
  generate_value(spec, row, column, v);
  return v;
}

void generate_value(const ColumnSpec& spec, uint64_t row, size_t column, Value& v) {
  v.null = false;
  if (spec.nullable && (row + column) % 10 == 9) {
    v.null = true;
    return;
  }
  const TypeSpec& t = spec.type;
  static const int32_t base = days_from_civil(2020, 1, 1);
  auto r = int64_t(row);
  switch (t.type) {
    case SqlType::Bit:
      v.i = r % 2;
      break;
    case SqlType::TinyInt:
      v.i = r % 256;
      break;
    case SqlType::SmallInt:
      v.i = r % 32768;
      break;
    case SqlType::Int:
      v.i = int32_t(uint32_t(row));
      break;
    case SqlType::BigInt:
      v.i = r * 1000003;
      break;
    case SqlType::Real:
      v.d = double(r % 1000000) * 0.25;
      break;
    case SqlType::Float:
      v.d = double(r) * 0.5;
      break;
    case SqlType::Decimal:
    case SqlType::Numeric: {
      unsigned __int128 scale = 1, limit = 1;
      for (int k = 0; k < t.scale; k++) scale *= 10;
      for (int k = 0; k < t.precision; k++) limit *= 10;
      v.mag = (unsigned __int128)row * scale + (unsigned __int128)row % scale;
      v.mag %= limit;
      break;
    }
    case SqlType::SmallMoney:
      v.i = (r % 200000) * 10000 + r % 10000;
      break;
    case SqlType::Money:
      v.i = r * 10000 + r % 10000;
      break;
    case SqlType::Char:
    case SqlType::VarChar:
    case SqlType::NChar:
    case SqlType::NVarChar:
    case SqlType::Text:
    case SqlType::NText: {
      // "row N", without printf: this runs for every cell of a big result.
      char b[32];
      char* e = b + sizeof b;
      char* q = e;
      uint64_t n = row;
      do {
        *--q = char('0' + n % 10);
        n /= 10;
      } while (n);
      v.bytes.assign("row ", 4);
      v.bytes.append(q, size_t(e - q));
      if (!t.is_max() && t.length > 0 && v.bytes.size() > size_t(t.length))
        v.bytes.resize(size_t(t.length));
      break;
    }
    case SqlType::Binary:
    case SqlType::VarBinary:
    case SqlType::Image:
      v.bytes.clear();
      for (int k = 7; k >= 0; k--) v.bytes += char(uint8_t(row >> (8 * k)));
      if (!t.is_max() && t.length > 0 && v.bytes.size() > size_t(t.length))
        v.bytes.resize(size_t(t.length));
      break;
    case SqlType::UniqueIdentifier: {
      // Text form %08X-%04X-4000-8000-%012X of (row, column, row), in wire order.
      uint8_t g[16];
      auto lo32 = uint32_t(row);
      g[0] = uint8_t(lo32);
      g[1] = uint8_t(lo32 >> 8);
      g[2] = uint8_t(lo32 >> 16);
      g[3] = uint8_t(lo32 >> 24);
      g[4] = uint8_t(column);
      g[5] = uint8_t(column >> 8);
      g[6] = 0x00;
      g[7] = 0x40;
      g[8] = 0x80;
      g[9] = 0x00;
      for (int k = 0; k < 6; k++) g[10 + k] = uint8_t(row >> (8 * (5 - k)));
      v.bytes.assign(reinterpret_cast<const char*>(g), 16);
      break;
    }
    case SqlType::Date:
      v.days = base + int32_t(r % 36500);
      break;
    case SqlType::Time:
      v.ticks = ((r % 86400) * 1000 + r % 1000) * 10000;
      break;
    case SqlType::SmallDateTime:
      v.days = base + int32_t(r / 1440);
      v.ticks = (r % 1440) * 600000000LL;
      break;
    case SqlType::DateTime:
    case SqlType::DateTime2:
    case SqlType::DateTimeOffset: {
      int64_t ms = r * 1000 + r % 1000;
      v.days = base + int32_t(ms / 86400000);
      v.ticks = (ms % 86400000) * 10000;
      if (t.type == SqlType::DateTimeOffset) v.offset = 60;
      break;
    }
    case SqlType::Xml: {
      char b[48];
      int n = g_snprintf(b, sizeof b, "<row n=\"%llu\"/>", (unsigned long long)row);
      v.bytes.assign(b, size_t(n));
      break;
    }
    case SqlType::Variant: {
      TypeSpec it;
      it.type = SqlType::Int;
      Value iv;
      iv.null = false;
      iv.i = int32_t(uint32_t(row));
      v.variant = std::make_shared<const std::pair<TypeSpec, Value>>(it, iv);
      break;
    }
    case SqlType::Geometry:
    case SqlType::Geography: {
      double x = double(row), y = double(column);
      v.bytes.assign("\x00\x00\x00\x00\x01\x0C", 6);
      v.bytes.append(reinterpret_cast<const char*>(&x), 8);
      v.bytes.append(reinterpret_cast<const char*>(&y), 8);
      break;
    }
  }
}

}  // namespace tarvex::test::tds
