#pragma once
// The internet functions' handles: a session (its agent and its network
// thread) or a download (its transfer). A handle value is the object's
// address, kept in a table of live handles, so a stale or foreign value is
// refused instead of used; a lookup holds the object while a call runs.
#include <memory>
#include <string>

#include "curl_network.h"
#include "url_transfer.h"
#include "win/wininet.h"

namespace quorla {

struct InternetHandle {
  virtual ~InternetHandle() = default;
};

struct InternetSession final : InternetHandle {
  std::string agent;  // UTF-8; empty: the URL download's
  std::shared_ptr<CurlNetwork> network;
};

struct InternetDownload final : InternetHandle {
  ~InternetDownload() override;
  std::shared_ptr<UrlTransfer> transfer;
  // Kept for the download's life: closing the session first leaves the
  // download running.
  std::shared_ptr<CurlNetwork> network;
  DWORD_PTR context = 0;
};

HINTERNET RegisterInternetHandle(std::shared_ptr<InternetHandle> handle);
// Null when handle is not a live handle.
std::shared_ptr<InternetHandle> FindInternetHandle(HINTERNET handle);
// Removes it from the table; null when it was not there.
std::shared_ptr<InternetHandle> UnregisterInternetHandle(HINTERNET handle);

}  // namespace quorla
