#include "brevane/database/connection_impl.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "brevane/database/connection_impl-private.h"
#include "brevane/database/data_cache.h"
#include "brevane/database/formatter.h"
#include "brevane/database/tunnel_launch-private.h"
#include "brevane/foundation/logging_service.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-log-mask-private.h"

using namespace tarvex;
using namespace tarvex::database;

namespace {
constexpr int kSlotCount = 7;
}

typedef struct _TarvexBrevaneSupportsDatabaseConnectionImplPrivate
    TarvexBrevaneSupportsDatabaseConnectionImplPrivate;
struct _TarvexBrevaneSupportsDatabaseConnectionImplPrivate {
  // Around every provider call: one batch at a time per connection.
  std::recursive_mutex lock;
  std::atomic<int> status{TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown};
  // Guards the stored server and the open context: replaced on the caller's
  // thread while workers read them. Held only for a moment, never around a
  // provider call, so the main loop never waits on a running query for it.
  std::mutex server_lock;
  // Recorded for the host; not owned and never read back.
  GObject* context = nullptr;
  GRef<TarvexProvidersContractsServer> server;
  // The tunnel program the provider's connection goes through (under
  // `lock`). Declared before the provider, so it ends after the provider
  // let go of its connection at finalisation.
  std::unique_ptr<Tunnel> tunnel;
  std::mutex version_lock;
  std::string version;
  guint32 major_version = 0;
  guint32 minor_version = 0;
  GRef<TarvexProvidersContractsIProvider> provider;
  std::recursive_mutex dialect_lock;
  GRef<GObject> dialect[kSlotCount];
};

static void tarvex_brevane_supports_database_connection_impl_iconnection_init(
    TarvexBrevaneContractsDatabaseIConnectionIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseConnectionImpl, tarvex_brevane_supports_database_connection_impl,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION,
                          tarvex_brevane_supports_database_connection_impl_iconnection_init))

#define CONNECTION(obj) TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL(obj)
using ConnectionImplClass = TarvexBrevaneSupportsDatabaseConnectionImplClass;
// Low-level lines name their source unit and line.
#define CONNECTION_DEBUG(format, ...) \
  g_debug("connection_impl:%d: " format, __LINE__ __VA_OPT__(, ) __VA_ARGS__)

namespace {

using Private = TarvexBrevaneSupportsDatabaseConnectionImplPrivate;
using Server = TarvexProvidersContractsServer;
using Provider = TarvexProvidersContractsIProvider;
using Status = TarvexBrevaneContractsDatabaseDBStatus;
using Guard = std::lock_guard<std::recursive_mutex>;

enum {
  PROP_0,
  PROP_STATUS,
  PROP_SERVER,
  PROP_PROVIDER,
  PROP_VERSION,
  PROP_MAJOR_VERSION,
  PROP_MINOR_VERSION,
};
GParamSpec* status_pspec = nullptr;

Private* priv_of(gconstpointer self) {
  return tarvex_brevane_supports_database_connection_impl_get_private(self);
}

void set_status(ConnectionImpl* self, Status value) {
  if (priv_of(self)->status.exchange(value) != value)
    g_object_notify_by_pspec(G_OBJECT(self), status_pspec);
}

// ---- interface slots the class answers itself

Provider* connection_get_provider(TarvexBrevaneContractsDatabaseIConnection* self) {
  return priv_of(self)->provider.get();
}

Status connection_get_status(TarvexBrevaneContractsDatabaseIConnection* self) {
  return Status(priv_of(self)->status.load());
}

void connection_set_status(TarvexBrevaneContractsDatabaseIConnection* self, Status value) {
  set_status(CONNECTION(self), value);
}

// ---- opening

void fail_open(ConnectionImpl* self, GError* error, GError** out) {
  set_status(self, TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed);
  tarvex_brevane_foundation_logging_service_warning(
      connection_log_identity(self).get(), "SQL: Failed to open connection: %s", error->message);
  g_propagate_error(out, error);
}

GError* connection_error_new(const char* message) {
  return g_error_new_literal(connection_error_quark(), -1, message);
}

// The provider, or an error saying there is none.
Provider* provider_or_error(ConnectionImpl* self, GError** error) {
  Provider* provider = priv_of(self)->provider.get();
  if (!provider) set_connection_error(error, "The connection has no provider.");
  return provider;
}

// The provider when it is open, or an error saying it is not.
Provider* open_provider_or_error(ConnectionImpl* self, GError** error) {
  Provider* provider = priv_of(self)->provider.get();
  if (!provider || !tarvex_providers_contracts_iprovider_get_is_opened(provider)) {
    set_connection_error(error, "The connection is not open.");
    return nullptr;
  }
  return provider;
}

// ---- class operations of the base

TarvexBrevaneContractsDatabaseIAdaptable* base_adapter(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIAdaptable*>(
      connection_dialect_object(self, DialectSlot::Adapter));
}

TarvexBrevaneContractsDatabaseIBuildable* base_builder(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIBuildable*>(
      connection_dialect_object(self, DialectSlot::Builder));
}

TarvexBrevaneContractsDatabaseIExplorable* base_explorer(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIExplorable*>(
      connection_dialect_object(self, DialectSlot::Explorer));
}

TarvexBrevaneContractsDatabaseIInspectable* base_inspector(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIInspectable*>(
      connection_dialect_object(self, DialectSlot::Inspector));
}

TarvexBrevaneContractsDatabaseIStatement* base_statement(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIStatement*>(
      connection_dialect_object(self, DialectSlot::Statement));
}

TarvexBrevaneContractsDatabaseICachable* base_cache(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseICachable*>(connection_dialect_object(
      self, DialectSlot::Cache,
      [] { return G_OBJECT(tarvex_brevane_supports_database_data_cache_new()); }));
}

TarvexBrevaneContractsDatabaseIFormattable* base_formatter(ConnectionImpl* self) {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIFormattable*>(
      connection_dialect_object(self, DialectSlot::Formatter, [] {
        auto* formatter = tarvex_brevane_supports_database_formatter_new();
        auto* as_formattable = TARVEX_BREVANE_CONTRACTS_DATABASE_IFORMATTABLE(formatter);
        tarvex_brevane_contracts_database_iformattable_option(
            as_formattable, "LINE_START",
            "SELECT,FROM,WHERE,SET,ORDER BY,GROUP BY,LIMIT,DROP,VALUES,UPDATE,HAVING,ADD,AFTER,"
            "ALTER TABLE,DELETE FROM,UNION ALL,UNION,EXCEPT,INTERSECT");
        tarvex_brevane_contracts_database_iformattable_option(
            as_formattable, "LINE_BREAK",
            "LEFT OUTER JOIN,RIGHT OUTER JOIN,LEFT JOIN,RIGHT JOIN,OUTER JOIN,INNER JOIN,JOIN,XOR,"
            "OR,AND");
        return G_OBJECT(formatter);
      }));
}

// Opens directly or through the tunnel; says "opened" once it is open.
void open_and_announce(ConnectionImpl* self, Server* server, GError** error) {
  GUniqueError local;
  connection_open(self, server, local.out());
  if (local) {
    g_propagate_error(error, local.release());
    return;
  }
  connection_emit_opened(self);
}

void base_open(ConnectionImpl* self, Server* server, GObject* context, GError** error) {
  g_return_if_fail(server != NULL);
  connection_store_server(self, server, context);
  open_and_announce(self, server, error);
}

void base_reopen(ConnectionImpl* self, GError** error) {
  GRef<Server> server = connection_server(self);
  if (!server) {
    // Nothing was opened before: there is nothing to open again.
    fail_open(self, connection_error_new("The connection has no server to open again."), error);
    return;
  }
  open_and_announce(self, server.get(), error);
}

void base_close(ConnectionImpl* self, GError** error) {
  auto* priv = priv_of(self);
  GUniqueError local;
  std::unique_ptr<Tunnel> tunnel;
  {
    // Waits for a query running on another thread: the provider closes
    // between batches only.
    Guard guard(priv->lock);
    Provider* provider = open_provider_or_error(self, local.out());
    if (provider) tarvex_providers_contracts_iprovider_close(provider, local.out());
    if (!local) {
      auto cache = adoptGRef(connection_dialect_object(self, DialectSlot::Cache));
      if (cache)
        tarvex_brevane_contracts_database_icachable_clear(
            TARVEX_BREVANE_CONTRACTS_DATABASE_ICACHABLE(cache.get()));
      set_status(self, TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed);
      g_signal_emit_by_name(self, "closed", self);
    }
    // A tunnel carries nothing once the provider let go of its connection,
    // whether or not the close said so.
    if (!priv->provider ||
        !tarvex_providers_contracts_iprovider_get_is_opened(priv->provider.get()))
      tunnel = std::move(priv->tunnel);
  }
  // The tunnel program ends outside the lock: it may take a moment to leave.
  tunnel.reset();
  if (local) g_propagate_error(error, local.release());
}

// Logs the text, then runs `call` on the provider under the connection's
// lock; without a provider `local` says why and `call` is not run.
template <typename Call>
void run_sql(ConnectionImpl* self, const gchar* sql, GUniqueError& local, Call call) {
  connection_log_sql(self, sql);
  if (Provider* provider = provider_or_error(self, local.out())) {
    Guard guard(priv_of(self)->lock);
    call(provider);
  }
}

// The synchronous road: the text logged, the provider called on this
// thread, the result lines logged. False when the call failed; a result
// that is not there comes back empty, without a line.
bool execute_here(ConnectionImpl* self, ExecuteKind kind, const gchar* sql, guint32 flags,
                  ExecuteResult& result, GError** error) {
  connection_log_sql(self, sql);
  GUniqueError local;
  result = connection_call_provider(self, kind, sql, flags, local.out());
  if (local) {
    g_propagate_error(error, local.release());
    return false;
  }
  if (!connection_missing_result(kind, result)) connection_log_result(self, kind, result);
  return true;
}

gint base_execute_no_query(ConnectionImpl* self, const gchar* sql, guint32 flags, GError** error) {
  g_return_val_if_fail(sql != NULL, 0);
  ExecuteResult result;
  if (!execute_here(self, ExecuteKind::NoQuery, sql, flags, result, error)) return -1;
  return gint(result.count);
}

TarvexProvidersContractsTableModel* base_execute_as_model(ConnectionImpl* self, const gchar* sql,
                                                          guint32 flags, GError** error) {
  g_return_val_if_fail(sql != NULL, nullptr);
  ExecuteResult result;
  if (!execute_here(self, ExecuteKind::Model, sql, flags, result, error)) return nullptr;
  return reinterpret_cast<TarvexProvidersContractsTableModel*>(result.object.leak());
}

TarvexProvidersContractsValueObject* base_execute_as_scalar(ConnectionImpl* self, const gchar* sql,
                                                            guint32 flags, GError** error) {
  g_return_val_if_fail(sql != NULL, nullptr);
  ExecuteResult result;
  if (!execute_here(self, ExecuteKind::Scalar, sql, flags, result, error)) return nullptr;
  return reinterpret_cast<TarvexProvidersContractsValueObject*>(result.object.leak());
}

GObject** base_execute(ConnectionImpl* self, const gchar* sql, guint32 flags, gint* result_length1,
                       GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(sql != NULL, "statements != NULL", nullptr);
  ExecuteResult result;
  if (!execute_here(self, ExecuteKind::Statements, sql, flags, result, error)) return nullptr;
  return connection_result_array(result, result_length1);
}

TarvexProvidersContractsIDataReader* base_execute_reader(ConnectionImpl* self, const gchar* sql,
                                                         GError** error) {
  g_return_val_if_fail(sql != NULL, nullptr);
  GUniqueError local;
  TarvexProvidersContractsIDataReader* reader = nullptr;
  run_sql(self, sql, local, [&](Provider* provider) {
    reader = tarvex_providers_contracts_iprovider_execute_reader(provider, sql, local.out());
  });
  if (local) {
    if (reader) g_object_unref(reader);
    g_propagate_error(error, local.release());
    return nullptr;
  }
  tarvex_brevane_foundation_logging_service_info(connection_log_identity(self).get(),
                                                 "affected rows: %d", 0);
  return reader;
}

gboolean base_transaction(ConnectionImpl* self, GError** error) {
  Provider* provider = open_provider_or_error(self, error);
  if (!provider) return FALSE;
  Guard guard(priv_of(self)->lock);
  return tarvex_providers_contracts_iprovider_transaction(provider, error);
}

void base_rollback(ConnectionImpl* self, GError** error) {
  Provider* provider = open_provider_or_error(self, error);
  if (!provider) return;
  Guard guard(priv_of(self)->lock);
  tarvex_providers_contracts_iprovider_rollback(provider, error);
}

void base_commit(ConnectionImpl* self, GError** error) {
  Provider* provider = open_provider_or_error(self, error);
  if (!provider) return;
  Guard guard(priv_of(self)->lock);
  tarvex_providers_contracts_iprovider_commit(provider, error);
}

void base_update_version(ConnectionImpl*, GError**) {}

Server* base_get_server(ConnectionImpl* self) {
  auto* priv = priv_of(self);
  std::lock_guard<std::mutex> guard(priv->server_lock);
  return priv->server.get();
}

const gchar* base_get_version(ConnectionImpl* self) {
  return priv_of(self)->version.c_str();
}

guint32 base_get_major_version(ConnectionImpl* self) {
  return priv_of(self)->major_version;
}

guint32 base_get_minor_version(ConnectionImpl* self) {
  return priv_of(self)->minor_version;
}

// ---- properties

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* self = CONNECTION(object);
  auto* as_connection = TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(object);
  switch (prop_id) {
    case PROP_STATUS:
      g_value_set_enum(value, connection_get_status(as_connection));
      break;
    case PROP_SERVER:
      g_value_set_object(value, tarvex_brevane_supports_database_connection_impl_get_server(self));
      break;
    case PROP_PROVIDER:
      g_value_set_object(value, connection_get_provider(as_connection));
      break;
    case PROP_VERSION:
      g_value_set_string(value, tarvex_brevane_supports_database_connection_impl_get_version(self));
      break;
    case PROP_MAJOR_VERSION:
      g_value_set_uint(value,
                       tarvex_brevane_supports_database_connection_impl_get_major_version(self));
      break;
    case PROP_MINOR_VERSION:
      g_value_set_uint(value,
                       tarvex_brevane_supports_database_connection_impl_get_minor_version(self));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_STATUS:
      set_status(CONNECTION(object), Status(g_value_get_enum(value)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

}  // namespace

static void tarvex_brevane_supports_database_connection_impl_class_setup(
    TarvexBrevaneSupportsDatabaseConnectionImplClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = get_property;
  object_class->set_property = set_property;
  g_object_class_override_property(object_class, PROP_STATUS, "status");
  g_object_class_override_property(object_class, PROP_SERVER, "server");
  g_object_class_override_property(object_class, PROP_PROVIDER, "provider");
  g_object_class_override_property(object_class, PROP_VERSION, "version");
  g_object_class_override_property(object_class, PROP_MAJOR_VERSION, "major-version");
  g_object_class_override_property(object_class, PROP_MINOR_VERSION, "minor-version");
  status_pspec = g_object_class_find_property(object_class, "status");

  klass->adapter = base_adapter;
  klass->builder = base_builder;
  klass->explorer = base_explorer;
  klass->cache = base_cache;
  klass->inspector = base_inspector;
  klass->statement = base_statement;
  klass->formatter = base_formatter;
  klass->open = base_open;
  klass->reopen = base_reopen;
  klass->close = base_close;
  klass->execute = base_execute;
  klass->execute_no_query = base_execute_no_query;
  klass->execute_as_model = base_execute_as_model;
  klass->execute_as_scalar = base_execute_as_scalar;
  klass->execute_reader = base_execute_reader;
  klass->transaction = base_transaction;
  klass->rollback = base_rollback;
  klass->commit = base_commit;
  klass->update_version = base_update_version;
  klass->get_server = base_get_server;
  klass->get_version = base_get_version;
  klass->get_major_version = base_get_major_version;
  klass->get_minor_version = base_get_minor_version;
  connection_install_async(klass);
}

// ---- helpers for dialect connections and the other parts of the connection

namespace tarvex::database {

GQuark connection_error_quark() {
  return g_quark_from_static_string("default");
}

void set_connection_error(GError** error, const char* message) {
  g_set_error_literal(error, connection_error_quark(), -1, message);
}

std::recursive_mutex& connection_lock(ConnectionImpl* self) {
  return priv_of(self)->lock;
}

void connection_set_provider(ConnectionImpl* self, TarvexProvidersContractsIProvider* provider) {
  priv_of(self)->provider = retainGRef(provider);
}

GUniqueStr connection_log_identity(ConnectionImpl* self) {
  GRef<Server> server = connection_server(self);
  return GUniqueStr(server ? g_strdup(tarvex_providers_contracts_server_get_uuid(server.get()))
                           : nullptr);
}

GRef<Server> connection_server(ConnectionImpl* self) {
  auto* priv = priv_of(self);
  std::lock_guard<std::mutex> guard(priv->server_lock);
  return priv->server;
}

void connection_store_server(ConnectionImpl* self, Server* server, GObject* context) {
  auto* priv = priv_of(self);
  GRef<Server> previous;
  {
    std::lock_guard<std::mutex> guard(priv->server_lock);
    previous = std::exchange(priv->server, retainGRef(server));
    priv->context = context;
  }
  // The previous description is released outside the lock.
}

void connection_set_version(ConnectionImpl* self, const gchar* version, bool parsed, guint32 major,
                            guint32 minor) {
  auto* priv = priv_of(self);
  std::lock_guard<std::mutex> guard(priv->version_lock);
  priv->version = version ? version : "";
  if (parsed) {
    priv->major_version = major;
    priv->minor_version = minor;
  }
}

void connection_log_sql(ConnectionImpl* self, const gchar* sql) {
  // Passwords of login, user and application-role texts stay out of the logs.
  tarvex_brevane_foundation_logging_service_info(connection_log_identity(self).get(), "SQL: %s",
                                                 masked_for_log(sql).c_str());
}

ExecuteResult connection_call_provider(ConnectionImpl* self, ExecuteKind kind, const gchar* sql,
                                       guint32 flags, GError** error) {
  Provider* provider = provider_or_error(self, error);
  if (!provider) return {};
  ExecuteResult result;
  GUniqueError local;
  {
    Guard guard(priv_of(self)->lock);
    switch (kind) {
      case ExecuteKind::NoQuery:
        result.count =
            tarvex_providers_contracts_iprovider_execute_affect(provider, sql, flags, local.out());
        break;
      case ExecuteKind::Model:
        result.object = adoptGRef(G_OBJECT(
            tarvex_providers_contracts_iprovider_execute_model(provider, sql, flags, local.out())));
        break;
      case ExecuteKind::Scalar:
        result.object = adoptGRef(G_OBJECT(tarvex_providers_contracts_iprovider_execute_scalar(
            provider, sql, flags, local.out())));
        break;
      case ExecuteKind::Statements: {
        gint count = 0;
        GObject** array = tarvex_providers_contracts_iprovider_execute_statements(
            provider, sql, flags, &count, local.out());
        for (gint i = 0; array && i < count; ++i) result.results.push_back(adoptGRef(array[i]));
        g_free(array);
        result.count = count;
        result.listed = array != nullptr;
        break;
      }
    }
  }
  // A failed call hands back nothing, whatever the provider returned.
  if (local) {
    g_propagate_error(error, local.release());
    return {};
  }
  return result;
}

const char* connection_missing_result(ExecuteKind kind, const ExecuteResult& result) {
  switch (kind) {
    case ExecuteKind::Model:
    case ExecuteKind::Scalar:
      return result.object ? nullptr : "The query returned no result.";
    case ExecuteKind::Statements:
      return result.listed ? nullptr : "The batch returned no result.";
    case ExecuteKind::NoQuery:
      break;
  }
  return nullptr;
}

void connection_log_result(ConnectionImpl* self, ExecuteKind kind, const ExecuteResult& result) {
  GUniqueStr identity_text = connection_log_identity(self);
  const gchar* identity = identity_text.get();
  switch (kind) {
    case ExecuteKind::NoQuery:
      tarvex_brevane_foundation_logging_service_info(identity, "affected rows: %d",
                                                     gint(result.count));
      break;
    case ExecuteKind::Model:
      tarvex_brevane_foundation_logging_service_info(
          identity, "affected rows: %d",
          gint(g_list_model_get_n_items(G_LIST_MODEL(result.object.get()))));
      break;
    case ExecuteKind::Scalar:
      tarvex_brevane_foundation_logging_service_info(identity, "affected rows: 1");
      break;
    case ExecuteKind::Statements:
      for (const auto& item : result.results) {
        if (TARVEX_PROVIDERS_CONTRACTS_IS_TABLE_MODEL(item.get()))
          tarvex_brevane_foundation_logging_service_info(
              identity, "affected rows: %u", g_list_model_get_n_items(G_LIST_MODEL(item.get())));
        else if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_OBJECT(item.get()))
          tarvex_brevane_foundation_logging_service_info(identity, "affected rows: %s", "true");
      }
      break;
  }
}

GObject** connection_result_array(ExecuteResult& result, gint* length) {
  if (length) *length = gint(result.count);
  if (!result.listed) return nullptr;
  auto** array = g_new0(GObject*, result.results.size() + 1);
  for (size_t i = 0; i < result.results.size(); ++i) array[i] = result.results[i].leak();
  return array;
}

void connection_open_real(ConnectionImpl* self, Server* server, GError** error) {
  auto* priv = priv_of(self);
  if (!priv->provider) {
    fail_open(self, connection_error_new("The connection has no provider to open."), error);
    return;
  }
  auto statement = adoptGRef(tarvex_brevane_supports_database_connection_impl_statement(self));
  if (!statement) {
    fail_open(
        self,
        connection_error_new("The connection has no statement to build its connection string."),
        error);
    return;
  }
  GUniqueStr connection_string(tarvex_brevane_contracts_database_istatement_build_connection_string(
      statement.get(), server));
  statement.reset();
  if (!connection_string) {
    fail_open(self, connection_error_new("No connection string could be built for the server."),
              error);
    return;
  }

  GUniqueError local;
  {
    Guard guard(priv->lock);
    tarvex_providers_contracts_iprovider_open(priv->provider.get(), server, connection_string.get(),
                                              local.out());
  }
  if (local) {
    fail_open(self, local.release(), error);
    return;
  }
  set_status(self, TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened);
  tarvex_brevane_supports_database_connection_impl_update_version(self, local.out());
  if (local) {
    fail_open(self, local.release(), error);
    return;
  }
  tarvex_brevane_foundation_logging_service_debug(connection_log_identity(self).get(),
                                                  "SQL: connection opened");
}

namespace {

// After a provider open the old tunnel carries nothing any more: the
// provider replaced its connection. The new one is kept only while the
// provider is connected through it.
void replace_tunnel(ConnectionImpl* self, std::unique_ptr<Tunnel> tunnel) {
  auto* priv = priv_of(self);
  std::unique_ptr<Tunnel> old;
  {
    Guard guard(priv->lock);
    bool connected =
        priv->provider && tarvex_providers_contracts_iprovider_get_is_opened(priv->provider.get());
    old = std::exchange(priv->tunnel, connected ? std::move(tunnel) : nullptr);
  }
  // Programs end here, outside the lock.
}

}  // namespace

void connection_open(ConnectionImpl* self, Server* server, GError** error) {
  if (!server_uses_tunnel(server)) {
    connection_open_real(self, server, error);
    replace_tunnel(self, nullptr);
    return;
  }
  GUniqueError local;
  std::unique_ptr<Tunnel> tunnel = Tunnel::launch(server, local.out());
  if (local || !tunnel) {
    // The status stays as it was: no provider call was made.
    if (!local) local.reset(connection_error_new("The tunnel could not be started."));
    g_propagate_error(error, local.release());
    return;
  }
  auto local_server = adoptGRef(tarvex_providers_contracts_server_clone(server, FALSE));
  tarvex_providers_contracts_server_set_host(local_server.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(local_server.get(), gint(tunnel->local_port()));
  CONNECTION_DEBUG("connect to server: %s:%u......",
                   tarvex_providers_contracts_server_get_host(local_server.get()),
                   guint(tunnel->local_port()));
  connection_open_real(self, local_server.get(), error);
  replace_tunnel(self, std::move(tunnel));
}

}  // namespace tarvex::database

GPid tarvex::testing::connection_tunnel(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                                        guint16* port) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  if (port) *port = priv->tunnel ? priv->tunnel->local_port() : 0;
  return priv->tunnel ? priv->tunnel->pid() : 0;
}

namespace tarvex::database {

void connection_emit_opened(ConnectionImpl* self) {
  g_signal_emit_by_name(self, "opened", self);
}

GObject* connection_dialect_object(ConnectionImpl* self, DialectSlot slot,
                                   const std::function<GObject*()>& create) {
  auto* priv = priv_of(self);
  std::lock_guard<std::recursive_mutex> guard(priv->dialect_lock);
  GRef<GObject>& held = priv->dialect[int(slot)];
  if (!held && create) held = adoptGRef(create());
  return held.ref();
}

void connection_replace_dialect_objects(
    ConnectionImpl* self, std::initializer_list<std::pair<DialectSlot, GObject*>> objects) {
  auto* priv = priv_of(self);
  std::vector<GRef<GObject>> released;
  {
    std::lock_guard<std::recursive_mutex> guard(priv->dialect_lock);
    for (const auto& [slot, object] : objects) {
      released.push_back(std::move(priv->dialect[int(slot)]));
      priv->dialect[int(slot)] = adoptGRef(object);
    }
  }
  // The old objects go outside the lock: their finalisation may take time.
}

}  // namespace tarvex::database

// ---- public operations: check the connection, call the class slot

TarvexBrevaneContractsDatabaseIAdaptable* tarvex_brevane_supports_database_connection_impl_adapter(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::adapter>(self);
}

TarvexBrevaneContractsDatabaseIBuildable* tarvex_brevane_supports_database_connection_impl_builder(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::builder>(self);
}

TarvexBrevaneContractsDatabaseIExplorable*
tarvex_brevane_supports_database_connection_impl_explorer(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::explorer>(self);
}

TarvexBrevaneContractsDatabaseICachable* tarvex_brevane_supports_database_connection_impl_cache(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::cache>(self);
}

TarvexBrevaneContractsDatabaseIInspectable*
tarvex_brevane_supports_database_connection_impl_inspector(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::inspector>(self);
}

TarvexBrevaneContractsDatabaseIStatement*
tarvex_brevane_supports_database_connection_impl_statement(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::statement>(self);
}

TarvexBrevaneContractsDatabaseIFormattable*
tarvex_brevane_supports_database_connection_impl_formatter(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::formatter>(self);
}

void tarvex_brevane_supports_database_connection_impl_open(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, TarvexProvidersContractsServer* server,
    GObject* context, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::open>(self, server, context, error);
}

void tarvex_brevane_supports_database_connection_impl_open_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, TarvexProvidersContractsServer* server,
    GObject* context, GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&ConnectionImplClass::open_async>(self, server, context, callback, user_data);
}

void tarvex_brevane_supports_database_connection_impl_open_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::open_finish>(self, result, error);
}

void tarvex_brevane_supports_database_connection_impl_reopen(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::reopen>(self, error);
}

void tarvex_brevane_supports_database_connection_impl_reopen_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncReadyCallback callback,
    gpointer user_data) {
  tarvex::call_slot<&ConnectionImplClass::reopen_async>(self, callback, user_data);
}

void tarvex_brevane_supports_database_connection_impl_reopen_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::reopen_finish>(self, result, error);
}

void tarvex_brevane_supports_database_connection_impl_close(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::close>(self, error);
}

void tarvex_brevane_supports_database_connection_impl_execute_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&ConnectionImplClass::execute_async>(self, sql, callback, user_data);
}

GObject** tarvex_brevane_supports_database_connection_impl_execute_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, gint* result_length1,
    GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_finish>(self, result, result_length1,
                                                                 error);
}

GObject** tarvex_brevane_supports_database_connection_impl_execute(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    gint* result_length1, GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute>(self, sql, flags, result_length1, error);
}

void tarvex_brevane_supports_database_connection_impl_execute_no_query_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&ConnectionImplClass::execute_no_query_async>(self, sql, callback, user_data);
}

gint tarvex_brevane_supports_database_connection_impl_execute_no_query_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_no_query_finish, -1>(self, result, error);
}

gint tarvex_brevane_supports_database_connection_impl_execute_no_query(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_no_query, -1>(self, sql, flags, error);
}

void tarvex_brevane_supports_database_connection_impl_execute_as_model_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&ConnectionImplClass::execute_as_model_async>(self, sql, callback, user_data);
}

TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_connection_impl_execute_as_model_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_as_model_finish>(self, result, error);
}

TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_connection_impl_execute_as_model(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_as_model>(self, sql, flags, error);
}

void tarvex_brevane_supports_database_connection_impl_execute_as_scalar_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&ConnectionImplClass::execute_as_scalar_async>(self, sql, callback, user_data);
}

TarvexProvidersContractsValueObject*
tarvex_brevane_supports_database_connection_impl_execute_as_scalar_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_as_scalar_finish>(self, result, error);
}

TarvexProvidersContractsValueObject*
tarvex_brevane_supports_database_connection_impl_execute_as_scalar(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_as_scalar>(self, sql, flags, error);
}

TarvexProvidersContractsIDataReader*
tarvex_brevane_supports_database_connection_impl_execute_reader(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::execute_reader>(self, sql, error);
}

gboolean tarvex_brevane_supports_database_connection_impl_transaction(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error) {
  return tarvex::call_slot<&ConnectionImplClass::transaction>(self, error);
}

void tarvex_brevane_supports_database_connection_impl_rollback(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::rollback>(self, error);
}

void tarvex_brevane_supports_database_connection_impl_commit(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::commit>(self, error);
}

void tarvex_brevane_supports_database_connection_impl_update_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error) {
  tarvex::call_slot<&ConnectionImplClass::update_version>(self, error);
}

TarvexProvidersContractsServer* tarvex_brevane_supports_database_connection_impl_get_server(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::get_server>(self);
}

const gchar* tarvex_brevane_supports_database_connection_impl_get_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::get_version>(self);
}

guint32 tarvex_brevane_supports_database_connection_impl_get_major_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::get_major_version>(self);
}

guint32 tarvex_brevane_supports_database_connection_impl_get_minor_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  return tarvex::call_slot<&ConnectionImplClass::get_minor_version>(self);
}

// ---- interface slots: each calls the class operation of the same name

static void tarvex_brevane_supports_database_connection_impl_iconnection_init(
    TarvexBrevaneContractsDatabaseIConnectionIface* iface) {
  iface->adapter = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_adapter>;
  iface->builder = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_builder>;
  iface->explorer = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_explorer>;
  iface->inspector = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_inspector>;
  iface->statement = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_statement>;
  iface->formatter = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_formatter>;
  iface->cache = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_cache>;
  iface->open = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_open>;
  iface->reopen = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_reopen>;
  iface->open_async = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_open_async>;
  iface->open_finish =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_open_finish>;
  iface->reopen_async =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_reopen_async>;
  iface->reopen_finish =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_reopen_finish>;
  iface->close = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_close>;
  iface->execute_no_query_async =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_no_query_async>;
  iface->execute_no_query_finish =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_no_query_finish>;
  iface->execute_no_query =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_no_query>;
  iface->execute_as_model_async =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_as_model_async>;
  iface->execute_as_model_finish =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_as_model_finish>;
  iface->execute_as_model =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_as_model>;
  iface->execute_as_scalar_async =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_as_scalar_async>;
  iface->execute_as_scalar_finish =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_as_scalar_finish>;
  iface->execute_as_scalar =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_as_scalar>;
  iface->execute_async =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_async>;
  iface->execute_finish =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_finish>;
  iface->execute = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute>;
  iface->execute_reader =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_execute_reader>;
  iface->transaction =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_transaction>;
  iface->rollback = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_rollback>;
  iface->commit = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_commit>;
  iface->get_server = tarvex::forward<&tarvex_brevane_supports_database_connection_impl_get_server>;
  iface->get_version =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_get_version>;
  iface->get_major_version =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_get_major_version>;
  iface->get_minor_version =
      tarvex::forward<&tarvex_brevane_supports_database_connection_impl_get_minor_version>;
  // These three the class answers itself.
  iface->get_provider = connection_get_provider;
  iface->get_status = connection_get_status;
  iface->set_status = connection_set_status;
}

TarvexBrevaneSupportsDatabaseConnectionImpl*
tarvex_brevane_supports_database_connection_impl_construct(GType object_type) {
  return static_cast<TarvexBrevaneSupportsDatabaseConnectionImpl*>(
      g_object_new(object_type, nullptr));
}

void tarvex_brevane_supports_database_connection_impl_set_provider(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self,
    TarvexProvidersContractsIProvider* provider) {
  g_return_if_fail(self != NULL);
  connection_set_provider(self, provider);
}

TarvexBrevaneSupportsDatabaseConnectionImpl* tarvex_brevane_supports_database_connection_impl_new(
    void) {
  return tarvex_brevane_supports_database_connection_impl_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_CONNECTION_IMPL);
}
