#pragma once
// The internet functions: blocking HTTP and HTTPS downloads by address,
// over the same transfer code, protocols and limits as the URL download
// (win/urlmon.h): http and https only (redirects too, at most 5 hops), a
// transfer that gets nothing for 60 seconds or more than 256 MiB fails
// (SetUrlTransferLimits lowers both). Every call blocks only the calling
// thread and needs no message loop there. Failures set the calling
// thread's last error to one of the ERROR_INTERNET_* codes below.
//
// Handles may be used from any one thread at a time; closing a handle
// whose download still runs ends that download.
#include "win/types.h"

using HINTERNET = void*;

// The proxy settings libcurl takes from the environment (http_proxy,
// https_proxy, no_proxy); the only access type offered.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;

// Every download is a fresh GET, taken as bytes: there is no cache, and
// these two flags are all InternetOpenUrlW accepts.
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_TRANSFER_BINARY = 0x00000002;

// The final response's status code (after redirects), as a DWORD.
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_FLAG_NUMBER = 0x20000000;

constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_OPERATION_CANCELLED = 12017;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_HTTP_INVALID_QUERY_REQUEST = 12154;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;

// A session: agent is sent as the User-Agent of its downloads (null: the
// URL download's). Null with ERROR_INVALID_PARAMETER for another access
// type, a proxy name or flags.
WINAPI_EXPORT HINTERNET InternetOpenW(LPCWSTR agent, DWORD accessType, LPCWSTR proxy, LPCWSTR proxyBypass,
                                      DWORD flags);
// Starts a GET of url in the session and waits for its final response
// (or its failure). headers must be null; flags only the two above;
// context is kept and not used. Null on failure (an address that is not
// http or https: ERROR_INTERNET_UNRECOGNIZED_SCHEME).
WINAPI_EXPORT HINTERNET InternetOpenUrlW(HINTERNET session, LPCWSTR url, LPCWSTR headers, DWORD headersLength,
                                         DWORD flags, DWORD_PTR context);
// Only HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER into a DWORD
// (*bufferLength at least 4, then 4); index may be null.
WINAPI_EXPORT BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, DWORD* bufferLength,
                                  DWORD* index);
// Waits for at least one byte or the end: TRUE with *read > 0, TRUE with
// *read 0 at the body's end, FALSE when the download failed (a stall, a
// cut connection, a body past the limit).
WINAPI_EXPORT BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read);
// A session or a download; a session's downloads stay usable until closed
// themselves.
WINAPI_EXPORT BOOL InternetCloseHandle(HINTERNET handle);
