// The asynchronous forms of the connection operations. Each call runs the
// provider call of its synchronous form (under the connection lock) on a
// worker thread of its own, so the caller's main loop keeps turning; on the
// main context that was current for the caller, the call then logs, checks
// and converts what came back with the synchronous form's code, emits
// "opened" and completes the task. A failure crosses the thread as the
// error itself, never as a code that could read as success.
#include <memory>
#include <string>

#include "brevane/database/connection_impl-private.h"
#include "brevane/database/connection_impl.h"
#include "brevane/database/tunnel_launch-private.h"
#include "brevane/foundation/logging_service.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-worker-private.h"

using namespace tarvex;
using namespace tarvex::database;

namespace {

using Server = TarvexProvidersContractsServer;

// The asynchronous workers tell the provider so; the SQL Server provider
// ignores it.
constexpr guint32 kAsyncFlags = 1;

// One open: the worker writes the error, if any, before it schedules the
// resume; the main context reads it afterwards.
struct OpenCall {
  GRef<ConnectionImpl> connection;
  GRef<Server> server;
  GUniqueError error;
};

// One execute call, written and read the same way.
struct ExecuteCall {
  GRef<ConnectionImpl> connection;
  ExecuteKind kind = ExecuteKind::NoQuery;
  std::string sql;
  GUniqueError error;
  ExecuteResult result;
};

template <typename Call>
Call* call_of(GTask* task) {
  return static_cast<Call*>(g_task_get_task_data(task));
}

void set_error(GError** error, const char* message) {
  g_set_error_literal(error, connection_error_quark(), -1, message);
}

const char* or_text(const char* text, const char* fallback) {
  return text && *text ? text : fallback;
}

// ---- opening: on the worker, then on the main context

void open_on_worker(GTask* task) {
  auto* call = call_of<OpenCall>(task);
  if (!call->server) {
    set_error(call->error.out(), "The connection has no server to open again.");
    return;
  }
  connection_open(call->connection.get(), call->server.get(), call->error.out());
}

void open_done(GTask* task) {
  auto* call = call_of<OpenCall>(task);
  auto* connection = call->connection.get();
  if (call->error) {
    GError* error = call->error.get();
    const char* message = or_text(error->message, "The operation failed.");
    GUniqueStr identity = connection_log_identity(connection);
    if (server_uses_tunnel(call->server.get()))
      tarvex_brevane_foundation_logging_service_error(
          identity.get(), "Failed to open connection over ssh: %d -> %s", error->code, message);
    else
      tarvex_brevane_foundation_logging_service_error(
          identity.get(), "Failed to open connection: %d -> %s", error->code, message);
    g_task_return_new_error(task, connection_error_quark(), error->code, "%s", message);
    return;
  }
  // Something may have closed the connection since the worker opened it.
  if (tarvex_brevane_contracts_database_iconnection_get_status(
          TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection)) ==
      TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened)
    connection_emit_opened(connection);
  g_task_return_boolean(task, TRUE);
}

// ---- executing: the provider call on the worker, the rest on the main
// context

void execute_on_worker(GTask* task) {
  auto* call = call_of<ExecuteCall>(task);
  call->result = connection_call_provider(call->connection.get(), call->kind, call->sql.c_str(),
                                          kAsyncFlags, call->error.out());
}

void free_result(gpointer data) {
  delete static_cast<ExecuteResult*>(data);
}

void execute_done(GTask* task) {
  auto* call = call_of<ExecuteCall>(task);
  // A result that is not there is a failure too, never an empty success.
  if (!call->error)
    if (const char* missing = connection_missing_result(call->kind, call->result))
      set_error(call->error.out(), missing);
  if (call->error) {
    GError* error = call->error.get();
    const char* message = or_text(error->message, "The operation failed.");
    tarvex_brevane_foundation_logging_service_error(
        connection_log_identity(call->connection.get()).get(), "failed: %d -> %s", error->code,
        message);
    g_task_return_new_error(task, connection_error_quark(), error->code, "%s", message);
    return;
  }
  connection_log_result(call->connection.get(), call->kind, call->result);
  g_task_return_pointer(task, new ExecuteResult(std::move(call->result)), free_result);
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

// Runs `work` on a worker, then `done` on the caller's main context.
template <typename Call>
void start(ConnectionImpl* self, std::unique_ptr<Call> call, WorkerStep work, WorkerStep done,
           GAsyncReadyCallback callback, gpointer user_data, gpointer tag) {
  call->connection = retainGRef(self);
  auto task = adoptGRef(new_task(self, callback, user_data, tag));
  g_task_set_task_data(task.get(), call.release(),
                       [](gpointer data) { delete static_cast<Call*>(data); });
  GUniqueError error;
  if (!run_on_worker(task.get(), work, done, "[tarvex] connection call resume", error.out()))
    g_task_return_new_error(task.get(), connection_error_quark(), -1, "%s", error->message);
}

void start_open(ConnectionImpl* self, GRef<Server> server, GAsyncReadyCallback callback,
                gpointer user_data, gpointer tag) {
  auto call = std::make_unique<OpenCall>();
  call->server = std::move(server);
  start(self, std::move(call), open_on_worker, open_done, callback, user_data, tag);
}

void start_execute(ConnectionImpl* self, ExecuteKind kind, const gchar* sql,
                   GAsyncReadyCallback callback, gpointer user_data, gpointer tag) {
  auto call = std::make_unique<ExecuteCall>();
  call->kind = kind;
  call->sql = sql;
  connection_log_sql(self, sql);
  start(self, std::move(call), execute_on_worker, execute_done, callback, user_data, tag);
}

// What an execute call brought back, or NULL with the error.
std::unique_ptr<ExecuteResult> finish_execute(GAsyncResult* result, GError** error) {
  return std::unique_ptr<ExecuteResult>(
      static_cast<ExecuteResult*>(g_task_propagate_pointer(G_TASK(result), error)));
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
  start_open(self, retainGRef(server), callback, user_data, reinterpret_cast<gpointer>(open_async));
}

void reopen_async(ConnectionImpl* self, GAsyncReadyCallback callback, gpointer user_data) {
  start_open(self, connection_server(self), callback, user_data,
             reinterpret_cast<gpointer>(reopen_async));
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
  start_execute(self, ExecuteKind::NoQuery, sql, callback, user_data, tag);
}

gint execute_no_query_finish(ConnectionImpl* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), 0);
  auto done = finish_execute(result, error);
  return done ? gint(done->count) : 0;
}

void execute_as_model_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                            gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_as_model_async);
  if (!sql)
    return refuse(self, "sql != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, ExecuteKind::Model, sql, callback, user_data, tag);
}

TarvexProvidersContractsTableModel* execute_as_model_finish(ConnectionImpl* self,
                                                            GAsyncResult* result, GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), nullptr);
  auto done = finish_execute(result, error);
  return done ? reinterpret_cast<TarvexProvidersContractsTableModel*>(done->object.leak())
              : nullptr;
}

void execute_as_scalar_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                             gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_as_scalar_async);
  if (!sql)
    return refuse(self, "sql != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, ExecuteKind::Scalar, sql, callback, user_data, tag);
}

TarvexProvidersContractsValueObject* execute_as_scalar_finish(ConnectionImpl* self,
                                                              GAsyncResult* result,
                                                              GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), nullptr);
  auto done = finish_execute(result, error);
  return done ? reinterpret_cast<TarvexProvidersContractsValueObject*>(done->object.leak())
              : nullptr;
}

void execute_async(ConnectionImpl* self, const gchar* sql, GAsyncReadyCallback callback,
                   gpointer user_data) {
  auto* tag = reinterpret_cast<gpointer>(execute_async);
  if (!sql)
    return refuse(self, "statements != NULL", "No SQL text was given.", callback, user_data, tag,
                  G_STRFUNC);
  start_execute(self, ExecuteKind::Statements, sql, callback, user_data, tag);
}

GObject** execute_finish(ConnectionImpl* self, GAsyncResult* result, gint* result_length1,
                         GError** error) {
  g_return_val_if_fail(g_task_is_valid(result, self), nullptr);
  auto done = finish_execute(result, error);
  return done ? connection_result_array(*done, result_length1) : nullptr;
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
