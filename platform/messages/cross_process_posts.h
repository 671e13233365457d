#pragma once
// Messages posted to windows of other processes travel as datagrams (see
// remote_post_datagram.h) over the receiving process's Unix-domain socket in
// the runtime folder. The socket takes datagrams of its own user only: the
// host attaches each sender's credentials, and a datagram from another user,
// without credentials, or malformed is dropped. A receiver thread of the
// layer posts each accepted message into the queue of the window's thread, in
// the order the datagrams came.
#include <string>

#include "win/types.h"

struct ucred;

namespace quorla {

// Binds the socket at path and starts the receiver thread; once per process.
bool StartPostReceiver(const std::string& socketPath);

// PostMessageW for a window of another process. FALSE with
// ERROR_INVALID_WINDOW_HANDLE when no live process lists the window,
// ERROR_MESSAGE_SYNC_ONLY for a message that may not cross, or
// ERROR_NOT_ENOUGH_QUOTA when the receiver's socket stays full for a second.
BOOL PostToOtherProcess(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// What the receiver does with one datagram; true when a message was posted.
// `sender` is null when the datagram came without credentials.
bool DeliverDatagram(const void* datagram, size_t size, const ucred* sender);

}  // namespace quorla
