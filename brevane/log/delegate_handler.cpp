#include "brevane/log/delegate_handler.h"

#include <deque>
#include <mutex>
#include <optional>

#include "brevane/contracts/log_level.h"
#include "brevane/helpers/date_time_helper.h"
#include "brevane/log/default_formatter.h"
#include "brevane/log/log-private.h"

namespace log = tarvex::brevane::log;
using tarvex::GUniqueStr;

typedef struct _TarvexBrevaneSupportsLogDelegateHandlerPrivate
    TarvexBrevaneSupportsLogDelegateHandlerPrivate;
struct _TarvexBrevaneSupportsLogDelegateHandlerPrivate {
  log::HandlerSettings settings{
      TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN,
      TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(tarvex_brevane_supports_log_default_formatter_new())};
  std::recursive_mutex lock;
  // Absent before initialize and after close: lines are then dropped.
  std::optional<std::deque<std::string>> queue;
  TarvexBrevaneSupportsLogLogLineCallback callback = nullptr;
  gpointer user_data = nullptr;
  // The idle source that will drain the queue, while one is pending.
  GSource* source = nullptr;
  // Changed by initialize and close, so a drain in progress stops handing
  // out lines that belong to an earlier setup.
  guint64 generation = 0;

  ~_TarvexBrevaneSupportsLogDelegateHandlerPrivate() { drop_source(); }

  void drop_source() {
    if (!source) return;
    g_source_destroy(source);
    g_source_unref(source);
    source = nullptr;
  }
};

static void tarvex_brevane_supports_log_delegate_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsLogDelegateHandler, tarvex_brevane_supports_log_delegate_handler,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER,
                          tarvex_brevane_supports_log_delegate_handler_ilog_handler_init))

namespace {

using Private = TarvexBrevaneSupportsLogDelegateHandlerPrivate;
using Guard = std::lock_guard<std::recursive_mutex>;

Private* priv_of(gpointer self) {
  return tarvex_brevane_supports_log_delegate_handler_get_private(self);
}

using Plumbing = log::HandlerPlumbing<priv_of>;

std::string escape_markup(const char* text) {
  std::string out;
  for (const char* p = text; *p; p++) {
    switch (*p) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += *p;
    }
  }
  return out;
}

// Runs on the default main context. The host's callback is called without
// the lock held: a callback that logs, or a worker thread that logs while
// holding the logging locks, must not wait on this handler.
gboolean drain(gpointer data) {
  auto* priv = priv_of(data);
  std::deque<std::string> lines;
  TarvexBrevaneSupportsLogLogLineCallback callback;
  gpointer user_data;
  guint64 generation;
  {
    Guard guard(priv->lock);
    if (priv->source && priv->source == g_main_current_source()) {
      g_source_unref(priv->source);
      priv->source = nullptr;
    }
    if (priv->queue) lines.swap(*priv->queue);
    callback = priv->callback;
    user_data = priv->user_data;
    generation = priv->generation;
  }
  for (const std::string& line : lines) {
    {
      Guard guard(priv->lock);
      if (priv->generation != generation) break;
    }
    if (callback) callback(line.c_str(), user_data);
  }
  return G_SOURCE_REMOVE;
}

// Called with the lock held.
void schedule_drain(gpointer self, Private* priv) {
  if (priv->source) return;
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, 200);
  g_source_set_callback(source, drain, g_object_ref(self), g_object_unref);
  g_source_set_static_name(source, "[brevane] log line drain");
  priv->source = source;
  g_source_attach(source, nullptr);
}

void handler_publish(TarvexBrevaneContractsLogILogHandler* self,
                     TarvexBrevaneContractsLogLogLevel level, const gchar* server,
                     const gchar* name, const gchar* format, va_list args) {
  g_return_if_fail(server != NULL);
  g_return_if_fail(name != NULL);
  g_return_if_fail(format != NULL);
  auto* priv = priv_of(self);
  if (!priv->settings.accepts(level)) return;

  std::string text = log::expand(format, args);
  GUniqueStr valid(g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size())));
  std::string escaped = escape_markup(valid.get());
  GUniqueStr stamp(
      tarvex_brevane_helpers_date_time_helper_datetime_as_string_ms("%H:%M:%S", "%03lli"));
  GUniqueStr color(tarvex_brevane_contracts_log_log_level_to_color(level));
  GUniqueStr line(g_strdup_printf("%s   <span foreground=\"%s\">%s</span>\n", stamp.get(),
                                  color.get(), escaped.c_str()));

  Guard guard(priv->lock);
  if (!priv->queue) return;
  priv->queue->emplace_back(line.get());
  schedule_drain(self, priv);
}

gchar* handler_recent(TarvexBrevaneContractsLogILogHandler*, gpointer) {
  return g_strdup("");
}

void handler_close(TarvexBrevaneContractsLogILogHandler* self) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  priv->drop_source();
  priv->queue.reset();
  priv->generation++;
}

}  // namespace

static void tarvex_brevane_supports_log_delegate_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface) {
  iface->publish = handler_publish;
  iface->recent = handler_recent;
  iface->close = handler_close;
  Plumbing::wire(iface);
}

static void tarvex_brevane_supports_log_delegate_handler_class_setup(
    TarvexBrevaneSupportsLogDelegateHandlerClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  Plumbing::install(object_class, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN);
}

TarvexBrevaneSupportsLogDelegateHandler* tarvex_brevane_supports_log_delegate_handler_construct(
    GType object_type) {
  g_return_val_if_fail(g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DELEGATE_HANDLER),
                       nullptr);
  return static_cast<TarvexBrevaneSupportsLogDelegateHandler*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsLogDelegateHandler* tarvex_brevane_supports_log_delegate_handler_new(void) {
  return tarvex_brevane_supports_log_delegate_handler_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_DELEGATE_HANDLER);
}

void tarvex_brevane_supports_log_delegate_handler_initialize(
    TarvexBrevaneSupportsLogDelegateHandler* self, TarvexBrevaneSupportsLogLogLineCallback callback,
    gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  priv->callback = callback;
  priv->user_data = user_data;
  // A second initialize leaves no earlier drain behind, and discards lines
  // queued for the earlier callback.
  priv->drop_source();
  priv->queue.emplace();
  priv->generation++;
}
