#pragma once
// CInternetSession and CHttpFile: blocking downloads by address over the
// internet functions (win/wininet.h). Both may be used on any thread that
// owns them, without a message loop; failures are thrown as
// CInternetException pointers.
#include "afx/internet_exception.h"
#include "win/wininet.h"

// One download opened by CInternetSession::OpenURL; closed with Close or
// when deleted.
class CHttpFile {
 public:
  CHttpFile(HINTERNET file, DWORD_PTR context) : m_hFile(file), m_dwContext(context) {}
  virtual ~CHttpFile();
  CHttpFile(const CHttpFile&) = delete;
  CHttpFile& operator=(const CHttpFile&) = delete;

  // The final response's status; FALSE (and status 0) when there is none.
  BOOL QueryInfoStatusCode(DWORD& status) const;
  // Waits for bytes: up to count of them, 0 at the end; throws when the
  // download fails.
  UINT Read(void* buffer, UINT count);
  void Close();

  HINTERNET m_hFile;
  DWORD_PTR m_dwContext;
};

class CInternetSession {
 public:
  // agent null: the application's name. Throws when no session could be
  // made (only the preconfigured access type exists).
  explicit CInternetSession(LPCWSTR agent = nullptr, DWORD_PTR context = 1,
                            DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG, LPCWSTR proxyName = nullptr,
                            LPCWSTR proxyBypass = nullptr, DWORD flags = 0);
  virtual ~CInternetSession();
  CInternetSession(const CInternetSession&) = delete;
  CInternetSession& operator=(const CInternetSession&) = delete;

  // Opens a GET of the http or https address and waits for its response;
  // the caller deletes the file. Throws when it cannot be opened.
  CHttpFile* OpenURL(LPCWSTR url, DWORD_PTR context = 1, DWORD flags = INTERNET_FLAG_TRANSFER_BINARY,
                     LPCWSTR headers = nullptr, DWORD headersLength = 0);
  // Ends the session; files opened from it stay usable until closed.
  void Close();

  HINTERNET m_hSession = nullptr;
  DWORD_PTR m_dwContext;
};
