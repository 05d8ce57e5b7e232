#include "brevane/log/color_formatter.h"

#include "brevane/log/formatter-private.h"

namespace log = tarvex::brevane::log;

struct _TarvexBrevaneSupportsLogColorFormatterPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsLogColorFormatter,
                   tarvex_brevane_supports_log_color_formatter,
                   TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER)

namespace {

gchar* color_get_level_name(TarvexBrevaneSupportsLogDefaultFormatter* self,
                            TarvexBrevaneContractsLogLogLevel level) {
  auto* parent = static_cast<TarvexBrevaneSupportsLogDefaultFormatterClass*>(
      tarvex_brevane_supports_log_color_formatter_parent_class);
  tarvex::GUniqueStr name(parent->get_level_name(self, level));
  const char* prefix;
  switch (level) {
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY:
      prefix = "\033[1;31m";
      break;
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN:
      prefix = "\033[1;34m";
      break;
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG:
      prefix = "\033[1;32m";
      break;
    default:
      prefix = "\033[1;37m";
      break;
  }
  return g_strdup_printf("%s%s%s", prefix, name ? name.get() : "", "\033[00m");
}

gchar* color_format(TarvexBrevaneSupportsLogDefaultFormatter* self,
                    TarvexBrevaneContractsLogLogLevel level, const gchar* server, const gchar* name,
                    const gchar* format) {
  g_return_val_if_fail(server != NULL, nullptr);
  g_return_val_if_fail(name != NULL, nullptr);
  g_return_val_if_fail(format != NULL, nullptr);
  std::string level_name = log::level_name(self, level);
  std::string now = log::now_with_millis("%H:%M:%S");
  // Columns are padded before "%" is doubled, so they line up once expanded.
  return g_strdup_printf("%s [%s][%s][%s] %s\n", now.c_str(),
                         log::escape_percent(log::pad(server, 12).c_str()).c_str(),
                         log::escape_percent(log::pad(name, 12).c_str()).c_str(),
                         log::escape_percent(log::pad(level_name, 20).c_str()).c_str(), format);
}

}  // namespace

static void tarvex_brevane_supports_log_color_formatter_class_setup(
    TarvexBrevaneSupportsLogColorFormatterClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsLogDefaultFormatterClass*>(klass);
  base->get_level_name = color_get_level_name;
  base->format = color_format;
}

TarvexBrevaneSupportsLogColorFormatter* tarvex_brevane_supports_log_color_formatter_construct(
    GType object_type) {
  return reinterpret_cast<TarvexBrevaneSupportsLogColorFormatter*>(
      tarvex_brevane_supports_log_default_formatter_construct(object_type));
}

TarvexBrevaneSupportsLogColorFormatter* tarvex_brevane_supports_log_color_formatter_new(void) {
  return tarvex_brevane_supports_log_color_formatter_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_COLOR_FORMATTER);
}
