#include "brevane/log/logger.h"

#include <mutex>
#include <string>
#include <vector>

#include "brevane/log/temp_file_log_handler.h"
#include "common/tarvex-gobject-private.h"

using tarvex::GRef;
using Handler = TarvexBrevaneContractsLogILogHandler;

struct _TarvexBrevaneSupportsLogLoggerPrivate {
  std::string uuid;
  std::string name;
  std::string server;
  GRef<GeeHashSet> handlers = tarvex::adoptGRef(
      gee_hash_set_new(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER, GBoxedCopyFunc(g_object_ref),
                       g_object_unref, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
  std::recursive_mutex lock;
};

static void tarvex_brevane_supports_log_logger_ilogger_init(
    TarvexBrevaneContractsLogILoggerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneSupportsLogLogger, tarvex_brevane_supports_log_logger,
                             G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER,
                                                   tarvex_brevane_supports_log_logger_ilogger_init))

namespace {

using Logger = TarvexBrevaneContractsLogILogger;
using Guard = std::lock_guard<std::recursive_mutex>;

enum { PROP_0, PROP_UUID, PROP_NAME, PROP_SERVER, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

TarvexBrevaneSupportsLogLoggerPrivate* priv_of(gpointer self) {
  return tarvex_brevane_supports_log_logger_get_private(self);
}

// The handlers as they stand, so a handler that changes the set while it
// publishes does not disturb the walk.
std::vector<GRef<Handler>> snapshot(TarvexBrevaneSupportsLogLoggerPrivate* priv) {
  std::vector<GRef<Handler>> list;
  GRef<GeeIterator> it =
      tarvex::adoptGRef(gee_iterable_iterator(GEE_ITERABLE(priv->handlers.get())));
  while (gee_iterator_next(it.get()))
    list.push_back(tarvex::adoptGRef(static_cast<Handler*>(gee_iterator_get(it.get()))));
  return list;
}

void logger_initialize(Logger* self, const gchar* t_server, const gchar* t_name) {
  g_return_if_fail(t_server != NULL);
  g_return_if_fail(t_name != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  priv->server = t_server;
  priv->name = t_name;
}

void logger_close(Logger* self) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  for (auto& handler : snapshot(priv))
    tarvex_brevane_contracts_log_ilog_handler_close(handler.get());
  gee_abstract_collection_clear(GEE_ABSTRACT_COLLECTION(priv->handlers.get()));
}

void logger_append_handler(Logger* self, Handler* handler) {
  g_return_if_fail(handler != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(priv->handlers.get()), handler);
}

void logger_delete_handler(Logger* self, Handler* handler) {
  g_return_if_fail(handler != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  gee_abstract_collection_remove(GEE_ABSTRACT_COLLECTION(priv->handlers.get()), handler);
}

void logger_remove_handler_all(Logger* self) {
  auto* priv = priv_of(self);
  // Under the lock: a worker thread may be publishing to the set.
  Guard guard(priv->lock);
  gee_abstract_collection_clear(GEE_ABSTRACT_COLLECTION(priv->handlers.get()));
}

GeeHashSet* logger_get_handlers(Logger* self) {
  return priv_of(self)->handlers.ref();
}

gchar* logger_recent(Logger* self, gpointer extra) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  for (auto& handler : snapshot(priv)) {
    if (TARVEX_BREVANE_SUPPORTS_LOG_IS_TEMP_FILE_LOG_HANDLER(handler.get()))
      return tarvex_brevane_contracts_log_ilog_handler_recent(handler.get(), extra);
  }
  return g_strdup("");
}

void log_full(Logger* self, TarvexBrevaneContractsLogLogLevel level, const gchar* server,
              const gchar* name, const gchar* format, va_list args) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  for (auto& handler : snapshot(priv)) {
    // Every handler gets the caller's whole argument list.
    va_list copy;
    va_copy(copy, args);
    tarvex_brevane_contracts_log_ilog_handler_publish(handler.get(), level, server, name, format,
                                                      copy);
    va_end(copy);
  }
}

#define LOGGER_LOG_OP(op, LEVEL)                                                                  \
  void logger_##op(Logger* self, const gchar* t_server, const gchar* t_name, const gchar* format, \
                   va_list args) {                                                                \
    g_return_if_fail(t_server != NULL);                                                           \
    g_return_if_fail(t_name != NULL);                                                             \
    g_return_if_fail(format != NULL);                                                             \
    log_full(self, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_##LEVEL, t_server, t_name, format,      \
             args);                                                                               \
  }

LOGGER_LOG_OP(error, RISKY)
LOGGER_LOG_OP(critical, RISKY)
LOGGER_LOG_OP(warning, RISKY)
LOGGER_LOG_OP(message, PLAIN)
LOGGER_LOG_OP(info, PLAIN)
LOGGER_LOG_OP(debug, DEBUG)

const gchar* logger_get_uuid(Logger* self) {
  return priv_of(self)->uuid.c_str();
}
const gchar* logger_get_name(Logger* self) {
  return priv_of(self)->name.c_str();
}
const gchar* logger_get_server(Logger* self) {
  return priv_of(self)->server.c_str();
}

void get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  auto* priv = priv_of(object);
  switch (id) {
    case PROP_UUID:
      g_value_set_string(value, priv->uuid.c_str());
      break;
    case PROP_NAME:
      g_value_set_string(value, priv->name.c_str());
      break;
    case PROP_SERVER:
      g_value_set_string(value, priv->server.c_str());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
  }
}

}  // namespace

static void tarvex_brevane_supports_log_logger_ilogger_init(
    TarvexBrevaneContractsLogILoggerIface* iface) {
  iface->initialize = logger_initialize;
  iface->close = logger_close;
  iface->append_handler = logger_append_handler;
  iface->delete_handler = logger_delete_handler;
  iface->remove_handler_all = logger_remove_handler_all;
  iface->get_handlers = logger_get_handlers;
  iface->recent = logger_recent;
  iface->error = logger_error;
  iface->critical = logger_critical;
  iface->warning = logger_warning;
  iface->message = logger_message;
  iface->info = logger_info;
  iface->debug = logger_debug;
  iface->get_uuid = logger_get_uuid;
  iface->get_name = logger_get_name;
  iface->get_server = logger_get_server;
}

static void tarvex_brevane_supports_log_logger_class_setup(
    TarvexBrevaneSupportsLogLoggerClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = get_property;
  const auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  properties[PROP_UUID] = g_param_spec_string("uuid", "uuid", "uuid", nullptr, flags);
  properties[PROP_NAME] = g_param_spec_string("name", "name", "name", nullptr, flags);
  properties[PROP_SERVER] = g_param_spec_string("server", "server", "server", nullptr, flags);
  g_object_class_install_properties(object_class, N_PROPERTIES, properties);
}

TarvexBrevaneSupportsLogLogger* tarvex_brevane_supports_log_logger_construct(GType object_type,
                                                                             const gchar* t_uuid) {
  g_return_val_if_fail(t_uuid != NULL, nullptr);
  g_return_val_if_fail(g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOGGER), nullptr);
  auto* self = static_cast<TarvexBrevaneSupportsLogLogger*>(g_object_new(object_type, nullptr));
  priv_of(self)->uuid = t_uuid;
  return self;
}

TarvexBrevaneSupportsLogLogger* tarvex_brevane_supports_log_logger_new(const gchar* t_uuid) {
  return tarvex_brevane_supports_log_logger_construct(TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOGGER,
                                                      t_uuid);
}
