#include "providers/contracts/value_factory.h"

#include <locale.h>
#include <stdlib.h>

#include <cstring>

#include "providers/contracts/value-private.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"
#include "providers/contracts/value_numeric.h"
#include "providers/contracts/value_string.h"

using namespace tarvex;

namespace {

using Value = TarvexProvidersContractsValueObject;

template <typename T>
Value* as_value(T* v) {
  return reinterpret_cast<Value*>(v);
}

// A signed decimal integer as C reads it (leading blanks, optional sign,
// digits up to the first other character, none giving 0), held to the
// 32-bit range. The callers keep the low 8, 16 or 32 bits.
gint32 read_int32(const char* text) {
  gint64 n = g_ascii_strtoll(text, nullptr, 10);
  return gint32(CLAMP(n, G_MININT32, G_MAXINT32));
}

// An unsigned integer as a 32-bit strtoul reads it: base 0 (0x hexadecimal,
// a leading 0 octal), a leading minus negating modulo 2^32, a magnitude
// beyond 32 bits held at the largest value.
guint32 read_uint32(const char* text) {
  const char* p = text;
  while (g_ascii_isspace(*p)) p++;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  guint base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && g_ascii_isxdigit(p[2])) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;
  }
  guint64 magnitude = 0;
  bool digits = false;
  for (;; p++) {
    int d = g_ascii_isdigit(*p) ? *p - '0' : g_ascii_isxdigit(*p) ? g_ascii_xdigit_value(*p) : -1;
    if (d < 0 || guint(d) >= base) break;
    digits = true;
    magnitude = magnitude * base + guint(d);
    if (magnitude > G_MAXUINT32) return G_MAXUINT32;
  }
  if (!digits) return 0;
  return negative ? guint32(-guint32(magnitude)) : guint32(magnitude);
}

// A single-precision number as strtof reads it, but in the "C" locale: the
// process locale (a decimal comma) must not turn "12.5" into 12.
gfloat read_float(const char* text) {
  static locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return strtof_l(text, nullptr, c_locale);
}

Value* text_value(const char* text) {
  return as_value(tarvex_providers_contracts_value_xml_new(text ? text : ""));
}

Value* time_value(const char* text) {
  if (!text) {
    auto now = adoptGRef(g_date_time_new_now_local());
    return as_value(tarvex_providers_contracts_value_time_new_hms(
        g_date_time_get_hour(now.get()), g_date_time_get_minute(now.get()),
        g_date_time_get_seconds(now.get())));
  }
  auto utc = adoptGRef(g_time_zone_new_utc());
  auto parsed = adoptGRef(g_date_time_new_from_iso8601(text, utc.get()));
  if (!parsed) return as_value(tarvex_providers_contracts_value_time_new_hms(0, 0, 0));
  return as_value(tarvex_providers_contracts_value_time_new_hms(
      g_date_time_get_hour(parsed.get()), g_date_time_get_minute(parsed.get()),
      g_date_time_get_seconds(parsed.get())));
}

template <typename Make>
Value* binary_value(const char* text, Make make) {
  size_t length = text ? std::strlen(text) : 0;
  if (length <= size_t(G_MAXINT))
    return as_value(make(reinterpret_cast<const guint8*>(text), gint(length)));
  // Beyond the constructor's count: hand the buffer over whole.
  auto* value = make(nullptr, 0);
  GRef<GBytes> bytes = adoptGRef(g_bytes_new(text, length));
  tarvex_providers_contracts_value_binary_set_itsvalue(
      reinterpret_cast<TarvexProvidersContractsValueBinary*>(value), bytes.get());
  return as_value(value);
}

}  // namespace

TarvexProvidersContractsValueObject* tarvex_providers_contracts_ivalue_factory(
    TarvexProvidersContractsDataType data_type, const gchar* text) {
  switch (data_type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL:
      return as_value(tarvex_providers_contracts_value_null_new());
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN:
      // Exactly "true": the case matters, and "1" or "yes" are false.
      return as_value(
          tarvex_providers_contracts_value_boolean_new(text && std::strcmp(text, "true") == 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8:
      return as_value(
          tarvex_providers_contracts_value_int8_new(gint8(text ? read_int32(text) : 0)));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16:
      return as_value(
          tarvex_providers_contracts_value_int16_new(gint16(text ? read_int32(text) : 0)));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32:
      return as_value(tarvex_providers_contracts_value_int32_new(text ? read_int32(text) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64:
      return as_value(
          tarvex_providers_contracts_value_int64_new(text ? g_ascii_strtoll(text, nullptr, 0) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8:
      return as_value(
          tarvex_providers_contracts_value_uint8_new(guint8(text ? read_uint32(text) : 0)));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT16:
      return as_value(
          tarvex_providers_contracts_value_uint16_new(guint16(text ? read_uint32(text) : 0)));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT32:
      return as_value(tarvex_providers_contracts_value_uint32_new(text ? read_uint32(text) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64:
      return as_value(tarvex_providers_contracts_value_uint64_new(
          text ? g_ascii_strtoull(text, nullptr, 0) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY:
      // Read in single precision, as the float kind is.
      return as_value(
          tarvex_providers_contracts_value_money_new(text ? gdouble(read_float(text)) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT:
      return as_value(tarvex_providers_contracts_value_float_new(text ? read_float(text) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE:
      return as_value(
          tarvex_providers_contracts_value_double_new(text ? g_ascii_strtod(text, nullptr) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE:
      return as_value(text ? tarvex_providers_contracts_value_date_new_iso8601(text)
                           : tarvex_providers_contracts_value_date_new());
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME:
      return time_value(text);
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESTAMP:
      return as_value(text ? tarvex_providers_contracts_value_date_time_new_iso8601(text)
                           : tarvex_providers_contracts_value_date_time_new());
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN:
      return as_value(tarvex_providers_contracts_value_time_span_new_interval(
          0, text ? g_ascii_strtoll(text, nullptr, 0) : 0));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING:
      return as_value(tarvex_providers_contracts_value_string_new(text ? text : ""));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID:
      return as_value(tarvex_providers_contracts_value_uuid_new_uuid(text ? text : ""));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON:
      return as_value(tarvex_providers_contracts_value_json_new(text ? text : ""));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY:
      return binary_value(text, tarvex_providers_contracts_value_binary_new);
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB:
      return binary_value(text, tarvex_providers_contracts_value_blob_new);
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT:
      return tarvex_providers_contracts_value_object_new();
    default:
      // UNKNOWN, CHAR, ENUM, FLAGS, SET, DECIMAL, WSTRING, XML, GEOMETRY,
      // GEOGRAPHY, POINTER to ERROR and numbers outside the enumeration keep
      // their text in an XML value.
      return text_value(text);
  }
}
