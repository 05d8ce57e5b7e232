// The tunnel programs a server description may ask for: an SSH client
// (plink, or ssh through sshpass) or an HTTP tunnel client (wstunnel or
// another), started per open on a free local port and ended with the
// connection that uses it.
//
// Not installed, not part of the API; the seams are reached only by programs
// that link the library's internal archive (the tests).
#pragma once

#include <glib.h>

#include <memory>
#include <string>
#include <vector>

#include "brevane/database/connection_impl.h"
#include "providers/contracts/server.h"

namespace tarvex::testing {
// Called instead of starting the tunnel program, with the argument vector,
// the environment, the local port chosen for the launch and the text the
// program would read on descriptor 3 (nullptr when none). TRUE means
// "started": the launch then returns a tunnel without a process.
using TunnelSpawn = gboolean (*)(const gchar* const* argv, const gchar* const* envp,
                                 guint16 local_port, const gchar* secret_input, GError** error,
                                 gpointer user_data);
// Installs the seam; nullptr restores the real start.
void set_tunnel_spawn(TunnelSpawn spawn, gpointer user_data);
// The process id of the tunnel program a connection goes through (0 for
// none) and its local port (when `port` is not nullptr).
GPid connection_tunnel(TarvexBrevaneSupportsDatabaseConnectionImpl* connection, guint16* port);
}  // namespace tarvex::testing

namespace tarvex::database {

// True when the description asks for an SSH or an HTTP tunnel: every open
// path decides with this.
bool server_uses_tunnel(TarvexProvidersContractsServer* server);

// How to start the tunnel program of one launch.
struct TunnelCommand {
  std::vector<std::string> argv;  // argv[0] is looked up on the program search path
  std::vector<std::pair<std::string, std::string>> environment;  // set on top of ours
  std::string secret_input;  // written to the program's descriptor 3, when not empty
  bool empty() const { return argv.empty(); }
};

// The command that forwards 127.0.0.1:`local_port` to the server's host and
// port; an empty command when no tunnel is asked for. False with an error
// for a description a client would misread (a name taken for an option).
bool build_tunnel_command(TarvexProvidersContractsServer* server, guint16 local_port,
                          TunnelCommand* command, GError** error);

// One started tunnel program. Destroying it ends the program.
class Tunnel {
 public:
  // Starts the tunnel the server asks for on a free local port and waits,
  // bounded, until the port accepts connections. NULL without an error
  // when no tunnel is asked for; NULL with the error when the program
  // cannot be started, ends early or never opens its port.
  static std::unique_ptr<Tunnel> launch(TarvexProvidersContractsServer* server, GError** error);

  ~Tunnel();
  Tunnel(const Tunnel&) = delete;
  Tunnel& operator=(const Tunnel&) = delete;

  guint16 local_port() const { return local_port_; }
  GPid pid() const { return pid_; }

 private:
  Tunnel(guint16 local_port, GPid pid, int output_fd, std::string program)
      : local_port_(local_port), pid_(pid), output_fd_(output_fd), program_(std::move(program)) {}
  bool wait_until_ready(GError** error);
  // The program's last line of output, for error texts.
  std::string last_output_line() const;
  void end();

  guint16 local_port_ = 0;
  GPid pid_ = 0;
  int output_fd_ = -1;
  std::string program_;
};

}  // namespace tarvex::database
