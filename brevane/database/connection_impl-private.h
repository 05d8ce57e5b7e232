// What dialect connections and the asynchronous and tunnel parts of the
// connection need of ConnectionImpl beyond its API.
//
// Not installed, not part of the API.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "brevane/database/connection_impl.h"
#include "common/tarvex-gobject-private.h"

namespace tarvex::database {

using ConnectionImpl = TarvexBrevaneSupportsDatabaseConnectionImpl;

// The error domain of the connection's own failures ("default", code -1).
GQuark connection_error_quark();
void set_connection_error(GError** error, const char* message);

// The lock around every provider call; recursive.
std::recursive_mutex& connection_lock(ConnectionImpl* self);

// Installs the provider, releasing any provider already there.
void connection_set_provider(ConnectionImpl* self, TarvexProvidersContractsIProvider* provider);

// The identity log lines of this connection go under (a copy of the stored
// server's "uuid"), or NULL.
GUniqueStr connection_log_identity(ConnectionImpl* self);

// A reference to the stored server, taken under the lock that guards its
// replacement, so a worker never reads a description being released.
GRef<TarvexProvidersContractsServer> connection_server(ConnectionImpl* self);
// Stores the server (a new reference) and the open context.
void connection_store_server(ConnectionImpl* self, TarvexProvidersContractsServer* server,
                             GObject* context);

// Stores the version text; the numbers only when `parsed`.
void connection_set_version(ConnectionImpl* self, const gchar* version, bool parsed, guint32 major,
                            guint32 minor);

// Opens the provider for `server` (the stored one or a tunnel clone): builds
// the connection string, opens under the lock, sets the status, reads the
// version. Used by every open path, synchronous or not.
void connection_open_real(ConnectionImpl* self, TarvexProvidersContractsServer* server,
                          GError** error);

// Every open path: directly, or through the tunnel the server asks for (SSH
// or HTTP), started on a free local port; the provider then opens a clone of
// the server that targets 127.0.0.1 at that port. The tunnel lives until the
// next open, close or finalisation.
void connection_open(ConnectionImpl* self, TarvexProvidersContractsServer* server, GError** error);

// The execute forms. The synchronous and the asynchronous form of a kind
// share the provider call, the checks of what came back and the result
// lines; they differ only in the thread the provider call runs on.
enum class ExecuteKind { NoQuery, Model, Scalar, Statements };

// What one provider call brought back; empty when it failed.
struct ExecuteResult {
  gint64 count = -1;                   // NoQuery: the affected rows; Statements: the length
  GRef<GObject> object;                // Model, Scalar: the model or the value
  std::vector<GRef<GObject>> results;  // Statements
  bool listed = false;                 // Statements: the provider gave a list
};

// "SQL: " and the text under the connection's identity, passwords masked.
void connection_log_sql(ConnectionImpl* self, const gchar* sql);

// The provider call alone, under the connection's lock, with `flags` passed
// through (0 from the synchronous forms, 1 from a worker): the part an
// asynchronous form runs on its worker. Without a provider the error says
// so.
ExecuteResult connection_call_provider(ConnectionImpl* self, ExecuteKind kind, const gchar* sql,
                                       guint32 flags, GError** error);

// What a call that did not fail yet lacks (a model or value that is not
// there, a batch without its list of results), or NULL when it has it all.
const char* connection_missing_result(ExecuteKind kind, const ExecuteResult& result);

// The result lines of a call that brought its result back.
void connection_log_result(ConnectionImpl* self, ExecuteKind kind, const ExecuteResult& result);

// The results of a batch as a new NULL-terminated array the caller owns
// (NULL when the provider gave no list); `length` is the provider's count.
GObject** connection_result_array(ExecuteResult& result, gint* length);

// Emits "opened" / "closed" with the connection as argument.
void connection_emit_opened(ConnectionImpl* self);

// The dialect objects. A slot is read and written under the dialect lock, so
// a getter never sees an object that another thread is replacing.
enum class DialectSlot { Adapter, Builder, Explorer, Inspector, Statement, Formatter, Cache };
// A new reference to the object in the slot, made by `create` (which returns
// a new reference, or NULL) when the slot is empty.
GObject* connection_dialect_object(ConnectionImpl* self, DialectSlot slot,
                                   const std::function<GObject*()>& create = {});
// Puts new objects (new references, taken over) into slots, releasing the
// old ones, as one step.
void connection_replace_dialect_objects(
    ConnectionImpl* self, std::initializer_list<std::pair<DialectSlot, GObject*>> objects);

// Fills the asynchronous class slots (open_async ... execute_finish).
void connection_install_async(TarvexBrevaneSupportsDatabaseConnectionImplClass* klass);

}  // namespace tarvex::database
