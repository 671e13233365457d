#pragma once
// A message posted to a window of another process, as one datagram: the
// bytes "QPM1", then the message (32 bits), the window handle, wParam and
// lParam (64 bits each), all little-endian; 32 bytes in all. Only numbers
// cross: messages whose parameters the platform defines as pointers never do.
#include <cstddef>

#include "win/messages.h"

namespace quorla {

inline constexpr size_t kRemotePostSize = 32;

struct RemotePost {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Messages that may cross: WM_NULL, WM_CLOSE, WM_QUIT, WM_COMMAND (whose
// lParam is a window handle) and every message from WM_USER to 0xFFFF.
bool MessageMayCross(UINT message);

void EncodeRemotePost(const RemotePost& post, unsigned char (&datagram)[kRemotePostSize]);

// False for a datagram of another size or kind, or for a message that may
// not cross.
bool DecodeRemotePost(const void* datagram, size_t size, RemotePost* post);

}  // namespace quorla
