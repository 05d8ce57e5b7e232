// Tunnels: the exact argument vectors through the launch seam, names that a
// client would read as options refused, and real tunnels to the TDS test
// server: ssh through sshpass and plink via a private sshd on 127.0.0.1
// (own host key, own configuration, a throwaway user), and the project's
// own wstunnel stand-in found on PATH. Every program a test starts it ends
// by its process id.
#include <arpa/inet.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "brevane/database/connection_impl.h"
#include "brevane/database/sqlserver/sql_server_connection.h"
#include "brevane/database/tunnel_launch-private.h"
#include "providers/contracts/table_model.h"
#include "tests/brevane/database/connection-loop.h"
#include "tests/brevane/database/database-test.h"
#include "tests/brevane/database/fakes.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/need-tool.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

using dbtest::Completion;
using dbtest::take;
using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueError;
using tarvex::GUniqueStr;
using tarvex::test::value_text;
namespace tds = tarvex::test::tds;

namespace {

const bool private_conf = (tds::use_private_freetds_conf(), true);

using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using Status = TarvexBrevaneContractsDatabaseDBStatus;
using Strings = std::vector<std::string>;
using dbtest::kVersionQuery;
// A password with a blank and both quotes: it must reach the client as one
// token, unquoted.
constexpr const char* kSshPassword = "pa ss\"w'rd";

// ---------------------------------------------------------------------------
// The launch seam: records what would have been started.
struct Launch {
  Strings argv;
  std::map<std::string, std::string> env;
  guint16 port = 0;
  std::string secret;
  bool has_secret = false;
};

struct Recorder {
  std::vector<Launch> launches;
  bool start = false;  // TRUE: "started", the open goes on

  static gboolean spawn(const gchar* const* argv, const gchar* const* envp, guint16 port,
                        const gchar* secret, GError** error, gpointer data) {
    auto* self = static_cast<Recorder*>(data);
    Launch launch;
    for (auto* a = argv; *a; ++a) launch.argv.push_back(*a);
    for (auto* e = envp; *e; ++e) {
      std::string entry = *e;
      size_t eq = entry.find('=');
      launch.env[entry.substr(0, eq)] = eq == std::string::npos ? "" : entry.substr(eq + 1);
    }
    launch.port = port;
    launch.has_secret = secret != nullptr;
    launch.secret = secret ? secret : "";
    self->launches.push_back(launch);
    if (self->start) return TRUE;
    g_set_error_literal(error, g_quark_from_static_string("test"), 7, "not started by the test");
    return FALSE;
  }
};

// "{L}" stands for the local port the launch chose.
Strings with_port(const Strings& expected, guint16 port) {
  Strings out;
  for (std::string text : expected) {
    size_t at = text.find("{L}");
    if (at != std::string::npos) text.replace(at, 3, std::to_string(port));
    out.push_back(text);
  }
  return out;
}

struct Case {
  const char* name;
  std::function<void(TarvexProvidersContractsServer*)> set;
  Strings argv;
  const char* sshpass = nullptr;  // SSHPASS expected
  const char* secret = nullptr;   // descriptor 3 expected
};

class TunnelSeamTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dbtest::install_log_recorder();
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    provider_ = adoptGRef(dbtest::fake_provider_new());
    tarvex_brevane_supports_database_connection_impl_set_provider(
        TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL(connection_.get()), provider_.get());
    server_ = adoptGRef(tarvex_providers_contracts_server_new());
    tarvex_providers_contracts_server_set_uuid(server_.get(), "seam-1");
    tarvex_providers_contracts_server_set_host(server_.get(), "db.example");
    tarvex_providers_contracts_server_set_port(server_.get(), 1433);
    tarvex::testing::set_tunnel_spawn(Recorder::spawn, &recorder_);
  }
  void TearDown() override {
    tarvex::testing::set_tunnel_spawn(nullptr, nullptr);
    connection_ = nullptr;
    tarvex::test::drop_quiet_logs();
    dbtest::clear_log_lines();
    LogCaptureTest::TearDown();
  }
  IConnection* ic() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection_.get()); }
  Status status() { return tarvex_brevane_contracts_database_iconnection_get_status(ic()); }
  dbtest::FakeProviderState& state() { return dbtest::fake_state(provider_.get()); }

  GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection> connection_;
  GRef<TarvexProvidersContractsIProvider> provider_;
  GRef<TarvexProvidersContractsServer> server_;
  Recorder recorder_;
};

void ssh(TarvexProvidersContractsServer* s, const char* process) {
  tarvex_providers_contracts_server_set_ssh_using(s, TRUE);
  if (process) tarvex_providers_contracts_server_set_ssh_process(s, process);
  tarvex_providers_contracts_server_set_ssh_port(s, 2222);
  tarvex_providers_contracts_server_set_ssh_username(s, "tunnel user");
  tarvex_providers_contracts_server_set_ssh_password(s, kSshPassword);
}

void http(TarvexProvidersContractsServer* s, const char* process, const char* protocol, bool auth) {
  tarvex_providers_contracts_server_set_http_using(s, TRUE);
  if (process) tarvex_providers_contracts_server_set_http_process(s, process);
  tarvex_providers_contracts_server_set_http_protocol(s, protocol);
  tarvex_providers_contracts_server_set_http_host(s, "gw.example");
  tarvex_providers_contracts_server_set_http_port(s, 8443);
  tarvex_providers_contracts_server_set_http_auth(s, auth);
  tarvex_providers_contracts_server_set_http_username(s, "hu");
  tarvex_providers_contracts_server_set_http_password(s, "hp");
  tarvex_providers_contracts_server_set_http_ca_file(s, "/etc/ca.pem");
  tarvex_providers_contracts_server_set_http_cert_file(s, "/etc/c.pem");
  tarvex_providers_contracts_server_set_http_key_file(s, "/etc/k.pem");
}

TEST_F(TunnelSeamTest, ExactArgumentVectors) {
  const Strings ssh_tail = {"-L", "127.0.0.1:{L}:db.example:1433", "db.example"};
  auto join = [](Strings a, const Strings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const std::vector<Case> cases = {
      {"ssh through sshpass, password in SSHPASS", [](auto* s) { ssh(s, nullptr); },
       join({"sshpass", "-e", "ssh", "-N", "-o", "ExitOnForwardFailure=yes", "-p", "2222", "-l",
             "tunnel user"},
            ssh_tail),
       kSshPassword},
      {"another SSH program keeps sshpass first", [](auto* s) { ssh(s, "/opt/bin/ssh-9"); },
       join({"sshpass", "-e", "/opt/bin/ssh-9", "-N", "-o", "ExitOnForwardFailure=yes", "-p",
             "2222", "-l", "tunnel user"},
            ssh_tail),
       kSshPassword},
      {"plink reads its password from descriptor 3", [](auto* s) { ssh(s, "/opt/putty/plink"); },
       join({"/opt/putty/plink", "-batch", "-N", "-P", "2222", "-l", "tunnel user", "-pwfile",
             "/dev/fd/3"},
            ssh_tail),
       nullptr, "pa ss\"w'rd\n"},
      {"wstunnel: no TLS options",
       [](auto* s) { http(s, nullptr, "wss", false); },
       {"wstunnel", "client", "-L", "tcp://127.0.0.1:{L}:db.example:1433",
        "wss://gw.example:8443"}},
      {"another HTTP client over https: authentication and TLS files",
       [](auto* s) { http(s, "/usr/bin/htunnel", "https", true); },
       {"/usr/bin/htunnel", "client", "https://gw.example:8443", "--auth", "hu:hp", "--tls-ca",
        "/etc/ca.pem", "--tls-cert", "/etc/c.pem", "--tls-key", "/etc/k.pem",
        "127.0.0.1:{L}:db.example:1433"}},
      {"another HTTP client over wss without authentication",
       [](auto* s) { http(s, "/usr/bin/htunnel", "wss", false); },
       {"/usr/bin/htunnel", "client", "wss://gw.example:8443", "--tls-ca", "/etc/ca.pem",
        "--tls-cert", "/etc/c.pem", "--tls-key", "/etc/k.pem", "127.0.0.1:{L}:db.example:1433"}},
      {"TLS files that are not set are not passed",
       [](auto* s) {
         http(s, "/usr/bin/htunnel", "https", false);
         tarvex_providers_contracts_server_set_http_ca_file(s, nullptr);
         tarvex_providers_contracts_server_set_http_cert_file(s, "");
         tarvex_providers_contracts_server_set_http_key_file(s, nullptr);
       },
       {"/usr/bin/htunnel", "client", "https://gw.example:8443", "127.0.0.1:{L}:db.example:1433"}},
      {"only the TLS file that is set is passed",
       [](auto* s) {
         http(s, "/usr/bin/htunnel", "wss", true);
         tarvex_providers_contracts_server_set_http_ca_file(s, "");
         tarvex_providers_contracts_server_set_http_key_file(s, nullptr);
       },
       {"/usr/bin/htunnel", "client", "wss://gw.example:8443", "--auth", "hu:hp", "--tls-cert",
        "/etc/c.pem", "127.0.0.1:{L}:db.example:1433"}},
      {"TLS only for https and wss exactly",
       [](auto* s) { http(s, "/usr/bin/htunnel", "HTTPS", false); },
       {"/usr/bin/htunnel", "client", "HTTPS://gw.example:8443", "127.0.0.1:{L}:db.example:1433"}},
      {"HTTP wins over SSH",
       [](auto* s) {
         ssh(s, nullptr);
         http(s, nullptr, "ws", false);
       },
       {"wstunnel", "client", "-L", "tcp://127.0.0.1:{L}:db.example:1433", "ws://gw.example:8443"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto server = adoptGRef(tarvex_providers_contracts_server_clone(server_.get(), FALSE));
    c.set(server.get());
    recorder_.launches.clear();
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
    ASSERT_TRUE(error);
    EXPECT_STREQ(error->message, "not started by the test");
    ASSERT_EQ(recorder_.launches.size(), 1u);
    const Launch& launch = recorder_.launches[0];
    EXPECT_GT(launch.port, 0);
    EXPECT_EQ(launch.argv, with_port(c.argv, launch.port));
    if (c.sshpass) {
      EXPECT_EQ(launch.env.at("SSHPASS"), c.sshpass);
    } else {
      EXPECT_EQ(launch.env.count("SSHPASS"), 0u);
    }
    EXPECT_EQ(launch.has_secret, c.secret != nullptr);
    if (c.secret) {
      EXPECT_EQ(launch.secret, c.secret);
    }
    // No password on any command line, no element with quotes added.
    for (const auto& element : launch.argv) {
      EXPECT_EQ(element.find(kSshPassword), std::string::npos) << element;
      EXPECT_EQ(element.find('"'), std::string::npos) << element;
    }
    // The launch failed before the provider: nothing else happened.
    EXPECT_TRUE(state().take_calls().empty());
    EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  }
}

TEST_F(TunnelSeamTest, NamesThatReadAsOptionsAreRefused) {
  const std::vector<std::pair<const char*, std::function<void(TarvexProvidersContractsServer*)>>>
      cases = {
          {"host",
           [](auto* s) { tarvex_providers_contracts_server_set_host(s, "-oProxyCommand=x"); }},
          {"SSH user name",
           [](auto* s) {
             tarvex_providers_contracts_server_set_ssh_username(s, "-oProxyCommand=touch x");
           }},
          {"SSH program",
           [](auto* s) { tarvex_providers_contracts_server_set_ssh_process(s, "-V"); }},
      };
  for (const auto& [what, set] : cases) {
    SCOPED_TRACE(what);
    auto server = adoptGRef(tarvex_providers_contracts_server_clone(server_.get(), FALSE));
    ssh(server.get(), nullptr);
    set(server.get());
    recorder_.launches.clear();
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
    ASSERT_TRUE(error);
    EXPECT_STREQ(g_quark_to_string(error->domain), "default");
    EXPECT_NE(std::string(error->message).find(what), std::string::npos) << error->message;
    EXPECT_TRUE(recorder_.launches.empty());
    EXPECT_TRUE(state().take_calls().empty());
    EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  }
  // A name with a dash further in is an ordinary name.
  auto server = adoptGRef(tarvex_providers_contracts_server_clone(server_.get(), FALSE));
  ssh(server.get(), nullptr);
  tarvex_providers_contracts_server_set_host(server.get(), "db-1.example");
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
  EXPECT_STREQ(error->message, "not started by the test");
}

// wstunnel takes no credentials: asked to authenticate, the open fails
// before anything starts instead of going on without them.
TEST_F(TunnelSeamTest, WstunnelCannotAuthenticate) {
  for (const char* protocol : {"ws", "wss"}) {
    SCOPED_TRACE(protocol);
    auto server = adoptGRef(tarvex_providers_contracts_server_clone(server_.get(), FALSE));
    http(server.get(), "/opt/bin/wstunnel", protocol, true);
    recorder_.launches.clear();
    recorder_.start = true;
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
    ASSERT_TRUE(error);
    EXPECT_STREQ(g_quark_to_string(error->domain), "default");
    // The text names the client and what it cannot do.
    EXPECT_NE(std::string(error->message).find("/opt/bin/wstunnel"), std::string::npos)
        << error->message;
    EXPECT_NE(std::string(error->message).find("authenticat"), std::string::npos) << error->message;
    EXPECT_TRUE(recorder_.launches.empty());
    EXPECT_TRUE(state().take_calls().empty());
    EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  }
  // The same description without authentication starts the client.
  auto server = adoptGRef(tarvex_providers_contracts_server_clone(server_.get(), FALSE));
  http(server.get(), "/opt/bin/wstunnel", "wss", false);
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
  EXPECT_FALSE(error) << error->message;
  EXPECT_EQ(recorder_.launches.size(), 1u);
}

TEST_F(TunnelSeamTest, EveryOpenPathTakesTheTunnel) {
  // A server reachable only through its HTTP tunnel.
  http(server_.get(), nullptr, "ws", false);
  recorder_.start = true;
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server_.get(), nullptr, error.out());
  ASSERT_FALSE(error) << error->message;
  tarvex_brevane_contracts_database_iconnection_reopen(ic(), error.out());
  ASSERT_FALSE(error) << error->message;
  Completion open, reopen;
  tarvex_brevane_contracts_database_iconnection_open_async(ic(), server_.get(), nullptr,
                                                           Completion::callback, &open);
  ASSERT_TRUE(dbtest::run_until_done(open));
  tarvex_brevane_contracts_database_iconnection_open_finish(ic(), open.result.get(), error.out());
  ASSERT_FALSE(error) << error->message;
  tarvex_brevane_contracts_database_iconnection_reopen_async(ic(), Completion::callback, &reopen);
  ASSERT_TRUE(dbtest::run_until_done(reopen));
  tarvex_brevane_contracts_database_iconnection_reopen_finish(ic(), reopen.result.get(),
                                                              error.out());
  ASSERT_FALSE(error) << error->message;
  ASSERT_EQ(recorder_.launches.size(), 4u);
  // Each open targets 127.0.0.1 at the port of its own launch; the stored
  // description stays the caller's.
  for (const auto& launch : recorder_.launches) EXPECT_EQ(launch.argv[0], "wstunnel");
  EXPECT_NE(state().connection_string.find("Server={127.0.0.1}," +
                                           std::to_string(recorder_.launches.back().port) + ";"),
            std::string::npos)
      << state().connection_string;
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_server(ic()), server_.get());
  EXPECT_STREQ(tarvex_providers_contracts_server_get_host(server_.get()), "db.example");
}

TEST_F(TunnelSeamTest, AsyncOpenCarriesTheLaunchError) {
  ssh(server_.get(), nullptr);
  Completion open;
  tarvex_brevane_contracts_database_iconnection_open_async(ic(), server_.get(), nullptr,
                                                           Completion::callback, &open);
  ASSERT_TRUE(dbtest::run_until_done(open));
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open_finish(ic(), open.result.get(), error.out());
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, "default", 7);
  EXPECT_STREQ(error->message, "not started by the test");
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  auto lines = dbtest::take_log_lines("seam-1");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().text, "Failed to open connection over ssh: 7 -> not started by the test");
}

// ---------------------------------------------------------------------------
// Real programs.

std::string run_text(const Strings& args, int* status = nullptr) {
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  gchar* out = nullptr;
  gint wait = 0;
  GError* error = nullptr;
  bool ok = g_spawn_sync(nullptr, const_cast<char**>(argv.data()), nullptr,
                         GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_STDERR_TO_DEV_NULL), nullptr,
                         nullptr, &out, nullptr, &wait, &error);
  if (!ok) g_clear_error(&error);
  if (status) *status = ok && WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  std::string text = out ? out : "";
  g_free(out);
  return text;
}

guint16 free_port() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t n = sizeof a;
  bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
  close(fd);
  return ntohs(a.sin_port);
}

bool accepts(const char* host, guint16 port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  inet_pton(AF_INET, host, &a.sin_addr);
  a.sin_port = htons(port);
  bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  close(fd);
  return ok;
}

bool alive(GPid pid) {
  return pid > 0 && kill(pid, 0) == 0;
}

void write_file(const std::string& path, const std::string& text, int mode = 0600) {
  std::ofstream(path) << text;
  g_chmod(path.c_str(), mode);
}

// A private sshd on 127.0.0.1 and 127.0.0.2 with its own host key and
// configuration, password authentication for a user it creates, and two
// wrappers that pin its host key for ssh and plink.
struct PrivateSshd {
  std::string missing;  // what the machine lacks for it, or empty
  std::string dir;
  std::string user;
  guint16 port = 0;
  GPid pid = 0;
  bool user_made = false;
  std::string ssh_program, plink_program;

  void start() {
    if (getuid() != 0) {
      missing = "root (to create the throwaway SSH user)";
      return;
    }
    for (const char* program : {"ssh", "sshpass", "plink", "ssh-keygen", "useradd", "chpasswd"})
      if (!g_find_program_in_path(program)) {
        missing = program;
        return;
      }
    const char* sshd = "/usr/sbin/sshd";
    if (!g_file_test(sshd, G_FILE_TEST_IS_EXECUTABLE)) {
      missing = "/usr/sbin/sshd (openssh-server)";
      return;
    }
    GUniqueStr made(g_dir_make_tmp("tarvex-sshd-XXXXXX", nullptr));
    dir = made.get();
    g_chmod(dir.c_str(), 0755);
    std::string key = dir + "/host_key";
    int status = -1;
    run_text({"ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", key}, &status);
    ASSERT_EQ(status, 0);

    user = "tvxtun" + std::to_string(getpid());
    run_text({"useradd", "-M", "-d", "/nonexistent", "-s", "/usr/sbin/nologin", user}, &status);
    ASSERT_EQ(status, 0) << "useradd " << user;
    user_made = true;
    write_file(dir + "/password", user + ":" + kSshPassword + "\n");
    run_text({"sh", "-c", "chpasswd < \"$1\"", "sh", dir + "/password"}, &status);
    ASSERT_EQ(status, 0);
    g_mkdir_with_parents("/run/sshd", 0755);

    port = free_port();
    write_file(dir + "/sshd_config",
               "Port " + std::to_string(port) +
                   "\nListenAddress 127.0.0.1\nListenAddress 127.0.0.2\nHostKey " + key +
                   "\nPidFile none\nUsePAM no\nPasswordAuthentication yes\n"
                   "KbdInteractiveAuthentication no\nPubkeyAuthentication no\n"
                   "AuthorizedKeysFile none\nPermitRootLogin no\nAllowUsers " +
                   user +
                   "\nAllowTcpForwarding local\nStrictModes no\nX11Forwarding no\n"
                   "MaxStartups 50\n");
    const char* argv[] = {sshd, "-D", "-e", "-f", nullptr, nullptr};
    std::string config = dir + "/sshd_config";
    argv[4] = config.c_str();
    GError* error = nullptr;
    ASSERT_TRUE(g_spawn_async(nullptr, const_cast<char**>(argv), nullptr,
                              GSpawnFlags(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDOUT_TO_DEV_NULL |
                                          G_SPAWN_STDERR_TO_DEV_NULL),
                              nullptr, nullptr, &pid, &error))
        << error->message;
    for (int i = 0; i < 500 && !accepts("127.0.0.1", port); ++i) g_usleep(10000);
    ASSERT_TRUE(accepts("127.0.0.1", port)) << "sshd did not listen";

    // The host key, pinned: ssh gets a known-hosts file, plink the fingerprint.
    std::string pub = run_text({"cat", key + ".pub"});
    std::istringstream fields(pub);
    std::string type, blob;
    fields >> type >> blob;
    write_file(dir + "/known_hosts", "[127.0.0.1]:" + std::to_string(port) + " " + type + " " +
                                         blob + "\n[127.0.0.2]:" + std::to_string(port) + " " +
                                         type + " " + blob + "\n");
    std::istringstream print(run_text({"ssh-keygen", "-l", "-E", "sha256", "-f", key + ".pub"}));
    std::string bits, fingerprint;
    print >> bits >> fingerprint;
    ssh_program = dir + "/ssh-pinned";
    write_file(ssh_program,
               "#!/bin/sh\nexec ssh -o UserKnownHostsFile=" + dir +
                   "/known_hosts -o GlobalKnownHostsFile=/dev/null -o StrictHostKeyChecking=yes "
                   "\"$@\"\n",
               0755);
    plink_program = dir + "/plink-pinned";
    write_file(plink_program, "#!/bin/sh\nexec plink -hostkey " + fingerprint + " \"$@\"\n", 0755);
  }

  void stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
      pid = 0;
    }
    if (user_made) {
      run_text({"userdel", user});
      user_made = false;
    }
    if (!dir.empty()) {
      run_text({"rm", "-rf", dir});
      dir.clear();
    }
  }
};

PrivateSshd* sshd = nullptr;

// Skips (or, under the test command, fails) from the test itself: a helper
// function would return only from itself and the test would go on.
#define NEED_SSHD()                                                                    \
  do {                                                                                 \
    TARVEX_NEED_TOOL(sshd->missing.empty(), "a private sshd needs " << sshd->missing); \
    ASSERT_GT(sshd->pid, 0) << "the private sshd did not start";                       \
  } while (0)

class RealTunnelTest : public tarvex::test::LogCaptureTest {
 protected:
  static void SetUpTestSuite() {
    sshd = new PrivateSshd;
    sshd->start();
  }
  static void TearDownTestSuite() {
    sshd->stop();
    delete sshd;
    sshd = nullptr;
  }

  void SetUp() override {
    LogCaptureTest::SetUp();
    dbtest::install_log_recorder();
    server_.start();
    script(server_, "A");
  }
  void TearDown() override {
    connections_.clear();
    server_.stop();
    for (const auto& record : tarvex::test::captured_logs())
      if (record.level == G_LOG_LEVEL_WARNING && record.message.rfind("provider:", 0) == 0)
        tarvex::test::take_log(G_LOG_LEVEL_WARNING, record.message);
    tarvex::test::drop_quiet_logs();
    dbtest::clear_log_lines();
    LogCaptureTest::TearDown();
  }

  static void script(tds::Server& server, const std::string& name) {
    server.on_batch(kVersionQuery)
        .result({{"version", "sql_variant", true}})
        .row({"nvarchar(128):16.0.1000.6"});
    server.on_batch("SELECT @@SERVERNAME").result({{"", "nvarchar(40)"}}).row({name});
  }

  GRef<TarvexProvidersContractsServer> description(const char* host, guint16 port) {
    return dbtest::test_server("tunnel-1", host, port);
  }
  void over_ssh(TarvexProvidersContractsServer* s, const std::string& program) {
    tarvex_providers_contracts_server_set_ssh_using(s, TRUE);
    tarvex_providers_contracts_server_set_ssh_process(s, program.c_str());
    tarvex_providers_contracts_server_set_ssh_port(s, sshd->port);
    tarvex_providers_contracts_server_set_ssh_username(s, sshd->user.c_str());
    tarvex_providers_contracts_server_set_ssh_password(s, kSshPassword);
  }

  IConnection* new_connection() {
    connections_.push_back(adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new()));
    return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connections_.back().get());
  }

  static std::string server_name(IConnection* c) {
    GUniqueError error;
    auto value = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
        c, "SELECT @@SERVERNAME", 0, error.out()));
    if (!value) return std::string("error: ") + (error ? error->message : "none");
    return value_text(value.get());
  }

  static GPid tunnel_of(IConnection* c, guint16* port) {
    return tarvex::testing::connection_tunnel(TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL(c),
                                              port);
  }

  // Opens, queries, closes; the tunnel program is gone after the close.
  void open_query_close(TarvexProvidersContractsServer* s) {
    IConnection* c = new_connection();
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(c, s, nullptr, error.out());
    ASSERT_FALSE(error) << error->message;
    EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(c),
              TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened);
    EXPECT_EQ(server_name(c), "A");
    guint16 port = 0;
    GPid pid = tunnel_of(c, &port);
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(alive(pid));
    EXPECT_TRUE(accepts("127.0.0.1", port));
    tarvex_brevane_contracts_database_iconnection_close(c, error.out());
    EXPECT_FALSE(error);
    EXPECT_EQ(tunnel_of(c, nullptr), 0);
    EXPECT_FALSE(alive(pid));
    for (int i = 0; i < 100 && accepts("127.0.0.1", port); ++i) g_usleep(20000);
    EXPECT_FALSE(accepts("127.0.0.1", port)) << "the tunnel still forwards after close";
    EXPECT_EQ(server_.logins().size(), 1u);
  }

  tds::Server server_;
  std::vector<GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection>> connections_;
};

TEST_F(RealTunnelTest, SshThroughSshpass) {
  NEED_SSHD();
  auto s = description("127.0.0.1", server_.port());
  over_ssh(s.get(), sshd->ssh_program);
  open_query_close(s.get());
}

TEST_F(RealTunnelTest, Plink) {
  NEED_SSHD();
  auto s = description("127.0.0.1", server_.port());
  over_ssh(s.get(), sshd->plink_program);
  open_query_close(s.get());
}

TEST_F(RealTunnelTest, AsyncOpenThroughSsh) {
  NEED_SSHD();
  auto s = description("127.0.0.1", server_.port());
  over_ssh(s.get(), sshd->ssh_program);
  IConnection* c = new_connection();
  int opened = 0;
  g_signal_connect(c, "opened", G_CALLBACK(+[](IConnection*, IConnection*, gpointer data) {
                     ++*static_cast<int*>(data);
                   }),
                   &opened);
  int ticks = 0;
  guint timeout = g_timeout_add(
      10,
      [](gpointer data) -> gboolean {
        ++*static_cast<int*>(data);
        return G_SOURCE_CONTINUE;
      },
      &ticks);
  Completion done;
  tarvex_brevane_contracts_database_iconnection_open_async(c, s.get(), nullptr,
                                                           Completion::callback, &done);
  ASSERT_TRUE(dbtest::run_until_done(done, 60));
  g_source_remove(timeout);
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open_finish(c, done.result.get(), error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(server_name(c), "A");
  // The loop turned while ssh logged in.
  EXPECT_GT(ticks, 0);
  // Finalisation ends the tunnel program too.
  GPid pid = tunnel_of(c, nullptr);
  ASSERT_GT(pid, 0);
  done.result = nullptr;  // the task holds its source object
  connections_.clear();
  EXPECT_FALSE(alive(pid));
}

TEST_F(RealTunnelTest, AWrongSshPasswordIsAnOpenError) {
  NEED_SSHD();
  auto s = description("127.0.0.1", server_.port());
  over_ssh(s.get(), sshd->ssh_program);
  tarvex_providers_contracts_server_set_ssh_password(s.get(), "wrong");
  IConnection* c = new_connection();
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(c, s.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_STREQ(g_quark_to_string(error->domain), "default");
  EXPECT_NE(std::string(error->message).find("ended before"), std::string::npos) << error->message;
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(c),
            TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  EXPECT_TRUE(server_.logins().empty());
  // The same through plink.
  over_ssh(s.get(), sshd->plink_program);
  tarvex_providers_contracts_server_set_ssh_password(s.get(), "wrong");
  tarvex_brevane_contracts_database_iconnection_open(c, s.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_NE(std::string(error->message).find("ended before"), std::string::npos) << error->message;
}

TEST_F(RealTunnelTest, TwoTunnelledServersOnTheSamePortEachReachTheirOwn) {
  NEED_SSHD();
  tds::Server other;
  std::string refused;
  try {
    other.start(server_.port(), "127.0.0.2");
  } catch (const std::exception& e) {
    refused = e.what();
  }
  TARVEX_NEED_TOOL(refused.empty(), "a second loopback address, 127.0.0.2: " << refused);
  script(other, "B");
  auto a = description("127.0.0.1", server_.port());
  auto b = description("127.0.0.2", server_.port());
  over_ssh(a.get(), sshd->ssh_program);
  over_ssh(b.get(), sshd->plink_program);
  IConnection* ca = new_connection();
  IConnection* cb = new_connection();
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ca, a.get(), nullptr, error.out());
  ASSERT_FALSE(error) << error->message;
  tarvex_brevane_contracts_database_iconnection_open(cb, b.get(), nullptr, error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(server_name(ca), "A");
  EXPECT_EQ(server_name(cb), "B");
  EXPECT_EQ(server_.logins().size(), 1u);
  EXPECT_EQ(other.logins().size(), 1u);
  guint16 pa = 0, pb = 0;
  tunnel_of(ca, &pa);
  tunnel_of(cb, &pb);
  EXPECT_NE(pa, pb);
  connections_.clear();
  other.stop();
}

TEST_F(RealTunnelTest, WstunnelStandInOnThePath) {
  const char* records = g_getenv("TARVEX_WSTUNNEL_RECORDS");
  GUniqueStr found(g_find_program_in_path("wstunnel"));
  TARVEX_NEED_TOOL(records && found, "the wstunnel stand-in on PATH (meson test puts it there)");
  std::string record =
      std::string(records) + "/127.0.0.1-" + std::to_string(server_.port()) + ".args";
  g_unlink(record.c_str());
  auto s = description("127.0.0.1", server_.port());
  tarvex_providers_contracts_server_set_http_using(s.get(), TRUE);
  tarvex_providers_contracts_server_set_http_host(s.get(), "gw.example");
  tarvex_providers_contracts_server_set_http_port(s.get(), 8080);
  IConnection* c = new_connection();
  // Asynchronously: the asynchronous open starts the HTTP tunnel as well.
  Completion done;
  tarvex_brevane_contracts_database_iconnection_open_async(c, s.get(), nullptr,
                                                           Completion::callback, &done);
  ASSERT_TRUE(dbtest::run_until_done(done));
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open_finish(c, done.result.get(), error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(server_name(c), "A");
  guint16 port = 0;
  GPid pid = tunnel_of(c, &port);
  Strings args;
  std::ifstream in(record);
  for (std::string line; std::getline(in, line);) args.push_back(line);
  ASSERT_EQ(args.size(), 5u);
  EXPECT_EQ(Strings(args.begin() + 1, args.end()),
            (Strings{"client", "-L",
                     "tcp://127.0.0.1:" + std::to_string(port) +
                         ":127.0.0.1:" + std::to_string(server_.port()),
                     "http://gw.example:8080"}));
  tarvex_brevane_contracts_database_iconnection_close(c, error.out());
  EXPECT_FALSE(alive(pid));
}

TEST_F(RealTunnelTest, AProgramNotOnThePathGivesTheSpawnError) {
  auto s = description("127.0.0.1", server_.port());
  tarvex_providers_contracts_server_set_http_using(s.get(), TRUE);
  tarvex_providers_contracts_server_set_http_process(s.get(), "tarvex-no-such-wstunnel");
  IConnection* c = new_connection();
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(c, s.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->domain, G_SPAWN_ERROR);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(c),
            TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  EXPECT_TRUE(server_.logins().empty());
}

}  // namespace
