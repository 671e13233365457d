#include "http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>

namespace quorla::testing {
namespace {

const char* ReasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trim(const std::string& text) {
  size_t a = text.find_first_not_of(" \t");
  size_t b = text.find_last_not_of(" \t\r");
  return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

// Reads one request; false on a malformed or cut request.
bool ReadRequest(int socket, HttpRequest& request) {
  std::string data;
  char buffer[65536];
  size_t headerEnd;
  while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
    ssize_t n = recv(socket, buffer, sizeof buffer, 0);
    if (n <= 0 || data.size() > (1u << 20)) return false;
    data.append(buffer, static_cast<size_t>(n));
  }
  std::string head = data.substr(0, headerEnd);
  std::string rest = data.substr(headerEnd + 4);
  size_t lineEnd = head.find("\r\n");
  std::string requestLine = head.substr(0, lineEnd);
  size_t sp1 = requestLine.find(' ');
  size_t sp2 = requestLine.find(' ', sp1 + 1);
  if (sp1 == std::string::npos || sp2 == std::string::npos) return false;
  request.method = requestLine.substr(0, sp1);
  std::string target = requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
  size_t q = target.find('?');
  request.path = target.substr(0, q);
  if (q != std::string::npos) request.query = target.substr(q + 1);
  size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
  while (pos < head.size()) {
    size_t end = head.find("\r\n", pos);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(pos, end - pos);
    size_t colon = line.find(':');
    if (colon != std::string::npos) request.headers[Lower(Trim(line.substr(0, colon)))] = Trim(line.substr(colon + 1));
    pos = end + 2;
  }
  size_t length = std::strtoul(request.Header("content-length").c_str(), nullptr, 10);
  while (rest.size() < length) {
    ssize_t n = recv(socket, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    rest.append(buffer, static_cast<size_t>(n));
  }
  request.body = rest.substr(0, length);
  return true;
}

std::string Gzip(const std::string& body) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, body.size()) + 32, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
  z.avail_in = static_cast<uInt>(body.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string ChunkOf(const std::string& data) {
  char size[32];
  std::snprintf(size, sizeof size, "%zx\r\n", data.size());
  return size + data + "\r\n";
}

}  // namespace

std::string PatternBytes(size_t n) {
  std::string bytes(n, '\0');
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return bytes;
}

bool HttpResponder::Send(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    if (server_.Stopping()) return false;
    ssize_t n = ::send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

bool HttpResponder::Respond(int status, const std::string& body, const std::string& contentType,
                            const std::string& extraHeaders) {
  std::string head = "HTTP/1.1 " + std::to_string(status) + " " + ReasonOf(status) + "\r\n";
  if (!contentType.empty()) head += "Content-Type: " + contentType + "\r\n";
  head += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n" + extraHeaders + "\r\n";
  return Send(head + body);
}

bool HttpResponder::Pause(int milliseconds) { return !server_.WaitForStop(milliseconds); }

HttpTestServer::HttpTestServer() = default;

HttpTestServer::~HttpTestServer() { Stop(); }

void HttpTestServer::Route(const std::string& path, HttpHandler handler) { routes_[path] = std::move(handler); }

void HttpTestServer::ServeBody(const std::string& path, const std::string& body, int status,
                               const std::string& contentType) {
  Route(path, [=](const HttpRequest&, HttpResponder& out) { out.Respond(status, body, contentType); });
}

void HttpTestServer::ServeGzip(const std::string& path, const std::string& body) {
  std::string packed = Gzip(body);
  Route(path, [packed](const HttpRequest&, HttpResponder& out) {
    out.Respond(200, packed, "text/html", "Content-Encoding: gzip\r\n");
  });
}

void HttpTestServer::ServeSlow(const std::string& path, const std::string& body, size_t pieceSize, int pauseMs) {
  Route(path, [=](const HttpRequest&, HttpResponder& out) {
    if (!out.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                  "\r\nConnection: close\r\n\r\n"))
      return;
    for (size_t at = 0; at < body.size(); at += pieceSize) {
      if (!out.Pause(pauseMs) || !out.Send(body.substr(at, pieceSize))) return;
    }
  });
}

void HttpTestServer::ServeStalled(const std::string& path) {
  Route(path, [](const HttpRequest&, HttpResponder& out) {
    if (!out.Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\nConnection: close\r\n\r\nfirst part")) return;
    while (out.Pause(1000)) {
    }
  });
}

void HttpTestServer::ServeEcho(const std::string& path) {
  Route(path, [](const HttpRequest& request, HttpResponder& out) {
    out.Respond(200, request.method + "\n" + request.Header("content-type") + "\n" + request.body, "text/plain");
  });
}

void HttpTestServer::ServeRedirect(const std::string& path, const std::string& location, int status) {
  Route(path, [=](const HttpRequest&, HttpResponder& out) {
    out.Respond(status, "<a href=\"" + location + "\">moved</a>", "text/html", "Location: " + location + "\r\n");
  });
}

void HttpTestServer::ServeUnauthorized(const std::string& path, const std::string& body) {
  Route(path, [=](const HttpRequest&, HttpResponder& out) {
    out.Respond(401, body, "text/html", "WWW-Authenticate: Basic realm=\"quorla\"\r\n");
  });
}

void HttpTestServer::ServeCutShort(const std::string& path, size_t declared, size_t sent) {
  Route(path, [=](const HttpRequest&, HttpResponder& out) {
    out.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(declared) + "\r\nConnection: close\r\n\r\n" +
             PatternBytes(sent));
  });
}

void HttpTestServer::ServeCutShortChunked(const std::string& path, size_t sent) {
  Route(path, [=](const HttpRequest&, HttpResponder& out) {
    out.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n" + ChunkOf(PatternBytes(sent)));
    // No terminating zero-size chunk: the connection just closes.
  });
}

void HttpTestServer::ServeEndless(const std::string& path) {
  Route(path, [](const HttpRequest&, HttpResponder& out) {
    if (!out.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n")) return;
    std::string chunk = ChunkOf(PatternBytes(64 * 1024));
    while (out.Send(chunk)) {
    }
  });
}

bool HttpTestServer::Start() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) return false;
  int on = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4096) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(listener_);
    listener_ = -1;
    return false;
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
  return true;
}

void HttpTestServer::Stop() {
  if (listener_ < 0) return;
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopping_ = true;
    for (int socket : openSockets_) shutdown(socket, SHUT_RDWR);
  }
  stopped_.notify_all();
  shutdown(listener_, SHUT_RDWR);
  if (acceptor_.joinable()) acceptor_.join();
  close(listener_);
  listener_ = -1;
  std::vector<std::thread> connections;
  {
    std::lock_guard<std::mutex> guard(lock_);
    connections.swap(connections_);
  }
  for (auto& connection : connections) connection.join();
}

std::string HttpTestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<HttpRequest> HttpTestServer::Requests() {
  std::lock_guard<std::mutex> guard(lock_);
  return requests_;
}

void HttpTestServer::AcceptLoop() {
  while (!stopping_) {
    pollfd waiting{listener_, POLLIN, 0};
    if (poll(&waiting, 1, 100) <= 0) continue;
    int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0) continue;
    int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::lock_guard<std::mutex> guard(lock_);
    if (stopping_) {
      close(socket);
      break;
    }
    openSockets_.push_back(socket);
    connections_.emplace_back([this, socket] { Serve(socket); });
  }
}

void HttpTestServer::Serve(int socket) {
  HttpRequest request;
  if (ReadRequest(socket, request)) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      requests_.push_back(request);
    }
    HttpResponder responder(socket, *this);
    auto route = routes_.find(request.path);
    if (route != routes_.end()) {
      route->second(request, responder);
    } else {
      responder.Respond(404, "<html><body>no such page</body></html>");
    }
  }
  std::lock_guard<std::mutex> guard(lock_);
  std::erase(openSockets_, socket);
  ::shutdown(socket, SHUT_RDWR);
  close(socket);
}

bool HttpTestServer::WaitForStop(int milliseconds) {
  std::unique_lock<std::mutex> lock(lock_);
  return stopped_.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return stopping_.load(); });
}

}  // namespace quorla::testing
