// One table from a data type to how a cell of it is kept and how it
// becomes a value, shared by the reader contract's get_value, the
// providers' readers and the rows of a filled table (not installed, not
// exported).
//
// A cell is kept as a Datum of the kind the table names (numbers decoded,
// texts and bytes with their data) and becomes its value through
// datum_value when a caller first reaches it; the few types whose value
// is made when the cell is read, or that only the contract's getters tell,
// say so instead.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>

#include "providers/contracts/provider.h"
#include "providers/contracts/table_model-private.h"
#include "providers/contracts/value_enum.h"
#include "providers/contracts/value_geometry.h"
#include "providers/contracts/value_string.h"

namespace tarvex::models {

using DataType = TarvexProvidersContractsDataType;
using Value = TarvexProvidersContractsValueObject;
using Reader = TarvexProvidersContractsIDataReader;

enum class Keep : guint8 {
  DATUM,     // as a Datum of the row's `datum` kind
  VALUE,     // as its value, made when the cell is read
  CONTRACT,  // as the reader contract's getters make it
};

struct DataTypeRow {
  Keep keep;
  Datum::Kind datum;  // DATUM: the kind kept
  // Numbers: their getter, as the datum datum_value makes the value of.
  Datum (*get_number)(Reader* reader, guint16 position, GError** error);
  // Texts: their getter, and the value of a text.
  gchar* (*get_text)(Reader* reader, guint16 position, GError** error);
  Value* (*text_value)(const char* text);
};

// The value a datum stands for; texts and bytes start at `data + datum.u`
// (null for numbers).
Value* datum_value(const Datum& datum, const char* data);

// Bytes a number of a plain kind (BOOLEAN to UINT64, FLOAT, DOUBLE) takes,
// in memory as in a row's packed cells.
constexpr guint8 number_bytes(Datum::Kind kind) {
  switch (kind) {
    case Datum::BOOLEAN:
    case Datum::CHAR:
    case Datum::INT8:
    case Datum::UINT8:
      return 1;
    case Datum::INT16:
    case Datum::UINT16:
      return 2;
    case Datum::INT32:
    case Datum::UINT32:
    case Datum::FLOAT:
      return 4;
    default:
      return 8;
  }
}

// Whether `kind` is a plain number (BOOLEAN to UINT64, FLOAT, DOUBLE).
constexpr bool is_number(Datum::Kind kind) {
  return (kind >= Datum::BOOLEAN && kind <= Datum::UINT64) || kind == Datum::FLOAT ||
         kind == Datum::DOUBLE;
}

// Writes a plain number in number_bytes of its kind, as number_datum reads
// it back.
inline void put_number(const Datum& datum, void* out) {
  if constexpr (G_BYTE_ORDER == G_LITTLE_ENDIAN) {
    switch (datum.kind == Datum::BOOLEAN ? 0 : number_bytes(datum.kind)) {
      case 1:
        return void(std::memcpy(out, &datum.u, 1));
      case 2:
        return void(std::memcpy(out, &datum.u, 2));
      case 4:
        return void(std::memcpy(out, &datum.u, 4));
      case 8:
        return void(std::memcpy(out, &datum.u, 8));
      default:
        break;
    }
  }
  auto put = [&](auto v) { std::memcpy(out, &v, sizeof v); };
  switch (datum.kind) {
    case Datum::BOOLEAN:
      return put(guint8(datum.i != 0));
    case Datum::CHAR:
    case Datum::UINT8:
      return put(guint8(datum.u));
    case Datum::INT8:
      return put(gint8(datum.i));
    case Datum::INT16:
      return put(gint16(datum.i));
    case Datum::UINT16:
      return put(guint16(datum.u));
    case Datum::INT32:
      return put(gint32(datum.i));
    case Datum::UINT32:
      return put(guint32(datum.u));
    case Datum::FLOAT:
      return put(datum.f);
    case Datum::DOUBLE:
      return put(datum.d);
    default:
      return put(datum.u);
  }
}

// The width and sign of each plain number kind, looked up per cell.
struct NumberShape {
  guint8 bytes;
  bool is_signed;
};
inline constexpr auto kNumberShapes = [] {
  std::array<NumberShape, Datum::STRING> shapes{};
  for (guint8 k = 0; k < Datum::STRING; k++) {
    auto kind = Datum::Kind(k);
    shapes[k] = {number_bytes(kind), kind == Datum::INT8 || kind == Datum::INT16 ||
                                         kind == Datum::INT32 || kind == Datum::INT64};
  }
  return shapes;
}();

// The datum of a number of a plain kind from its first bytes (as many as
// `length` holds, the rest zero).
inline Datum number_datum(Datum::Kind kind, const void* bytes, gsize length) {
  Datum datum;
  datum.kind = kind;
  const NumberShape shape = kNumberShapes[kind];
  gsize n = std::min<gsize>(shape.bytes, bytes ? length : 0);
  if constexpr (G_BYTE_ORDER == G_LITTLE_ENDIAN) {
    // Every member of the union starts at its first byte; a whole number
    // is copied in one move of its width.
    switch (n == shape.bytes ? n : 0) {
      case 1:
        std::memcpy(&datum.u, bytes, 1);
        break;
      case 2:
        std::memcpy(&datum.u, bytes, 2);
        break;
      case 4:
        std::memcpy(&datum.u, bytes, 4);
        break;
      case 8:
        std::memcpy(&datum.u, bytes, 8);
        break;
      default:
        if (n > 0) std::memcpy(&datum.u, bytes, n);
    }
    if (kind == Datum::BOOLEAN) {
      datum.i = datum.u != 0;
    } else if (shape.is_signed && shape.bytes < sizeof datum.u) {
      int shift = int(8 * (sizeof datum.u - shape.bytes));
      datum.i = gint64(datum.u << shift) >> shift;
    }
    return datum;
  }
  auto read = [&](auto v) {
    if (n > 0) std::memcpy(&v, bytes, n);
    return v;
  };
  switch (kind) {
    case Datum::BOOLEAN:
      datum.i = read(guint8(0)) != 0;
      break;
    case Datum::INT8:
      datum.i = read(gint8(0));
      break;
    case Datum::INT16:
      datum.i = read(gint16(0));
      break;
    case Datum::INT32:
      datum.i = read(gint32(0));
      break;
    case Datum::INT64:
      datum.i = read(gint64(0));
      break;
    case Datum::CHAR:
    case Datum::UINT8:
      datum.u = read(guint8(0));
      break;
    case Datum::UINT16:
      datum.u = read(guint16(0));
      break;
    case Datum::UINT32:
      datum.u = read(guint32(0));
      break;
    case Datum::FLOAT:
      datum.f = read(gfloat(0));
      break;
    case Datum::DOUBLE:
      datum.d = read(gdouble(0));
      break;
    default:
      datum.u = read(guint64(0));
  }
  return datum;
}

namespace data_types {

// A number's getter of the reader contract, as a datum of `kind`.
template <Datum::Kind kind, typename T, auto getter>
Datum number(Reader* reader, guint16 position, GError** error) {
  T v = getter(reader, position, error);
  Datum datum;
  datum.kind = kind;
  if constexpr (std::is_same_v<T, gfloat>)
    datum.f = v;
  else if constexpr (std::is_same_v<T, gdouble>)
    datum.d = v;
  else if constexpr (std::is_signed_v<T>)
    datum.i = v;
  else
    datum.u = v;
  return datum;
}

template <auto make>
Value* text(const char* text) {
  return reinterpret_cast<Value*>(make(text));
}

constexpr DataTypeRow datum(Datum::Kind kind, Datum (*get)(Reader*, guint16, GError**) = nullptr) {
  return {Keep::DATUM, kind, get, nullptr, nullptr};
}
constexpr DataTypeRow datum_text(Datum::Kind kind, gchar* (*get)(Reader*, guint16, GError**),
                                 Value* (*make)(const char*)) {
  return {Keep::DATUM, kind, nullptr, get, make};
}
constexpr DataTypeRow value() {
  return {Keep::VALUE, Datum::OBJECT, nullptr, nullptr, nullptr};
}
constexpr DataTypeRow contract(gchar* (*get)(Reader*, guint16, GError**) = nullptr,
                               Value* (*make)(const char*) = nullptr) {
  return {Keep::CONTRACT, Datum::OBJECT, nullptr, get, make};
}

// Types the table does not name are texts.
inline constexpr DataTypeRow kOther =
    datum_text(Datum::STRING, tarvex_providers_contracts_idata_reader_get_string,
               text<tarvex_providers_contracts_value_string_new>);

#define TARVEX_NUMBER_(kind, type, getter) \
  datum(Datum::kind,                       \
        number<Datum::kind, type, tarvex_providers_contracts_idata_reader_get_##getter>)
#define TARVEX_TEXT_(getter, maker)                     \
  tarvex_providers_contracts_idata_reader_get_##getter, \
      text<tarvex_providers_contracts_value_##maker>

// Indexed by data type.
inline constexpr DataTypeRow kRows[] = {
    kOther,                                      // UNKNOWN
    kOther,                                      // DBNULL
    TARVEX_NUMBER_(BOOLEAN, gboolean, boolean),  // BOOLEAN
    TARVEX_NUMBER_(CHAR, guchar, char),          // CHAR
    TARVEX_NUMBER_(INT8, gint8, int8),           // INT8
    TARVEX_NUMBER_(INT16, gint16, int16),        // INT16
    TARVEX_NUMBER_(INT32, gint32, int32),        // INT32
    TARVEX_NUMBER_(INT64, gint64, int64),        // INT64
    TARVEX_NUMBER_(UINT8, guint8, uint8),        // UINT8
    TARVEX_NUMBER_(UINT16, guint16, uint16),     // UINT16
    TARVEX_NUMBER_(UINT32, guint32, uint32),     // UINT32
    TARVEX_NUMBER_(UINT64, guint64, uint64),     // UINT64
    contract(TARVEX_TEXT_(enum, enum_new)),      // ENUM
    contract(TARVEX_TEXT_(flag, flags_new)),     // FLAGS
    contract(TARVEX_TEXT_(set, set_new)),        // SET
    datum(Datum::MONEY),                         // MONEY: exact digits
    datum(Datum::DECIMAL),                       // DECIMAL: exact digits
    TARVEX_NUMBER_(FLOAT, gfloat, float),        // FLOAT
    TARVEX_NUMBER_(DOUBLE, gdouble, double),     // DOUBLE
    value(),                                     // DATE
    value(),                                     // TIME
    datum(Datum::DATETIME_UTC),                  // DATETIME (or at an offset)
    value(),                                     // TIMESPAN
    contract(),                                  // TIMESTAMP
    kOther,                                      // STRING
    datum_text(Datum::UTF16, TARVEX_TEXT_(string16, utf16_new_string)),  // WSTRING
    datum_text(Datum::XML, TARVEX_TEXT_(xml, xml_new)),                  // XML
    datum_text(Datum::UUID, TARVEX_TEXT_(guid, uuid_new_uuid)),          // UUID
    contract(TARVEX_TEXT_(json, json_new)),                              // JSON
    contract(TARVEX_TEXT_(geometry, geometry_new)),                      // GEOMETRY
    contract(TARVEX_TEXT_(geography, geography_new)),                    // GEOGRAPHY
    datum(Datum::BINARY),                                                // BINARY
    datum(Datum::BLOB),                                                  // BLOB
    datum(Datum::BINARY),                                                // OBJECT
    kOther,                                                              // POINTER
    value(),                                                             // VARIANT
};

#undef TARVEX_NUMBER_
#undef TARVEX_TEXT_

// Each row sits at its type.
static_assert(std::size(kRows) == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT + 1);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN].datum == Datum::BOOLEAN);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64].datum == Datum::UINT64);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_SET].keep == Keep::CONTRACT);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE].datum == Datum::DOUBLE);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN].keep == Keep::VALUE);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESTAMP].keep == Keep::CONTRACT);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID].datum == Datum::UUID);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY].keep == Keep::CONTRACT);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT].datum == Datum::BINARY);
static_assert(kRows[TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT].keep == Keep::VALUE);

}  // namespace data_types

inline const DataTypeRow& data_type_row(DataType type) {
  auto index = gsize(type);
  return index < std::size(data_types::kRows) ? data_types::kRows[index] : data_types::kOther;
}

}  // namespace tarvex::models
