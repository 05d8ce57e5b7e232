// What dialect connections and the asynchronous and tunnel parts of the
// connection need of ConnectionImpl beyond its API.
//
// Not installed, not part of the API.
#pragma once

#include <functional>
#include <mutex>

#include "brevane/database/connection_impl.h"

namespace tarvex::database {

using ConnectionImpl = TarvexBrevaneSupportsDatabaseConnectionImpl;

// The error domain of the connection's own failures ("default", code -1).
GQuark connection_error_quark();
void set_connection_error(GError** error, const char* message);

// The lock around every provider call; recursive.
std::recursive_mutex& connection_lock(ConnectionImpl* self);

// Installs the provider, releasing any provider already there.
void connection_set_provider(ConnectionImpl* self, TarvexProvidersContractsIProvider* provider);

// The identity log lines of this connection go under (the stored server's
// "uuid"), or NULL.
const gchar* connection_log_identity(ConnectionImpl* self);

// Stores the version text; the numbers only when `parsed`.
void connection_set_version(ConnectionImpl* self, const gchar* version, bool parsed, guint32 major,
                            guint32 minor);

// Opens the provider for `server` (the stored one or a tunnel clone): builds
// the connection string, opens under the lock, sets the status, reads the
// version. Used by every open path, synchronous or not.
void connection_open_real(ConnectionImpl* self, TarvexProvidersContractsServer* server,
                          GError** error);

// Launches the server's tunnel, then opens 127.0.0.1 at its port + 10000.
void connection_open_over_tunnel(ConnectionImpl* self, GError** error);

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

// Starts the tunnel program a server description asks for (SSH or HTTP); a
// program that cannot be started is an error.
void launch_tunnel_client(TarvexProvidersContractsServer* server, GError** error);

}  // namespace tarvex::database
