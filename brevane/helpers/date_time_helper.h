// Current local time and time spans as texts in the system's fixed forms.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersDateTimeHelper TarvexBrevaneHelpersDateTimeHelper;
typedef struct _TarvexBrevaneHelpersDateTimeHelperClass TarvexBrevaneHelpersDateTimeHelperClass;

struct _TarvexBrevaneHelpersDateTimeHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersDateTimeHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersDateTimeHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersDateTimeHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_DATE_TIME_HELPER \
  (tarvex_brevane_helpers_date_time_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_date_time_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_date_time_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_date_time_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersDateTimeHelper,
                              tarvex_brevane_helpers_date_time_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_date_time_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_date_time_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_date_time_helper(GValue* value,
                                                                     gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_date_time_helper(GValue* value,
                                                                      gpointer v_object);
TARVEX_EXPORT TarvexBrevaneHelpersDateTimeHelper* tarvex_brevane_helpers_date_time_helper_new(void);
TARVEX_EXPORT TarvexBrevaneHelpersDateTimeHelper* tarvex_brevane_helpers_date_time_helper_construct(
    GType object_type);

TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_string(
    const gchar* format);
// `ms_format` receives the millisecond within the second as one gint64.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_string_ms(
    const gchar* format, const gchar* ms_format);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_normal(void);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_compact(void);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_iso8601(void);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_with_ms_normal(void);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_with_ms_compact(void);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_datetime_with_ms_iso8601(void);
// Spans are signed microsecond counts.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_format_time_span(gint64 span);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_format_time_span_micro(gint64 span);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_date_time_helper_format_time_span_unit(gint64 span);

G_END_DECLS
