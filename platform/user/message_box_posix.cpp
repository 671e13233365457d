// Message boxes: the layer's own dialog on the thread that runs its windows;
// elsewhere through a helper process with Qt, or on standard error.
#include <dlfcn.h>
#include <errno.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "crash_state.h"
#include "host_paths.h"
#include "message_box_dialog.h"
#include "message_box_helper.h"
#include "ui_loop.h"
#include "win/exceptions.h"
#include "win/message_box.h"

extern char** environ;

namespace {

// One request to the helper: this header, then the caption's and the text's
// UTF-8 bytes. The helper answers with the button as a 32-bit number.
struct Request {
  uint32_t magic;
  uint32_t type;
  uint32_t captionBytes;
  uint32_t textBytes;
};
constexpr uint32_t kRequestMagic = 0x51424F58;  // "QBOX"

std::atomic<int> g_helper{-1};
std::mutex g_lock;  // one box at a time outside the crash filter

// Fixed buffers, so that a box inside the crash filter needs no memory.
char g_caption[2048];
char g_text[8192];

bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && (std::strncmp(platform, "offscreen", 9) == 0 || std::strncmp(platform, "minimal", 7) == 0)) {
    return false;
  }
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

std::string HelperPath() {
  Dl_info info;
  if (::dladdr(reinterpret_cast<const void*>(&MessageBoxW), &info) == 0 || !info.dli_fname) return {};
  char resolved[4096];
  if (!::realpath(info.dli_fname, resolved)) return {};
  return quorla::DirectoryOf(resolved) + "/quorla-message-box";
}

int StartHelper() {
  const std::string path = HelperPath();
  if (path.empty() || ::access(path.c_str(), X_OK) != 0) return -1;
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 3);  // dup2 clears close-on-exec
  char* argv[] = {const_cast<char*>("quorla-message-box"), nullptr};
  pid_t pid = 0;
  int spawned = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(ends[1]);
  if (spawned != 0) {
    ::close(ends[0]);
    return -1;
  }
  return ends[0];
}

bool SendAll(int fd, const char* bytes, size_t size) {
  while (size > 0) {
    ssize_t n = ::send(fd, bytes, size, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool ReceiveAll(int fd, char* bytes, size_t size) {
  while (size > 0) {
    ssize_t n = ::recv(fd, bytes, size, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Shows the box through the helper and waits for its answer; 0 when the
// helper is gone.
int AskHelper(int fd, UINT type, size_t captionBytes, size_t textBytes) {
  Request request{kRequestMagic, type, static_cast<uint32_t>(captionBytes), static_cast<uint32_t>(textBytes)};
  uint32_t button = 0;
  if (!SendAll(fd, reinterpret_cast<const char*>(&request), sizeof request) ||
      !SendAll(fd, g_caption, captionBytes) || !SendAll(fd, g_text, textBytes) ||
      !ReceiveAll(fd, reinterpret_cast<char*>(&button), sizeof button)) {
    return 0;
  }
  return static_cast<int>(button);
}

void WriteToStandardError(size_t captionBytes, size_t textBytes) {
  const struct {
    const char* bytes;
    size_t size;
  } parts[] = {{g_caption, captionBytes}, {"\n", 1}, {g_text, textBytes}, {"\n", 1}};
  for (const auto& part : parts) {
    size_t done = 0;
    while (done < part.size) {
      ssize_t n = ::write(STDERR_FILENO, part.bytes + done, part.size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      done += static_cast<size_t>(n);
    }
  }
}

}  // namespace

namespace quorla {

void PrepareMessageBox() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_helper.load() < 0 && DisplayAvailable()) g_helper.store(StartHelper());
}

}  // namespace quorla

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  const bool crashing = quorla::InCrashHandler();
  if (!crashing && quorla::ThreadRunsQt()) {
    if (const int button = quorla::ShowMessageBoxDialog(owner, text, caption, type)) return button;
  }
  std::unique_lock<std::mutex> guard(g_lock, std::defer_lock);
  if (!crashing) {
    guard.lock();
    if (g_helper.load() < 0 && DisplayAvailable()) g_helper.store(StartHelper());
  }
  const size_t captionBytes = quorla::Utf16ToUtf8Bounded(caption ? caption : u"Error", g_caption, sizeof g_caption);
  const size_t textBytes = quorla::Utf16ToUtf8Bounded(text ? text : u"", g_text, sizeof g_text);
  const int helper = g_helper.load();
  if (helper >= 0) {
    int button = AskHelper(helper, type, captionBytes, textBytes);
    if (button != 0) return button;
    g_helper.store(-1);  // the helper is gone: fall back to standard error
    ::close(helper);
  }
  WriteToStandardError(captionBytes, textBytes);
  // Nobody was asked: nothing is confirmed.
  return (type & 0x0F) == MB_OKCANCEL ? IDCANCEL : IDOK;
}
