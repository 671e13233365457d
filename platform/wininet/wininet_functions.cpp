// The internet functions over the URL download's transfer code: each session
// runs its downloads on a network thread of its own, and the calling thread
// waits on the transfer itself, so no message loop is needed anywhere.
#include <strings.h>

#include <cstring>
#include <memory>
#include <string>

#include "curl_network.h"
#include "internet_handles.h"
#include "url_transfer.h"
#include "utf.h"
#include "win/last_error.h"
#include "win/urlmon.h"
#include "win/wininet.h"

namespace quorla {
namespace {

constexpr DWORD kAllowedOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY;
constexpr DWORD kStatusQuery = HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;

DWORD ErrorOfTransfer(HRESULT result) {
  switch (result) {
    case INET_E_UNKNOWN_PROTOCOL:
      return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case INET_E_INVALID_URL:
      return ERROR_INTERNET_INVALID_URL;
    case INET_E_RESOURCE_NOT_FOUND:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case INET_E_CANNOT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case INET_E_REDIRECT_FAILED:
      return ERROR_HTTP_REDIRECT_FAILED;
    case INET_E_CONNECTION_TIMEOUT:
      return ERROR_INTERNET_TIMEOUT;
    case E_ABORT:
      return ERROR_INTERNET_OPERATION_CANCELLED;
    case E_OUTOFMEMORY:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_INTERNET_CONNECTION_ABORTED;
  }
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  const size_t n = std::strlen(prefix);
  return text.size() >= n && strncasecmp(text.c_str(), prefix, n) == 0;
}

template <typename Kind>
std::shared_ptr<Kind> HandleOf(HINTERNET handle) {
  std::shared_ptr<InternetHandle> found = FindInternetHandle(handle);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto typed = std::dynamic_pointer_cast<Kind>(found);
  if (!typed) SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  return typed;
}

}  // namespace
}  // namespace quorla

using quorla::InternetDownload;
using quorla::InternetSession;

HINTERNET InternetOpenW(LPCWSTR agent, DWORD accessType, LPCWSTR proxy, LPCWSTR, DWORD flags) {
  if (accessType != INTERNET_OPEN_TYPE_PRECONFIG || (proxy && *proxy) || flags != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto session = std::make_shared<InternetSession>();
  if (agent) session->agent = quorla::Utf16ToUtf8(agent);
  session->network = std::make_shared<quorla::CurlNetwork>();
  if (!session->network->Ok()) {
    SetLastError(ERROR_INTERNET_INTERNAL_ERROR);
    return nullptr;
  }
  return quorla::RegisterInternetHandle(std::move(session));
}

HINTERNET InternetOpenUrlW(HINTERNET sessionHandle, LPCWSTR url, LPCWSTR headers, DWORD, DWORD flags,
                           DWORD_PTR context) {
  auto session = quorla::HandleOf<InternetSession>(sessionHandle);
  if (!session) return nullptr;
  if (!url || headers || (flags & ~quorla::kAllowedOpenFlags)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto transfer = std::make_shared<quorla::UrlTransfer>();
  transfer->url = quorla::Utf16ToUtf8(url);
  if (!quorla::StartsWithNoCase(transfer->url, "http://") && !quorla::StartsWithNoCase(transfer->url, "https://")) {
    SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    return nullptr;
  }
  // A header line cannot carry a line break: such an agent is not sent.
  if (!session->agent.empty() && session->agent.find_first_of("\r\n") == std::string::npos) {
    transfer->headers.push_back("User-Agent: " + session->agent);
  }
  transfer->stallMilliseconds = quorla::CurrentStallLimit();
  transfer->maxBodyBytes = quorla::CurrentBodyLimit();
  transfer->trustedCertificates = quorla::CurrentTrustedCertificates();

  auto download = std::make_shared<InternetDownload>();
  download->transfer = transfer;
  download->network = session->network;
  download->context = context;
  session->network->Add(transfer);
  transfer->WaitForResponse();
  const quorla::TransferSnapshot snapshot = transfer->Snapshot();
  if (!snapshot.responseKnown) {
    SetLastError(quorla::ErrorOfTransfer(snapshot.result));
    return nullptr;
  }
  return quorla::RegisterInternetHandle(std::move(download));
}

BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, DWORD* bufferLength, DWORD*) {
  auto download = quorla::HandleOf<InternetDownload>(request);
  if (!download) return FALSE;
  if (infoLevel != quorla::kStatusQuery) {
    SetLastError(ERROR_HTTP_INVALID_QUERY_REQUEST);
    return FALSE;
  }
  if (!bufferLength) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!buffer || *bufferLength < sizeof(DWORD)) {
    *bufferLength = sizeof(DWORD);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const quorla::TransferSnapshot snapshot = download->transfer->Snapshot();
  if (!snapshot.responseKnown) {
    SetLastError(quorla::ERROR_HTTP_HEADER_NOT_FOUND);
    return FALSE;
  }
  const DWORD status = static_cast<DWORD>(snapshot.status);
  std::memcpy(buffer, &status, sizeof status);
  *bufferLength = sizeof(DWORD);
  return TRUE;
}

BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read) {
  if (read) *read = 0;
  auto download = quorla::HandleOf<InternetDownload>(file);
  if (!download) return FALSE;
  if (!buffer || !read || toRead == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (;;) {
    download->transfer->WaitForData();
    ULONG got = 0;
    const HRESULT result = download->transfer->Read(buffer, toRead, &got);
    if (result == S_OK) {
      *read = got;
      return TRUE;
    }
    if (result == S_FALSE) return TRUE;
    if (result != E_PENDING) {
      SetLastError(quorla::ErrorOfTransfer(result));
      return FALSE;
    }
  }
}

BOOL InternetCloseHandle(HINTERNET handle) {
  if (!quorla::UnregisterInternetHandle(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
