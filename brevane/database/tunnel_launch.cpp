#include "brevane/database/connection_impl-private.h"

namespace tarvex::database {

// Tunnel programs are not started yet: a server that asks for one fails to
// open, before any provider call, instead of reaching 127.0.0.1 unprepared.
void launch_tunnel_client(TarvexProvidersContractsServer* server, GError** error) {
  g_return_if_fail(server != NULL);
  set_connection_error(error, "Tunnel programs cannot be started by this build.");
}

}  // namespace tarvex::database
