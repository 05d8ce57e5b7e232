#include "brevane/log/default_formatter.h"

#include "brevane/log/formatter-private.h"
#include "common/tarvex-dispatch-private.h"

namespace log = tarvex::brevane::log;

struct _TarvexBrevaneSupportsLogDefaultFormatterPrivate {};

static void tarvex_brevane_supports_log_default_formatter_iformatter_init(
    TarvexBrevaneContractsLogIFormatterIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsLogDefaultFormatter, tarvex_brevane_supports_log_default_formatter,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_IFORMATTER,
                          tarvex_brevane_supports_log_default_formatter_iformatter_init))

namespace tarvex::brevane::log {

std::string pad(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string level_name(TarvexBrevaneSupportsLogDefaultFormatter* self, Level level) {
  GUniqueStr name(tarvex_brevane_supports_log_default_formatter_get_level_name(self, level));
  return name ? std::string(name.get()) : std::string();
}

}  // namespace tarvex::brevane::log

namespace {

gchar* default_get_level_name(TarvexBrevaneSupportsLogDefaultFormatter*,
                              TarvexBrevaneContractsLogLogLevel level) {
  switch (level) {
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY:
      return g_strdup("RISKY");
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN:
      return g_strdup("PLAIN");
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG:
      return g_strdup("DEBUG");
  }
  // The level type has no other values.
  g_return_val_if_reached(nullptr);
}

gchar* default_format(TarvexBrevaneSupportsLogDefaultFormatter* self,
                      TarvexBrevaneContractsLogLogLevel level, const gchar* server,
                      const gchar* name, const gchar* format) {
  g_return_val_if_fail(server != NULL, nullptr);
  g_return_val_if_fail(name != NULL, nullptr);
  g_return_val_if_fail(format != NULL, nullptr);
  std::string level_name = log::level_name(self, level);
  std::string now = log::now_with_millis("%Y%m%d %H:%M:%S");
  return g_strdup_printf("%s [%s][%s][%s] %s\n", now.c_str(), log::escape_percent(server).c_str(),
                         log::escape_percent(name).c_str(),
                         log::escape_percent(level_name.c_str()).c_str(), format);
}

}  // namespace

static void tarvex_brevane_supports_log_default_formatter_iformatter_init(
    TarvexBrevaneContractsLogIFormatterIface* iface) {
  iface->format = tarvex::forward<&tarvex_brevane_supports_log_default_formatter_format>;
}

static void tarvex_brevane_supports_log_default_formatter_class_setup(
    TarvexBrevaneSupportsLogDefaultFormatterClass* klass) {
  klass->get_level_name = default_get_level_name;
  klass->format = default_format;
}

TarvexBrevaneSupportsLogDefaultFormatter* tarvex_brevane_supports_log_default_formatter_construct(
    GType object_type) {
  g_return_val_if_fail(g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER),
                       nullptr);
  return static_cast<TarvexBrevaneSupportsLogDefaultFormatter*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsLogDefaultFormatter* tarvex_brevane_supports_log_default_formatter_new(void) {
  return tarvex_brevane_supports_log_default_formatter_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DEFAULT_FORMATTER);
}

gchar* tarvex_brevane_supports_log_default_formatter_get_level_name(
    TarvexBrevaneSupportsLogDefaultFormatter* self, TarvexBrevaneContractsLogLogLevel level) {
  return tarvex::call_slot<&TarvexBrevaneSupportsLogDefaultFormatterClass::get_level_name>(self,
                                                                                           level);
}

gchar* tarvex_brevane_supports_log_default_formatter_format(
    TarvexBrevaneSupportsLogDefaultFormatter* self, TarvexBrevaneContractsLogLogLevel level,
    const gchar* server, const gchar* name, const gchar* format) {
  return tarvex::call_slot<&TarvexBrevaneSupportsLogDefaultFormatterClass::format>(
      self, level, server, name, format);
}
