#pragma once
// The part that window and dialog objects share: a CWindow (or another
// window wrapper) plus the message map, and the bookkeeping of how deeply
// the object's own messages are nested.
//
// A window can be destroyed while one of its handlers is still running (a
// handler runs a modal loop in which the window goes away). The object then
// stays bound and whole until the outermost of its messages returns; only
// then is m_hWnd cleared and OnFinalMessage called, which may delete the
// object. Handlers must not throw through the window procedure.
#include "atl/message_map.h"
#include "atl/window.h"
#include "atl/window_bindings.h"

namespace ATL {

template <class TBase = CWindow>
class CWindowImplRoot : public TBase, public CMessageMap {
 public:
  CWindowImplRoot() = default;
  CWindowImplRoot(const CWindowImplRoot&) = delete;
  CWindowImplRoot& operator=(const CWindowImplRoot&) = delete;

  // An object that dies while its window lives leaves the window to the
  // default processing rather than to a dangling object.
  virtual ~CWindowImplRoot() {
    if (!this->m_hWnd) return;
    detail::Unbind(this->m_hWnd, BindingKey());
    if (m_detachWindow && ::IsWindow(this->m_hWnd)) m_detachWindow(this->m_hWnd);
  }

  // The message being handled by this object (null outside its handlers).
  const MSG* GetCurrentMessage() const { return m_pCurrentMsg; }

 protected:
  void* BindingKey() { return static_cast<CWindowImplRoot*>(this); }

  // Brackets one message of this object; Leave reports whether the window
  // has gone and this was the outermost message, so the final hook is due.
  void EnterMessage(MSG& msg, const MSG*& previous) {
    previous = m_pCurrentMsg;
    m_pCurrentMsg = &msg;
    ++m_nestingDepth;
  }
  bool LeaveMessage(HWND hWnd, UINT uMsg, const MSG* previous) {
    m_pCurrentMsg = previous;
    if (uMsg == WM_NCDESTROY) {
      detail::Unbind(hWnd, BindingKey());
      m_windowGone = true;
    }
    if (--m_nestingDepth > 0 || !m_windowGone) return false;
    m_windowGone = false;
    this->m_hWnd = nullptr;
    return true;
  }

  const MSG* m_pCurrentMsg = nullptr;
  int m_nestingDepth = 0;
  bool m_windowGone = false;
  // Takes the window away from this framework's procedure (set when the
  // object is bound).
  void (*m_detachWindow)(HWND) = nullptr;
};

}  // namespace ATL
