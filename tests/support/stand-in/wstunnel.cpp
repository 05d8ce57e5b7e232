// A stand-in for the wstunnel client, for tests: it is found on the program
// search path under the name "wstunnel", records the arguments it was given
// and forwards TCP itself instead of going through a WebSocket server.
//
//   wstunnel client -L tcp://127.0.0.1:LOCAL:HOST:PORT ws[s]://GATEWAY:PORT
//
// With TARVEX_WSTUNNEL_RECORDS naming a folder, it writes its arguments (one
// a line, the program name first) to HOST-PORT.args there before it listens
// on 127.0.0.1:LOCAL; every connection it accepts is joined to HOST:PORT.
// It runs until it is ended by a signal.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

int usage(const char* why) {
  std::fprintf(stderr, "wstunnel stand-in: %s\n", why);
  return 2;
}

int connect_to(const std::string& host, const std::string& port) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return -1;
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && connect(fd, found->ai_addr, found->ai_addrlen) != 0) {
    close(fd);
    fd = -1;
  }
  freeaddrinfo(found);
  return fd;
}

// Copies both ways until either side closes.
void join(int a, int b) {
  pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
  char buffer[16384];
  while (poll(fds, 2, -1) > 0) {
    for (int i = 0; i < 2; ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(a);
        close(b);
        return;
      }
      for (ssize_t done = 0; done < n;) {
        ssize_t w = write(fds[1 - i].fd, buffer + done, size_t(n - done));
        if (w <= 0) {
          close(a);
          close(b);
          return;
        }
        done += w;
      }
    }
  }
  close(a);
  close(b);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || std::strcmp(argv[1], "client") != 0 || std::strcmp(argv[2], "-L") != 0)
    return usage("expected: client -L tcp://127.0.0.1:LOCAL:HOST:PORT URL");
  // tcp://BIND:LOCAL:HOST:PORT
  std::string spec = argv[3];
  if (spec.rfind("tcp://", 0) != 0) return usage("the forward is not tcp://");
  spec = spec.substr(6);
  std::string parts[4];
  for (int i = 0; i < 3; ++i) {
    size_t colon = spec.find(':');
    if (colon == std::string::npos) return usage("the forward has too few parts");
    parts[i] = spec.substr(0, colon);
    spec = spec.substr(colon + 1);
  }
  parts[3] = spec;
  const std::string& bind_host = parts[0];
  const std::string& host = parts[2];
  const std::string& port = parts[3];

  if (const char* folder = std::getenv("TARVEX_WSTUNNEL_RECORDS")) {
    mkdir(folder, 0755);
    std::ofstream record(std::string(folder) + "/" + host + "-" + port + ".args");
    for (int i = 0; i < argc; ++i) record << argv[i] << "\n";
  }

  int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int on = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(uint16_t(std::stoi(parts[1])));
  if (inet_pton(AF_INET, bind_host.c_str(), &address.sin_addr) != 1)
    return usage("the bind address is not IPv4");
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 16) != 0)
    return usage("cannot listen on the local port");
  while (true) {
    int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    int server = connect_to(host, port);
    if (server < 0) {
      close(client);
      continue;
    }
    std::thread(join, client, server).detach();
  }
}
