// Temporal values: ValueDateTime (also used for timestamps) with ValueDate
// and ValueTime, which hold a GDateTime too, and ValueTimeSpan.
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE_TIME \
  (tarvex_providers_contracts_value_date_time_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_date_time_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueDateTime,
                         tarvex_providers_contracts_value_date_time, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_DATE_TIME, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueDateTimeClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DATE \
  (tarvex_providers_contracts_value_date_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_date_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueDate, tarvex_providers_contracts_value_date,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_DATE,
                         TarvexProvidersContractsValueDateTime)
struct _TarvexProvidersContractsValueDateClass {
  TarvexProvidersContractsValueDateTimeClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME \
  (tarvex_providers_contracts_value_time_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_time_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueTime, tarvex_providers_contracts_value_time,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_TIME,
                         TarvexProvidersContractsValueDateTime)
struct _TarvexProvidersContractsValueTimeClass {
  TarvexProvidersContractsValueDateTimeClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_TIME_SPAN \
  (tarvex_providers_contracts_value_time_span_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_time_span_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueTimeSpan,
                         tarvex_providers_contracts_value_time_span, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_TIME_SPAN, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueTimeSpanClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

// ValueDateTime. A value keeps the zone of the date-time it was given and
// prints its wall-clock time in that zone.
TARVEX_EXPORT TarvexProvidersContractsValueDateTime* tarvex_providers_contracts_value_date_time_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_construct(GType object_type);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_new_datetime(GDateTime* datetime);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_construct_datetime(GType object_type,
                                                              GDateTime* datetime);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_new_iso8601(const gchar* datetime);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_construct_iso8601(GType object_type,
                                                             const gchar* datetime);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_new_utc(gint year, gint month, gint day, gint hour,
                                                   gint minute, gint second);
TARVEX_EXPORT TarvexProvidersContractsValueDateTime*
tarvex_providers_contracts_value_date_time_construct_utc(GType object_type, gint year, gint month,
                                                         gint day, gint hour, gint minute,
                                                         gint second);
TARVEX_EXPORT gchar* tarvex_providers_contracts_value_date_time_format(
    TarvexProvidersContractsValueDateTime* self, const gchar* format);
TARVEX_EXPORT GDateTime* tarvex_providers_contracts_value_date_time_get_itsvalue(
    TarvexProvidersContractsValueDateTime* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_date_time_set_itsvalue(
    TarvexProvidersContractsValueDateTime* self, GDateTime* value);

// ValueDate
TARVEX_EXPORT TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new(void);
TARVEX_EXPORT TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_construct(
    GType object_type);
TARVEX_EXPORT TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new_dmy(
    gint year, gint month, gint day);
TARVEX_EXPORT TarvexProvidersContractsValueDate*
tarvex_providers_contracts_value_date_construct_dmy(GType object_type, gint year, gint month,
                                                    gint day);
TARVEX_EXPORT TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new_date(
    const GDate* date);
TARVEX_EXPORT TarvexProvidersContractsValueDate*
tarvex_providers_contracts_value_date_construct_date(GType object_type, const GDate* date);
TARVEX_EXPORT TarvexProvidersContractsValueDate* tarvex_providers_contracts_value_date_new_iso8601(
    const gchar* date);
TARVEX_EXPORT TarvexProvidersContractsValueDate*
tarvex_providers_contracts_value_date_construct_iso8601(GType object_type, const gchar* date);

// ValueTime
TARVEX_EXPORT TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_new(void);
TARVEX_EXPORT TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_construct(
    GType object_type);
TARVEX_EXPORT TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_new_hms(
    gint hour, gint minute, gdouble seconds);
TARVEX_EXPORT TarvexProvidersContractsValueTime*
tarvex_providers_contracts_value_time_construct_hms(GType object_type, gint hour, gint minute,
                                                    gdouble seconds);
TARVEX_EXPORT TarvexProvidersContractsValueTime* tarvex_providers_contracts_value_time_new_time(
    GDateTime* datetime);
TARVEX_EXPORT TarvexProvidersContractsValueTime*
tarvex_providers_contracts_value_time_construct_time(GType object_type, GDateTime* datetime);

// ValueTimeSpan
TARVEX_EXPORT TarvexProvidersContractsValueTimeSpan* tarvex_providers_contracts_value_time_span_new(
    gint64 span);
TARVEX_EXPORT TarvexProvidersContractsValueTimeSpan*
tarvex_providers_contracts_value_time_span_construct(GType object_type, gint64 span);
TARVEX_EXPORT TarvexProvidersContractsValueTimeSpan*
tarvex_providers_contracts_value_time_span_new_interval(gint interval, gint64 span);
TARVEX_EXPORT TarvexProvidersContractsValueTimeSpan*
tarvex_providers_contracts_value_time_span_construct_interval(GType object_type, gint interval,
                                                              gint64 span);
TARVEX_EXPORT gint64 tarvex_providers_contracts_value_time_span_get_itsvalue(
    TarvexProvidersContractsValueTimeSpan* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_time_span_set_itsvalue(
    TarvexProvidersContractsValueTimeSpan* self, gint64 value);

G_END_DECLS
