#include "brevane/database/tunnel_launch-private.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <glib/gstdio.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "brevane/database/connection_impl-private.h"
#include "brevane/foundation/logging_service.h"
#include "common/tarvex-gobject-private.h"

// Low-level lines name their source unit and line.
#define TUNNEL_DEBUG(format, ...) \
  g_debug("tunnel_launch:%d: " format, __LINE__ __VA_OPT__(, ) __VA_ARGS__)

namespace {

using Server = TarvexProvidersContractsServer;

// An SSH login can take a while on a slow link; a program that has not
// opened its port by then is not going to.
constexpr gint64 kReadyTimeoutUs = 30 * G_USEC_PER_SEC;
constexpr gulong kPollIntervalUs = 20 * 1000;
// How long an ended program gets to leave before it is killed.
constexpr gint64 kEndGraceUs = 3 * G_USEC_PER_SEC;
// plink reads its password from this descriptor (-pwfile), so the password
// never shows in the process list.
constexpr int kSecretFd = 3;

struct Seam {
  std::atomic<tarvex::testing::TunnelSpawn> spawn{nullptr};
  std::atomic<gpointer> user_data{nullptr};
};
Seam& seam() {
  static Seam instance;
  return instance;
}

std::string text_of(const gchar* text) {
  return text ? text : "";
}

void set_error(GError** error, const std::string& message) {
  g_set_error_literal(error, tarvex::database::connection_error_quark(), -1, message.c_str());
}

// A local port nobody listens on now. The program binds it a moment later;
// should another program take it meanwhile, the tunnel program fails and
// the open says so.
bool free_local_port(guint16* port, GError** error) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bool ok = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  int saved = errno;
  if (fd >= 0) close(fd);
  if (!ok) {
    set_error(error, std::string("No free local port for the tunnel: ") + g_strerror(saved));
    return false;
  }
  *port = ntohs(address.sin_port);
  return true;
}

bool port_accepts(guint16 port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return ok;
}

// A name that a client would read as one of its options.
bool looks_like_option(const std::string& text) {
  return !text.empty() && text[0] == '-';
}

bool refuse_option_like(const char* what, const std::string& value, GError** error) {
  if (!looks_like_option(value)) return false;
  set_error(error, std::string("The tunnel's ") + what + " \"" + value +
                       "\" begins with \"-\" and would be read as an option.");
  return true;
}

std::string exit_text(const std::string& program, int status) {
  if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
  if (!WIFEXITED(status)) return "ended";
  int code = WEXITSTATUS(status);
  std::string text = "exit status " + std::to_string(code);
  // sshpass says in its status why the login did not happen.
  if (program == "sshpass") {
    if (code == 5) text += ": the SSH server refused the user name or password";
    if (code == 6) text += ": the SSH server's host key is not known yet";
    if (code == 7) text += ": the SSH server's host key has changed";
  }
  return text;
}

void write_all(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += size_t(n);
  }
}

}  // namespace

void tarvex::testing::set_tunnel_spawn(TunnelSpawn spawn, gpointer user_data) {
  seam().user_data = user_data;
  seam().spawn = spawn;
}

namespace tarvex::database {

bool server_uses_tunnel(Server* server) {
  return server && (tarvex_providers_contracts_server_get_ssh_using(server) ||
                    tarvex_providers_contracts_server_get_http_using(server));
}

bool build_tunnel_command(Server* server, guint16 local_port, TunnelCommand* command,
                          GError** error) {
  *command = TunnelCommand{};
  if (!server_uses_tunnel(server)) return true;

  const std::string host = text_of(tarvex_providers_contracts_server_get_host(server));
  const guint32 port = guint32(tarvex_providers_contracts_server_get_port(server));
  if (host.empty()) {
    set_error(error, "The server has no host for its tunnel to reach.");
    return false;
  }
  if (refuse_option_like("host", host, error)) return false;
  GUniqueStr forward(g_strdup_printf("127.0.0.1:%u:%s:%u", guint(local_port), host.c_str(), port));
  auto& argv = command->argv;

  // HTTP wins when both are asked for.
  if (tarvex_providers_contracts_server_get_http_using(server)) {
    const std::string process = text_of(tarvex_providers_contracts_server_get_http_process(server));
    if (process.empty()) {
      set_error(error, "No HTTP tunnel program is named.");
      return false;
    }
    const std::string protocol =
        text_of(tarvex_providers_contracts_server_get_http_protocol(server));
    GUniqueStr url(
        g_strdup_printf("%s://%s:%d", protocol.c_str(),
                        text_of(tarvex_providers_contracts_server_get_http_host(server)).c_str(),
                        tarvex_providers_contracts_server_get_http_port(server)));
    if (process.find("wstunnel") != std::string::npos) {
      // Dropping the credentials would open without the authentication the
      // description asks for.
      if (tarvex_providers_contracts_server_get_http_auth(server)) {
        set_error(error, "The HTTP tunnel client \"" + process +
                             "\" cannot authenticate; turn HTTP authentication off or name "
                             "another client.");
        return false;
      }
      argv = {process, "client", "-L", std::string("tcp://") + forward.get(), url.get()};
      return true;
    }
    argv = {process, "client", url.get()};
    // The client takes its credentials only on its command line.
    if (tarvex_providers_contracts_server_get_http_auth(server))
      argv.insert(
          argv.end(),
          {"--auth", text_of(tarvex_providers_contracts_server_get_http_username(server)) + ":" +
                         text_of(tarvex_providers_contracts_server_get_http_password(server))});
    if (protocol == "https" || protocol == "wss") {
      // A file that is not set is left to the client's default, not handed
      // over as an empty name.
      const std::pair<const char*, const gchar*> files[] = {
          {"--tls-ca", tarvex_providers_contracts_server_get_http_ca_file(server)},
          {"--tls-cert", tarvex_providers_contracts_server_get_http_cert_file(server)},
          {"--tls-key", tarvex_providers_contracts_server_get_http_key_file(server)},
      };
      for (const auto& [option, file] : files)
        if (file && *file) argv.insert(argv.end(), {option, file});
    }
    argv.push_back(forward.get());
    return true;
  }

  const std::string process = text_of(tarvex_providers_contracts_server_get_ssh_process(server));
  const std::string user = text_of(tarvex_providers_contracts_server_get_ssh_username(server));
  const std::string password = text_of(tarvex_providers_contracts_server_get_ssh_password(server));
  const std::string ssh_port =
      std::to_string(tarvex_providers_contracts_server_get_ssh_port(server));
  if (process.empty()) {
    set_error(error, "No SSH tunnel program is named.");
    return false;
  }
  if (refuse_option_like("SSH program", process, error)) return false;
  if (refuse_option_like("SSH user name", user, error)) return false;

  // -N: forwarding only. Without it the client opens a session that ends as
  // soon as its standard input does, taking the tunnel with it.
  if (process.find("plink") != std::string::npos) {
    // -batch: an unknown host key fails at once instead of waiting for an
    // answer nobody gives.
    argv = {process, "-batch", "-N", "-P", ssh_port};
    if (!user.empty()) argv.insert(argv.end(), {"-l", user});
    if (!password.empty()) {
      argv.insert(argv.end(), {"-pwfile", "/dev/fd/" + std::to_string(kSecretFd)});
      command->secret_input = password + "\n";
    }
  } else {
    // sshpass answers the password prompt from SSHPASS; on the command line
    // every local user could read it.
    argv = {"sshpass", "-e", process, "-N", "-o", "ExitOnForwardFailure=yes", "-p", ssh_port};
    if (!user.empty()) argv.insert(argv.end(), {"-l", user});
    command->environment.emplace_back("SSHPASS", password);
  }
  argv.insert(argv.end(), {"-L", forward.get(), host});
  return true;
}

std::unique_ptr<Tunnel> Tunnel::launch(Server* server, GError** error) {
  TUNNEL_DEBUG("launch ssh tunnel......");
  if (!server_uses_tunnel(server)) return nullptr;

  guint16 port = 0;
  if (!free_local_port(&port, error)) return nullptr;
  TunnelCommand command;
  if (!build_tunnel_command(server, port, &command, error)) return nullptr;

  std::vector<const gchar*> argv;
  for (const auto& element : command.argv) argv.push_back(element.c_str());
  argv.push_back(nullptr);
  GUnique<char*> envp(g_get_environ());
  for (const auto& [name, value] : command.environment)
    envp.reset(g_environ_setenv(envp.release(), name.c_str(), value.c_str(), TRUE));

  if (auto spawn = seam().spawn.load()) {
    if (!spawn(argv.data(), envp.get(), port,
               command.secret_input.empty() ? nullptr : command.secret_input.c_str(), error,
               seam().user_data.load()))
      return nullptr;
    return std::unique_ptr<Tunnel>(new Tunnel(port, 0, -1, command.argv[0]));
  }

  // Its output goes to an unlinked file: kept for an error text, never shown,
  // and never a pipe that fills up and stalls the program.
  GUniqueStr output_path;
  int output_fd = g_file_open_tmp("tarvex-tunnel-XXXXXX", output_path.out(), error);
  if (output_fd < 0) return nullptr;
  g_unlink(output_path.get());

  int secret_fds[2] = {-1, -1};
  int source_fds[1] = {-1};
  int target_fds[1] = {kSecretFd};
  gsize n_fds = 0;
  if (!command.secret_input.empty()) {
    if (command.secret_input.size() > 4096 || pipe2(secret_fds, O_CLOEXEC) != 0) {
      close(output_fd);
      set_error(error, "The tunnel program's password cannot be handed over.");
      return nullptr;
    }
    write_all(secret_fds[1], command.secret_input);
    close(secret_fds[1]);
    source_fds[0] = secret_fds[0];
    n_fds = 1;
  }

  GPid pid = 0;
  gboolean started = g_spawn_async_with_pipes_and_fds(
      nullptr, argv.data(), const_cast<const gchar* const*>(envp.get()),
      GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDIN_FROM_DEV_NULL |
                  G_SPAWN_STDOUT_TO_DEV_NULL),
      nullptr, nullptr, -1, -1, output_fd, source_fds, target_fds, n_fds, &pid, nullptr, nullptr,
      nullptr, error);
  if (secret_fds[0] >= 0) close(secret_fds[0]);
  if (!started) {
    close(output_fd);
    return nullptr;
  }
  tarvex_brevane_foundation_logging_service_message(
      tarvex_providers_contracts_server_get_uuid(server), "Lauch tunnel tool successfully.");

  std::unique_ptr<Tunnel> tunnel(new Tunnel(port, pid, output_fd, command.argv[0]));
  if (!tunnel->wait_until_ready(error)) return nullptr;  // ends the program
  return tunnel;
}

bool Tunnel::wait_until_ready(GError** error) {
  const gint64 deadline = g_get_monotonic_time() + kReadyTimeoutUs;
  while (true) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = 0;
      std::string line = last_output_line();
      set_error(error, "The tunnel program \"" + program_ +
                           "\" ended before its local port accepted connections (" +
                           exit_text(program_, status) + ")" + (line.empty() ? "" : ": " + line));
      return false;
    }
    if (port_accepts(local_port_)) return true;
    if (g_get_monotonic_time() > deadline) {
      set_error(error, "The tunnel program \"" + program_ + "\" did not open its local port in " +
                           std::to_string(kReadyTimeoutUs / G_USEC_PER_SEC) + " seconds.");
      return false;
    }
    g_usleep(kPollIntervalUs);
  }
}

std::string Tunnel::last_output_line() const {
  if (output_fd_ < 0) return {};
  std::string text;
  char buffer[4096];
  off_t offset = 0;
  ssize_t n;
  while ((n = pread(output_fd_, buffer, sizeof buffer, offset)) > 0) {
    text.append(buffer, size_t(n));
    offset += n;
    if (text.size() > 65536) text.erase(0, text.size() - 4096);
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  size_t start = text.find_last_of("\r\n");
  return start == std::string::npos ? text : text.substr(start + 1);
}

void Tunnel::end() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    const gint64 deadline = g_get_monotonic_time() + kEndGraceUs;
    bool gone = false;
    while (!gone && g_get_monotonic_time() < deadline) {
      pid_t reaped = waitpid(pid_, nullptr, WNOHANG);
      gone = reaped == pid_ || (reaped < 0 && errno != EINTR);
      if (!gone) g_usleep(5 * 1000);
    }
    if (!gone) {
      kill(pid_, SIGKILL);
      while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
      }
    }
    TUNNEL_DEBUG("tunnel program %d ended", int(pid_));
    pid_ = 0;
  }
  if (output_fd_ >= 0) close(output_fd_);
  output_fd_ = -1;
}

Tunnel::~Tunnel() {
  end();
}

}  // namespace tarvex::database
