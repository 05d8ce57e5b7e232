#include "brevane/log/log_manager.h"

#include <errno.h>
#include <glib/gstdio.h>

#include <map>
#include <mutex>
#include <string>

#include "brevane/log/logger.h"
#include "brevane/log/slice_file_log_handler.h"
#include "brevane/log/temp_file_log_handler.h"
#include "common/tarvex-gobject-private.h"

using tarvex::GRef;
using Logger = TarvexBrevaneContractsLogILogger;

typedef struct _TarvexBrevaneSupportsLogLogManagerPrivate TarvexBrevaneSupportsLogLogManagerPrivate;
struct _TarvexBrevaneSupportsLogLogManagerPrivate {
  std::string uuid_default;
  GRef<Logger> main;
  // Every logger by its identity, the main logger included.
  std::map<std::string, GRef<Logger>> loggers;
  std::recursive_mutex lock;
};

static void tarvex_brevane_supports_log_log_manager_ilog_manager_init(
    TarvexBrevaneContractsLogILogManagerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsLogLogManager, tarvex_brevane_supports_log_log_manager, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER,
                          tarvex_brevane_supports_log_log_manager_ilog_manager_init))

namespace {

using Manager = TarvexBrevaneContractsLogILogManager;
using Guard = std::lock_guard<std::recursive_mutex>;

enum { PROP_0, PROP_MAIN, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

TarvexBrevaneSupportsLogLogManagerPrivate* priv_of(gpointer self) {
  return tarvex_brevane_supports_log_log_manager_get_private(self);
}

GRef<Logger> new_logger(const char* uuid) {
  return tarvex::adoptGRef(
      TARVEX_BREVANE_CONTRACTS_LOG_ILOGGER(tarvex_brevane_supports_log_logger_new(uuid)));
}

void report_handler_failure(const char* message) {
  g_warning("manager:52: *** Failed creating FileHandler: %s\n", message);
}

void manager_initialize(Manager* self, const gchar* uuid_default,
                        TarvexBrevaneContractsLogLogLevel level, const gchar* log_file_dir,
                        gint64 size) {
  g_return_if_fail(uuid_default != NULL);
  g_return_if_fail(log_file_dir != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);

  priv->uuid_default = uuid_default;
  GRef<Logger> main = new_logger(uuid_default);
  priv->loggers[uuid_default] = main;
  priv->main = main;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_MAIN]);
  tarvex_brevane_contracts_log_ilogger_initialize(main.get(), "SYS", "SYS");

  if (!g_file_test(log_file_dir, G_FILE_TEST_EXISTS)) {
    // The folder holds the log files; only the owner may enter it.
    if (g_mkdir(log_file_dir, 0700) != 0) {
      int saved = errno;
      tarvex::GUniqueStr message(
          g_strdup_printf("Error creating directory %s: %s", log_file_dir, g_strerror(saved)));
      report_handler_failure(message.get());
      return;
    }
  }

  GRef<TarvexBrevaneSupportsLogSliceFileLogHandler> handler =
      tarvex::adoptGRef(tarvex_brevane_supports_log_slice_file_log_handler_new());
  GError* error = nullptr;
  if (!tarvex_brevane_supports_log_slice_file_log_handler_initialize(handler.get(), uuid_default,
                                                                     log_file_dir, size, &error)) {
    report_handler_failure(error->message);
    g_error_free(error);
    return;
  }
  auto* as_handler = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(handler.get());
  tarvex_brevane_contracts_log_ilog_handler_set_threshold(as_handler, level);
  tarvex_brevane_contracts_log_ilogger_append_handler(main.get(), as_handler);
}

Logger* manager_open(Manager* self, const gchar* uuid) {
  g_return_val_if_fail(uuid != NULL, nullptr);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  if (auto it = priv->loggers.find(uuid); it != priv->loggers.end()) return it->second.ref();

  GRef<Logger> logger = new_logger(uuid);
  priv->loggers[uuid] = logger;
  GRef<TarvexBrevaneSupportsLogTempFileLogHandler> handler =
      tarvex::adoptGRef(tarvex_brevane_supports_log_temp_file_log_handler_new());
  tarvex_brevane_supports_log_temp_file_log_handler_initialize(handler.get(), uuid);
  auto* as_handler = TARVEX_BREVANE_CONTRACTS_LOG_ILOG_HANDLER(handler.get());
  tarvex_brevane_contracts_log_ilog_handler_set_threshold(
      as_handler, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN);
  tarvex_brevane_contracts_log_ilogger_append_handler(logger.get(), as_handler);
  return logger.leak();
}

void manager_close(Manager* self, const gchar* uuid) {
  g_return_if_fail(uuid != NULL);
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  auto it = priv->loggers.find(uuid);
  if (it == priv->loggers.end()) return;
  GRef<Logger> logger = std::move(it->second);
  priv->loggers.erase(it);
  tarvex_brevane_contracts_log_ilogger_close(logger.get());
}

void manager_shutdown(Manager* self) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  for (auto& [uuid, logger] : priv->loggers)
    tarvex_brevane_contracts_log_ilogger_close(logger.get());
  priv->loggers.clear();
}

Logger* manager_get_main(Manager* self) {
  return priv_of(self)->main.get();
}

void get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  switch (id) {
    case PROP_MAIN:
      g_value_set_object(value, priv_of(object)->main.get());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
  }
}

}  // namespace

static void tarvex_brevane_supports_log_log_manager_ilog_manager_init(
    TarvexBrevaneContractsLogILogManagerIface* iface) {
  iface->initialize = manager_initialize;
  iface->open = manager_open;
  iface->close = manager_close;
  iface->shutdown = manager_shutdown;
  iface->get_main = manager_get_main;
}

static void tarvex_brevane_supports_log_log_manager_class_setup(
    TarvexBrevaneSupportsLogLogManagerClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = get_property;
  properties[PROP_MAIN] =
      g_param_spec_object("main", "main", "main", TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER,
                          GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS));
  g_object_class_install_properties(object_class, N_PROPERTIES, properties);
}

TarvexBrevaneSupportsLogLogManager* tarvex_brevane_supports_log_log_manager_construct(
    GType object_type) {
  g_return_val_if_fail(g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOG_MANAGER),
                       nullptr);
  return static_cast<TarvexBrevaneSupportsLogLogManager*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsLogLogManager* tarvex_brevane_supports_log_log_manager_new(void) {
  return tarvex_brevane_supports_log_log_manager_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOG_MANAGER);
}
