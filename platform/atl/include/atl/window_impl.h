#pragma once
// Window objects: a C++ class derived from CWindowImpl<T> owns one window of
// its own window class and handles its messages through its message map.
//
//   class CMainWnd : public CWindowImpl<CMainWnd> {
//    public:
//     DECLARE_WND_CLASS_EX(u"MainClass", CS_DBLCLKS, COLOR_WINDOW)
//     BEGIN_MSG_MAP(CMainWnd)
//       MESSAGE_HANDLER(WM_CREATE, OnCreate)
//     END_MSG_MAP()
//   };
//   wnd.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP);
//
// Create offers the object to the window it is about to make, and the
// window's procedure binds it at the window's first message (WM_NCCREATE),
// so the object sees every message of its window. No code is generated at
// run time. The class is registered at the first Create, with the arrow
// cursor; unhandled messages go to DefWindowProcW. An object serves one
// window at a time, on the thread that made it.
#include <cstdio>
#include <mutex>

#include "atl/window_impl_root.h"
#include "win/gdi_objects.h"
#include "win/modules.h"
#include "win/window_classes.h"
#include "win/window_objects.h"

namespace ATL {

// Default styles: a style of 0 given to Create takes the traits' style.
template <DWORD t_dwStyle = 0, DWORD t_dwExStyle = 0>
class CWinTraits {
 public:
  static DWORD GetWndStyle(DWORD dwStyle) { return dwStyle == 0 ? t_dwStyle : dwStyle; }
  static DWORD GetWndExStyle(DWORD dwExStyle) { return dwExStyle == 0 ? t_dwExStyle : dwExStyle; }
};

using CControlWinTraits = CWinTraits<WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0>;

// A window class registered once per process, at first use.
class CWndClassInfo {
 public:
  // cursorId: a standard cursor (IDC_*) loaded at registration, or null.
  CWndClassInfo(const WNDCLASSEXW& wc, LPCWSTR cursorId) : m_wc(wc), m_lpszCursorID(cursorId) {}
  CWndClassInfo(const CWndClassInfo&) = delete;
  CWndClassInfo& operator=(const CWndClassInfo&) = delete;

  WNDCLASSEXW m_wc;
  LPCWSTR m_lpszCursorID;

  // The class's name, or null when it could not be registered. A class of
  // that name registered before (by other code) is used as it is.
  LPCWSTR Register(WNDPROC* pSuperWindowProc) {
    std::call_once(registered_, [this] {
      WNDCLASSEXW wc = m_wc;
      wc.cbSize = sizeof(wc);
      if (!wc.hInstance) wc.hInstance = ::GetModuleHandleW(nullptr);
      if (!wc.hCursor && m_lpszCursorID) wc.hCursor = ::LoadCursorW(nullptr, m_lpszCursorID);
      if (!wc.lpszClassName) {
        char narrow[sizeof(name_) / sizeof(name_[0])];
        std::snprintf(narrow, sizeof(narrow), "ATL:%p", static_cast<void*>(this));
        for (size_t i = 0; i < sizeof(narrow) && (i == 0 || narrow[i - 1]); ++i)
          name_[i] = static_cast<WCHAR>(static_cast<unsigned char>(narrow[i]));
        wc.lpszClassName = name_;
      }
      WNDCLASSEXW existing{};
      if (::RegisterClassExW(&wc) || ::GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing))
        className_ = wc.lpszClassName;
    });
    if (pSuperWindowProc) *pSuperWindowProc = ::DefWindowProcW;
    return className_;
  }

 private:
  std::once_flag registered_;
  WCHAR name_[40] = {};
  LPCWSTR className_ = nullptr;
};

// A RECT argument that also takes null.
class RectArg {
 public:
  RectArg(std::nullptr_t = nullptr) : rect_(nullptr) {}
  RectArg(const RECT* rect) : rect_(rect) {}
  RectArg(const RECT& rect) : rect_(&rect) {}
  const RECT* get() const { return rect_; }

 private:
  const RECT* rect_;
};

// A menu handle or, for a child window, its identifier.
class MenuOrId {
 public:
  MenuOrId(HMENU menu) : value_(menu) {}
  MenuOrId(UINT id = 0) : value_(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))) {}
  MenuOrId(int id) : value_(reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) {}
  HMENU get() const { return value_; }

 private:
  HMENU value_;
};

template <class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImplBaseT : public CWindowImplRoot<TBase> {
 public:
  WNDPROC m_pfnSuperWindowProc = ::DefWindowProcW;

  static DWORD GetWndStyle(DWORD dwStyle) { return TWinTraits::GetWndStyle(dwStyle); }
  static DWORD GetWndExStyle(DWORD dwExStyle) { return TWinTraits::GetWndExStyle(dwExStyle); }

  virtual WNDPROC GetWindowProc() { return WindowProc; }
  // Called once the window is gone and its last message has returned; the
  // object may delete itself here.
  virtual void OnFinalMessage(HWND hWnd) {}

  // The procedure of the class: binds the object being created at the
  // window's first message, then dispatches to the object's map.
  static LRESULT StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return WindowProc(hWnd, uMsg, wParam, lParam);
  }

  static LRESULT WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    void* key = detail::BindOrFind(hWnd, Kind());
    if (!key) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    auto* self = static_cast<CWindowImplBaseT*>(static_cast<CWindowImplRoot<TBase>*>(key));
    if (!self->m_hWnd) {
      self->m_hWnd = hWnd;
      self->m_detachWindow = [](HWND window) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcW));
      };
      WNDPROC own = self->GetWindowProc();
      if (own != WindowProc) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    }
    MSG msg{hWnd, uMsg, wParam, lParam, 0, {0, 0}};
    const MSG* previous = nullptr;
    self->EnterMessage(msg, previous);
    LRESULT lResult = 0;
    BOOL handled = self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0);
    if (!handled) lResult = ::CallWindowProcW(self->m_pfnSuperWindowProc, hWnd, uMsg, wParam, lParam);
    if (self->LeaveMessage(hWnd, uMsg, previous)) self->OnFinalMessage(hWnd);
    return lResult;
  }

  LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_pfnSuperWindowProc, this->m_hWnd, uMsg, wParam, lParam);
  }
  // The default processing of the message being handled.
  LRESULT DefWindowProc() {
    const MSG* msg = this->m_pCurrentMsg;
    return msg ? DefWindowProc(msg->message, msg->wParam, msg->lParam) : 0;
  }

  HWND Create(HWND hWndParent, RectArg rect, LPCWSTR szWindowName, DWORD dwStyle, DWORD dwExStyle,
              MenuOrId menuOrId, LPCWSTR className, LPVOID lpCreateParam) {
    if (!className || this->m_hWnd) return nullptr;
    RECT area = rect.get() ? *rect.get() : RECT{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
    // Widths come out as the unsigned difference, so rcDefault's corners
    // give CW_USEDEFAULT for the size as well.
    int width = static_cast<int>(static_cast<UINT>(area.right) - static_cast<UINT>(area.left));
    int height = static_cast<int>(static_cast<UINT>(area.bottom) - static_cast<UINT>(area.top));
    HWND hWnd;
    {
      detail::CreationOffer offer(this->BindingKey(), Kind());
      hWnd = ::CreateWindowExW(dwExStyle, className, szWindowName, dwStyle, area.left, area.top, width,
                               height, hWndParent, menuOrId.get(), ::GetModuleHandleW(nullptr), lpCreateParam);
    }
    return hWnd;
  }

 private:
  static const void* Kind() {
    static const char kind = 0;
    return &kind;
  }
};

template <class T, class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImpl : public CWindowImplBaseT<TBase, TWinTraits> {
 public:
  static CWndClassInfo& GetWndClassInfo() {
    static CWndClassInfo info{{sizeof(WNDCLASSEXW), 0, CWindowImplBaseT<TBase, TWinTraits>::StartWindowProc, 0, 0,
                               nullptr, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr,
                               nullptr, nullptr},
                              IDC_ARROW};
    return info;
  }

  HWND Create(HWND hWndParent, RectArg rect = nullptr, LPCWSTR szWindowName = nullptr, DWORD dwStyle = 0,
              DWORD dwExStyle = 0, MenuOrId menuOrId = 0U, LPVOID lpCreateParam = nullptr) {
    LPCWSTR className = T::GetWndClassInfo().Register(&this->m_pfnSuperWindowProc);
    return CWindowImplBaseT<TBase, TWinTraits>::Create(hWndParent, rect, szWindowName, T::GetWndStyle(dwStyle),
                                                       T::GetWndExStyle(dwExStyle), menuOrId, className,
                                                       lpCreateParam);
  }
};

}  // namespace ATL

// The window class of a CWindowImpl: its name (null: a generated one), class
// style and background colour index (COLOR_*; the brush is the index + 1).
#define DECLARE_WND_CLASS_EX(WndClassName, style, bkgnd)                                                   \
  static ::ATL::CWndClassInfo& GetWndClassInfo() {                                                         \
    static ::ATL::CWndClassInfo info{{sizeof(WNDCLASSEXW), (style), StartWindowProc, 0, 0, nullptr, nullptr, \
                                      nullptr, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((bkgnd) + 1)),  \
                                      nullptr, (WndClassName), nullptr},                                      \
                                     IDC_ARROW};                                                              \
    return info;                                                                                             \
  }
