#pragma once
// Dialog objects over a template built in memory.
//
//   class CNotice : public CIndirectDialogImpl<CNotice> {
//    public:
//     BEGIN_DIALOG(0, 0, 187, 98)
//       DIALOG_STYLE(WS_POPUP)
//       DIALOG_EXSTYLE(WS_EX_TOOLWINDOW)
//       DIALOG_FONT(8, u"MS Shell Dlg")
//     END_DIALOG()
//     BEGIN_MSG_MAP(CNotice)
//       MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
//     END_MSG_MAP()
//   };
//   INT_PTR result = notice.DoModal();
//
// DoModal builds the template (DoInitTemplate, written by the macros) the
// first time, runs the layer's modal dialog and returns EndDialog's value
// (-1 when the dialog could not be made). The object is bound to its window
// at the first message its dialog procedure sees (WM_NCCREATE, so also the
// WM_SIZE of creation before WM_INITDIALOG); a handled message's result goes
// to DWLP_MSGRESULT (WM_INITDIALOG's is returned: nonzero gives the first
// item the focus). Unhandled messages get the dialog's default handling.
#include "atl/mem_dlg_template.h"
#include "atl/window_impl_root.h"
#include "win/dialogs.h"
#include "win/modules.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace ATL {

template <class TBase = CWindow>
class CDialogImplBaseT : public CWindowImplRoot<TBase> {
 public:
  virtual DLGPROC GetDialogProc() { return DialogProc; }
  // Called once the window is gone and its last message has returned; the
  // object may delete itself here.
  virtual void OnFinalMessage(HWND hWnd) {}

  static INT_PTR StartDialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DialogProc(hWnd, uMsg, wParam, lParam);
  }

  static INT_PTR DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    void* key = detail::BindOrFind(hWnd, Kind());
    if (!key) return FALSE;
    auto* self = static_cast<CDialogImplBaseT*>(static_cast<CWindowImplRoot<TBase>*>(key));
    if (!self->m_hWnd) {
      self->m_hWnd = hWnd;
      self->m_detachWindow = [](HWND window) { ::SetWindowLongPtrW(window, DWLP_DLGPROC, 0); };
      DLGPROC own = self->GetDialogProc();
      if (own != DialogProc) ::SetWindowLongPtrW(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(own));
    }
    MSG msg{hWnd, uMsg, wParam, lParam, 0, {0, 0}};
    const MSG* previous = nullptr;
    self->EnterMessage(msg, previous);
    LRESULT lResult = 0;
    INT_PTR returned = FALSE;
    if (self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0)) {
      if (ReturnsValueDirectly(uMsg)) {
        returned = lResult;
      } else {
        if (uMsg != WM_NCDESTROY && ::IsWindow(hWnd)) ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, lResult);
        returned = TRUE;
      }
    }
    if (self->LeaveMessage(hWnd, uMsg, previous)) self->OnFinalMessage(hWnd);
    return returned;
  }

  BOOL EndDialog(int nRetCode) { return ::EndDialog(this->m_hWnd, nRetCode); }

 protected:
  static const void* Kind() {
    static const char kind = 0;
    return &kind;
  }

 private:
  static bool ReturnsValueDirectly(UINT message) {
    switch (message) {
      case WM_INITDIALOG:
      case 0x002E:  // WM_VKEYTOITEM
      case 0x002F:  // WM_CHARTOITEM
      case 0x0037:  // WM_QUERYDRAGICON
      case 0x0039:  // WM_COMPAREITEM
        return true;
      default:
        return message >= 0x0132 && message <= 0x0138;  // WM_CTLCOLOR*
    }
  }
};

template <class T, class TBase = CWindow>
class CIndirectDialogImpl : public CDialogImplBaseT<TBase> {
 public:
  CMemDlgTemplate m_Template;

  INT_PTR DoModal(HWND hWndParent = ::GetActiveWindow(), LPARAM dwInitParam = 0) {
    if (this->m_hWnd) return -1;
    if (!m_Template.IsValid()) static_cast<T*>(this)->DoInitTemplate();
    if (!m_Template.IsValid()) return -1;
    detail::CreationOffer offer(this->BindingKey(), this->Kind());
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), m_Template.GetTemplatePtr(), hWndParent,
                                     CDialogImplBaseT<TBase>::StartDialogProc, dwInitParam);
  }
};

}  // namespace ATL

// The template of a CIndirectDialogImpl: position and size in dialog units,
// then any of DIALOG_STYLE (default WS_POPUP), DIALOG_EXSTYLE, DIALOG_CAPTION
// and DIALOG_FONT (which adds DS_SETFONT).
#define BEGIN_DIALOG(x, y, width, height) \
  void DoInitTemplate() {                 \
    short dialogX = (x), dialogY = (y), dialogWidth = (width), dialogHeight = (height); \
    DWORD dialogStyle = WS_POPUP;         \
    DWORD dialogExStyle = 0;              \
    LPCWSTR dialogCaption = nullptr;      \
    LPCWSTR dialogFontName = nullptr;     \
    WORD dialogFontSize = 0;

#define DIALOG_STYLE(style) dialogStyle = (style);
#define DIALOG_EXSTYLE(exStyle) dialogExStyle = (exStyle);
#define DIALOG_CAPTION(caption) dialogCaption = (caption);
#define DIALOG_FONT(pointSize, typeFace) \
  dialogFontSize = (pointSize);          \
  dialogFontName = (typeFace);

#define END_DIALOG()                                                                                   \
  this->m_Template.Create(dialogCaption, dialogX, dialogY, dialogWidth, dialogHeight, dialogStyle,     \
                          dialogExStyle, dialogFontName, dialogFontSize);                              \
  }
