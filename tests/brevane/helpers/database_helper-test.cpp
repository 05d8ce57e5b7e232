// Database helper: GLib values to text and back, SQL literals and statements
// through tables of cases with quotes and brackets, sizes and units.
#include <gee.h>

#include <ctime>
#include <string>
#include <vector>

#include "brevane/helpers/database_helper.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/contracts.h"
#include "tests/brevane/helpers/file-types/file-types.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;

namespace {

class DatabaseHelperTest : public tarvex::test::LogCaptureTest {};

using tarvex::test::take;

// A host's calendar-time record registered under the name the helper knows.
GType time_record_type() {
  static GType type = g_boxed_type_register_static(
      "GTime", [](gpointer p) -> gpointer { return g_memdup2(p, sizeof(struct tm)); }, g_free);
  return type;
}

// A string-holding type under a name of the text table only.
GType fundamental_of(const char* name, GType storage) {
  GType found = g_type_from_name(name);
  if (found) return found;
  GTypeInfo info = {};
  return g_type_register_static(storage, name, &info, GTypeFlags(0));
}

std::string text_of(GValue* value, const char* null_text = "<null>") {
  return take(tarvex_brevane_helpers_database_helper_glib_value_to_text(value, null_text));
}

TEST_F(DatabaseHelperTest, GlibValueToText) {
  tarvex::GValueHolder s(G_TYPE_STRING);
  EXPECT_EQ(text_of(s.get()), "<null>");
  g_value_set_string(s.get(), "abc");
  EXPECT_EQ(text_of(s.get()), "abc");

  tarvex::GValueHolder c(G_TYPE_CHAR), uc(G_TYPE_UCHAR), i(G_TYPE_INT), u(G_TYPE_UINT),
      l(G_TYPE_LONG), ul(G_TYPE_ULONG), i64(G_TYPE_INT64), u64(G_TYPE_UINT64), f(G_TYPE_FLOAT),
      d(G_TYPE_DOUBLE), b(G_TYPE_BOOLEAN);
  g_value_set_schar(c.get(), -7);
  g_value_set_uchar(uc.get(), 250);
  g_value_set_int(i.get(), -42);
  g_value_set_uint(u.get(), 4000000000u);
  g_value_set_long(l.get(), -9);
  g_value_set_ulong(ul.get(), 10);
  g_value_set_int64(i64.get(), G_MININT64);
  g_value_set_uint64(u64.get(), G_MAXUINT64);
  g_value_set_float(f.get(), 1.5f);
  g_value_set_double(d.get(), 0.1);
  g_value_set_boolean(b.get(), TRUE);
  struct {
    GValue* value;
    const char* text;
  } rows[] = {
      {c.get(), "-7"},
      {uc.get(), "250"},
      {i.get(), "-42"},
      {u.get(), "4000000000"},
      {l.get(), "-9"},
      {ul.get(), "10"},
      {i64.get(), "-9223372036854775808"},
      {u64.get(), "18446744073709551615"},
      {f.get(), "1.5"},
      {d.get(), "0.10000000000000001"},
      {b.get(), "TRUE"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(text_of(row.value), row.text) << G_VALUE_TYPE_NAME(row.value);
  g_value_set_boolean(b.get(), FALSE);
  EXPECT_EQ(text_of(b.get()), "FALSE");

  GDate* date = g_date_new_dmy(5, G_DATE_JANUARY, 2024);
  tarvex::GValueHolder dv(G_TYPE_DATE);
  g_value_take_boxed(dv.get(), date);
  EXPECT_EQ(text_of(dv.get()), "2024-1-5");
  GDate invalid;
  g_date_clear(&invalid, 1);
  g_value_set_boxed(dv.get(), &invalid);
  EXPECT_EQ(text_of(dv.get()), "<null>");

  tarvex::GValueHolder dt(G_TYPE_DATE_TIME);
  EXPECT_EQ(text_of(dt.get()), "<null>");
  GTimeZone* tz = g_time_zone_new_offset(5 * 3600 + 1800);
  g_value_take_boxed(dt.get(), g_date_time_new(tz, 2024, 3, 9, 7, 8, 9));
  g_time_zone_unref(tz);
  EXPECT_EQ(text_of(dt.get()), "2024-03-09 07:08:09");

  tarvex::GValueHolder tm_value(time_record_type());
  EXPECT_EQ(text_of(tm_value.get()), "<null>");
  struct tm tm = {};
  tm.tm_hour = 13;
  tm.tm_min = 5;
  tm.tm_sec = 7;
  g_value_set_boxed(tm_value.get(), &tm);
  EXPECT_EQ(text_of(tm_value.get()), "13:05:07");

  // Any other type: GLib's description of the contents.
  tarvex::GValueHolder strv(G_TYPE_STRV);
  const char* items[] = {"a", nullptr};
  g_value_set_boxed(strv.get(), items);
  EXPECT_EQ(text_of(strv.get()), "[\"a\"]");
}

TEST_F(DatabaseHelperTest, StringToGlibValue) {
  auto read = [](GType type, const char* text) {
    auto* value = g_new0(GValue, 1);
    tarvex_brevane_helpers_database_helper_string_to_glib_value(type, text, value);
    return tarvex::GUnique<GValue>(value);
  };
  EXPECT_EQ(g_value_get_int64(read(G_TYPE_INT64, "0x10").get()), 16);
  EXPECT_EQ(g_value_get_int64(read(G_TYPE_INT64, "010").get()), 8);
  EXPECT_EQ(g_value_get_int64(read(G_TYPE_INT64, "-12").get()), -12);
  EXPECT_EQ(g_value_get_long(read(G_TYPE_LONG, "0x1F").get()), 31);
  EXPECT_EQ(g_value_get_int(read(G_TYPE_INT, "  -77abc").get()), -77);
  EXPECT_EQ(g_value_get_int(read(G_TYPE_INT, "abc").get()), 0);
  EXPECT_EQ(g_value_get_schar(read(G_TYPE_CHAR, "300").get()), 44);
  EXPECT_EQ(g_value_get_uchar(read(G_TYPE_UCHAR, "0x1FF").get()), 255);
  EXPECT_EQ(g_value_get_uint(read(G_TYPE_UINT, "4294967297").get()), 1u);
  EXPECT_EQ(g_value_get_uint64(read(G_TYPE_UINT64, "18446744073709551615").get()), G_MAXUINT64);
  EXPECT_EQ(g_value_get_ulong(read(G_TYPE_ULONG, "077").get()), 63u);
  EXPECT_FLOAT_EQ(g_value_get_float(read(G_TYPE_FLOAT, "2.5").get()), 2.5f);
  EXPECT_DOUBLE_EQ(g_value_get_double(read(G_TYPE_DOUBLE, "3.25").get()), 3.25);
  EXPECT_TRUE(g_value_get_boolean(read(G_TYPE_BOOLEAN, "true").get()));
  EXPECT_FALSE(g_value_get_boolean(read(G_TYPE_BOOLEAN, "TRUE").get()));
  EXPECT_STREQ(g_value_get_string(read(G_TYPE_STRING, "it's").get()), "it's");

  auto dt = read(G_TYPE_DATE_TIME, "2024-01-02T03:04:05");
  auto* moment = static_cast<GDateTime*>(g_value_get_boxed(dt.get()));
  ASSERT_NE(moment, nullptr);
  EXPECT_EQ(g_date_time_get_utc_offset(moment), 0);
  EXPECT_EQ(g_date_time_get_hour(moment), 3);
  EXPECT_EQ(g_value_get_boxed(read(G_TYPE_DATE_TIME, "no date").get()), nullptr);

  auto date = read(G_TYPE_DATE, "2024-01-05");
  auto* d = static_cast<GDate*>(g_value_get_boxed(date.get()));
  ASSERT_NE(d, nullptr);
  EXPECT_FALSE(g_date_valid(d));

  auto tm_value = read(time_record_type(), "13:05:07");
  auto* tm = static_cast<struct tm*>(g_value_get_boxed(tm_value.get()));
  ASSERT_NE(tm, nullptr);
  EXPECT_EQ(tm->tm_hour * 10000 + tm->tm_min * 100 + tm->tm_sec, 130507);

  // Names of the text table: a string-holding "GBlob" takes the text.
  GType blob = fundamental_of("GBlob", G_TYPE_STRING);
  EXPECT_STREQ(g_value_get_string(read(blob, "bytes").get()), "bytes");
  // An unknown name keeps the default.
  EXPECT_EQ(g_value_get_boxed(read(G_TYPE_STRV, "x").get()), nullptr);
}

TEST_F(DatabaseHelperTest, GlibValueToNumbers) {
  struct {
    GType type;
    void (*set)(GValue*);
    bool as_int, as_uint, as_double;
    gint64 i;
    guint64 u;
    double d;
  } rows[] = {
      {G_TYPE_INT64, [](GValue* v) { g_value_set_int64(v, -5); }, true, false, true, -5, 0, -5},
      {G_TYPE_LONG, [](GValue* v) { g_value_set_long(v, -6); }, true, false, true, -6, 0, -6},
      {G_TYPE_INT, [](GValue* v) { g_value_set_int(v, 7); }, true, false, true, 7, 0, 7},
      {G_TYPE_CHAR, [](GValue* v) { g_value_set_schar(v, -8); }, true, false, true, -8, 0, -8},
      {G_TYPE_UINT64, [](GValue* v) { g_value_set_uint64(v, G_MAXUINT64); }, false, true, true, 0,
       G_MAXUINT64, 18446744073709551615.0},
      {G_TYPE_ULONG, [](GValue* v) { g_value_set_ulong(v, 9); }, false, true, true, 0, 9, 9},
      {G_TYPE_UINT, [](GValue* v) { g_value_set_uint(v, 10); }, false, true, true, 0, 10, 10},
      {G_TYPE_UCHAR, [](GValue* v) { g_value_set_uchar(v, 200); }, false, true, true, 0, 200, 200},
      {G_TYPE_DOUBLE, [](GValue* v) { g_value_set_double(v, 1.25); }, false, false, true, 0, 0,
       1.25},
      {G_TYPE_FLOAT, [](GValue* v) { g_value_set_float(v, 0.5f); }, false, false, true, 0, 0, 0.5},
      {G_TYPE_STRING, [](GValue* v) { g_value_set_string(v, "1"); }, false, false, false, 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(g_type_name(row.type));
    tarvex::GValueHolder v(row.type);
    row.set(v.get());
    gint64 i = 99;
    guint64 u = 99;
    double d = 99;
    EXPECT_EQ(bool(tarvex_brevane_helpers_database_helper_glib_value_to_int64(v.get(), &i)),
              row.as_int);
    EXPECT_EQ(bool(tarvex_brevane_helpers_database_helper_glib_value_to_uint64(v.get(), &u)),
              row.as_uint);
    EXPECT_EQ(bool(tarvex_brevane_helpers_database_helper_glib_value_to_double(v.get(), &d)),
              row.as_double);
    EXPECT_EQ(i, row.i);
    EXPECT_EQ(u, row.u);
    EXPECT_DOUBLE_EQ(d, row.d);
  }
  // An enumeration widens with its sign.
  tarvex::GValueHolder e(G_TYPE_FILE_TYPE);
  g_value_set_enum(e.get(), G_FILE_TYPE_DIRECTORY);
  guint64 u = 0;
  EXPECT_TRUE(tarvex_brevane_helpers_database_helper_glib_value_to_uint64(e.get(), &u));
  EXPECT_EQ(u, guint64(G_FILE_TYPE_DIRECTORY));
}

using IValue = TarvexProvidersContractsIValue;
GRef<IValue> value(gpointer v) {
  return adoptGRef(static_cast<IValue*>(v));
}

TEST_F(DatabaseHelperTest, SqlLiterals) {
  using DT = TarvexProvidersContractsDataType;
  struct {
    DT type;
    GRef<IValue> value;
    const char* sql;
  } rows[] = {
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
       value(tarvex_providers_contracts_value_int32_new(42)), "42"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN,
       value(tarvex_providers_contracts_value_boolean_new(TRUE)), "true"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
       value(tarvex_providers_contracts_value_string_new("O'Brien")), "'O''Brien'"},
      // Every quoted kind escapes its quotes, not only STRING.
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING,
       value(tarvex_providers_contracts_value_string_new("O'Brien")), "'O''Brien'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML,
       value(tarvex_providers_contracts_value_xml_new("<a b='1'/>")), "'<a b=''1''/>'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON,
       value(tarvex_providers_contracts_value_json_new("{\"k\": \"x'); DROP TABLE t; --\"}")),
       "'{\"k\": \"x''); DROP TABLE t; --\"}'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
       value(tarvex_providers_contracts_value_string_new("[a]]b]")), "'[a]]b]'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL,
       value(tarvex_providers_contracts_value_decimal_new(12.5)), "'12.5'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME,
       value(tarvex_providers_contracts_value_date_time_new_utc(2024, 1, 2, 3, 4, 5)),
       "'2024-01-02 03:04:05'"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(
        take(tarvex_brevane_helpers_database_helper_format_sql_value(row.type, row.value.get())),
        row.sql)
        << row.sql;
  auto null = value(tarvex_providers_contracts_value_null_new());
  for (int type = 0; type <= 40; type++)
    EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_format_sql_value(DT(type), null.get())),
              "NULL")
        << type;
}

struct Names {
  std::vector<const char*> items;
  gchar** data() { return const_cast<gchar**>(items.data()); }
  gint size() const { return gint(items.size()); }
};

TEST_F(DatabaseHelperTest, ObjectNamesAreQuoted) {
  struct {
    const char* schema;
    const char* table;
    const char* name;
  } rows[] = {
      {"dbo", "t", "\"dbo\".\"t\""},
      {"", "t", "\"t\""},
      {"dbo", "", "\"dbo\".\"\""},
      {"", "", "\"\""},
      {"my \"s\"", "a.b", "\"my \"\"s\"\"\".\"a.b\""},
      {"dbo", "[x]", "\"dbo\".\"[x]\""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(
        take(tarvex_brevane_helpers_database_helper_format_object_name(row.schema, row.table)),
        row.name);

  struct {
    const char* user;
    const char* full;
  } users[] = {
      {"root", "`root`"},
      {"root@localhost", "`root`@`localhost`"},
      {"a@b@c", "`a`@`b`"},
      {"we`ird@h", "`we``ird`@`h`"},
  };
  for (const auto& row : users)
    EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_make_fullname_mysql(row.user)), row.full);
}

TEST_F(DatabaseHelperTest, Statements) {
  Names cols{{"id", "na\"me"}}, vals{{"1", "'O''Brien'"}};
  Names keys{{"id", "k2"}}, kvals{{"7", "'x'"}};
  EXPECT_EQ(
      take(tarvex_brevane_helpers_database_helper_build_sql_update(
          "dbo", "t", cols.data(), cols.size(), vals.data(), vals.size(), keys.data(), keys.size(),
          kvals.data(), kvals.size())),
      "UPDATE \"dbo\".\"t\" SET \"id\"=1, \"na\"\"me\"='O''Brien' WHERE \"id\"=7 AND \"k2\"='x';");
  EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_build_sql_insert(
                "", "t", cols.data(), cols.size(), vals.data(), vals.size())),
            "INSERT INTO \"t\"(\"id\", \"na\"\"me\") VALUES(1, 'O''Brien');");
  EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_build_sql_delete("dbo", "t", keys.data(), 1,
                                                                         kvals.data(), 1)),
            "DELETE FROM \"dbo\".\"t\" WHERE \"id\"=7;");
}

TEST_F(DatabaseHelperTest, StatementsRefuseKeylessAndUnequalArrays) {
  Names cols{{"a", "b"}}, one{{"1"}}, two{{"1", "2"}}, none{{}};
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_delete(
                                "dbo", "t", none.data(), 0, none.data(), 0),
                            nullptr),
                  "keys_length1 > 0");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_update(
                    "dbo", "t", cols.data(), 2, two.data(), 2, none.data(), 0, none.data(), 0),
                nullptr),
      "keys_length1 > 0");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_update(
                    "dbo", "t", cols.data(), 2, one.data(), 1, cols.data(), 1, one.data(), 1),
                nullptr),
      "columns_length1 == values_length1");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_update(
                    "dbo", "t", cols.data(), 2, two.data(), 2, cols.data(), 2, one.data(), 1),
                nullptr),
      "keys_length1 == key_values_length1");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_insert(
                                "dbo", "t", cols.data(), 2, one.data(), 1),
                            nullptr),
                  "columns_length1 == values_length1");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_insert(
                                "dbo", "t", none.data(), 0, none.data(), 0),
                            nullptr),
                  "columns_length1 > 0");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_helpers_database_helper_build_sql_delete(
                                "dbo", "t", cols.data(), 2, one.data(), 1),
                            nullptr),
                  "keys_length1 == key_values_length1");
}

TEST_F(DatabaseHelperTest, FormatSize) {
  struct {
    guint64 size;
    const char* text;
  } rows[] = {{0, "0 Byte"},
              {1000, "1000 Byte"},
              {1001, "1 KB"},
              {999999, "999 KB"},
              {1000000, "1,000 KB"},
              {999999999, "999,999 KB"},
              {1234567890, "1,234,567 KB"},
              {G_MAXUINT64, "18,446,744,073,709,551 KB"}};
  for (const auto& row : rows)
    EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_format_size(row.size)), row.text);
}

TEST_F(DatabaseHelperTest, MatchUnitMax) {
  struct {
    guint64 size;
    const char* unit;
    guint64 result;
    const char* unit_max;
  } rows[] = {
      {512, "KB", 512, "KB"},
      {1536, "KB", 1, "MB"},
      {3145728, "KB", 3, "GB"},
      {2147483648ULL, "KB", 2, "TB"},
      {0, "KB", 0, "KB"},
      {1023, "B", 1023, "B"},
      {1024, "B", 1, "KB"},
      {G_MAXUINT64, "B", 15, "EB"},
      {2048, "kb", 2, "KB"},  // not in the table: bytes
      {G_GUINT64_CONSTANT(1) << 60, "KB", 1, "ZB"},
      // Beyond the largest threshold: counted in the largest unit.
      {G_GUINT64_CONSTANT(3) << 30, "PB", 3, "YB"},
      {5, "YB", 5, "YB"},
      {3, "ZB", 3, "ZB"},
      {4096, "ZB", 4, "YB"},
  };
  for (const auto& row : rows) {
    gchar* unit = nullptr;
    EXPECT_EQ(tarvex_brevane_helpers_database_helper_match_unit_max(row.size, row.unit, &unit),
              row.result)
        << row.size << " " << row.unit;
    EXPECT_EQ(take(unit), row.unit_max) << row.size << " " << row.unit;
  }
}

TEST_F(DatabaseHelperTest, ConvertWithUnit) {
  struct {
    guint64 size;
    const char* from;
    const char* to;
    guint64 result;
  } rows[] = {
      {1, "TB", "B", 1099511627776ULL},
      {1536, "KB", "MB", 1},
      {7, "GB", "GB", 7},
      {5, "nope", "KB", 0},
      {1, "YB", "B", G_MAXUINT64},  // saturates
      {G_MAXUINT64, "KB", "B", G_MAXUINT64},
      {0, "YB", "B", 0},
      {G_MAXUINT64, "B", "YB", 0},
  };
  for (const auto& row : rows)
    EXPECT_EQ(tarvex_brevane_helpers_database_helper_convert_with_unit(row.size, row.from, row.to),
              row.result)
        << row.size << row.from << "->" << row.to;
}

TEST_F(DatabaseHelperTest, BinarySummary) {
  tarvex::test::ensure_file_types();
  struct {
    std::string bytes;
    const char* text;
  } rows[] = {
      {"plain text é", "plain text é"},
      {std::string("\x89PNG\r\n\x1a\n\0\0", 10), "image/png(10 Byte)"},
      {std::string("ab\0cd", 5), "unknown/unknown(5 Byte)"},
      {std::string(2048, '\xff'), "unknown/unknown(2 KB)"},
  };
  for (const auto& row : rows) {
    auto v = adoptGRef(tarvex_providers_contracts_value_binary_new(
        reinterpret_cast<const guint8*>(row.bytes.data()), gint(row.bytes.size())));
    EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_summary(v.get(), "NULL")), row.text);
  }
  auto empty = adoptGRef(tarvex_providers_contracts_value_binary_new(nullptr, 0));
  EXPECT_EQ(take(tarvex_brevane_helpers_database_helper_summary(empty.get(), "NULL")), "");
}

TEST_F(DatabaseHelperTest, UpdateSchemaWithModel) {
  auto model = adoptGRef(tarvex_providers_contracts_table_model_new());
  GeeArrayList* columns = tarvex_providers_contracts_table_model_get_columns(model.get());
  const char* names[] = {"id", "name", "created"};
  TarvexProvidersContractsDataType types[] = {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
                                              TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
                                              TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME};
  for (int i = 0; i < 3; i++) {
    auto column = adoptGRef(tarvex_providers_contracts_column_model_new_full(names[i], types[i]));
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(columns), column.get());
  }
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new());
  EXPECT_TRUE(
      tarvex_brevane_helpers_database_helper_update_schema_with_model(table.get(), model.get()));
  GeeArrayList* made = tarvex_brevane_meta_model_meta_table_get_columns(table.get());
  ASSERT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(made)), 3);
  auto second = adoptGRef(tarvex_brevane_meta_model_meta_table_get_column(table.get(), "name"));
  EXPECT_NE(second.get(), nullptr);
  // A second pass doubles the table's columns: no longer as many as the model.
  EXPECT_FALSE(
      tarvex_brevane_helpers_database_helper_update_schema_with_model(table.get(), model.get()));
}

TEST_F(DatabaseHelperTest, Preconditions) {
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_glib_value_to_text(nullptr, ""),
                  "boxed != NULL");
  tarvex::GValueHolder v(G_TYPE_INT);
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_glib_value_to_text(v.get(), nullptr),
                  "null_value != NULL");
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_format_sql_value(
                      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, nullptr),
                  "data_value != NULL");
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_match_unit_max(1, nullptr, nullptr),
                  "unit != NULL");
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_make_fullname_mysql(nullptr),
                  "username != NULL");
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_format_object_name(nullptr, "t"),
                  "schema != NULL");
  EXPECT_CRITICAL(tarvex_brevane_helpers_database_helper_summary(nullptr, "x"), "value != NULL");
  auto* helper = tarvex_brevane_helpers_database_helper_new();
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(helper), "TarvexBrevaneHelpersDatabaseHelper");
  tarvex_brevane_helpers_database_helper_unref(helper);
}

}  // namespace
