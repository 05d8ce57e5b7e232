// Date, time, date-time and time-span values.
#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/need-tool.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using ValueObject = TarvexProvidersContractsValueObject;
using ValueDateTime = TarvexProvidersContractsValueDateTime;

constexpr gint64 kHour = G_TIME_SPAN_HOUR;

ValueObject* as_value(gpointer p) {
  return static_cast<ValueObject*>(p);
}
ValueDateTime* as_dt(gpointer p) {
  return static_cast<ValueDateTime*>(p);
}

using tarvex::test::value_text;

GDateTime* held(gpointer value) {
  return tarvex_providers_contracts_value_date_time_get_itsvalue(as_dt(value));
}

// Runs every test in a zone with an offset and daylight saving, so rules
// about the local zone cannot pass by accident in a UTC process.
class ZonedTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    const char* old = g_getenv("TZ");
    had_tz_ = old != nullptr;
    old_tz_ = old ? old : "";
    use_zone("Europe/Berlin");
  }
  void TearDown() override {
    if (had_tz_)
      g_setenv("TZ", old_tz_.c_str(), TRUE);
    else
      g_unsetenv("TZ");
    tzset();
    LogCaptureTest::TearDown();
  }
  // GLib re-reads the local zone when TZ names another one.
  static void use_zone(const char* zone) {
    g_setenv("TZ", zone, TRUE);
    tzset();
  }
  static gint64 local_offset_at(GDateTime* dt) {
    auto local = adoptGRef(g_date_time_to_local(dt));
    return g_date_time_get_utc_offset(local.get());
  }

 private:
  bool had_tz_ = false;
  std::string old_tz_;
};

class DateTimeValueTest : public ZonedTest {};
class TimeSpanValueTest : public ZonedTest {};

TEST_F(DateTimeValueTest, TypesAndProperties) {
  struct {
    GType type;
    const char* name;
    GType parent;
  } types[] = {
      {tarvex_providers_contracts_value_date_time_get_type(),
       "TarvexProvidersContractsValueDateTime", tarvex_providers_contracts_value_object_get_type()},
      {tarvex_providers_contracts_value_date_get_type(), "TarvexProvidersContractsValueDate",
       tarvex_providers_contracts_value_date_time_get_type()},
      {tarvex_providers_contracts_value_time_get_type(), "TarvexProvidersContractsValueTime",
       tarvex_providers_contracts_value_date_time_get_type()},
      {tarvex_providers_contracts_value_time_span_get_type(),
       "TarvexProvidersContractsValueTimeSpan", tarvex_providers_contracts_value_object_get_type()},
  };
  for (auto& t : types) {
    EXPECT_STREQ(g_type_name(t.type), t.name);
    EXPECT_EQ(g_type_parent(t.type), t.parent) << t.name;
    EXPECT_FALSE(G_TYPE_IS_ABSTRACT(t.type)) << t.name;
  }

  struct {
    GType type;
    const char* property;
    guint id;
    GType value_type;
    GParamFlags flags;
  } props[] = {
      {tarvex_providers_contracts_value_date_time_get_type(), "name", 1, G_TYPE_STRING,
       G_PARAM_READABLE},
      {tarvex_providers_contracts_value_date_time_get_type(), "data-type", 2,
       tarvex_providers_contracts_data_type_get_type(), G_PARAM_READABLE},
      {tarvex_providers_contracts_value_date_time_get_type(), "itsvalue", 3, G_TYPE_DATE_TIME,
       G_PARAM_READWRITE},
      {tarvex_providers_contracts_value_date_get_type(), "name", 1, G_TYPE_STRING,
       G_PARAM_READABLE},
      {tarvex_providers_contracts_value_date_get_type(), "data-type", 2,
       tarvex_providers_contracts_data_type_get_type(), G_PARAM_READABLE},
      {tarvex_providers_contracts_value_time_get_type(), "name", 1, G_TYPE_STRING,
       G_PARAM_READABLE},
      {tarvex_providers_contracts_value_time_span_get_type(), "name", 1, G_TYPE_STRING,
       G_PARAM_READABLE},
      {tarvex_providers_contracts_value_time_span_get_type(), "itsvalue", 2, G_TYPE_INT64,
       G_PARAM_READWRITE},
      {tarvex_providers_contracts_value_time_span_get_type(), "data-type", 3,
       tarvex_providers_contracts_data_type_get_type(), G_PARAM_READABLE},
  };
  for (auto& p : props) {
    auto* klass = static_cast<GObjectClass*>(g_type_class_ref(p.type));
    GParamSpec* spec = g_object_class_find_property(klass, p.property);
    ASSERT_NE(spec, nullptr) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->owner_type, p.type) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->param_id, p.id) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->value_type, p.value_type) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->flags & G_PARAM_READWRITE, p.flags) << g_type_name(p.type) << " " << p.property;
    EXPECT_STREQ(g_param_spec_get_nick(spec), p.property);
    EXPECT_STREQ(g_param_spec_get_blurb(spec), p.property);
    g_type_class_unref(klass);
  }
}

TEST_F(DateTimeValueTest, KindsNamesAndDump) {
  GRef<ValueObject> values[] = {
      adoptGRef(as_value(tarvex_providers_contracts_value_date_time_new_utc(2024, 1, 2, 3, 4, 5))),
      adoptGRef(as_value(tarvex_providers_contracts_value_date_new_dmy(2024, 1, 2))),
      adoptGRef(as_value(tarvex_providers_contracts_value_time_new_hms(3, 4, 5))),
      adoptGRef(as_value(tarvex_providers_contracts_value_time_span_new(42))),
  };
  struct {
    const char* name;
    TarvexProvidersContractsDataType kind;
    const char* dump;
  } expected[] = {
      {"datetime", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME,
       "TarvexProvidersContractsValueDateTime => 2024-01-02 03:04:05"},
      {"date", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE,
       "TarvexProvidersContractsValueDate => 2024-01-02"},
      {"time", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME,
       "TarvexProvidersContractsValueTime => 03:04:05"},
      {"timespan", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN,
       "TarvexProvidersContractsValueTimeSpan => 42"},
  };
  for (size_t i = 0; i < G_N_ELEMENTS(values); ++i) {
    ValueObject* v = values[i].get();
    auto* iv = reinterpret_cast<TarvexProvidersContractsIValue*>(v);
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v), expected[i].name);
    EXPECT_STREQ(tarvex_providers_contracts_ivalue_get_name(iv), expected[i].name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v), expected[i].kind);
    EXPECT_EQ(tarvex_providers_contracts_ivalue_get_data_type(iv), expected[i].kind);
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(v));
    GUniqueStr dump(tarvex_providers_contracts_value_object_dump(v));
    EXPECT_STREQ(dump.get(), expected[i].dump);

    gchar* name = nullptr;
    gint kind = 0;
    gboolean is_null = TRUE;
    g_object_get(v, "name", &name, "data-type", &kind, "is-null", &is_null, nullptr);
    EXPECT_STREQ(name, expected[i].name);
    EXPECT_EQ(kind, gint(expected[i].kind));
    EXPECT_FALSE(is_null);
    g_free(name);
  }
}

// Text without a zone is UTC for a date-time, and the value keeps the zone
// the text gave: the printed wall-clock time never depends on the local zone.
TEST_F(DateTimeValueTest, Iso8601DateTimeKeepsTheTextsZone) {
  struct {
    const char* text;
    const char* printed;
    gint64 offset;
  } cases[] = {
      {"2024-03-01T10:20:30", "2024-03-01 10:20:30", 0},
      {"2024-03-01T10:20:30+02:00", "2024-03-01 10:20:30", 2 * kHour},
      {"2024-07-01T23:59:59-05:30", "2024-07-01 23:59:59", -(5 * kHour + 30 * G_TIME_SPAN_MINUTE)},
      {"2024-03-01 10:20:30", "2024-03-01 10:20:30", 0},  // reads back its own text
      {"20240301T102030Z", "2024-03-01 10:20:30", 0},
      {"2024-03-01T10:20:30.999", "2024-03-01 10:20:30.999", 0},  // the fraction stays
      {"2024-03-01", "2024-03-01 00:00:00", 0},  // a bare date is midnight, not the epoch
      {"2024-061", "2024-03-01 00:00:00", 0},
  };
  for (const char* zone : {"Europe/Berlin", "UTC", "America/New_York"}) {
    use_zone(zone);
    for (auto& c : cases) {
      auto v = adoptGRef(tarvex_providers_contracts_value_date_time_new_iso8601(c.text));
      ASSERT_TRUE(v) << c.text;
      EXPECT_EQ(value_text(v.get()), c.printed) << c.text << " in " << zone;
      ASSERT_NE(held(v.get()), nullptr);
      EXPECT_EQ(g_date_time_get_utc_offset(held(v.get())), c.offset) << c.text;
    }
  }
}

TEST_F(DateTimeValueTest, UnparsableTextHoldsTheEpochInTheLocalZone) {
  const char* bad[] = {"abc",      "",           "2024-02-30T00:00:00", "2024-03-01T25:00:00",
                       "10:20:30", "2024-03-01Z"};
  struct {
    const char* zone;
    const char* printed;
  } zones[] = {{"Europe/Berlin", "1970-01-01 01:00:00"}, {"UTC", "1970-01-01 00:00:00"}};
  for (auto& z : zones) {
    use_zone(z.zone);
    for (const char* text : bad) {
      auto v = adoptGRef(tarvex_providers_contracts_value_date_time_new_iso8601(text));
      EXPECT_EQ(value_text(v.get()), z.printed) << "\"" << text << "\" in " << z.zone;
      EXPECT_EQ(g_date_time_to_unix(held(v.get())), 0) << text;
    }
  }
  use_zone("Europe/Berlin");
  auto date = adoptGRef(tarvex_providers_contracts_value_date_new_iso8601("abc"));
  EXPECT_EQ(value_text(date.get()), "1970-01-01");
  EXPECT_EQ(g_date_time_to_unix(held(date.get())), 0);
  EXPECT_EQ(g_date_time_get_utc_offset(held(date.get())), kHour);
}

// A date text without zone is read in the local zone.
TEST_F(DateTimeValueTest, Iso8601DateUsesTheLocalZone) {
  struct {
    const char* text;
    const char* printed;
    gint64 offset;
    gint hour;
  } cases[] = {
      {"2024-03-01", "2024-03-01", kHour, 0},
      {"2024-07-01", "2024-07-01", 2 * kHour, 0},  // summer time
      {"2024-03-01T23:30:00", "2024-03-01", kHour, 23},
      {"2024-03-01T23:30:00Z", "2024-03-01", 0, 23},  // printed in the text's own zone
      {"2024-03-01 08:00:00", "2024-03-01", kHour, 8},
  };
  for (auto& c : cases) {
    auto v = adoptGRef(tarvex_providers_contracts_value_date_new_iso8601(c.text));
    ASSERT_TRUE(v) << c.text;
    EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE(v.get()));
    EXPECT_EQ(value_text(v.get()), c.printed) << c.text;
    EXPECT_EQ(g_date_time_get_utc_offset(held(v.get())), c.offset) << c.text;
    EXPECT_EQ(g_date_time_get_hour(held(v.get())), c.hour) << c.text;
  }
}

TEST_F(DateTimeValueTest, FieldConstructors) {
  struct {
    gint year, month, day;
    const char* printed;
  } dates[] = {
      {2024, 3, 1, "2024-03-01"}, {2024, 2, 29, "2024-02-29"}, {1, 1, 1, "0001-01-01"},
      {1, 3, 2024, "(NULL)"},     {2024, 13, 1, "(NULL)"},     {2023, 2, 29, "(NULL)"},
      {0, 1, 1, "(NULL)"},        {2024, 1, 0, "(NULL)"},
  };
  for (auto& d : dates) {
    auto v = adoptGRef(tarvex_providers_contracts_value_date_new_dmy(d.year, d.month, d.day));
    ASSERT_TRUE(v);
    EXPECT_EQ(value_text(v.get()), d.printed) << d.year << "-" << d.month << "-" << d.day;
    if (GDateTime* dt = held(v.get())) {
      EXPECT_EQ(g_date_time_get_hour(dt), 0);  // midnight
      EXPECT_EQ(g_date_time_get_utc_offset(dt), local_offset_at(dt));
    }
  }

  struct {
    gint y, mo, d, h, mi, s;
    const char* printed;
  } utc[] = {
      {2024, 1, 1, 0, 0, 0, "2024-01-01 00:00:00"},
      {2024, 7, 15, 23, 59, 59, "2024-07-15 23:59:59"},
      {999, 12, 31, 1, 2, 3, "0999-12-31 01:02:03"},
      {2024, 13, 1, 0, 0, 0, "(NULL)"},
      {2024, 1, 1, 24, 0, 0, "(NULL)"},
      {2024, 1, 1, 0, 0, 60, "(NULL)"},
  };
  for (auto& u : utc) {
    auto v = adoptGRef(
        tarvex_providers_contracts_value_date_time_new_utc(u.y, u.mo, u.d, u.h, u.mi, u.s));
    EXPECT_EQ(value_text(v.get()), u.printed) << u.printed;
    if (GDateTime* dt = held(v.get())) {
      EXPECT_EQ(g_date_time_get_utc_offset(dt), 0);
    }
  }

  GDate date;
  g_date_clear(&date, 1);
  auto cleared = adoptGRef(tarvex_providers_contracts_value_date_new_date(&date));
  EXPECT_EQ(value_text(cleared.get()), "(NULL)");
  g_date_set_dmy(&date, 1, G_DATE_MARCH, 2024);
  auto from_gdate = adoptGRef(tarvex_providers_contracts_value_date_new_date(&date));
  EXPECT_EQ(value_text(from_gdate.get()), "2024-03-01");
  EXPECT_EQ(g_date_time_get_hour(held(from_gdate.get())), 0);
  EXPECT_EQ(g_date_time_get_utc_offset(held(from_gdate.get())), kHour);
}

// The server's zone-less wall-clock time arrives as a UTC date-time and must
// print unchanged in any local zone; an offset value keeps instant and offset.
TEST_F(DateTimeValueTest, DateTimeConstructorKeepsTheGivenZone) {
  auto utc = adoptGRef(g_date_time_new_utc(2024, 3, 1, 10, 0, 0));
  auto offset_zone = adoptGRef(g_time_zone_new_offset(5 * 3600 + 1800));
  auto with_offset = adoptGRef(g_date_time_new(offset_zone.get(), 2024, 3, 1, 10, 0, 0));
  auto local = adoptGRef(g_date_time_new_local(2024, 7, 1, 10, 0, 0));

  for (const char* zone : {"Europe/Berlin", "America/New_York", "UTC"}) {
    use_zone(zone);
    GDateTime* sources[] = {utc.get(), with_offset.get(), local.get()};
    const char* printed[] = {"2024-03-01 10:00:00", "2024-03-01 10:00:00", "2024-07-01 10:00:00"};
    for (size_t i = 0; i < G_N_ELEMENTS(sources); ++i) {
      auto v = adoptGRef(tarvex_providers_contracts_value_date_time_new_datetime(sources[i]));
      EXPECT_EQ(value_text(v.get()), printed[i]) << i << " in " << zone;
      EXPECT_TRUE(g_date_time_equal(held(v.get()), sources[i]));
      EXPECT_EQ(g_date_time_get_utc_offset(held(v.get())), g_date_time_get_utc_offset(sources[i]));

      // The clone prints the same text and holds the same instant.
      auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(v.get())));
      EXPECT_EQ(G_OBJECT_TYPE(copy.get()), tarvex_providers_contracts_value_date_time_get_type());
      EXPECT_NE(copy.get(), as_value(v.get()));
      EXPECT_EQ(value_text(copy.get()), printed[i]);
      EXPECT_TRUE(g_date_time_equal(held(copy.get()), sources[i]));
    }
  }

  // The time of day the caller handed over is the one printed, also in the
  // clone.
  auto time_utc = adoptGRef(g_date_time_new_utc(1970, 1, 1, 10, 20, 30));
  auto time_value = adoptGRef(tarvex_providers_contracts_value_time_new_time(time_utc.get()));
  EXPECT_EQ(value_text(time_value.get()), "10:20:30");
  auto time_copy =
      adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(time_value.get())));
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_TIME(time_copy.get()));
  EXPECT_EQ(value_text(time_copy.get()), "10:20:30");
  auto time_local = adoptGRef(g_date_time_new_local(2024, 1, 15, 8, 5, 0));
  auto local_time_value =
      adoptGRef(tarvex_providers_contracts_value_time_new_time(time_local.get()));
  EXPECT_EQ(value_text(local_time_value.get()), "08:05:00");

  auto date_value =
      adoptGRef(tarvex_providers_contracts_value_date_new_iso8601("2024-03-01T23:30:00Z"));
  auto date_copy =
      adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(date_value.get())));
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE(date_copy.get()));
  EXPECT_EQ(value_text(date_copy.get()), "2024-03-01");
}

TEST_F(DateTimeValueTest, CloneIsIndependent) {
  auto source = adoptGRef(tarvex_providers_contracts_value_date_time_new_utc(2024, 1, 1, 12, 0, 0));
  auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(source.get())));
  auto other = adoptGRef(g_date_time_new_utc(2000, 6, 1, 0, 0, 0));
  tarvex_providers_contracts_value_date_time_set_itsvalue(as_dt(copy.get()), other.get());
  EXPECT_EQ(value_text(copy.get()), "2000-06-01 00:00:00");
  EXPECT_EQ(value_text(source.get()), "2024-01-01 12:00:00");

  // A value without a date-time clones to one without.
  auto empty = adoptGRef(tarvex_providers_contracts_value_date_new_dmy(2024, 2, 30));
  auto empty_copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(empty.get())));
  ASSERT_TRUE(empty_copy);
  EXPECT_EQ(value_text(empty_copy.get()), "(NULL)");
}

TEST_F(DateTimeValueTest, TimeFromHoursMinutesSeconds) {
  struct {
    gint hour, minute;
    gdouble seconds;
    const char* printed;
  } cases[] = {
      {10, 20, 30.75, "10:20:30.75"}, {0, 0, 0, "00:00:00"},
      {2, 30, 0, "02:30:00"},  // an hour a DST change may skip
      {23, 59, 59.5, "23:59:59.5"},   {25, 0, 0, "(NULL)"},
      {10, 60, 0, "(NULL)"},          {10, 0, 60.0, "(NULL)"},
      {-1, 0, 0, "(NULL)"},
  };
  for (auto& c : cases) {
    auto v = adoptGRef(tarvex_providers_contracts_value_time_new_hms(c.hour, c.minute, c.seconds));
    ASSERT_TRUE(v);
    EXPECT_EQ(value_text(v.get()), c.printed) << c.hour << ":" << c.minute << ":" << c.seconds;
    if (GDateTime* dt = held(v.get())) {
      EXPECT_EQ(g_date_time_get_utc_offset(dt), local_offset_at(dt));
    }
  }
}

TEST_F(DateTimeValueTest, CurrentTimeInTheLocalZone) {
  auto before = g_get_real_time() / G_USEC_PER_SEC;
  GRef<ValueObject> values[] = {
      adoptGRef(as_value(tarvex_providers_contracts_value_date_time_new())),
      adoptGRef(as_value(tarvex_providers_contracts_value_date_new())),
      adoptGRef(as_value(tarvex_providers_contracts_value_time_new())),
  };
  auto after = g_get_real_time() / G_USEC_PER_SEC;
  for (auto& v : values) {
    GDateTime* dt = held(v.get());
    ASSERT_NE(dt, nullptr);
    EXPECT_GE(g_date_time_to_unix(dt), before);
    EXPECT_LE(g_date_time_to_unix(dt), after);
    EXPECT_EQ(g_date_time_get_utc_offset(dt), local_offset_at(dt));
    EXPECT_NE(g_date_time_get_utc_offset(dt), 0);  // Berlin is never at UTC
  }
}

TEST_F(DateTimeValueTest, GenericValues) {
  // Date-time and time: a GDateTime of the same whole second, same zone.
  auto zone = adoptGRef(g_time_zone_new_offset(2 * 3600));
  auto precise = adoptGRef(g_date_time_new(zone.get(), 2024, 3, 1, 10, 20, 30.25));
  GRef<ValueObject> with_datetime[] = {
      adoptGRef(as_value(tarvex_providers_contracts_value_date_time_new_datetime(precise.get()))),
      adoptGRef(as_value(tarvex_providers_contracts_value_time_new_time(precise.get()))),
  };
  for (auto& v : with_datetime) {
    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(v.get(), &gv);
    ASSERT_TRUE(G_VALUE_HOLDS(&gv, G_TYPE_DATE_TIME)) << G_OBJECT_TYPE_NAME(v.get());
    auto* dt = static_cast<GDateTime*>(g_value_get_boxed(&gv));
    ASSERT_NE(dt, nullptr);
    EXPECT_EQ(g_date_time_to_unix(dt), g_date_time_to_unix(precise.get()));
    EXPECT_EQ(g_date_time_get_microsecond(dt), 0);
    EXPECT_EQ(g_date_time_get_utc_offset(dt), 2 * kHour);
    g_value_unset(&gv);
  }

  // Date: a GDate of its own calendar date.
  auto date = adoptGRef(tarvex_providers_contracts_value_date_new_iso8601("2024-03-01T23:30:00Z"));
  GValue gv = G_VALUE_INIT;
  tarvex_providers_contracts_ivalue_to_value(
      reinterpret_cast<TarvexProvidersContractsIValue*>(date.get()), &gv);
  ASSERT_TRUE(G_VALUE_HOLDS(&gv, G_TYPE_DATE));
  auto* gdate = static_cast<GDate*>(g_value_get_boxed(&gv));
  ASSERT_NE(gdate, nullptr);
  EXPECT_EQ(g_date_get_year(gdate), 2024);
  EXPECT_EQ(g_date_get_month(gdate), G_DATE_MARCH);
  EXPECT_EQ(g_date_get_day(gdate), 1);
  g_value_unset(&gv);

  // Values without a date-time give an empty boxed value of their type.
  auto no_date = adoptGRef(tarvex_providers_contracts_value_date_new_dmy(2024, 13, 1));
  tarvex_providers_contracts_value_object_to_value(as_value(no_date.get()), &gv);
  EXPECT_TRUE(G_VALUE_HOLDS(&gv, G_TYPE_DATE));
  EXPECT_EQ(g_value_get_boxed(&gv), nullptr);
  g_value_unset(&gv);
  auto no_time = adoptGRef(tarvex_providers_contracts_value_time_new_hms(30, 0, 0));
  tarvex_providers_contracts_value_object_to_value(as_value(no_time.get()), &gv);
  EXPECT_TRUE(G_VALUE_HOLDS(&gv, G_TYPE_DATE_TIME));
  EXPECT_EQ(g_value_get_boxed(&gv), nullptr);
  g_value_unset(&gv);
}

void count_notify(GObject*, GParamSpec* pspec, gpointer data) {
  if (g_str_equal(pspec->name, "itsvalue")) ++*static_cast<int*>(data);
}

TEST_F(DateTimeValueTest, ItsvalueAccessors) {
  auto v = adoptGRef(tarvex_providers_contracts_value_date_time_new_utc(2024, 1, 1, 0, 0, 0));
  int notified = 0;
  g_signal_connect(v.get(), "notify", G_CALLBACK(count_notify), &notified);

  GDateTime* same = held(v.get());
  tarvex_providers_contracts_value_date_time_set_itsvalue(v.get(),
                                                          same);  // unchanged, still notifies
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(held(v.get()), same);

  tarvex_providers_contracts_value_date_time_set_itsvalue(v.get(), nullptr);
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(held(v.get()), nullptr);
  EXPECT_EQ(value_text(v.get()), "(NULL)");

  auto dt = adoptGRef(g_date_time_new_utc(2001, 2, 3, 4, 5, 6));
  g_object_set(v.get(), "itsvalue", dt.get(), nullptr);
  EXPECT_EQ(notified, 3);
  EXPECT_EQ(value_text(v.get()), "2001-02-03 04:05:06");
  GDateTime* read = nullptr;
  g_object_get(v.get(), "itsvalue", &read, nullptr);
  EXPECT_EQ(read, dt.get());
  g_date_time_unref(read);

  // A date value shares the date-time property of its parent.
  auto date = adoptGRef(tarvex_providers_contracts_value_date_new_dmy(2024, 3, 1));
  g_object_set(date.get(), "itsvalue", dt.get(), nullptr);
  EXPECT_EQ(value_text(date.get()), "2001-02-03");
}

TEST_F(DateTimeValueTest, Format) {
  auto v = adoptGRef(
      tarvex_providers_contracts_value_date_time_new_iso8601("2024-03-01T10:20:30+02:00"));
  GUniqueStr text(tarvex_providers_contracts_value_date_time_format(v.get(), "%d.%m.%Y %H:%M %z"));
  EXPECT_STREQ(text.get(), "01.03.2024 10:20 +0200");

  auto none = adoptGRef(tarvex_providers_contracts_value_date_new_dmy(0, 0, 0));
  GUniqueStr nothing(tarvex_providers_contracts_value_date_time_format(as_dt(none.get()), "%Y"));
  EXPECT_EQ(nothing.get(), nullptr);

  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_date_time_format(v.get(), nullptr), nullptr),
      "format != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_date_time_format(nullptr, "%Y"), nullptr),
      "self != NULL");
}

TEST_F(DateTimeValueTest, ConstructSubclassTypes) {
  auto time = adoptGRef(tarvex_providers_contracts_value_date_time_construct_iso8601(
      tarvex_providers_contracts_value_time_get_type(), "2024-03-01T10:20:30"));
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_TIME(time.get()));
  EXPECT_EQ(value_text(time.get()), "10:20:30");
  auto date = adoptGRef(tarvex_providers_contracts_value_date_time_construct_utc(
      tarvex_providers_contracts_value_date_get_type(), 2024, 3, 1, 0, 0, 0));
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE(date.get()));
  EXPECT_EQ(value_text(date.get()), "2024-03-01");
}

TEST_F(DateTimeValueTest, RefusedArguments) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_date_time_new_datetime(nullptr), nullptr),
      "datetime != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_date_time_new_iso8601(nullptr), nullptr),
      "datetime != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_date_new_iso8601(nullptr), nullptr),
                  "date != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_date_new_date(nullptr), nullptr),
                  "date != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_time_new_time(nullptr), nullptr),
                  "datetime != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_date_time_get_itsvalue(nullptr), nullptr),
      "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_date_time_set_itsvalue(nullptr, nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_time_span_get_itsvalue(nullptr), 0),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_time_span_set_itsvalue(nullptr, 1),
                  "self != NULL");
}

// GLib's ISO 8601 reader must not follow the process locale.
TEST_F(DateTimeValueTest, ParsingIgnoresTheLocale) {
  const char* previous = setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  TARVEX_NEED_TOOL(setlocale(LC_ALL, "de_DE.UTF-8") || setlocale(LC_ALL, "fr_FR.UTF-8"),
                   "a comma-decimal locale such as de_DE.UTF-8 (localedef)");
  auto v =
      adoptGRef(tarvex_providers_contracts_value_date_time_new_iso8601("2024-03-01T10:20:30.5"));
  auto span = adoptGRef(tarvex_providers_contracts_value_time_span_new(-1234567));
  std::string printed = value_text(v.get());
  std::string span_text = value_text(span.get());
  double fraction = g_date_time_get_microsecond(held(v.get()));
  setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(printed, "2024-03-01 10:20:30.5");
  EXPECT_EQ(fraction, 500000);
  EXPECT_EQ(span_text, "-1234567");
}

TEST_F(TimeSpanValueTest, SpanTextGenericFormAndClone) {
  struct {
    gint64 span;
    const char* printed;
  } cases[] = {{0, "0"},
               {90, "90"},
               {-5, "-5"},
               {G_MAXINT64, "9223372036854775807"},
               {G_MININT64, "-9223372036854775808"}};
  for (auto& c : cases) {
    auto v = adoptGRef(tarvex_providers_contracts_value_time_span_new(c.span));
    EXPECT_EQ(tarvex_providers_contracts_value_time_span_get_itsvalue(v.get()), c.span);
    EXPECT_EQ(value_text(v.get()), c.printed);
    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(as_value(v.get()), &gv);
    ASSERT_TRUE(G_VALUE_HOLDS_INT64(&gv));
    EXPECT_EQ(g_value_get_int64(&gv), c.span);
    g_value_unset(&gv);
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(v.get())));
    EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_TIME_SPAN(copy.get()));
    EXPECT_NE(copy.get(), as_value(v.get()));
    EXPECT_EQ(value_text(copy.get()), c.printed);
  }

  auto interval = adoptGRef(tarvex_providers_contracts_value_time_span_new_interval(7, 3600));
  EXPECT_EQ(tarvex_providers_contracts_value_time_span_get_itsvalue(interval.get()), 3600);
  EXPECT_EQ(value_text(interval.get()), "3600");
}

TEST_F(TimeSpanValueTest, ItsvalueNotifiesOnEveryStore) {
  auto v = adoptGRef(tarvex_providers_contracts_value_time_span_new(5));
  int notified = 0;
  g_signal_connect(v.get(), "notify", G_CALLBACK(count_notify), &notified);
  tarvex_providers_contracts_value_time_span_set_itsvalue(v.get(), 5);
  EXPECT_EQ(notified, 1);
  g_object_set(v.get(), "itsvalue", G_GINT64_CONSTANT(-7), nullptr);
  EXPECT_EQ(notified, 2);
  gint64 read = 0;
  g_object_get(v.get(), "itsvalue", &read, nullptr);
  EXPECT_EQ(read, -7);
}

}  // namespace
