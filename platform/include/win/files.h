#pragma once
// Files through handles, over the host's file descriptors. Paths are host
// paths ('\' counts as a separator); a name that does not exist as written
// is found in its directory without regard to letter case.
#include "win/types.h"

#include "win/time.h"

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// Only Offset and OffsetHigh are read (the start of a locked range); file
// reads and writes take no position from it.
struct OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
};
using LPBY_HANDLE_FILE_INFORMATION = BY_HANDLE_FILE_INFORMATION*;

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;
constexpr DWORD LOCKFILE_FAIL_IMMEDIATELY = 0x1;
constexpr DWORD LOCKFILE_EXCLUSIVE_LOCK = 0x2;

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

union ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
};

// Returns INVALID_HANDLE_VALUE on failure (ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_FILE_EXISTS ...).
WINAPI_EXPORT HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                                 DWORD creation, DWORD flags, HANDLE templateFile);
// Reads until count bytes or the end; *read gets what was read.
WINAPI_EXPORT BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, DWORD* read, LPOVERLAPPED overlapped);
// Writes all count bytes unless the disk refuses; *written gets what was written.
WINAPI_EXPORT BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, DWORD* written, LPOVERLAPPED overlapped);
WINAPI_EXPORT BOOL FlushFileBuffers(HANDLE file);
WINAPI_EXPORT DWORD GetFileSize(HANDLE file, DWORD* high);
WINAPI_EXPORT BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
WINAPI_EXPORT DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
WINAPI_EXPORT BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPosition, DWORD method);
WINAPI_EXPORT BOOL SetEndOfFile(HANDLE file);
// The file behind the handle: the volume and index together name it (a file
// replaced by a rename gets another index), with its size and times. The
// creation time is the host's status-change time; the host keeps no other.
WINAPI_EXPORT BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information);
// Byte-range locks held by the handle (not by the thread): another handle on
// the same file, in this process or another, is excluded alike; closing the
// handle or ending the process releases them. A shared lock needs a handle
// opened for reading, an exclusive one a handle opened for writing. Without
// LOCKFILE_FAIL_IMMEDIATELY the call waits; with it a taken range fails with
// ERROR_LOCK_VIOLATION. A range may reach past the end of the file.
WINAPI_EXPORT BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                              LPOVERLAPPED overlapped);
WINAPI_EXPORT BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped);
WINAPI_EXPORT BOOL DeleteFileW(LPCWSTR fileName);
// With MOVEFILE_REPLACE_EXISTING an existing target is replaced atomically.
WINAPI_EXPORT BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags);
WINAPI_EXPORT BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
WINAPI_EXPORT BOOL RemoveDirectoryW(LPCWSTR path);
WINAPI_EXPORT DWORD GetFileAttributesW(LPCWSTR fileName);
WINAPI_EXPORT DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
WINAPI_EXPORT DWORD GetTempPathW(DWORD size, LPWSTR buffer);

namespace quorla {
// The host file descriptor behind a file handle, or -1. For the layer's own
// libraries (the dump writer), not for system code.
WINAPI_EXPORT int FileDescriptorOf(HANDLE file);
// A host path (UTF-8) for a system path: separators turned, dots folded,
// the last component matched without regard to case when it exists so.
WINAPI_EXPORT bool HostPathOf(LPCWSTR path, char* out, size_t outSize);
}  // namespace quorla
