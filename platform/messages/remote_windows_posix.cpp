#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <set>

#include "process_presence.h"
#include "remote_windows.h"
#include "runtime_folder.h"
#include "win/strings.h"
#include "win/threads.h"
#include "window_handles.h"

namespace quorla {
namespace {

constexpr size_t kLongestList = 1 << 20;

bool ReadBounded(const std::string& path, std::string* text) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  text->clear();
  char buffer[8192];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof(buffer))) > 0 && text->size() <= kLongestList) text->append(buffer, got);
  ::close(fd);
  return got == 0;
}

// The list of a live process, read first and checked after, so a list is
// used only when its process held its lock after the list was read.
bool ReadLiveList(const std::string& folder, DWORD processId, PublishedList* list) {
  std::string text;
  if (!ReadBounded(WindowListPath(folder, processId), &text)) {
    CheckPresence(folder, processId, 0);  // removes what a dead process left
    return false;
  }
  if (!ParsePublishedList(text, list) || list->processId != processId) return false;
  return CheckPresence(folder, processId, list->livenessId) == Presence::kAlive;
}

// Ids of the other processes that have files in the folder.
std::set<DWORD> ProcessesIn(const std::string& folder) {
  std::set<DWORD> processes;
  DIR* directory = ::opendir(folder.c_str());
  if (!directory) return processes;
  const DWORD self = GetCurrentProcessId();
  while (dirent* entry = ::readdir(directory)) {
    std::string_view name = entry->d_name;
    for (std::string_view prefix : {"alive-", "windows-"}) {
      if (name.substr(0, prefix.size()) != prefix) continue;
      std::string_view digits = name.substr(prefix.size());
      DWORD id = 0;
      auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
      if (error == std::errc() && end == digits.data() + digits.size() && id != 0 && id != self) processes.insert(id);
    }
  }
  ::closedir(directory);
  return processes;
}

bool Matches(const PublishedWindow& window, LPCWSTR className, LPCWSTR title) {
  if (className && lstrcmpiW(window.className.c_str(), className) != 0) return false;
  return !title || window.title == title;
}

}  // namespace

std::optional<PublishedWindow> FindRemoteWindow(LPCWSTR className, LPCWSTR title) {
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return std::nullopt;
  for (DWORD processId : ProcessesIn(folder)) {
    PublishedList list;
    if (!ReadLiveList(folder, processId, &list)) continue;
    std::sort(list.windows.begin(), list.windows.end(), [](const PublishedWindow& a, const PublishedWindow& b) {
      return reinterpret_cast<ULONG_PTR>(a.handle) < reinterpret_cast<ULONG_PTR>(b.handle);
    });
    for (PublishedWindow& window : list.windows)
      if (Matches(window, className, title)) return std::move(window);
  }
  return std::nullopt;
}

std::optional<PublishedWindow> LookUpRemoteWindow(HWND hwnd) {
  if (!IsOtherProcessWindow(hwnd)) return std::nullopt;
  const std::string folder = RuntimeFolder();
  PublishedList list;
  if (folder.empty() || !ReadLiveList(folder, ProcessOfWindow(hwnd), &list)) return std::nullopt;
  for (PublishedWindow& window : list.windows)
    if (window.handle == hwnd) return std::move(window);
  return std::nullopt;
}

bool IsRemoteWindowVisible(HWND hwnd) {
  auto window = LookUpRemoteWindow(hwnd);
  return window && window->visible;
}

}  // namespace quorla
