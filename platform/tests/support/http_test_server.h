#pragma once
// A small HTTP/1.1 server for tests, over plain sockets on 127.0.0.1 with a
// port the system picks. Tests register routes (a path and a handler), start
// the server, point downloads at Url(path) and stop it again (the destructor
// stops it too). Each connection is served by its own thread; one request per
// connection (the response closes it). Handlers that wait (slow, stalled,
// endless bodies) wake up and end when the server stops.
//
// Thread use: register routes before Start; Requests() and Url() from any
// thread.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorla::testing {

struct HttpRequest {
  std::string method;
  std::string path;  // without the query
  std::string query;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;

  std::string Header(const std::string& lowerName) const {
    auto it = headers.find(lowerName);
    return it == headers.end() ? std::string() : it->second;
  }
};

class HttpTestServer;

// What a handler writes to; raw bytes go out as they are.
class HttpResponder {
 public:
  HttpResponder(int socket, HttpTestServer& server) : socket_(socket), server_(server) {}
  // False once the client has gone or the server stops.
  bool Send(const std::string& bytes);
  // A whole response with Content-Length.
  bool Respond(int status, const std::string& body, const std::string& contentType = "text/html",
               const std::string& extraHeaders = "");
  // Sleeps up to milliseconds; false when the server stops meanwhile.
  bool Pause(int milliseconds);

 private:
  int socket_;
  HttpTestServer& server_;
};

using HttpHandler = std::function<void(const HttpRequest&, HttpResponder&)>;

class HttpTestServer {
 public:
  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  void Route(const std::string& path, HttpHandler handler);

  // Ready-made routes.
  void ServeBody(const std::string& path, const std::string& body, int status = 200,
                 const std::string& contentType = "text/html");
  void ServeGzip(const std::string& path, const std::string& body);
  // Sends the body in pieces with a pause before each.
  void ServeSlow(const std::string& path, const std::string& body, size_t pieceSize, int pauseMs);
  // Headers and a first part, then nothing until the server stops.
  void ServeStalled(const std::string& path);
  // Echoes "<method>\n<content-type>\n<body>".
  void ServeEcho(const std::string& path);
  void ServeRedirect(const std::string& path, const std::string& location, int status = 302);
  void ServeUnauthorized(const std::string& path, const std::string& body);
  // Announces declared bytes (Content-Length, or chunked) but closes after sent.
  void ServeCutShort(const std::string& path, size_t declared, size_t sent);
  void ServeCutShortChunked(const std::string& path, size_t sent);
  // A chunked body that goes on until the client gives up or the server stops.
  void ServeEndless(const std::string& path);

  bool Start();
  void Stop();
  int Port() const { return port_; }
  std::string Url(const std::string& path) const;
  std::vector<HttpRequest> Requests();
  bool Stopping() const { return stopping_; }

 private:
  friend class HttpResponder;
  void AcceptLoop();
  void Serve(int socket);
  bool WaitForStop(int milliseconds);

  std::map<std::string, HttpHandler> routes_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::mutex lock_;
  std::condition_variable stopped_;
  std::vector<std::thread> connections_;
  std::vector<int> openSockets_;
  std::vector<HttpRequest> requests_;
};

// Test data: n bytes of a repeating, position-dependent pattern.
std::string PatternBytes(size_t n);

}  // namespace quorla::testing
