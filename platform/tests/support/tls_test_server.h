#pragma once
// A local HTTPS server for tests: `openssl s_server -www` on 127.0.0.1 with a
// certificate for 127.0.0.1 made for the occasion. Its answer to a GET is an
// HTML page about the TLS session. Start fails (false) when the openssl tool
// is missing, and tests then skip. Stop (or the destructor) ends the server
// process and removes the certificate.
#include <string>
#include <sys/types.h>

namespace quorla::testing {

class TlsTestServer {
 public:
  TlsTestServer() = default;
  ~TlsTestServer();
  TlsTestServer(const TlsTestServer&) = delete;
  TlsTestServer& operator=(const TlsTestServer&) = delete;

  bool Start();
  void Stop();
  std::string Url(const std::string& path) const;
  // The PEM file of the server's certificate, to trust it.
  const std::string& CertificateFile() const { return certificate_; }

 private:
  pid_t process_ = -1;
  int port_ = 0;
  std::string folder_;
  std::string certificate_;
};

}  // namespace quorla::testing
