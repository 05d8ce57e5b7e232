#include "providers/sqlserver/sql_server_reader.h"

#include <glib/gi18n-lib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "providers/contracts/data-types-private.h"
#include "providers/contracts/table_model-private.h"
#include "providers/contracts/value-exact-private.h"
#include "providers/contracts/value-string-private.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"
#include "providers/contracts/value_numeric.h"
#include "providers/contracts/value_string.h"
#include "providers/sqlserver/sqlserver-private.h"
#include "providers/sqlserver/sqlserver-types-private.h"

using namespace tarvex;

using Reader = TarvexProvidersContractsIDataReader;
using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

// ------------------------------------------------------------ cell decoding

namespace tarvex::sqlserver {

namespace {

// The cracked fields in the layout db-lib fills for a Microsoft-style
// process (months 1 to 12), which is how the provider opens its processes.
struct Cracked {
  DBINT year, quarter, month, day, dayofyear, week, weekday, hour, minute, second, nanosecond,
      tzone;
};
static_assert(sizeof(Cracked) == sizeof(DBDATEREC2));

struct Cell {
  const BYTE* data;
  DBINT length;
};

inline Cell cell_of(DBPROCESS* p, int column) {
  return {dbdata(p, column), dbdatlen(p, column)};
}

// The first bytes of the data, never more than it holds.
template <typename T>
inline T fixed(Cell c) {
  T v{};
  if (c.data && c.length > 0)
    std::memcpy(&v, c.data, std::min<size_t>(sizeof(T), size_t(c.length)));
  return v;
}

inline bool crack(DBPROCESS* p, int type, Cell c, Cracked& out) {
  std::memset(&out, 0, sizeof out);
  if (!c.data || c.length < 1) return false;
  return dbanydatecrack(p, reinterpret_cast<DBDATEREC2*>(&out), type, c.data) == SUCCEED;
}

GTimeZone* utc_zone() {
  static GTimeZone* utc = g_time_zone_new_utc();
  return utc;
}

constexpr int kUniqueType = 36;  // uniqueidentifier

// dbconvert pads its output with blanks up to the length it is given and
// then writes no terminator (a zero-length source fills it all): give it
// one byte less than the zeroed buffer and drop the padding.
std::string converted_text(DBPROCESS* p, int column, int type, Cell c) {
  if (!c.data || c.length < 1) return {};
  DBINT printable = std::max<DBINT>(dbprcollen(p, column), 0);
  std::vector<char> buffer(size_t(std::max<DBINT>(printable, 64)) + 2, '\0');
  DBINT written = dbconvert(p, type, c.data, c.length, SYBVARCHAR,
                            reinterpret_cast<BYTE*>(buffer.data()), DBINT(buffer.size() - 1));
  if (written < 0) return {};
  std::string text(buffer.data());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Bytes of a decimal's magnitude by precision, as TDS lays them out.
constexpr int kNumericBytes[39] = {0,  2,  2,  3,  3,  4,  4,  4,  5,  5,  6,  6,  6,
                                   7,  7,  8,  8,  9,  9,  9,  10, 10, 11, 11, 11, 12,
                                   12, 13, 13, 14, 14, 14, 15, 15, 16, 16, 16, 17, 17};

// A decimal's sign, magnitude and scale, as TDS lays them out after the
// precision and scale bytes. False for data that is no decimal.
bool numeric_parts(Cell c, bool& negative, unsigned __int128& magnitude, int& scale) {
  if (!c.data || c.length < 3) return false;
  int precision = c.data[0];
  scale = c.data[1];
  if (precision < 1 || precision > 38 || scale > precision) return false;
  int bytes = kNumericBytes[precision] - 1;
  if (c.length < 3 + bytes) return false;
  magnitude = 0;
  for (int k = 0; k < bytes; k++) magnitude = (magnitude << 8) | c.data[3 + k];
  negative = c.data[2] == 1;
  return true;
}

// A decimal whose unscaled magnitude and power of ten are both exact
// doubles divides to the correctly rounded value, which is what parsing
// its text gives; anything larger goes through the text.
bool numeric_fast(Cell c, double& out) {
  bool negative;
  unsigned __int128 magnitude;
  int scale;
  if (!numeric_parts(c, negative, magnitude, scale) || scale > 22) return false;
  if (magnitude > (unsigned __int128)(1ULL << 53)) return false;
  static constexpr double kPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (magnitude == 0) {
    out = 0.0;
    return true;
  }
  double v = double(uint64_t(magnitude)) / kPow10[scale];
  out = negative ? -v : v;
  return true;
}

// db-lib's text of a uniqueidentifier, into a buffer of 37 bytes.
void guid_text(Cell c, char* out) {
  values::uuid_text(c.data, out);
}

GDateTime* epoch_utc() {
  return g_date_time_new_from_unix_utc(0);
}

// A GDateTime holds microseconds: the last digit of a 100 ns fraction goes.
inline gint microsecond_of(const Cracked& d) {
  return d.nanosecond >= 0 && d.nanosecond < 1000000000 ? d.nanosecond / 1000 : 0;
}

}  // namespace

bool cell_is_null(DBPROCESS* p, int column) {
  return dbdata(p, column) == nullptr && dbdatlen(p, column) == 0;
}

gboolean cell_boolean(DBPROCESS* p, int column) {
  return fixed<guint8>(cell_of(p, column)) != 0;
}
guint8 cell_byte(DBPROCESS* p, int column) {
  return fixed<guint8>(cell_of(p, column));
}
guint16 cell_u16(DBPROCESS* p, int column) {
  return fixed<guint16>(cell_of(p, column));
}
guint32 cell_u32(DBPROCESS* p, int column) {
  return fixed<guint32>(cell_of(p, column));
}
guint64 cell_u64(DBPROCESS* p, int column) {
  return fixed<guint64>(cell_of(p, column));
}
gfloat cell_float(DBPROCESS* p, int column) {
  return fixed<gfloat>(cell_of(p, column));
}
gdouble cell_double(DBPROCESS* p, int column) {
  return fixed<gdouble>(cell_of(p, column));
}

// Money as the signed count of ten-thousandths it is.
gint64 cell_money_scaled(DBPROCESS* p, int column) {
  Cell c = cell_of(p, column);
  if (c.length == 4) return fixed<gint32>(c);
  // money: the signed high half first, then the unsigned low half.
  gint32 high = fixed<gint32>(c);
  guint32 low = c.length >= 8 ? fixed<guint32>(Cell{c.data + 4, 4}) : 0;
  return gint64((guint64(guint32(high)) << 32) | low);
}

gdouble cell_money(DBPROCESS* p, int column) {
  return cell_money_scaled(p, column) / 10000.0;
}

gdouble cell_decimal(DBPROCESS* p, int column, int type) {
  Cell c = cell_of(p, column);
  double v;
  if ((type == SYBDECIMAL || type == SYBNUMERIC) && numeric_fast(c, v)) return v;
  std::string text = converted_text(p, column, type, c);
  return g_ascii_strtod(text.c_str(), nullptr);
}

namespace {

bool is_money_type(int type) {
  return type == SYBMONEY || type == SYBMONEY4 || type == SYBMONEYN;
}

}  // namespace

// Every digit the server sent, as db-lib writes it: a decimal with its
// scale's decimals ("0.5000"), money with four.
std::string cell_decimal_text(DBPROCESS* p, int column, int type) {
  Cell c = cell_of(p, column);
  bool negative;
  unsigned __int128 magnitude;
  int scale;
  if ((type == SYBDECIMAL || type == SYBNUMERIC) && numeric_parts(c, negative, magnitude, scale))
    return values::scaled_text(negative, magnitude, scale);
  if (is_money_type(type)) return values::scaled_text(cell_money_scaled(p, column), 4);
  return converted_text(p, column, type, c);
}

Value* cell_exact_number(DBPROCESS* p, int column, int type, DT kind) {
  std::string text = cell_decimal_text(p, column, type);
  if (kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY)
    return reinterpret_cast<Value*>(values::money_new_exact(std::move(text)));
  return reinterpret_cast<Value*>(values::decimal_new_exact(std::move(text)));
}

// Into `out` (the buffer of 37 bytes) when it fits, else into `text`.
const char* cell_guid(DBPROCESS* p, int column, int type, char* out, std::string& text) {
  Cell c = cell_of(p, column);
  if (!c.data || c.length < 1) return "";
  if (type == kUniqueType && c.length == 16) {
    guid_text(c, out);
    return out;
  }
  text = converted_text(p, column, type, c);
  return text.c_str();
}

// Character data arrives already in UTF-8, the login's character set.
void cell_text(DBPROCESS* p, int column, std::string& out) {
  Cell c = cell_of(p, column);
  if (!c.data || c.length < 1)
    out.clear();
  else
    out.assign(reinterpret_cast<const char*>(c.data), size_t(c.length));
}

gchar* cell_text_dup(DBPROCESS* p, int column) {
  Cell c = cell_of(p, column);
  if (!c.data || c.length < 1) return g_strdup("");
  return g_strndup(reinterpret_cast<const char*>(c.data), gsize(c.length));
}

// Bytes as they are: a binary that happens to start with "\x" is data too.
guint8* cell_binary(DBPROCESS* p, int column, gint* length) {
  Cell c = cell_of(p, column);
  if (!c.data || c.length < 1) {
    if (length) *length = 0;
    return static_cast<guint8*>(g_malloc0(1));
  }
  if (length) *length = c.length;
  return static_cast<guint8*>(g_memdup2(c.data, gsize(c.length)));
}

void cell_date(DBPROCESS* p, int column, GDate* result) {
  if (!result) return;
  g_date_clear(result, 1);
  if (dbtds(p) < DBTDS_7_3) {
    g_date_set_dmy(result, 1, G_DATE_JANUARY, 1970);
    return;
  }
  Cracked d;
  if (crack(p, dbcoltype(p, column), cell_of(p, column), d) &&
      g_date_valid_dmy(GDateDay(d.day), GDateMonth(d.month), GDateYear(d.year)))
    g_date_set_dmy(result, GDateDay(d.day), GDateMonth(d.month), GDateYear(d.year));
}

GDateTime* cell_time(DBPROCESS* p, int column) {
  g_warning("reader:173: get_time: %d", column - 1);
  if (dbtds(p) < DBTDS_7_3) {
    std::string text;
    cell_text(p, column, text);
    GDateTime* parsed = g_date_time_new_from_iso8601(text.c_str(), utc_zone());
    return parsed ? parsed : epoch_utc();
  }
  Cracked d;
  crack(p, dbcoltype(p, column), cell_of(p, column), d);
  return values::date_time_at(utc_zone(), 1970, 1, 1, d.hour, d.minute, d.second,
                              microsecond_of(d));
}

namespace {

// A datetime2 or datetimeoffset holding both a date and a time, split into
// its fields as dbanydatecrack does (a datetimeoffset at the wall-clock
// time of its offset), without a call per cell: a large result reads one
// per row. False for any other cell, which then goes through db-lib.
bool decode_datetime_all(int type, Cell c, Cracked& d) {
  if ((type != SYBMSDATETIME2 && type != SYBMSDATETIMEOFFSET) || !c.data ||
      c.length < DBINT(sizeof(DBDATETIMEALL)))
    return false;
  DBDATETIMEALL all;
  std::memcpy(&all, c.data, sizeof all);
  constexpr guint64 kTicksPerDay = G_GUINT64_CONSTANT(864000000000);  // of 100 ns
  if (!all.has_date || !all.has_time || all.time >= kTicksPerDay) return false;
  gint64 days = all.date;
  gint64 ticks = gint64(all.time);
  if (type == SYBMSDATETIMEOFFSET) {
    // Sent as UTC with the offset beside it.
    ticks += gint64(all.offset) * 60 * 10000000;
    if (ticks < 0) {
      ticks += gint64(kTicksPerDay);
      --days;
    } else if (ticks >= gint64(kTicksPerDay)) {
      ticks -= gint64(kTicksPerDay);
      ++days;
    }
  }
  // Days since 1900-01-01 to the proleptic Gregorian date (counted from
  // 0000-03-01, so that a leap day ends its year).
  gint64 z = days + 693901;  // 0000-03-01 to 1900-01-01
  gint64 era = (z >= 0 ? z : z - 146096) / 146097;
  gint64 of_era = z - era * 146097;
  gint64 year_of_era = (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  gint64 of_year = of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  gint64 shifted_month = (5 * of_year + 2) / 153;
  std::memset(&d, 0, sizeof d);
  d.day = DBINT(of_year - (153 * shifted_month + 2) / 5 + 1);
  d.month = DBINT(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  d.year = DBINT(year_of_era + era * 400 + (d.month <= 2 ? 1 : 0));
  gint64 seconds = ticks / 10000000;
  d.nanosecond = DBINT(ticks % 10000000) * 100;
  d.hour = DBINT(seconds / 3600);
  d.minute = DBINT(seconds / 60 % 60);
  d.second = DBINT(seconds % 60);
  return true;
}

}  // namespace

// The fields of a date-time cell and, for a datetimeoffset, its offset in
// seconds; false where the cell reads as the epoch.
bool datetime_fields(DBPROCESS* p, Cell c, int type, Cracked& d, bool& with_offset,
                     gint32& offset) {
  with_offset = false;
  offset = 0;
  if (!decode_datetime_all(type, c, d) && !crack(p, type, c, d)) return false;
  if (d.year == 0 && d.month == 0 && d.day == 0 && d.hour == 0 && d.minute == 0 && d.second == 0 &&
      d.nanosecond == 0)
    return false;
  if (type == SYBMSDATETIMEOFFSET && c.length >= DBINT(sizeof(DBDATETIMEALL))) {
    const auto* all = reinterpret_cast<const DBDATETIMEALL*>(c.data);
    with_offset = true;
    offset = gint32(all->offset) * 60;
  }
  return true;
}

// Zone-less server date-times keep their wall-clock time as UTC, so they
// print as stored in any local zone; a datetimeoffset keeps its instant and
// its offset (db-lib cracks it to the wall-clock time at that offset).
GDateTime* cell_datetime(DBPROCESS* p, int column, int type, bool* offset_kept) {
  Cracked d;
  bool with_offset;
  gint32 offset;
  if (offset_kept) *offset_kept = false;
  if (!datetime_fields(p, cell_of(p, column), type, d, with_offset, offset)) return epoch_utc();
  if (offset_kept) *offset_kept = with_offset;
  GRef<GTimeZone> zone =
      with_offset ? adoptGRef(g_time_zone_new_offset(offset)) : retainGRef(utc_zone());
  return values::date_time_at(zone.get(), d.year, d.month, d.day, d.hour, d.minute, d.second,
                              microsecond_of(d));
}

gint64 cell_timespan(DBPROCESS* p, int column) {
  g_warning("reader:201: get_timespan: %d", column - 1);
  if (dbtds(p) < DBTDS_7_3) return 0;
  Cracked d;
  crack(p, dbcoltype(p, column), cell_of(p, column), d);
  auto moment =
      adoptGRef(g_date_time_new(utc_zone(), d.year, d.month, d.day, d.hour, d.minute, d.second));
  return moment ? g_date_time_to_unix(moment.get()) : 0;
}

// db-lib gives a sql_variant's value converted (texts to UTF-8) but not
// its base type, so no number can be told from text by its bytes: text
// that reads as text is a text value, anything else the bytes it is.
Value* cell_variant(DBPROCESS* p, int column) {
  Cell c = cell_of(p, column);
  const char* bytes = reinterpret_cast<const char*>(c.data);
  gsize length = c.data && c.length > 0 ? gsize(c.length) : 0;
  bool text = g_utf8_validate_len(bytes, length, nullptr);
  for (const char* at = bytes; text && at < bytes + length; at = g_utf8_next_char(at))
    if (g_unichar_iscntrl(g_utf8_get_char(at))) text = false;
  if (text)
    return reinterpret_cast<Value*>(
        values::string_new_len(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING, bytes, length));
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_binary_new(
      reinterpret_cast<const guint8*>(bytes), gint(length)));
}

// The value of a cell whose kind the row cannot keep as a datum: values
// whose making logs or depends on the moment it happens, variants, and
// date-times GLib would refuse. The same value the reader contract's
// get_value makes, without its detour through the interface.
Value* cell_value(DBPROCESS* p, int column, int type, DT kind) {
  if (cell_is_null(p, column))
    return reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new());
  auto as_value = [](auto* v) { return reinterpret_cast<Value*>(v); };
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE: {
      GDate date;
      cell_date(p, column, &date);
      return g_date_valid(&date) ? as_value(tarvex_providers_contracts_value_date_new_date(&date))
                                 : as_value(tarvex_providers_contracts_value_date_new());
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME: {
      auto time = adoptGRef(cell_time(p, column));
      return time ? as_value(tarvex_providers_contracts_value_time_new_time(time.get()))
                  : as_value(tarvex_providers_contracts_value_time_new());
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME: {
      bool with_offset;
      auto moment = adoptGRef(cell_datetime(p, column, type, &with_offset));
      if (!moment) return as_value(tarvex_providers_contracts_value_date_time_new());
      // Only a datetimeoffset prints its offset.
      return with_offset
                 ? as_value(values::date_time_new_with_offset(moment.get()))
                 : as_value(tarvex_providers_contracts_value_date_time_new_datetime(moment.get()));
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL:
      return cell_exact_number(p, column, type, kind);
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN:
      return as_value(tarvex_providers_contracts_value_time_span_new(cell_timespan(p, column)));
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT:
      return cell_variant(p, column);
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML: {
      // The whole text: the reader's C strings end at a U+0000 it may hold.
      Cell c = cell_of(p, column);
      const char* text = c.data && c.length > 0 ? reinterpret_cast<const char*>(c.data) : "";
      gsize length = c.data && c.length > 0 ? gsize(c.length) : 0;
      if (kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING)
        return as_value(values::utf16_new_len(text, length));
      return as_value(values::string_new_len(kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML
                                                 ? TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_XML
                                                 : TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING,
                                             text, length));
    }
    default:
      g_assert_not_reached();
  }
}

// Adds the cell to the row as the datum the table of data types keeps it
// as (the row makes the value when a caller first reaches it), else as the
// value itself. False, adding nothing, for kinds whose values only the
// contract's defaults make.
bool add_cell(models::RowBuilder& row, DBPROCESS* p, int column, int type, DT kind,
              const models::DataTypeRow& kept, std::string& scratch) {
  using models::Datum;
  using models::Keep;
  Datum datum;
  // The cell's data and length, asked of db-lib once.
  const Cell c = cell_of(p, column);
  if (!c.data && c.length == 0) {
    row.add(datum);
    return true;
  }
  if (kept.keep == Keep::CONTRACT) return false;
  if (kept.keep == Keep::VALUE) {
    row.take(cell_value(p, column, type, kind));
    return true;
  }
  // Kinds whose datum is no copy of the cell's bytes.
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY:
      if (!is_money_type(type)) {
        row.take(cell_value(p, column, type, kind));
        return true;
      }
      datum.kind = Datum::MONEY;
      datum.i = cell_money_scaled(p, column);
      datum.extra = 4;
      row.add(datum);
      return true;
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL: {
      // Unscaled digits that fit 64 bits stay a number; more go as text.
      bool negative = false;
      unsigned __int128 magnitude = 0;
      int scale = 0;
      bool parts = (type == SYBDECIMAL || type == SYBNUMERIC) &&
                   numeric_parts(c, negative, magnitude, scale);
      if (parts && magnitude <= (unsigned __int128)G_MAXINT64) {
        datum.kind = Datum::DECIMAL;
        datum.i = negative ? -gint64(magnitude) : gint64(magnitude);
        datum.extra = gint16(scale);
        row.add(datum);
        return true;
      }
      std::string text = cell_decimal_text(p, column, type);
      row.add_data(Datum::DECIMAL_TEXT, text.data(), text.size());
      return true;
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME: {
      Cracked d;
      bool with_offset;
      gint32 offset;
      // The epoch and fields GLib refuses go the long way.
      if (!datetime_fields(p, c, type, d, with_offset, offset) ||
          !models::datum_datetime_fits(d.year, d.month, d.day, d.hour, d.minute, d.second,
                                       with_offset)) {
        row.take(cell_value(p, column, type, kind));
        return true;
      }
      datum.kind = with_offset ? Datum::DATETIME_OFFSET : Datum::DATETIME_UTC;
      datum.extra = gint16(offset / 60);
      datum.when.year = guint64(d.year);
      datum.when.month = guint64(d.month);
      datum.when.day = guint64(d.day);
      datum.when.hour = guint64(d.hour);
      datum.when.minute = guint64(d.minute);
      datum.when.second = guint64(d.second);
      datum.when.microsecond = guint64(microsecond_of(d));
      row.add(datum);
      return true;
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID: {
      // The 16 bytes, less than half their text.
      if (type == kUniqueType && c.data && c.length == 16) {
        row.add_data(Datum::UUID_BYTES, c.data, 16);
        return true;
      }
      char buffer[37];
      const char* text = cell_guid(p, column, type, buffer, scratch);
      row.add_data(Datum::UUID, text, std::strlen(text));
      return true;
    }
    default:
      break;
  }
  gsize length = c.data && c.length > 0 ? gsize(c.length) : 0;
  if (kept.datum >= Datum::STRING)
    row.add_data(kept.datum, length ? c.data : nullptr, length);
  else
    row.add(models::number_datum(kept.datum, c.data, length));
  return true;
}

// dbnextrow through raise_error. A runtime error inside a SELECT (divide by
// zero, a failed conversion) ends the rows like their end: a message queued
// since the command began turns that end into the failure it is.
bool read_row(DBPROCESS* p, GError** error) {
  STATUS status = dbnextrow(p);
  auto* userdata = userdata_of(p);
  if (raise_error(userdata, status, error)) return false;
  if (status == NO_MORE_ROWS) {
    raise_queued(userdata, error);
    return false;
  }
  return true;
}

TarvexProvidersContractsTableModel* fill_model(DBPROCESS* p, GError** error) {
  auto table = adoptGRef(tarvex_providers_contracts_table_model_new());
  struct Column {
    int type;
    DT kind;
    const models::DataTypeRow* kept;  // looked up once per column
  };
  int count = dbnumcols(p);
  std::vector<Column> columns;
  columns.reserve(size_t(std::max(count, 0)));
  for (int i = 1; i <= count; i++) {
    const char* name = dbcolname(p, i);
    int type = dbcoltype(p, i);
    DBINT size = dbcollen(p, i);
    DT kind = map_data_type(type, size);
    models::table_take_column(table.get(),
                              tarvex_providers_contracts_column_model_new_full_size(
                                  name && *name ? name : _("Result"), kind, gulong(size)));
    columns.push_back({type, kind, &models::data_type_row(kind)});
  }

  // Kinds whose values only the contract's defaults make go through a
  // reader, so the table holds what get_value would give.
  GRef<TarvexProvidersSupportsSQLServerReader> reader;
  std::string scratch;
  models::RowBuilder row;
  models::CellArena arena;
  while (true) {
    GError* local = nullptr;
    bool more = read_row(p, &local);
    if (local) {
      g_propagate_error(error, local);
      return nullptr;
    }
    if (!more) break;
    for (int i = 0; i < count; i++) {
      const auto& column = columns[size_t(i)];
      if (add_cell(row, p, i + 1, column.type, column.kind, *column.kept, scratch)) continue;
      if (!reader) reader = adoptGRef(tarvex_providers_supports_sql_server_reader_new(p));
      Value* value = tarvex_providers_contracts_idata_reader_get_value(
          reinterpret_cast<Reader*>(reader.get()), guint16(i), &local);
      if (local) {
        g_propagate_error(error, local);
        return nullptr;
      }
      row.take(value);
    }
    models::table_add_row(table.get(), row, arena);
  }
  return table.leak();
}

}  // namespace tarvex::sqlserver

// ------------------------------------------------------------ the reader

struct _TarvexProvidersSupportsSQLServerReaderPrivate {
  DBPROCESS* process = nullptr;
};

static void sql_server_reader_data_reader_init(TarvexProvidersContractsIDataReaderIface* iface);
static void sql_server_reader_type_init(TarvexProvidersSupportsISQLServerTypeIface*) {}
static void sql_server_reader_error_init(TarvexProvidersSupportsISQLServerErrorIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexProvidersSupportsSQLServerReader, tarvex_providers_supports_sql_server_reader,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_idata_reader_get_type(),
                          sql_server_reader_data_reader_init)
        G_IMPLEMENT_INTERFACE(tarvex_providers_supports_isql_server_type_get_type(),
                              sql_server_reader_type_init)
            G_IMPLEMENT_INTERFACE(tarvex_providers_supports_isql_server_error_get_type(),
                                  sql_server_reader_error_init))

namespace {

enum { PROP_0, PROP_USERDATA, PROP_FIELD_COUNT, PROP_IS_CLOSED, N_PROPERTIES };

inline DBPROCESS* process_of(gconstpointer self) {
  return tarvex_providers_supports_sql_server_reader_get_private(self)->process;
}

// db-lib numbers columns from 1.
inline int col(guint16 position) {
  return int(position) + 1;
}

TarvexProvidersSupportsTdsUserData* reader_get_userdata(
    TarvexProvidersSupportsISQLServerError* self) {
  return sqlserver::userdata_of(process_of(self));
}

gboolean reader_bulk(Reader*, GError**) {
  return FALSE;
}

gboolean reader_read(Reader* self, GError** error) {
  return sqlserver::read_row(process_of(self), error);
}

void reader_close(Reader*, GError**) {}

gchar* reader_get_name(Reader* self, guint16 position, GError**) {
  return g_strdup(dbcolname(process_of(self), col(position)));
}

gchar* reader_get_dbms_type(Reader* self, guint16 position, GError**) {
  DBPROCESS* p = process_of(self);
  return g_strdup(
      sqlserver::map_dbms_type(dbcoltype(p, col(position)), dbcollen(p, col(position))));
}

DT reader_get_data_type(Reader* self, guint16 position, GError**) {
  DBPROCESS* p = process_of(self);
  return sqlserver::map_data_type(dbcoltype(p, col(position)), dbcollen(p, col(position)));
}

gint64 reader_get_size(Reader* self, guint16 position, GError**) {
  return dbcollen(process_of(self), col(position));
}

gboolean reader_is_null(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_is_null(process_of(self), col(position));
}

gboolean reader_get_boolean(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_boolean(process_of(self), col(position));
}
gchar reader_get_char(Reader* self, guint16 position, GError**) {
  return gchar(sqlserver::cell_byte(process_of(self), col(position)));
}
gint8 reader_get_int8(Reader* self, guint16 position, GError**) {
  return gint8(sqlserver::cell_byte(process_of(self), col(position)));
}
guint8 reader_get_uint8(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_byte(process_of(self), col(position));
}
gint16 reader_get_int16(Reader* self, guint16 position, GError**) {
  return gint16(sqlserver::cell_u16(process_of(self), col(position)));
}
guint16 reader_get_uint16(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_u16(process_of(self), col(position));
}
gint32 reader_get_int32(Reader* self, guint16 position, GError**) {
  return gint32(sqlserver::cell_u32(process_of(self), col(position)));
}
guint32 reader_get_uint32(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_u32(process_of(self), col(position));
}
gint64 reader_get_int64(Reader* self, guint16 position, GError**) {
  return gint64(sqlserver::cell_u64(process_of(self), col(position)));
}
guint64 reader_get_uint64(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_u64(process_of(self), col(position));
}
gdouble reader_get_decimal(Reader* self, guint16 position, GError**) {
  DBPROCESS* p = process_of(self);
  return sqlserver::cell_decimal(p, col(position), dbcoltype(p, col(position)));
}
gdouble reader_get_money(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_money(process_of(self), col(position));
}
gfloat reader_get_float(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_float(process_of(self), col(position));
}
gdouble reader_get_double(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_double(process_of(self), col(position));
}
void reader_get_date(Reader* self, guint16 position, GDate* result, GError**) {
  sqlserver::cell_date(process_of(self), col(position), result);
}
GDateTime* reader_get_time(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_time(process_of(self), col(position));
}
GDateTime* reader_get_datetime(Reader* self, guint16 position, GError**) {
  DBPROCESS* p = process_of(self);
  return sqlserver::cell_datetime(p, col(position), dbcoltype(p, col(position)), nullptr);
}
gint64 reader_get_timespan(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_timespan(process_of(self), col(position));
}
gchar* reader_get_string(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_text_dup(process_of(self), col(position));
}
gchar* reader_get_guid(Reader* self, guint16 position, GError**) {
  DBPROCESS* p = process_of(self);
  char buffer[37];
  std::string text;
  return g_strdup(
      sqlserver::cell_guid(p, col(position), dbcoltype(p, col(position)), buffer, text));
}
guint8* reader_get_binary(Reader* self, guint16 position, gint* result_length1, GError**) {
  return sqlserver::cell_binary(process_of(self), col(position), result_length1);
}
Value* reader_get_variant(Reader* self, guint16 position, GError**) {
  return sqlserver::cell_variant(process_of(self), col(position));
}

// The contract's get_value makes decimals and money from a double,
// date-times without their offset and texts from C strings that end at a
// U+0000; those kinds are made here from the cell itself (as a filled
// table makes them), the others by the contract.
Value* reader_get_value(Reader* self, guint16 position, GError** error) {
  DBPROCESS* p = process_of(self);
  int column = col(position);
  int type = dbcoltype(p, column);
  DT kind = sqlserver::map_data_type(type, dbcollen(p, column));
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML:
      return sqlserver::cell_value(p, column, type, kind);
    default: {
      auto* contract = static_cast<TarvexProvidersContractsIDataReaderIface*>(
          g_type_default_interface_peek(tarvex_providers_contracts_idata_reader_get_type()));
      return contract->get_value(self, position, error);
    }
  }
}
gint reader_get_field_count(Reader* self) {
  return dbnumcols(process_of(self));
}
gboolean reader_get_is_closed(Reader* self) {
  return dbdead(process_of(self));
}

void reader_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_USERDATA:
      g_value_set_pointer(value, sqlserver::userdata_of(process_of(object)));
      break;
    case PROP_FIELD_COUNT:
      g_value_set_int(value, reader_get_field_count(reinterpret_cast<Reader*>(object)));
      break;
    case PROP_IS_CLOSED:
      g_value_set_boolean(value, reader_get_is_closed(reinterpret_cast<Reader*>(object)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

}  // namespace

static void sql_server_reader_data_reader_init(TarvexProvidersContractsIDataReaderIface* iface) {
  iface->bulk = reader_bulk;
  iface->read = reader_read;
  iface->close = reader_close;
  iface->get_name = reader_get_name;
  iface->get_dbms_type = reader_get_dbms_type;
  iface->get_data_type = reader_get_data_type;
  iface->get_size = reader_get_size;
  iface->is_null = reader_is_null;
  iface->get_boolean = reader_get_boolean;
  iface->get_char = reader_get_char;
  iface->get_int8 = reader_get_int8;
  iface->get_uint8 = reader_get_uint8;
  iface->get_int16 = reader_get_int16;
  iface->get_uint16 = reader_get_uint16;
  iface->get_int32 = reader_get_int32;
  iface->get_uint32 = reader_get_uint32;
  iface->get_int64 = reader_get_int64;
  iface->get_uint64 = reader_get_uint64;
  iface->get_decimal = reader_get_decimal;
  iface->get_money = reader_get_money;
  iface->get_float = reader_get_float;
  iface->get_double = reader_get_double;
  iface->get_date = reader_get_date;
  iface->get_time = reader_get_time;
  iface->get_datetime = reader_get_datetime;
  iface->get_timespan = reader_get_timespan;
  iface->get_string = reader_get_string;
  iface->get_string16 = reader_get_string;
  iface->get_guid = reader_get_guid;
  iface->get_binary = reader_get_binary;
  iface->get_xml = reader_get_string;
  iface->get_variant = reader_get_variant;
  iface->get_value = reader_get_value;
  iface->get_field_count = reader_get_field_count;
  iface->get_is_closed = reader_get_is_closed;
}

static void sql_server_reader_error_init(TarvexProvidersSupportsISQLServerErrorIface* iface) {
  iface->get_userdata = reader_get_userdata;
}

static void tarvex_providers_supports_sql_server_reader_class_setup(
    TarvexProvidersSupportsSQLServerReaderClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = reader_get_property;
  g_object_class_override_property(oc, PROP_USERDATA, "userdata");
  g_object_class_override_property(oc, PROP_FIELD_COUNT, "field-count");
  g_object_class_override_property(oc, PROP_IS_CLOSED, "is-closed");
}

TarvexProvidersSupportsSQLServerReader* tarvex_providers_supports_sql_server_reader_construct(
    GType object_type, gpointer connection) {
  g_return_val_if_fail(connection != NULL, NULL);
  auto* self =
      static_cast<TarvexProvidersSupportsSQLServerReader*>(g_object_new(object_type, nullptr));
  tarvex_providers_supports_sql_server_reader_get_private(self)->process =
      static_cast<DBPROCESS*>(connection);
  return self;
}

TarvexProvidersSupportsSQLServerReader* tarvex_providers_supports_sql_server_reader_new(
    gpointer connection) {
  return tarvex_providers_supports_sql_server_reader_construct(
      TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER, connection);
}
