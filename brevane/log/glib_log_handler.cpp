#include "brevane/log/glib_log_handler.h"

#include "brevane/log/default_formatter.h"
#include "brevane/log/log-private.h"

namespace log = tarvex::brevane::log;

typedef struct _TarvexBrevaneSupportsLogGLibLogHandlerPrivate
    TarvexBrevaneSupportsLogGLibLogHandlerPrivate;
struct _TarvexBrevaneSupportsLogGLibLogHandlerPrivate {
  log::HandlerSettings settings{
      TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN,
      TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(tarvex_brevane_supports_log_default_formatter_new())};
};

static void tarvex_brevane_supports_log_glib_log_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsLogGLibLogHandler, tarvex_brevane_supports_log_glib_log_handler,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER,
                          tarvex_brevane_supports_log_glib_log_handler_ilog_handler_init))

namespace {

TarvexBrevaneSupportsLogGLibLogHandlerPrivate* priv_of(gpointer self) {
  return tarvex_brevane_supports_log_glib_log_handler_get_private(self);
}

using Plumbing = log::HandlerPlumbing<priv_of>;

void publish(TarvexBrevaneContractsLogILogHandler*, TarvexBrevaneContractsLogLogLevel level,
             const gchar* server, const gchar* name, const gchar* format, va_list args) {
  g_return_if_fail(server != NULL);
  g_return_if_fail(name != NULL);
  g_return_if_fail(format != NULL);
  // Every line goes out; the threshold is not consulted here.
  std::string text = log::expand(format, args);
  switch (level) {
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY:
      g_log(nullptr, G_LOG_LEVEL_WARNING, "handler_console:23: %s", text.c_str());
      break;
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN:
      g_log(nullptr, G_LOG_LEVEL_MESSAGE, "handler_console:26: %s", text.c_str());
      break;
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG:
      g_log(nullptr, G_LOG_LEVEL_DEBUG, "handler_console:29: %s", text.c_str());
      break;
  }
}

gchar* recent(TarvexBrevaneContractsLogILogHandler*, gpointer) {
  return g_strdup("");
}

void handler_close(TarvexBrevaneContractsLogILogHandler*) {}

}  // namespace

static void tarvex_brevane_supports_log_glib_log_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface) {
  iface->publish = publish;
  iface->recent = recent;
  iface->close = handler_close;
  Plumbing::wire(iface);
}

static void tarvex_brevane_supports_log_glib_log_handler_class_setup(
    TarvexBrevaneSupportsLogGLibLogHandlerClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  Plumbing::install(object_class, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN);
}

TarvexBrevaneSupportsLogGLibLogHandler* tarvex_brevane_supports_log_glib_log_handler_construct(
    GType object_type) {
  g_return_val_if_fail(g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_GLIB_LOG_HANDLER),
                       nullptr);
  return static_cast<TarvexBrevaneSupportsLogGLibLogHandler*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsLogGLibLogHandler* tarvex_brevane_supports_log_glib_log_handler_new(void) {
  return tarvex_brevane_supports_log_glib_log_handler_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_GLIB_LOG_HANDLER);
}
