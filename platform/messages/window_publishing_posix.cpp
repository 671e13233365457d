#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <unordered_set>

#include "cross_process_posts.h"
#include "process_presence.h"
#include "published_windows.h"
#include "runtime_folder.h"
#include "win/threads.h"
#include "win/window_styles.h"
#include "window_publishing.h"
#include "window_table.h"

namespace quorla {
namespace {

// The process's side of publishing. Lists are written one at a time under
// `lock`, each from a snapshot taken under it, so the last list written is
// the latest state.
struct Publisher {
  std::mutex lock;
  bool started = false;
  std::string folder;
  DWORD processId = 0;
  std::uint64_t livenessId = 0;
  std::unordered_set<HWND> listed;  // the windows of the last list written
};

Publisher& ThePublisher() {
  static auto* publisher = new Publisher;  // outlives static destructors
  return *publisher;
}

bool StartLocked(Publisher& publisher) {
  std::string folder = RuntimeFolder();
  if (folder.empty()) return false;
  const DWORD processId = GetCurrentProcessId();
  if (!HoldLiveness(folder, processId, &publisher.livenessId)) return false;
  // Without a socket others still find the windows; their posts fail.
  StartPostReceiver(PostSocketPath(folder, processId));
  publisher.folder = folder;
  publisher.processId = processId;
  publisher.started = true;
  return true;
}

bool WriteList(const std::string& path, const std::string& text) {
  const std::string fresh = path + ".new";
  int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < text.size()) {
    ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) break;
    done += static_cast<size_t>(wrote);
  }
  const bool whole = ::close(fd) == 0 && done == text.size();
  if (!whole || ::rename(fresh.c_str(), path.c_str()) != 0) {
    ::unlink(fresh.c_str());
    return false;
  }
  return true;
}

PublishedList SnapshotLocked(const Publisher& publisher) {
  PublishedList list;
  list.processId = publisher.processId;
  list.livenessId = publisher.livenessId;
  auto windows = WindowsWhere([](const WindowRecord& record, const void*) { return IsPublishedKind(record); }, nullptr);
  std::lock_guard<std::mutex> guard(WindowTableLock());
  for (const auto& record : windows) {
    if (!record->alive) continue;
    PublishedWindow window;
    window.handle = record->handle;
    window.threadId = record->threadId;
    window.visible = (record->style & WS_VISIBLE) != 0;
    window.className = record->windowClass->name;
    window.title = record->title;
    list.windows.push_back(std::move(window));
  }
  if (list.windows.size() > kMostPublishedWindows) list.windows.resize(kMostPublishedWindows);
  return list;
}

}  // namespace

bool IsPublishedKind(const WindowRecord& record) { return !record.messageOnly && !record.parent; }

void PublishWindowChange(HWND hwnd) {
  Publisher& publisher = ThePublisher();
  std::lock_guard<std::mutex> guard(publisher.lock);
  // Child windows and message-only windows come and go by the hundred; the
  // list changes only for windows that are or were on it.
  bool publishedKind = false;
  if (auto record = FindWindowRecord(hwnd)) {
    std::lock_guard<std::mutex> tableGuard(WindowTableLock());
    publishedKind = record->alive && IsPublishedKind(*record);
  }
  if (!publishedKind && !publisher.listed.count(hwnd)) return;
  if (!publisher.started && !StartLocked(publisher)) return;
  PublishedList list = SnapshotLocked(publisher);
  if (!WriteList(WindowListPath(publisher.folder, publisher.processId), FormatPublishedList(list))) return;
  publisher.listed.clear();
  for (const PublishedWindow& window : list.windows) publisher.listed.insert(window.handle);
}

}  // namespace quorla
