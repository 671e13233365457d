#include <errno.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

#include "cross_process_posts.h"
#include "process_presence.h"
#include "remote_post_datagram.h"
#include "remote_windows.h"
#include "runtime_folder.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "window_handles.h"

namespace quorla {
namespace {

bool AddressOf(const std::string& path, sockaddr_un* address) {
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  if (path.size() >= sizeof(address->sun_path)) return false;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

void* ReceiveDatagrams(void* argument) {
  const int fd = static_cast<int>(reinterpret_cast<intptr_t>(argument));
  EnsureAlternateSignalStack();
  for (;;) {
    unsigned char datagram[kRemotePostSize + 1];
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
    iovec part{datagram, sizeof(datagram)};
    msghdr header{};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    header.msg_control = control;
    header.msg_controllen = sizeof(control);
    ssize_t got = ::recvmsg(fd, &header, MSG_CMSG_CLOEXEC);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::usleep(10000);  // a transient failure (out of memory): try again later
      continue;
    }
    const ucred* sender = nullptr;
    if (!(header.msg_flags & (MSG_TRUNC | MSG_CTRUNC))) {
      for (cmsghdr* item = CMSG_FIRSTHDR(&header); item; item = CMSG_NXTHDR(&header, item)) {
        if (item->cmsg_level == SOL_SOCKET && item->cmsg_type == SCM_CREDENTIALS &&
            item->cmsg_len == CMSG_LEN(sizeof(ucred)))
          sender = reinterpret_cast<const ucred*>(CMSG_DATA(item));
      }
    }
    // A truncated datagram is longer than any post and is dropped by size.
    DeliverDatagram(datagram, static_cast<size_t>(got), sender);
  }
  return nullptr;
}

int SenderSocket() {
  static const int fd = [] {
    int made = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (made >= 0) {
      timeval patience{1, 0};
      ::setsockopt(made, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof(patience));
    }
    return made;
  }();
  return fd;
}

}  // namespace

bool DeliverDatagram(const void* datagram, size_t size, const ucred* sender) {
  RemotePost post;
  if (!sender || sender->uid != ::getuid() || !DecodeRemotePost(datagram, size, &post)) return false;
  if (ProcessOfWindow(post.hwnd) != GetCurrentProcessId()) return false;
  return PostMessageW(post.hwnd, post.message, post.wParam, post.lParam) != FALSE;
}

bool StartPostReceiver(const std::string& socketPath) {
  sockaddr_un address;
  if (!AddressOf(socketPath, &address)) return false;
  int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  int on = 1;
  ::unlink(socketPath.c_str());  // what a dead process with our id left
  if (::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof(on)) != 0 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    ::close(fd);
    return false;
  }
  ::chmod(socketPath.c_str(), 0600);
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  // The receiver takes no signal meant for the program's own threads.
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  pthread_t thread;
  int error = pthread_create(&thread, &attributes, ReceiveDatagrams, reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  pthread_attr_destroy(&attributes);
  if (error != 0) {
    ::close(fd);
    ::unlink(socketPath.c_str());
    return false;
  }
  return true;
}

BOOL PostToOtherProcess(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!MessageMayCross(message)) {
    SetLastError(ERROR_MESSAGE_SYNC_ONLY);
    return FALSE;
  }
  const std::string folder = RuntimeFolder();
  sockaddr_un address;
  if (folder.empty() || !LookUpRemoteWindow(hwnd) ||
      !AddressOf(PostSocketPath(folder, ProcessOfWindow(hwnd)), &address)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  RemotePost post;
  post.hwnd = hwnd;
  post.message = message;
  post.wParam = wParam;
  post.lParam = lParam;
  unsigned char datagram[kRemotePostSize];
  EncodeRemotePost(post, datagram);
  const int fd = SenderSocket();
  ssize_t sent;
  do {
    sent = ::sendto(fd, datagram, sizeof(datagram), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address),
                    sizeof(address));
  } while (sent < 0 && errno == EINTR);
  if (sent == static_cast<ssize_t>(sizeof(datagram))) return TRUE;
  SetLastError(errno == EAGAIN || errno == ENOBUFS ? ERROR_NOT_ENOUGH_QUOTA : ERROR_INVALID_WINDOW_HANDLE);
  return FALSE;
}

}  // namespace quorla
