#pragma once
// What the framework keeps per thread about its windows: which object is
// bound to which window, the message being handled, and the messages of
// bound objects in progress, innermost first.
#include <unordered_map>

#include "win/messages.h"

class CWnd;

namespace quorla::afx {

struct WindowThreadState {
  std::unordered_map<HWND, CWnd*> bound;
  MSG current{};
};

WindowThreadState& ThreadWindows();

// One message of a bound object in progress. The object's destructor marks
// its frames, so the dispatcher knows not to touch it afterwards.
struct DispatchFrame {
  CWnd* wnd;
  bool objectDeleted;
  DispatchFrame* outer;
};

// The innermost frame of the calling thread (a plain pointer, so it can be
// read at any time, even while the thread's other state is torn down).
DispatchFrame*& InnermostFrame();

// Binds the object to the next window the calling thread creates, before
// that window's first message (the layer's creation hook); the offer ends
// with the creation, or with the scope when no window was made.
class CreationOffer {
 public:
  explicit CreationOffer(CWnd* wnd);
  ~CreationOffer();
  CreationOffer(const CreationOffer&) = delete;
  CreationOffer& operator=(const CreationOffer&) = delete;
};

}  // namespace quorla::afx
