#include "afx/internet_session.h"

#include "afx/win_app.h"
#include "win/last_error.h"

void AfxThrowInternetException(DWORD_PTR context, DWORD error) {
  throw new CInternetException(error ? error : ::GetLastError(), context);
}

CHttpFile::~CHttpFile() { Close(); }

BOOL CHttpFile::QueryInfoStatusCode(DWORD& status) const {
  status = 0;
  DWORD size = sizeof status;
  if (!m_hFile) return FALSE;
  if (::HttpQueryInfoW(m_hFile, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) return TRUE;
  status = 0;
  return FALSE;
}

UINT CHttpFile::Read(void* buffer, UINT count) {
  if (!m_hFile) AfxThrowInternetException(m_dwContext, ERROR_INVALID_HANDLE);
  if (count == 0) return 0;
  DWORD read = 0;
  if (!::InternetReadFile(m_hFile, buffer, count, &read)) AfxThrowInternetException(m_dwContext);
  return read;
}

void CHttpFile::Close() {
  if (m_hFile) ::InternetCloseHandle(m_hFile);
  m_hFile = nullptr;
}

CInternetSession::CInternetSession(LPCWSTR agent, DWORD_PTR context, DWORD accessType, LPCWSTR proxyName,
                                   LPCWSTR proxyBypass, DWORD flags)
    : m_dwContext(context) {
  m_hSession = ::InternetOpenW(agent ? agent : AfxGetAppName(), accessType, proxyName, proxyBypass, flags);
  if (!m_hSession) AfxThrowInternetException(context);
}

CInternetSession::~CInternetSession() { Close(); }

CHttpFile* CInternetSession::OpenURL(LPCWSTR url, DWORD_PTR context, DWORD flags, LPCWSTR headers,
                                     DWORD headersLength) {
  if (!m_hSession) AfxThrowInternetException(context, ERROR_INVALID_HANDLE);
  HINTERNET file = ::InternetOpenUrlW(m_hSession, url, headers, headersLength, flags, context);
  if (!file) AfxThrowInternetException(context);
  return new CHttpFile(file, context);
}

void CInternetSession::Close() {
  if (m_hSession) ::InternetCloseHandle(m_hSession);
  m_hSession = nullptr;
}
