#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "host_paths.h"
#include "utf.h"
#include "win/hresult.h"
#include "win/last_error.h"
#include "win/shell_folders.h"
#include "win/strings.h"

namespace {

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "";
}

std::string FolderOf(int csidl) {
  switch (csidl & 0xFF) {
    case CSIDL_APPDATA: {
      const char* config = std::getenv("XDG_CONFIG_HOME");
      if (config && config[0] == '/') return config;
      std::string home = HomeDirectory();
      return home.empty() ? "" : home + "/.config";
    }
    case CSIDL_LOCAL_APPDATA: {
      const char* data = std::getenv("XDG_DATA_HOME");
      if (data && data[0] == '/') return data;
      std::string home = HomeDirectory();
      return home.empty() ? "" : home + "/.local/share";
    }
    case CSIDL_PERSONAL:
      return HomeDirectory();
    default:
      return "";
  }
}

int MakeDirectories(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? ERROR_ALREADY_EXISTS : ERROR_FILE_EXISTS;
  std::string parent = quorla::DirectoryOf(path);
  if (!parent.empty() && parent != path && parent != "/") {
    int made = MakeDirectories(parent);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) return made;
  }
  if (::mkdir(path.c_str(), 0755) == 0) return ERROR_SUCCESS;
  switch (errno) {
    case EEXIST:
      return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_ALREADY_EXISTS : ERROR_FILE_EXISTS;
    case EACCES:
    case EPERM:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
      return ERROR_DISK_FULL;
    default:
      return ERROR_PATH_NOT_FOUND;
  }
}

}  // namespace

BOOL SHGetSpecialFolderPathW(HWND, LPWSTR path, int csidl, BOOL create) {
  if (!path) return FALSE;
  path[0] = 0;
  std::string folder = FolderOf(csidl);
  if (folder.empty()) return FALSE;
  if (create) {
    int made = MakeDirectories(folder);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) return FALSE;
  } else {
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return FALSE;
  }
  std::u16string wide = quorla::Utf8ToUtf16(folder);
  if (wide.size() >= MAX_PATH) return FALSE;
  lstrcpynW(path, wide.c_str(), MAX_PATH);
  return TRUE;
}

HRESULT SHGetFolderPathW(HWND owner, int csidl, HANDLE, DWORD, LPWSTR path) {
  if (!path) return E_INVALIDARG;
  return SHGetSpecialFolderPathW(owner, path, csidl, (csidl & CSIDL_FLAG_CREATE) ? TRUE : FALSE) ? S_OK : E_FAIL;
}

int SHCreateDirectoryExW(HWND, LPCWSTR path, const void*) {
  if (!path || !*path) return ERROR_BAD_PATHNAME;
  std::string host = quorla::ToHostSeparators(quorla::Utf16ToUtf8(path));
  if (host[0] != '/') return ERROR_BAD_PATHNAME;
  host = quorla::FoldDotSegments(host);
  while (host.size() > 1 && host.back() == '/') host.pop_back();
  if (quorla::Utf8ToUtf16(host).size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  int result = MakeDirectories(host);
  SetLastError(static_cast<DWORD>(result));
  return result;
}

int SHCreateDirectory(HWND owner, LPCWSTR path) { return SHCreateDirectoryExW(owner, path, nullptr); }
