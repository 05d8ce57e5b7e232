#include "brevane/helpers/date_time_helper.h"

#include <glib/gi18n-lib.h>

#include <atomic>

#include "brevane/helpers/clock-private.h"
#include "common/tarvex-fundamental-private.h"

namespace tarvex::brevane::clock {
namespace {
std::atomic<gint64 (*)(void)> s_clock{nullptr};
}

gint64 real_time() {
  auto clock = s_clock.load();
  return clock ? clock() : g_get_real_time();
}

std::string format_now(const char* format) {
  gint64 usec = real_time();
  gint64 seconds = usec / G_USEC_PER_SEC - (usec % G_USEC_PER_SEC < 0 ? 1 : 0);
  GRef<GDateTime> now = adoptGRef(g_date_time_new_from_unix_local(seconds));
  if (!now) return {};
  GUniqueStr text(g_date_time_format(now.get(), format));
  return text ? std::string(text.get()) : std::string();
}

gint64 millis() {
  gint64 usec = real_time();
  return (usec / 1000) - (usec / 1000000) * 1000;
}

}  // namespace tarvex::brevane::clock

void tarvex::testing::set_clock(gint64 (*clock)(void)) {
  tarvex::brevane::clock::s_clock.store(clock);
}

struct _TarvexBrevaneHelpersDateTimeHelperPrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersDateTimeHelper,
                               tarvex_brevane_helpers_date_time_helper, tarvex_brevane_helpers,
                               date_time_helper, TARVEX_BREVANE_HELPERS_TYPE_DATE_TIME_HELPER)

TarvexBrevaneHelpersDateTimeHelper* tarvex_brevane_helpers_date_time_helper_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneHelpersDateTimeHelper*>(tarvex::fundamental::create(object_type));
}

TarvexBrevaneHelpersDateTimeHelper* tarvex_brevane_helpers_date_time_helper_new(void) {
  return tarvex_brevane_helpers_date_time_helper_construct(
      TARVEX_BREVANE_HELPERS_TYPE_DATE_TIME_HELPER);
}

namespace {

namespace clock = tarvex::brevane::clock;

gchar* with_ms(const char* format) {
  std::string now = clock::format_now(format);
  return g_strdup_printf("%s.%03lli", now.c_str(), static_cast<long long>(clock::millis()));
}

struct SpanParts {
  long long hours, minutes, seconds, millis;
};

SpanParts split(gint64 span) {
  return {static_cast<long long>(span / G_GINT64_CONSTANT(3600000000)),
          static_cast<long long>((span % G_GINT64_CONSTANT(3600000000)) / 60000000),
          static_cast<long long>((span % 60000000) / 1000000),
          static_cast<long long>((span % 1000000) / 1000)};
}

}  // namespace

gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_string(const gchar* format) {
  g_return_val_if_fail(format != NULL, nullptr);
  return tarvex::dup(clock::format_now(format));
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_string_ms(const gchar* format,
                                                                     const gchar* ms_format) {
  g_return_val_if_fail(format != NULL, nullptr);
  g_return_val_if_fail(ms_format != NULL, nullptr);
  std::string now = clock::format_now(format);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  tarvex::GUniqueStr ms(g_strdup_printf(ms_format, static_cast<long long>(clock::millis())));
#pragma GCC diagnostic pop
  return g_strdup_printf("%s.%s", now.c_str(), ms.get());
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_normal(void) {
  return tarvex::dup(clock::format_now("%Y-%m-%d %H:%M:%S"));
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_compact(void) {
  return tarvex::dup(clock::format_now("%Y%m%d%H%M%S"));
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_as_iso8601(void) {
  return tarvex::dup(clock::format_now("%Y-%m-%dT%H:%M:%S"));
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_with_ms_normal(void) {
  return with_ms("%Y-%m-%d %H:%M:%S");
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_with_ms_compact(void) {
  return with_ms("%Y%m%d%H%M%S");
}

gchar* tarvex_brevane_helpers_date_time_helper_datetime_with_ms_iso8601(void) {
  return with_ms("%Y-%m-%dT%H:%M:%S");
}

gchar* tarvex_brevane_helpers_date_time_helper_format_time_span(gint64 span) {
  SpanParts p = split(span);
  return g_strdup_printf("%02lli:%02lli:%02lli", p.hours, p.minutes, p.seconds);
}

gchar* tarvex_brevane_helpers_date_time_helper_format_time_span_micro(gint64 span) {
  SpanParts p = split(span);
  return g_strdup_printf("%02lli:%02lli:%02lli.%03lli", p.hours, p.minutes, p.seconds, p.millis);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
gchar* tarvex_brevane_helpers_date_time_helper_format_time_span_unit(gint64 span) {
  SpanParts p = split(span);
  if (span >= G_GINT64_CONSTANT(3600000000))
    return g_strdup_printf(_("%lliH %lliM %lliS %llims"), p.hours, p.minutes, p.seconds, p.millis);
  if (span >= 60000000)
    return g_strdup_printf(_("%lliM %lliS %llims"), static_cast<long long>(span / 60000000),
                           p.seconds, p.millis);
  if (span >= 1000000)
    return g_strdup_printf(_("%lliS %llims"), static_cast<long long>(span / 1000000), p.millis);
  return g_strdup_printf(_("%llims"), static_cast<long long>(span / 1000));
}
#pragma GCC diagnostic pop
