#include "watch_list_identity.h"

#include "win/files.h"
#include "win/handles.h"
#include "win/last_error.h"

bool WatchListIdentity::SameAs(const WatchListIdentity& other) const {
  if (state == kUnknown || other.state == kUnknown || state != other.state) return false;
  if (state == kAbsent) return true;
  return volume == other.volume && index == other.index && size == other.size && lastWrite == other.lastWrite;
}

WatchListIdentity ReadWatchListIdentity(const std::u16string& path) {
  WatchListIdentity identity;
  if (path.empty()) return identity;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) identity.state = WatchListIdentity::kAbsent;
    return identity;
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileInformationByHandle(file, &information)) {
    identity.state = WatchListIdentity::kPresent;
    identity.volume = information.dwVolumeSerialNumber;
    identity.index = (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity.size = (static_cast<ULONGLONG>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    identity.lastWrite = (static_cast<ULONGLONG>(information.ftLastWriteTime.dwHighDateTime) << 32) |
                         information.ftLastWriteTime.dwLowDateTime;
  }
  CloseHandle(file);
  return identity;
}
