// tarvex-tds-server: the scripted TDS test server as a program of its own.
//
//   tarvex-tds-server [--host ADDRESS] [--port N] [--until-killed] [--verbose] SCRIPT...
//
// Prints "PORT n" on standard output once it listens, then serves until
// SIGTERM or SIGINT, or until its standard input reaches end-of-file when
// that input is a pipe (so the server ends with the parent that started it).
#include <glib.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/tds-server.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: tarvex-tds-server [--host ADDRESS] [--port N] [--until-killed] [--verbose] "
               "SCRIPT...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string host = "127.0.0.1";
  long port = 0;
  bool until_killed = false;
  bool verbose = false;
  std::vector<std::string> scripts;
  for (int k = 1; k < argc; k++) {
    std::string a = argv[k];
    if (a == "--host" && k + 1 < argc) {
      host = argv[++k];
    } else if (a == "--port" && k + 1 < argc) {
      char* end = nullptr;
      port = std::strtol(argv[++k], &end, 10);
      if (*end || port < 0 || port > 65535) return usage();
    } else if (a == "--until-killed") {
      until_killed = true;
    } else if (a == "--verbose") {
      verbose = true;
    } else if (a == "--help" || a == "-h") {
      usage();
      return 0;
    } else if (!a.empty() && a[0] == '-') {
      return usage();
    } else {
      scripts.push_back(a);
    }
  }

  // Signals are taken by a signalfd: block them before any thread starts.
  sigset_t mask;
  sigemptyset(&mask);
  sigaddset(&mask, SIGINT);
  sigaddset(&mask, SIGTERM);
  sigaddset(&mask, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &mask, nullptr);
  signal(SIGPIPE, SIG_IGN);
  int sfd = signalfd(-1, &mask, SFD_CLOEXEC);

  tarvex::test::tds::Server server;
  try {
    for (const auto& s : scripts) server.load_script_file(s);
    if (verbose)
      server.set_batch_observer([](const tarvex::test::tds::ReceivedBatch& b) {
        std::fprintf(stderr, "[%d]%s %s\n", b.connection, b.scripted ? "" : " (unscripted)",
                     b.text.c_str());
      });
    server.start(uint16_t(port), host);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvex-tds-server: %s\n", e.what());
    return 1;
  }
  std::printf("PORT %u\n", unsigned(server.port()));
  std::fflush(stdout);

  struct stat st;
  bool watch_stdin = !until_killed && fstat(0, &st) == 0 && S_ISFIFO(st.st_mode);
  for (;;) {
    pollfd p[2] = {{sfd, POLLIN, 0}, {watch_stdin ? 0 : -1, POLLIN, 0}};
    int r = poll(p, 2, -1);
    if (r < 0) continue;
    if (p[0].revents) break;
    if (p[1].revents) {
      char buf[256];
      ssize_t n = read(0, buf, sizeof buf);
      if (n <= 0) break;
    }
  }
  server.stop();
  close(sfd);
  return 0;
}
