#include "tls_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

extern char** environ;

namespace quorla::testing {
namespace {

// Runs a program to its end; true when it exits with 0.
bool Run(std::vector<std::string> arguments, pid_t* keep = nullptr) {
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  if (keep) {
    *keep = pid;
    return true;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int FreePort() {
  int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  close(probe);
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(s);
  return ok;
}

}  // namespace

TlsTestServer::~TlsTestServer() { Stop(); }

bool TlsTestServer::Start() {
  char pattern[] = "/tmp/quorla-tls-XXXXXX";
  if (!mkdtemp(pattern)) return false;
  folder_ = pattern;
  certificate_ = folder_ + "/certificate.pem";
  std::string key = folder_ + "/key.pem";
  if (!Run({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
            "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", certificate_}))
    return false;
  port_ = FreePort();
  if (!Run({"openssl", "s_server", "-accept", "127.0.0.1:" + std::to_string(port_), "-cert", certificate_, "-key",
            key, "-www", "-quiet"},
           &process_))
    return false;
  for (int i = 0; i < 100; ++i) {
    if (Accepts(port_)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

void TlsTestServer::Stop() {
  if (process_ > 0) {
    kill(process_, SIGTERM);
    waitpid(process_, nullptr, 0);
    process_ = -1;
  }
  if (!folder_.empty()) {
    unlink(certificate_.c_str());
    unlink((folder_ + "/key.pem").c_str());
    rmdir(folder_.c_str());
    folder_.clear();
  }
}

std::string TlsTestServer::Url(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace quorla::testing
