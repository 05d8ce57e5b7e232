#include "brevane/helpers/database_helper.h"

#include <gee.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include "brevane/helpers/file_type_helper.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-fundamental-private.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/value_null.h"

using tarvex::GUniqueStr;
using tarvex::sql::backquoted;
using tarvex::sql::double_quoted;
using tarvex::sql::literal;

struct _TarvexBrevaneHelpersDatabaseHelperPrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersDatabaseHelper,
                               tarvex_brevane_helpers_database_helper, tarvex_brevane_helpers,
                               database_helper, TARVEX_BREVANE_HELPERS_TYPE_DATABASE_HELPER)

TarvexBrevaneHelpersDatabaseHelper* tarvex_brevane_helpers_database_helper_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneHelpersDatabaseHelper*>(tarvex::fundamental::create(object_type));
}

TarvexBrevaneHelpersDatabaseHelper* tarvex_brevane_helpers_database_helper_new(void) {
  return tarvex_brevane_helpers_database_helper_construct(
      TARVEX_BREVANE_HELPERS_TYPE_DATABASE_HELPER);
}

namespace {

bool is(std::string_view name, std::initializer_list<std::string_view> names) {
  for (auto n : names)
    if (n == name) return true;
  return false;
}

gchar* printf_text(const char* format, ...) G_GNUC_PRINTF(1, 2);
gchar* printf_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  gchar* out = g_strdup_vprintf(format, args);
  va_end(args);
  return out;
}

}  // namespace

gchar* tarvex_brevane_helpers_database_helper_glib_value_to_text(GValue* boxed,
                                                                 const gchar* null_value) {
  g_return_val_if_fail(boxed != NULL, NULL);
  g_return_val_if_fail(null_value != NULL, NULL);
  const std::string_view name = G_VALUE_TYPE_NAME(boxed);
  const GValue* v = boxed;
  if (name == "gchararray") {
    const char* s = G_VALUE_HOLDS_STRING(v) ? g_value_get_string(v) : nullptr;
    return g_strdup(s ? s : null_value);
  }
  if (name == "gchar")
    return G_VALUE_HOLDS_CHAR(v) ? printf_text("%hhi", g_value_get_schar(v)) : g_strdup(null_value);
  if (is(name, {"int16", "gint16", "gint"}))
    return G_VALUE_HOLDS_INT(v) ? printf_text("%i", g_value_get_int(v)) : g_strdup(null_value);
  if (name == "glong")
    return G_VALUE_HOLDS_LONG(v) ? printf_text("%li", g_value_get_long(v)) : g_strdup(null_value);
  if (name == "gint64")
    return G_VALUE_HOLDS_INT64(v)
               ? printf_text("%lli", static_cast<long long>(g_value_get_int64(v)))
               : g_strdup(null_value);
  if (name == "guchar")
    return G_VALUE_HOLDS_UCHAR(v) ? printf_text("%hhu", g_value_get_uchar(v))
                                  : g_strdup(null_value);
  if (is(name, {"uint16", "guint16", "guint"}))
    return G_VALUE_HOLDS_UINT(v) ? printf_text("%u", g_value_get_uint(v)) : g_strdup(null_value);
  if (name == "gulong")
    return G_VALUE_HOLDS_ULONG(v) ? printf_text("%lu", g_value_get_ulong(v)) : g_strdup(null_value);
  if (name == "guint64")
    return G_VALUE_HOLDS_UINT64(v)
               ? printf_text("%llu", static_cast<unsigned long long>(g_value_get_uint64(v)))
               : g_strdup(null_value);
  if (is(name, {"gfloat", "numeric", "gnumeric"}))
    return G_VALUE_HOLDS_FLOAT(v) ? printf_text("%g", static_cast<double>(g_value_get_float(v)))
                                  : g_strdup(null_value);
  if (name == "gdouble") {
    if (!G_VALUE_HOLDS_DOUBLE(v)) return g_strdup(null_value);
    char buffer[G_ASCII_DTOSTR_BUF_SIZE];
    return g_strdup(g_ascii_dtostr(buffer, sizeof buffer, g_value_get_double(v)));
  }
  if (name == "gboolean")
    return G_VALUE_HOLDS_BOOLEAN(v) ? g_strdup(g_value_get_boolean(v) ? "TRUE" : "FALSE")
                                    : g_strdup(null_value);
  if (is(name, {"genum", "GNull"})) return g_strdup(null_value);
  if (name == "GTime") {
    auto* tm =
        G_VALUE_HOLDS_BOXED(v) ? static_cast<const struct tm*>(g_value_get_boxed(v)) : nullptr;
    if (!tm) return g_strdup(null_value);
    char buffer[64];
    size_t n = strftime(buffer, sizeof buffer, "%H:%M:%S", tm);
    return g_strndup(buffer, n);
  }
  if (name == "GDate") {
    auto* date = G_VALUE_HOLDS_BOXED(v) ? static_cast<const GDate*>(g_value_get_boxed(v)) : nullptr;
    if (!date || !g_date_valid(date)) return g_strdup(null_value);
    return printf_text("%d-%d-%d", g_date_get_year(date), g_date_get_month(date),
                       g_date_get_day(date));
  }
  if (is(name, {"GDateTime", "GTimestamp"})) {
    auto* moment = G_VALUE_HOLDS_BOXED(v) ? static_cast<GDateTime*>(g_value_get_boxed(v)) : nullptr;
    if (!moment) return g_strdup(null_value);
    return g_date_time_format(moment, "%Y-%m-%d %H:%M:%S");
  }
  return g_strdup_value_contents(v);
}

void tarvex_brevane_helpers_database_helper_string_to_glib_value(GType type, const gchar* text,
                                                                 GValue* result) {
  g_return_if_fail(text != NULL);
  g_return_if_fail(result != NULL);
  g_return_if_fail(G_TYPE_IS_VALUE_TYPE(type));
  g_value_init(result, type);
  const std::string_view name = g_type_name(type);
  GValue* v = result;
  if (name == "gchararray") {
    g_value_set_string(v, text);
  } else if (name == "gchar") {
    g_value_set_schar(v, static_cast<gint8>(std::atoi(text)));
  } else if (name == "gint16") {
    if (G_VALUE_HOLDS_INT(v)) g_value_set_int(v, static_cast<gint16>(std::atoi(text)));
  } else if (name == "gint") {
    g_value_set_int(v, std::atoi(text));
  } else if (name == "glong") {
    g_value_set_long(v, static_cast<glong>(g_ascii_strtoll(text, nullptr, 0)));
  } else if (name == "gint64") {
    g_value_set_int64(v, g_ascii_strtoll(text, nullptr, 0));
  } else if (is(name, {"guchar", "guint16", "guint", "gulong", "guint64"})) {
    guint64 number = g_ascii_strtoull(text, nullptr, 0);
    if (name == "guchar")
      g_value_set_uchar(v, static_cast<guint8>(number));
    else if (name == "guint16") {
      if (G_VALUE_HOLDS_UINT(v)) g_value_set_uint(v, static_cast<guint16>(number));
    } else if (name == "guint")
      g_value_set_uint(v, static_cast<guint32>(number));
    else if (name == "gulong")
      g_value_set_ulong(v, static_cast<gulong>(number));
    else
      g_value_set_uint64(v, number);
  } else if (name == "gfloat") {
    g_value_set_float(v, std::strtof(text, nullptr));
  } else if (name == "gdouble") {
    g_value_set_double(v, g_ascii_strtod(text, nullptr));
  } else if (name == "gboolean") {
    g_value_set_boolean(v, std::strcmp(text, "true") == 0);
  } else if (is(name, {"genum", "GBlob", "GBinary"})) {
    if (G_VALUE_HOLDS_STRING(v)) g_value_set_string(v, text);
  } else if (name == "GTime") {
    if (G_VALUE_HOLDS_BOXED(v)) {
      struct tm tm = {};
      std::sscanf(text, "%d:%d:%d", &tm.tm_hour, &tm.tm_min, &tm.tm_sec);
      g_value_set_boxed(v, &tm);  // the value keeps its own copy
    }
  } else if (name == "GDate") {
    if (G_VALUE_HOLDS_BOXED(v)) {
      GDate date;
      g_date_clear(&date, 1);
      g_value_set_boxed(v, &date);
    }
  } else if (name == "GDateTime") {
    GTimeZone* utc = g_time_zone_new_utc();
    g_value_take_boxed(v, g_date_time_new_from_iso8601(text, utc));
    g_time_zone_unref(utc);
  } else if (name == "GNull") {
    g_value_reset(v);
  }
}

gboolean tarvex_brevane_helpers_database_helper_glib_value_to_int64(GValue* boxed, gint64* result) {
  g_return_val_if_fail(boxed != NULL, FALSE);
  gint64 out = 0;
  bool ok = true;
  if (G_VALUE_HOLDS_INT64(boxed))
    out = g_value_get_int64(boxed);
  else if (G_VALUE_HOLDS_LONG(boxed))
    out = g_value_get_long(boxed);
  else if (G_VALUE_HOLDS_INT(boxed))
    out = g_value_get_int(boxed);
  else if (G_VALUE_HOLDS_CHAR(boxed))
    out = g_value_get_schar(boxed);
  else
    ok = false;
  if (result) *result = out;
  return ok;
}

gboolean tarvex_brevane_helpers_database_helper_glib_value_to_uint64(GValue* boxed,
                                                                     guint64* result) {
  g_return_val_if_fail(boxed != NULL, FALSE);
  guint64 out = 0;
  bool ok = true;
  if (G_VALUE_HOLDS_UINT64(boxed))
    out = g_value_get_uint64(boxed);
  else if (G_VALUE_HOLDS_ULONG(boxed))
    out = g_value_get_ulong(boxed);
  else if (G_VALUE_HOLDS_UINT(boxed))
    out = g_value_get_uint(boxed);
  else if (G_VALUE_HOLDS_ENUM(boxed))
    out = static_cast<guint64>(static_cast<gint64>(g_value_get_enum(boxed)));
  else if (G_VALUE_HOLDS_UCHAR(boxed))
    out = g_value_get_uchar(boxed);
  else
    ok = false;
  if (result) *result = out;
  return ok;
}

gboolean tarvex_brevane_helpers_database_helper_glib_value_to_double(GValue* boxed,
                                                                     gdouble* result) {
  g_return_val_if_fail(boxed != NULL, FALSE);
  double out = 0;
  bool ok = true;
  gint64 whole = 0;
  guint64 unsigned_whole = 0;
  if (G_VALUE_HOLDS_DOUBLE(boxed))
    out = g_value_get_double(boxed);
  else if (G_VALUE_HOLDS_FLOAT(boxed))
    out = g_value_get_float(boxed);
  else if (G_VALUE_HOLDS_ENUM(boxed))
    // An enum reads as its signed value.
    out = g_value_get_enum(boxed);
  else if (tarvex_brevane_helpers_database_helper_glib_value_to_int64(boxed, &whole))
    out = static_cast<double>(whole);
  else if (tarvex_brevane_helpers_database_helper_glib_value_to_uint64(boxed, &unsigned_whole))
    out = static_cast<double>(unsigned_whole);
  else
    ok = false;
  if (result) *result = out;
  return ok;
}

gchar* tarvex_brevane_helpers_database_helper_format_sql_value(
    TarvexProvidersContractsDataType data_type, TarvexProvidersContractsIValue* data_value) {
  g_return_val_if_fail(data_value != NULL, NULL);
  if (G_TYPE_CHECK_INSTANCE_TYPE(data_value, tarvex_providers_contracts_value_null_get_type()))
    return g_strdup("NULL");
  GUniqueStr text(tarvex_providers_contracts_ivalue_to_string(data_value));
  const char* t = text ? text.get() : "";
  if (tarvex::sql::is_bare_number_kind(data_type)) return g_strdup(t);
  // Every quoted kind escapes its quotes: a text must never end the literal
  // early.
  return tarvex::dup(literal(t));
}

gboolean tarvex_brevane_helpers_database_helper_update_schema_with_model(
    TarvexBrevaneMetaModelMetaTable* table, TarvexProvidersContractsTableModel* model) {
  g_return_val_if_fail(table != NULL, FALSE);
  g_return_val_if_fail(model != NULL, FALSE);
  GeeArrayList* columns = tarvex_providers_contracts_table_model_get_columns(model);
  gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(columns));
  for (gint i = 0; i < count; i++) {
    auto* column = static_cast<TarvexProvidersContractsColumnModel*>(
        gee_abstract_list_get(GEE_ABSTRACT_LIST(columns), i));
    auto made = tarvex::adoptGRef(tarvex_brevane_meta_model_meta_table_new_column(
        table, tarvex_providers_contracts_column_model_get_name(column),
        tarvex_providers_contracts_column_model_get_data_type(column)));
    g_object_unref(column);
  }
  GeeArrayList* held = tarvex_brevane_meta_model_meta_table_get_columns(table);
  return held && gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(held)) == count;
}

gchar* tarvex_brevane_helpers_database_helper_format_size(guint64 size) {
  if (size <= 1000) return printf_text("%llu Byte", static_cast<unsigned long long>(size));
  std::string digits = std::to_string(size / 1000);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); i++) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return tarvex::dup(grouped + " KB");
}

gchar* tarvex_brevane_helpers_database_helper_summary(TarvexProvidersContractsValueBinary* value,
                                                      const gchar* null_value) {
  g_return_val_if_fail(value != NULL, NULL);
  g_return_val_if_fail(null_value != NULL, NULL);
  gint length = 0;
  tarvex::GUnique<guint8> bytes(tarvex_providers_contracts_value_binary_to_bytes(value, &length));
  if (!bytes || length <= 0) return g_strdup("");
  auto* text = reinterpret_cast<const char*>(bytes.get());
  if (g_utf8_validate(text, length, nullptr)) return g_strndup(text, length);
  GUniqueStr mime(tarvex_brevane_helpers_file_type_helper_guess_file_type(
      tarvex_brevane_helpers_file_type_helper_get_singleton(), bytes.get(), length));
  GUniqueStr size(tarvex_brevane_helpers_database_helper_format_size(static_cast<guint64>(length)));
  return printf_text("%s(%s)", mime.get(), size.get());
}

namespace {

struct Unit {
  const char* name;
  int power;
};
constexpr Unit kUnits[] = {{"B", 0},   {"KB", 10}, {"MB", 20}, {"GB", 30}, {"TB", 40},
                           {"PB", 50}, {"EB", 60}, {"ZB", 70}, {"YB", 80}};

// Index in the unit table; a name not in it counts as bytes.
size_t unit_index(const char* name) {
  for (size_t i = 0; i < G_N_ELEMENTS(kUnits); i++)
    if (std::strcmp(kUnits[i].name, name) == 0) return i;
  return 0;
}

// size / 2^shift without undefined shifts.
guint64 shift_down(guint64 size, int shift) {
  return shift >= 64 ? 0 : size >> shift;
}

}  // namespace

guint64 tarvex_brevane_helpers_database_helper_match_unit_max(guint64 size, const gchar* unit,
                                                              gchar** unit_max) {
  g_return_val_if_fail(unit != NULL, 0);
  const size_t given = unit_index(unit);
  const int base = kUnits[given].power;
  for (size_t i = given + 1; i < G_N_ELEMENTS(kUnits); i++) {
    const int diff = kUnits[i].power - base;
    const bool exceeds = diff >= 64 || (guint64{1} << diff) > size;
    if (exceeds) {
      if (unit_max) *unit_max = g_strdup(kUnits[i - 1].name);
      return shift_down(size, kUnits[i - 1].power - base);
    }
  }
  // At least one of the largest unit.
  const Unit& largest = kUnits[G_N_ELEMENTS(kUnits) - 1];
  if (unit_max) *unit_max = g_strdup(largest.name);
  return shift_down(size, largest.power - base);
}

guint64 tarvex_brevane_helpers_database_helper_convert_with_unit(guint64 size,
                                                                 const gchar* unit_old,
                                                                 const gchar* unit_new) {
  g_return_val_if_fail(unit_old != NULL, 0);
  g_return_val_if_fail(unit_new != NULL, 0);
  const int from = kUnits[unit_index(unit_old)].power;
  const int to = kUnits[unit_index(unit_new)].power;
  if (from == to) return size;
  if (from < to) return shift_down(size, to - from);
  const int shift = from - to;
  if (size == 0) return 0;
  // Saturates instead of wrapping around.
  if (shift >= 64 || size > (G_MAXUINT64 >> shift)) return G_MAXUINT64;
  return size << shift;
}

gchar* tarvex_brevane_helpers_database_helper_make_fullname_mysql(const gchar* username) {
  g_return_val_if_fail(username != NULL, NULL);
  gchar** pieces = g_strsplit(username, "@", -1);
  std::string out;
  if (!std::strchr(username, '@'))
    out = backquoted(username);
  else
    out = backquoted(pieces[0]) + "@" + backquoted(pieces[1]);
  g_strfreev(pieces);
  return tarvex::dup(out);
}

namespace {

std::string object_name(const char* schema, const char* table) {
  if (!*schema) return double_quoted(table);
  return double_quoted(schema) + "." + double_quoted(table);
}

// Checks one name/value array pair; the texts are the reports.
bool pair_ok(const char* func, gchar** names, gint names_length, gchar** values, gint values_length,
             const char* empty_text, const char* length_text) {
  if (names_length <= 0 || !names) {
    g_return_if_fail_warning(G_LOG_DOMAIN, func, empty_text);
    return false;
  }
  if (names_length != values_length || !values) {
    g_return_if_fail_warning(G_LOG_DOMAIN, func, length_text);
    return false;
  }
  for (gint i = 0; i < names_length; i++) {
    if (!names[i] || !values[i]) {
      g_return_if_fail_warning(G_LOG_DOMAIN, func, "names and values are not NULL");
      return false;
    }
  }
  return true;
}

std::string joined(gchar** names, gchar** values, gint length, const char* separator) {
  std::string out;
  for (gint i = 0; i < length; i++) {
    if (i > 0) out += separator;
    out += double_quoted(names[i]) + "=" + values[i];
  }
  return out;
}

}  // namespace

gchar* tarvex_brevane_helpers_database_helper_format_object_name(const gchar* schema,
                                                                 const gchar* table) {
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(table != NULL, NULL);
  return tarvex::dup(object_name(schema, table));
}

gchar* tarvex_brevane_helpers_database_helper_build_sql_update(
    const gchar* schema, const gchar* table, gchar** columns, gint columns_length1, gchar** values,
    gint values_length1, gchar** keys, gint keys_length1, gchar** key_values,
    gint key_values_length1) {
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(table != NULL, NULL);
  if (!pair_ok(G_STRFUNC, columns, columns_length1, values, values_length1, "columns_length1 > 0",
               "columns_length1 == values_length1"))
    return nullptr;
  // Without a key the statement would change every row.
  if (!pair_ok(G_STRFUNC, keys, keys_length1, key_values, key_values_length1, "keys_length1 > 0",
               "keys_length1 == key_values_length1"))
    return nullptr;
  std::string sql = "UPDATE " + object_name(schema, table) + " SET " +
                    joined(columns, values, columns_length1, ", ") + " WHERE " +
                    joined(keys, key_values, keys_length1, " AND ") + ";";
  return tarvex::dup(sql);
}

gchar* tarvex_brevane_helpers_database_helper_build_sql_insert(const gchar* schema,
                                                               const gchar* table, gchar** columns,
                                                               gint columns_length1, gchar** values,
                                                               gint values_length1) {
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(table != NULL, NULL);
  if (!pair_ok(G_STRFUNC, columns, columns_length1, values, values_length1, "columns_length1 > 0",
               "columns_length1 == values_length1"))
    return nullptr;
  std::string names, literals;
  for (gint i = 0; i < columns_length1; i++) {
    if (i > 0) {
      names += ", ";
      literals += ", ";
    }
    names += double_quoted(columns[i]);
    literals += values[i];
  }
  return tarvex::dup("INSERT INTO " + object_name(schema, table) + "(" + names + ") VALUES(" +
                     literals + ");");
}

gchar* tarvex_brevane_helpers_database_helper_build_sql_delete(const gchar* schema,
                                                               const gchar* table, gchar** keys,
                                                               gint keys_length1,
                                                               gchar** key_values,
                                                               gint key_values_length1) {
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(table != NULL, NULL);
  // Without a key the statement would delete every row.
  if (!pair_ok(G_STRFUNC, keys, keys_length1, key_values, key_values_length1, "keys_length1 > 0",
               "keys_length1 == key_values_length1"))
    return nullptr;
  return tarvex::dup("DELETE FROM " + object_name(schema, table) + " WHERE " +
                     joined(keys, key_values, keys_length1, " AND ") + ";");
}
