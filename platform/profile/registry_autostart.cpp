// The Run key over the desktop's log-on autostart folder.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <set>
#include <string>

#include "desktop_entry.h"
#include "host_errors.h"
#include "host_paths.h"
#include "program_files.h"
#include "utf.h"
#include "whole_files.h"
#include "win/last_error.h"
#include "win/registry.h"
#include "win/shell_folders.h"
#include "win/strings.h"

namespace {

constexpr char16_t kRunKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RunKey {
  REGSAM access;
};

// The keys handed out and not yet closed; an HKEY is the address of its RunKey.
struct OpenKeys {
  std::mutex lock;
  std::set<RunKey*> keys;
};

OpenKeys& Keys() {
  static auto* keys = new OpenKeys;  // outlives every static destructor
  return *keys;
}

// The key's access rights, or false when the handle is no open Run key.
bool AccessOf(HKEY key, REGSAM* access) {
  OpenKeys& open = Keys();
  std::lock_guard<std::mutex> guard(open.lock);
  auto it = open.keys.find(reinterpret_cast<RunKey*>(key));
  if (it == open.keys.end()) return false;
  *access = (*it)->access;
  return true;
}

std::string AutostartFolder() {
  WCHAR config[MAX_PATH];
  if (!SHGetSpecialFolderPathW(nullptr, config, CSIDL_APPDATA, FALSE)) {
    // The configuration folder itself may be missing yet; ask again making it.
    if (!SHGetSpecialFolderPathW(nullptr, config, CSIDL_APPDATA, TRUE)) return {};
  }
  return quorla::Utf16ToUtf8(config) + "/autostart";
}

bool UsableValueName(LPCWSTR name) {
  if (!name || !*name) return false;
  std::u16string text(name);
  if (text == u"." || text == u"..") return false;
  return text.find_first_of(u"/\\") == std::u16string::npos;
}

// The entry file of a value, matched without regard to case as value names are.
std::string EntryPathOf(LPCWSTR valueName) {
  std::string path = AutostartFolder() + "/" + quorla::Utf16ToUtf8(valueName) + ".desktop";
  std::string found = quorla::FindFileIgnoringCase(path);
  return found.empty() ? path : found;
}

// Writers of one value exclude each other through a lock file beside the
// entries, named for the value in lower case (value names match without
// regard to case). Under it the entry is replaced through one fixed new file,
// so a writer killed half-way leaves that one file, which the next writer
// takes over, instead of a new file for every writer killed.
std::string LockPathOf(LPCWSTR valueName) {
  std::string name = quorla::Utf16ToUtf8(valueName);
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return AutostartFolder() + "/." + name + ".desktop";
}

LSTATUS ErrorOf(int e) { return e == ENOENT ? ERROR_FILE_NOT_FOUND : static_cast<LSTATUS>(quorla::ErrorFromErrno(e)); }

}  // namespace

LSTATUS RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD, REGSAM access, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (root != HKEY_LOCAL_MACHINE || !subKey || lstrcmpiW(subKey, kRunKey) != 0) return ERROR_FILE_NOT_FOUND;
  if (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) {
    std::string folder = AutostartFolder();
    if (folder.empty()) return ERROR_ACCESS_DENIED;
    int made = SHCreateDirectory(nullptr, quorla::Utf8ToUtf16(folder).c_str());
    struct stat st;
    if ((made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) || ::stat(folder.c_str(), &st) != 0 ||
        !S_ISDIR(st.st_mode) || ::access(folder.c_str(), W_OK | X_OK) != 0) {
      return ERROR_ACCESS_DENIED;
    }
  }
  auto* key = new RunKey{access};
  OpenKeys& open = Keys();
  std::lock_guard<std::mutex> guard(open.lock);
  open.keys.insert(key);
  *result = reinterpret_cast<HKEY>(key);
  return ERROR_SUCCESS;
}

LSTATUS RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
  REGSAM access = 0;
  if (!AccessOf(key, &access)) return ERROR_INVALID_HANDLE;
  if (!(access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (type != REG_SZ || !UsableValueName(valueName) || (!data && size != 0)) return ERROR_INVALID_PARAMETER;
  // The count, never a terminator, bounds the text.
  std::u16string text;
  for (DWORD i = 0; i + 1 < size; i += 2) {
    char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0) break;
    text += unit;
  }
  if (text.empty()) return ERROR_INVALID_PARAMETER;
  std::string program = quorla::ProgramFileFor(quorla::FoldDotSegments(quorla::ToHostSeparators(quorla::Utf16ToUtf8(text))));
  std::string entry = quorla::AutostartDesktopEntry(quorla::Utf16ToUtf8(valueName), program);
  quorla::FileLock lock(LockPathOf(valueName));
  if (lock.Error() != 0) return ErrorOf(lock.Error());
  int error = quorla::ReplaceLockedWholeFile(EntryPathOf(valueName), entry);
  return error == 0 ? ERROR_SUCCESS : ErrorOf(error);
}

LSTATUS RegDeleteValueW(HKEY key, LPCWSTR valueName) {
  REGSAM access = 0;
  if (!AccessOf(key, &access)) return ERROR_INVALID_HANDLE;
  if (!(access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (!UsableValueName(valueName)) return ERROR_FILE_NOT_FOUND;
  quorla::FileLock lock(LockPathOf(valueName));
  if (lock.Error() != 0) return ErrorOf(lock.Error());
  if (::unlink(EntryPathOf(valueName).c_str()) != 0) return ErrorOf(errno);
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  OpenKeys& open = Keys();
  std::lock_guard<std::mutex> guard(open.lock);
  auto it = open.keys.find(reinterpret_cast<RunKey*>(key));
  if (it == open.keys.end()) return ERROR_INVALID_HANDLE;
  delete *it;
  open.keys.erase(it);
  return ERROR_SUCCESS;
}
