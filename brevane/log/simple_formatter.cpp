#include "brevane/log/simple_formatter.h"

#include "brevane/log/formatter-private.h"

namespace log = tarvex::brevane::log;

struct _TarvexBrevaneSupportsLogSimpleFormatterPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsLogSimpleFormatter,
                   tarvex_brevane_supports_log_simple_formatter,
                   TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER)

namespace {

gchar* simple_format(TarvexBrevaneSupportsLogDefaultFormatter* self,
                     TarvexBrevaneContractsLogLogLevel level, const gchar* server,
                     const gchar* name, const gchar* format) {
  g_return_val_if_fail(server != NULL, nullptr);
  g_return_val_if_fail(name != NULL, nullptr);
  g_return_val_if_fail(format != NULL, nullptr);
  // Asked for like the other formatters, though this layout has no level.
  (void)log::level_name(self, level);
  std::string now = log::now_with_millis("%H:%M:%S");
  return g_strdup_printf("%s %s\n", now.c_str(), format);
}

}  // namespace

static void tarvex_brevane_supports_log_simple_formatter_class_setup(
    TarvexBrevaneSupportsLogSimpleFormatterClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsLogDefaultFormatterClass*>(klass)->format = simple_format;
}

TarvexBrevaneSupportsLogSimpleFormatter* tarvex_brevane_supports_log_simple_formatter_construct(
    GType object_type) {
  return reinterpret_cast<TarvexBrevaneSupportsLogSimpleFormatter*>(
      tarvex_brevane_supports_log_default_formatter_construct(object_type));
}

TarvexBrevaneSupportsLogSimpleFormatter* tarvex_brevane_supports_log_simple_formatter_new(void) {
  return tarvex_brevane_supports_log_simple_formatter_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SIMPLE_FORMATTER);
}
