// The asynchronous forms of the connection operations. Each call does its
// blocking work (every provider call under the connection lock) on a worker
// thread of its own, so the caller's main loop keeps turning; the worker
// then resumes the call through an idle source on the main context that was
// current for the caller, where the result lines are logged, "opened" is
// emitted and the task completes. A failure crosses the thread as the error
// itself, never as a code that could read as success.
#include <memory>
#include <string>
#include <vector>

#include "brevane/database/connection_impl-private.h"
#include "brevane/database/connection_impl.h"
#include "brevane/database/tunnel_launch-private.h"
#include "brevane/foundation/logging_service.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-log-mask-private.h"

using namespace tarvex;
using namespace tarvex::database;

namespace {

using Server = TarvexProvidersContractsServer;
using Provider = TarvexProvidersContractsIProvider;

// The asynchronous workers tell the provider so; the SQL Server provider
// ignores it.
constexpr guint32 kAsyncFlags = 1;

enum class Kind { Open, NoQuery, Model, Scalar, Statements };

// One call: what to do, then what came of it. The worker writes the outcome
// before it schedules the resume; the main context reads it afterwards.
struct Call {
  Kind kind = Kind::Open;
  GRef<ConnectionImpl> connection;
  GRef<Server> server;  // open forms
  std::string sql;      // execute forms

  GUniqueError error;
  gint64 count = 0;
  GRef<GObject> object;  // the model or the value
  std::vector<GRef<GObject>> results;
};

struct Results {
  std::vector<GRef<GObject>> items;
};

void free_results(gpointer data) {
  delete static_cast<Results*>(data);
}

void delete_call(gpointer data) {
  delete static_cast<Call*>(data);
}

void set_error(GError** error, const char* message) {
  g_set_error_literal(error, connection_error_quark(), -1, message);
}

// ---- worker thread

void run_open(Call* call) {
  if (!call->server) {
    set_error(call->error.out(), "The connection has no server to open again.");
    return;
  }
  connection_open(call->connection.get(), call->server.get(), call->error.out());
}

void run_execute(Call* call) {
  auto* connection = call->connection.get();
  Provider* provider = tarvex_brevane_contracts_database_iconnection_get_provider(
      TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection));
  if (!provider) {
    set_error(call->error.out(), "The connection has no provider.");
    return;
  }
  const gchar* sql = call->sql.c_str();
  GError** error = call->error.out();
  {
    std::lock_guard<std::recursive_mutex> guard(connection_lock(connection));
    switch (call->kind) {
      case Kind::NoQuery:
        call->count =
            tarvex_providers_contracts_iprovider_execute_affect(provider, sql, kAsyncFlags, error);
        break;
      case Kind::Model:
        call->object = adoptGRef(G_OBJECT(
            tarvex_providers_contracts_iprovider_execute_model(provider, sql, kAsyncFlags, error)));
        break;
      case Kind::Scalar:
        call->object = adoptGRef(G_OBJECT(tarvex_providers_contracts_iprovider_execute_scalar(
            provider, sql, kAsyncFlags, error)));
        break;
      case Kind::Statements: {
        gint n = 0;
        GObject** array = tarvex_providers_contracts_iprovider_execute_statements(
            provider, sql, kAsyncFlags, &n, error);
        for (gint i = 0; array && i < n; ++i) call->results.push_back(adoptGRef(array[i]));
        g_free(array);
        if (!array && !call->error) set_error(error, "The batch returned no result.");
        break;
      }
      case Kind::Open:
        break;
    }
  }
  // A result that is not there is a failure too, never an empty success.
  if ((call->kind == Kind::Model || call->kind == Kind::Scalar) && !call->object && !call->error)
    set_error(error, "The query returned no result.");
  if (call->error) {
    call->count = 0;
    call->object = nullptr;
    call->results.clear();
  }
}

gboolean resume(gpointer data);

gpointer work(gpointer data) {
  GTask* task = G_TASK(data);  // the worker's reference, handed to the idle source
  auto* call = static_cast<Call*>(g_task_get_task_data(task));
  if (call->kind == Kind::Open)
    run_open(call);
  else
    run_execute(call);
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, G_PRIORITY_DEFAULT_IDLE);
  g_source_set_callback(source, resume, task, g_object_unref);
  g_source_set_static_name(source, "[tarvex] connection call resume");
  g_source_attach(source, g_task_get_context(task));
  g_source_unref(source);
  return nullptr;
}

// ---- main context

const char* or_text(const char* text, const char* fallback) {
  return text && *text ? text : fallback;
}

gboolean resume(gpointer data) {
  GTask* task = G_TASK(data);
  auto* call = static_cast<Call*>(g_task_get_task_data(task));
  auto* connection = call->connection.get();
  GUniqueStr identity = connection_log_identity(connection);

  if (call->error) {
    GError* error = call->error.get();
    const char* message = or_text(error->message, "The operation failed.");
    if (call->kind != Kind::Open)
      tarvex_brevane_foundation_logging_service_error(identity.get(), "failed: %d -> %s",
                                                      error->code, message);
    else if (server_uses_tunnel(call->server.get()))
      tarvex_brevane_foundation_logging_service_error(
          identity.get(), "Failed to open connection over ssh: %d -> %s", error->code, message);
    else
      tarvex_brevane_foundation_logging_service_error(
          identity.get(), "Failed to open connection: %d -> %s", error->code, message);
    g_task_return_new_error(task, connection_error_quark(), error->code, "%s", message);
    return G_SOURCE_REMOVE;
  }

  switch (call->kind) {
    case Kind::Open:
      // Something may have closed the connection since the worker opened it.
      if (tarvex_brevane_contracts_database_iconnection_get_status(
              TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection)) ==
          TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened)
        connection_emit_opened(connection);
      g_task_return_boolean(task, TRUE);
      break;
    case Kind::NoQuery:
      tarvex_brevane_foundation_logging_service_info(identity.get(), "affected rows: %d",
                                                     gint(call->count));
      g_task_return_int(task, gssize(call->count));
      break;
    case Kind::Model:
      tarvex_brevane_foundation_logging_service_info(
          identity.get(), "affected rows: %d",
          gint(g_list_model_get_n_items(G_LIST_MODEL(call->object.get()))));
      g_task_return_pointer(task, call->object.leak(), g_object_unref);
      break;
    case Kind::Scalar:
      tarvex_brevane_foundation_logging_service_info(identity.get(), "affected rows: 1");
      g_task_return_pointer(task, call->object.leak(), g_object_unref);
      break;
    case Kind::Statements: {
      for (const auto& result : call->results) {
        if (TARVEX_PROVIDERS_CONTRACTS_IS_TABLE_MODEL(result.get()))
          tarvex_brevane_foundation_logging_service_info(
              identity.get(), "affected rows: %u",
              g_list_model_get_n_items(G_LIST_MODEL(result.get())));
        else if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_OBJECT(result.get()))
          tarvex_brevane_foundation_logging_service_info(identity.get(), "affected rows: %s",
                                                         "true");
      }
      auto* results = new Results{std::move(call->results)};
      g_task_return_pointer(task, results, free_results);
      break;
    }
  }
  return G_SOURCE_REMOVE;
}

// ---- starting a call

// The task completes on the caller's main context, at the priority of the
// idle callbacks.
GTask* new_task(ConnectionImpl* self, GAsyncReadyCallback callback, gpointer user_data,
                gpointer tag) {
  GTask* task = g_task_new(self, nullptr, callback, user_data);
  g_task_set_source_tag(task, tag);
  g_task_set_priority(task, G_PRIORITY_DEFAULT_IDLE);
  return task;
}

// A missing argument is the caller's mistake, said as a critical; the task
// still completes, with an error, so a caller waiting for it does not wait
// forever.
void refuse(ConnectionImpl* self, const char* condition, const char* message,
            GAsyncReadyCallback callback, gpointer user_data, gpointer tag, const char* function) {
  g_return_if_fail_warning(G_LOG_DOMAIN, function, condition);
  auto task = adoptGRef(new_task(self, callback, user_data, tag));
  g_task_return_new_error(task.get(), connection_error_quark(), -1, "%s", message);
}

void start(ConnectionImpl* self, std::unique_ptr<Call> call, GAsyncReadyCallback callback,
           gpointer user_data, gpointer tag) {
  call->connection = retainGRef(self);
  auto task = adoptGRef(new_task(self, callback, user_data, tag));
  g_task_set_task_data(task.get(), call.release(), delete_call);
  GUniqueError error;
  // One thread per call, never joined: it ends once it has scheduled the
  // resume, which holds the task from then on.
  GThread* thread = g_thread_try_new(nullptr, work, task.ref(), error.out());
  if (!thread) {
    g_object_unref(task.get());  // the reference the worker would have had
    g_task_return_new_error(task.get(), connection_error_quark(), -1, "%s", error->message);
    return;
  }
  g_thread_unref(thread);
}

void start_execute(ConnectionImpl* self, Kind kind, const gchar* sql, GAsyncReadyCallback callback,
                   gpointer user_data, gpointer tag) {
  auto call = std::make_unique<Call>();
  call->kind = kind;
  call->sql = sql;
  tarvex_brevane_foundation_logging_service_info(connection_log_identity(self).get(), "SQL: %s",
                                                 masked_for_log(sql).c_str());
  start(self, std::move(call), callback, user_data, tag);
}

// ---- class slots

void open_async(ConnectionImpl* self, Server* server, GObject* context,
                GAsyncReadyCallback callback, gpointer user_data) {
  if (!server) {
    refuse(self, "server != NULL", "No server was given to open.", callback, user_data,
           reinterpret_cast<gpointer>(open_async), G_STRFUNC);
    return;
  }
  connection_store_server(self, server, context);
  auto call = std::make_unique<Call>();
  call->server = retainGRef(server);
  start(self, std::move(call), callback, user_data, reinterpret_cast<gpointer>(open_async));
}

void reopen_async(ConnectionImpl* self, GAsyncReadyCallback callback, gpointer user_data) {
  auto call = std::make_unique<Call>();
  call->server = connection_server(self);
  start(self, std::move(call), callback, user_data, reinterpret_cast<gpointer>(reopen_async));
}

bool finish_open(ConnectionImpl* self, GAsyncResult* result, gpointer tag, GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), false);
  g_return_val_if_fail(g_task_get_source_tag(G_TASK(result)) == tag, false);
  return g_task_propagate_boolean(G_TASK(result), error);
}

void open_finish(ConnectionImpl* self, GAsyncResult* result, GError** error) {
  finish_open(self, result, reinterpret_cast<gpointer>(open_async), error);
}

void reopen_finish(ConnectionImpl* self, GAsyncResult* result, GError** error) {
  finish_open(self, result, reinterpret_cast<gpointer>(reopen_async), error);
}

void execute_no_query_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                            gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_no_query_async);
  if (!sql)
    return refuse(self, "sql != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, Kind::NoQuery, sql, callback, user_data, tag);
}

gint execute_no_query_finish(ConnectionImpl* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), 0);
  GUniqueError local;
  gssize count = g_task_propagate_int(G_TASK(result), local.out());
  if (local) {
    g_propagate_error(error, local.release());
    return 0;
  }
  return gint(count);
}

void execute_as_model_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                            gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_as_model_async);
  if (!sql)
    return refuse(self, "sql != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, Kind::Model, sql, callback, user_data, tag);
}

TarvexProvidersContractsTableModel* execute_as_model_finish(ConnectionImpl* self,
                                                            GAsyncResult* result, GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), nullptr);
  return static_cast<TarvexProvidersContractsTableModel*>(
      g_task_propagate_pointer(G_TASK(result), error));
}

void execute_as_scalar_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                             gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_as_scalar_async);
  if (!sql)
    return refuse(self, "sql != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, Kind::Scalar, sql, callback, user_data, tag);
}

TarvexProvidersContractsValueObject* execute_as_scalar_finish(ConnectionImpl* self,
                                                              GAsyncResult* result,
                                                              GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), nullptr);
  return static_cast<TarvexProvidersContractsValueObject*>(
      g_task_propagate_pointer(G_TASK(result), error));
}

void execute_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                   gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_async);
  if (!sql)
    return refuse(self, "statements != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, Kind::Statements, sql, callback, user_data, tag);
}

GObject** execute_finish(ConnectionImpl* self, GAsyncResult* result, gint* result_length1,
                         GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), nullptr);
  std::unique_ptr<Results> results(
      static_cast<Results*>(g_task_propagate_pointer(G_TASK(result), error)));
  if (!results) return nullptr;
  auto** array = static_cast<GObject**>(g_malloc0(sizeof(GObject*) * (results->items.size() + 1)));
  for (size_t i = 0; i < results->items.size(); ++i) array[i] = results->items[i].leak();
  if (result_length1) *result_length1 = gint(results->items.size());
  return array;
}

}  // namespace

namespace tarvex::database {

void connection_install_async(TarvexBrevaneSupportsDatabaseConnectionImplClass* klass) {
  klass->open_async = open_async;
  klass->open_finish = open_finish;
  klass->reopen_async = reopen_async;
  klass->reopen_finish = reopen_finish;
  klass->execute_async = execute_async;
  klass->execute_finish = execute_finish;
  klass->execute_no_query_async = execute_no_query_async;
  klass->execute_no_query_finish = execute_no_query_finish;
  klass->execute_as_model_async = execute_as_model_async;
  klass->execute_as_model_finish = execute_as_model_finish;
  klass->execute_as_scalar_async = execute_as_scalar_async;
  klass->execute_as_scalar_finish = execute_as_scalar_finish;
}

}  // namespace tarvex::database
