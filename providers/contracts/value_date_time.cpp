#include "providers/contracts/value_date_time.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "providers/contracts/value-exact-private.h"
#include "providers/contracts/value-private.h"

using namespace tarvex;

namespace {

using DateTimeRef = GRef<GDateTime>;

// ".123", ".1234567" and so on: the fraction of a second a date-time holds
// (to the microsecond), its trailing zeros dropped; nothing when whole.
void append_fraction(std::string& out, GDateTime* dt) {
  gint usec = g_date_time_get_microsecond(dt);
  if (usec == 0) return;
  char digits[8];
  g_snprintf(digits, sizeof digits, ".%06d", usec);
  size_t n = std::strlen(digits);
  while (n > 1 && digits[n - 1] == '0') n--;
  out.append(digits, n);
}

// "%Y-%m-%d" and friends from the fields: GLib's %Y does not pad years
// below 1000, and such a text would not read back as ISO 8601. Fractions of
// a second show when there are any, and a date-time stored with its offset
// shows it after the time, as SQL Server writes a datetimeoffset.
char* print_date_time(GDateTime* dt, bool with_offset = false) {
  if (!dt) return g_strdup("(NULL)");
  char head[32];
  g_snprintf(head, sizeof head, "%04d-%02d-%02d %02d:%02d:%02d", g_date_time_get_year(dt),
             g_date_time_get_month(dt), g_date_time_get_day_of_month(dt), g_date_time_get_hour(dt),
             g_date_time_get_minute(dt), g_date_time_get_second(dt));
  std::string out(head);
  append_fraction(out, dt);
  if (with_offset) {
    gint64 minutes = g_date_time_get_utc_offset(dt) / G_TIME_SPAN_MINUTE;
    char zone[16];
    g_snprintf(zone, sizeof zone, " %c%02d:%02d", minutes < 0 ? '-' : '+',
               int(std::abs(minutes) / 60), int(std::abs(minutes) % 60));
    out += zone;
  }
  return dup(out);
}
char* print_date(GDateTime* dt) {
  if (!dt) return g_strdup("(NULL)");
  return g_strdup_printf("%04d-%02d-%02d", g_date_time_get_year(dt), g_date_time_get_month(dt),
                         g_date_time_get_day_of_month(dt));
}
char* print_time(GDateTime* dt) {
  if (!dt) return g_strdup("(NULL)");
  char head[16];
  g_snprintf(head, sizeof head, "%02d:%02d:%02d", g_date_time_get_hour(dt),
             g_date_time_get_minute(dt), g_date_time_get_second(dt));
  std::string out(head);
  append_fraction(out, dt);
  return dup(out);
}

DateTimeRef epoch_local() {
  return adoptGRef(g_date_time_new_from_unix_local(0));
}

// ISO 8601 text in `default_zone` unless the text names its own. GLib's
// parser wants a time part, so a bare date ("2024-03-01") is read as
// midnight of that day rather than dropped. Text that does not parse gives
// the Unix epoch in the local zone.
DateTimeRef parse_iso8601(const char* text, GTimeZone* default_zone) {
  auto parsed = adoptGRef(g_date_time_new_from_iso8601(text, default_zone));
  if (!parsed && *text && !std::strpbrk(text, "Tt ")) {
    std::string with_time(text);
    with_time += "T00:00:00";
    parsed = adoptGRef(g_date_time_new_from_iso8601(with_time.c_str(), default_zone));
  }
  return parsed ? parsed : epoch_local();
}

GTimeZone* utc_zone() {
  static GTimeZone* utc = g_time_zone_new_utc();
  return utc;
}

// Drops the fraction of a second, keeping the zone.
DateTimeRef whole_second(GDateTime* dt) {
  gint usec = g_date_time_get_microsecond(dt);
  if (usec == 0) return retainGRef(dt);
  return adoptGRef(g_date_time_add(dt, -GTimeSpan(usec)));
}

}  // namespace

// ------------------------------------------------------------ ValueDateTime

struct _TarvexProvidersContractsValueDateTimePrivate {
  DateTimeRef itsvalue;
  // Read from a datetimeoffset: the text carries the offset.
  bool with_offset = false;
};

namespace date_time_props {
enum { PROP_0, PROP_NAME, PROP_DATA_TYPE, PROP_ITSVALUE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace date_time_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueDateTime,
                   tarvex_providers_contracts_value_date_time,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static GDateTime* held(gconstpointer self) {
  return tarvex_providers_contracts_value_date_time_get_private(self)->itsvalue.get();
}

// Constructors store without notification.
template <typename T>
static T* make_holding(GType type, DateTimeRef dt) {
  auto* self = values::make<T>(type);
  tarvex_providers_contracts_value_date_time_get_private(self)->itsvalue = std::move(dt);
  return self;
}

static void value_date_time_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_DATE_TIME);
  if (GDateTime* dt = held(self)) g_value_take_boxed(result, whole_second(dt).leak());
}
static gchar* value_date_time_to_string(TarvexProvidersContractsValueObject* self) {
  return print_date_time(held(self),
                         tarvex_providers_contracts_value_date_time_get_private(self)->with_offset);
}
// The date-time is immutable, so the clone shares it: same instant, same
// zone, same text.
static TarvexProvidersContractsValueObject* value_date_time_clone(
    TarvexProvidersContractsValueObject* self) {
  auto* copy = make_holding<TarvexProvidersContractsValueDateTime>(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME, retainGRef(held(self)));
  tarvex_providers_contracts_value_date_time_get_private(copy)->with_offset =
      tarvex_providers_contracts_value_date_time_get_private(self)->with_offset;
  return values::as_value(copy);
}
static const gchar* value_date_time_get_name(TarvexProvidersContractsValueObject*) {
  return "datetime";
}
static TarvexProvidersContractsDataType value_date_time_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME;
}

static void value_date_time_get_property(GObject* object, guint prop_id, GValue* value,
                                         GParamSpec* pspec) {
  using namespace date_time_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_boxed(value, held(object));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_date_time_set_property(GObject* object, guint prop_id, const GValue* value,
                                         GParamSpec* pspec) {
  using namespace date_time_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_date_time_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueDateTime*>(object),
          static_cast<GDateTime*>(g_value_get_boxed(value)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_date_time_class_setup(
    TarvexProvidersContractsValueDateTimeClass* klass) {
  using namespace date_time_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_date_time_to_value;
  vc->to_string = value_date_time_to_string;
  vc->clone = value_date_time_clone;
  vc->get_name = value_date_time_get_name;
  vc->get_data_type = value_date_time_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_date_time_get_property;
  oc->set_property = value_date_time_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_boxed("itsvalue", "itsvalue", "itsvalue", G_TYPE_DATE_TIME, values::kReadWrite);
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_construct(
    GType object_type) {
  return make_holding<TarvexProvidersContractsValueDateTime>(
      object_type, adoptGRef(g_date_time_new_now_local()));
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_new(void) {
  return tarvex_providers_contracts_value_date_time_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME);
}

// Keeps the given zone: a server's zone-less date-time handed over as UTC
// prints its stored wall-clock time whatever the local zone, and a
// date-time with an offset keeps both its instant and its offset.
TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_construct_datetime(GType object_type,
                                                              GDateTime* datetime) {
  g_return_val_if_fail(datetime != NULL, NULL);
  return make_holding<TarvexProvidersContractsValueDateTime>(object_type, retainGRef(datetime));
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_new_datetime(
    GDateTime* datetime) {
  return tarvex_providers_contracts_value_date_time_construct_datetime(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME, datetime);
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_construct_iso8601(
    GType object_type, const gchar* datetime) {
  g_return_val_if_fail(datetime != NULL, NULL);
  return make_holding<TarvexProvidersContractsValueDateTime>(object_type,
                                                             parse_iso8601(datetime, utc_zone()));
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_new_iso8601(
    const gchar* datetime) {
  return tarvex_providers_contracts_value_date_time_construct_iso8601(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME, datetime);
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_construct_utc(
    GType object_type, gint year, gint month, gint day, gint hour, gint minute, gint second) {
  return make_holding<TarvexProvidersContractsValueDateTime>(
      object_type, adoptGRef(g_date_time_new_utc(year, month, day, hour, minute, gdouble(second))));
}

TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_new_utc(
    gint year, gint month, gint day, gint hour, gint minute, gint second) {
  return tarvex_providers_contracts_value_date_time_construct_utc(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME, year, month, day, hour, minute, second);
}

gchar* tarvex_providers_contracts_value_date_time_format(
    TarvexProvidersContractsValueDateTime* self, const gchar* format) {
  g_return_val_if_fail(self != NULL, NULL);
  g_return_val_if_fail(format != NULL, NULL);
  GDateTime* dt = held(self);
  return dt ? g_date_time_format(dt, format) : nullptr;
}

GDateTime* tarvex_providers_contracts_value_date_time_get_itsvalue(
    TarvexProvidersContractsValueDateTime* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return held(self);
}

void tarvex_providers_contracts_value_date_time_set_itsvalue(
    TarvexProvidersContractsValueDateTime* self, GDateTime* value) {
  using namespace date_time_props;
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_date_time_get_private(self)->itsvalue = retainGRef(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}

TarvexProvidersContractsValueDateTime* tarvex::values::date_time_new_with_offset(
    GDateTime* datetime) {
  g_return_val_if_fail(datetime != NULL, NULL);
  auto* self = make_holding<TarvexProvidersContractsValueDateTime>(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME, retainGRef(datetime));
  tarvex_providers_contracts_value_date_time_get_private(self)->with_offset = true;
  return self;
}

// ---------------------------------------------------------------- ValueDate

struct _TarvexProvidersContractsValueDatePrivate {};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueDate, tarvex_providers_contracts_value_date,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME)

static void value_date_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_DATE);
  if (GDateTime* dt = held(self)) {
    g_value_take_boxed(result, g_date_new_dmy(GDateDay(g_date_time_get_day_of_month(dt)),
                                              GDateMonth(g_date_time_get_month(dt)),
                                              GDateYear(g_date_time_get_year(dt))));
  }
}
static gchar* value_date_to_string(TarvexProvidersContractsValueObject* self) {
  return print_date(held(self));
}
static TarvexProvidersContractsValueObject* value_date_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(make_holding<TarvexProvidersContractsValueDate>(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE, retainGRef(held(self))));
}
static const gchar* value_date_get_name(TarvexProvidersContractsValueObject*) {
  return "date";
}
static TarvexProvidersContractsDataType value_date_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE;
}

static void tarvex_providers_contracts_value_date_class_setup(
    TarvexProvidersContractsValueDateClass* klass) {
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_date_to_value;
  vc->to_string = value_date_to_string;
  vc->clone = value_date_clone;
  vc->get_name = value_date_get_name;
  vc->get_data_type = value_date_get_data_type;
  values::install_kind_properties(G_OBJECT_CLASS(klass));
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_construct(
    GType object_type) {
  return make_holding<TarvexProvidersContractsValueDate>(object_type,
                                                         adoptGRef(g_date_time_new_now_local()));
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new(void) {
  return tarvex_providers_contracts_value_date_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE);
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_construct_dmy(
    GType object_type, gint year, gint month, gint day) {
  return make_holding<TarvexProvidersContractsValueDate>(
      object_type, adoptGRef(g_date_time_new_local(year, month, day, 0, 0, 0)));
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new_dmy(gint year,
                                                                                 gint month,
                                                                                 gint day) {
  return tarvex_providers_contracts_value_date_construct_dmy(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE, year, month, day);
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_construct_date(
    GType object_type, const GDate* date) {
  g_return_val_if_fail(date != NULL, NULL);
  // A cleared or invalid GDate holds no date, like fields GLib refuses.
  if (!g_date_valid(date))
    return make_holding<TarvexProvidersContractsValueDate>(object_type, nullptr);
  return tarvex_providers_contracts_value_date_construct_dmy(
      object_type, g_date_get_year(date), g_date_get_month(date), g_date_get_day(date));
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new_date(
    const GDate* date) {
  return tarvex_providers_contracts_value_date_construct_date(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE, date);
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_construct_iso8601(
    GType object_type, const gchar* date) {
  g_return_val_if_fail(date != NULL, NULL);
  auto local = adoptGRef(g_time_zone_new_local());
  return make_holding<TarvexProvidersContractsValueDate>(object_type,
                                                         parse_iso8601(date, local.get()));
}

TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new_iso8601(
    const gchar* date) {
  return tarvex_providers_contracts_value_date_construct_iso8601(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE, date);
}

// ---------------------------------------------------------------- ValueTime

struct _TarvexProvidersContractsValueTimePrivate {};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueTime, tarvex_providers_contracts_value_time,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME)

static gchar* value_time_to_string(TarvexProvidersContractsValueObject* self) {
  return print_time(held(self));
}
static TarvexProvidersContractsValueObject* value_time_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(make_holding<TarvexProvidersContractsValueTime>(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME, retainGRef(held(self))));
}
static const gchar* value_time_get_name(TarvexProvidersContractsValueObject*) {
  return "time";
}
static TarvexProvidersContractsDataType value_time_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME;
}

static void tarvex_providers_contracts_value_time_class_setup(
    TarvexProvidersContractsValueTimeClass* klass) {
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_string = value_time_to_string;
  vc->clone = value_time_clone;
  vc->get_name = value_time_get_name;
  vc->get_data_type = value_time_get_data_type;
  values::install_kind_properties(G_OBJECT_CLASS(klass));
}

TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_construct(
    GType object_type) {
  return make_holding<TarvexProvidersContractsValueTime>(object_type,
                                                         adoptGRef(g_date_time_new_now_local()));
}

TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_new(void) {
  return tarvex_providers_contracts_value_time_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME);
}

// The time of day rides on today's local date, or on an earlier day when a
// daylight-saving change today skips or repeats that hour.
static DateTimeRef local_time_of_day(gint hour, gint minute, gdouble seconds) {
  auto today = adoptGRef(g_date_time_new_now_local());
  DateTimeRef candidate;
  for (int days_back = 0; days_back < 8; ++days_back) {
    auto day = adoptGRef(g_date_time_add_days(today.get(), -days_back));
    if (!day) break;
    candidate = adoptGRef(
        g_date_time_new_local(g_date_time_get_year(day.get()), g_date_time_get_month(day.get()),
                              g_date_time_get_day_of_month(day.get()), hour, minute, seconds));
    if (!candidate) break;  // fields GLib refuses
    if (g_date_time_get_hour(candidate.get()) == hour &&
        g_date_time_get_minute(candidate.get()) == minute &&
        g_date_time_get_second(candidate.get()) == gint(seconds))
      break;
  }
  return candidate;
}

TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_construct_hms(
    GType object_type, gint hour, gint minute, gdouble seconds) {
  return make_holding<TarvexProvidersContractsValueTime>(object_type,
                                                         local_time_of_day(hour, minute, seconds));
}

TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_new_hms(gint hour,
                                                                                 gint minute,
                                                                                 gdouble seconds) {
  return tarvex_providers_contracts_value_time_construct_hms(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME, hour, minute, seconds);
}

// Keeps the given zone, as the date-time constructor does: the time of day
// printed is the one the caller handed over.
TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_construct_time(
    GType object_type, GDateTime* datetime) {
  g_return_val_if_fail(datetime != NULL, NULL);
  return make_holding<TarvexProvidersContractsValueTime>(object_type, retainGRef(datetime));
}

TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_new_time(
    GDateTime* datetime) {
  return tarvex_providers_contracts_value_time_construct_time(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME, datetime);
}

// ------------------------------------------------------------ ValueTimeSpan

struct _TarvexProvidersContractsValueTimeSpanPrivate {
  gint interval = 0;  // kept as given; nothing reads it
  gint64 span = 0;
};

namespace span_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace span_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueTimeSpan,
                   tarvex_providers_contracts_value_time_span,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static gint64 span_of(gconstpointer self) {
  return tarvex_providers_contracts_value_time_span_get_private(self)->span;
}

// The span shows as its number, in whatever unit the reader delivered.
static void value_time_span_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_INT64);
  g_value_set_int64(result, span_of(self));
}
static gchar* value_time_span_to_string(TarvexProvidersContractsValueObject* self) {
  return g_strdup_printf("%" G_GINT64_FORMAT, span_of(self));
}
static TarvexProvidersContractsValueObject* value_time_span_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(tarvex_providers_contracts_value_time_span_new(span_of(self)));
}
static const gchar* value_time_span_get_name(TarvexProvidersContractsValueObject*) {
  return "timespan";
}
static TarvexProvidersContractsDataType value_time_span_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN;
}

static void value_time_span_get_property(GObject* object, guint prop_id, GValue* value,
                                         GParamSpec* pspec) {
  using namespace span_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_int64(value, span_of(object));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_time_span_set_property(GObject* object, guint prop_id, const GValue* value,
                                         GParamSpec* pspec) {
  using namespace span_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_time_span_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueTimeSpan*>(object),
          g_value_get_int64(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_time_span_class_setup(
    TarvexProvidersContractsValueTimeSpanClass* klass) {
  using namespace span_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_time_span_to_value;
  vc->to_string = value_time_span_to_string;
  vc->clone = value_time_span_clone;
  vc->get_name = value_time_span_get_name;
  vc->get_data_type = value_time_span_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_time_span_get_property;
  oc->set_property = value_time_span_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] = g_param_spec_int64("itsvalue", "itsvalue", "itsvalue", G_MININT64,
                                                 G_MAXINT64, 0, values::kReadWrite);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueTimeSpan*
tarvex_providers_contracts_value_time_span_construct_interval(GType object_type, gint interval,
                                                              gint64 span) {
  auto* self = values::make<TarvexProvidersContractsValueTimeSpan>(object_type);
  auto* priv = tarvex_providers_contracts_value_time_span_get_private(self);
  priv->interval = interval;
  priv->span = span;
  return self;
}

TarvexProvidersContractsValueTimeSpan* tarvex_providers_contracts_value_time_span_new_interval(
    gint interval, gint64 span) {
  return tarvex_providers_contracts_value_time_span_construct_interval(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME_SPAN, interval, span);
}

TarvexProvidersContractsValueTimeSpan* tarvex_providers_contracts_value_time_span_construct(
    GType object_type, gint64 span) {
  return tarvex_providers_contracts_value_time_span_construct_interval(object_type, 0, span);
}

TarvexProvidersContractsValueTimeSpan* tarvex_providers_contracts_value_time_span_new(gint64 span) {
  return tarvex_providers_contracts_value_time_span_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME_SPAN, span);
}

gint64 tarvex_providers_contracts_value_time_span_get_itsvalue(
    TarvexProvidersContractsValueTimeSpan* self) {
  g_return_val_if_fail(self != NULL, 0);
  return span_of(self);
}

void tarvex_providers_contracts_value_time_span_set_itsvalue(
    TarvexProvidersContractsValueTimeSpan* self, gint64 value) {
  using namespace span_props;
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_time_span_get_private(self)->span = value;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}
