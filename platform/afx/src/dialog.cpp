#include "afx/dialog.h"

#include <algorithm>

#include "afx/win_app.h"
#include "thread_windows.h"
#include "win/resources.h"
#include "win/system_metrics.h"

namespace {

// The dialogs' procedure: every message has been through the object's map
// before it gets here, so nothing is left for it to do.
INT_PTR DialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND TopLevelOf(HWND hwnd) {
  while (hwnd && (static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)) & WS_CHILD)) {
    HWND parent = ::GetParent(hwnd);
    if (!parent) break;
    hwnd = parent;
  }
  return hwnd;
}

// Centres the dialog over its owner (over the work area without one), kept
// within the work area.
void CentreOver(HWND dialog, HWND owner) {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT over = work;
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &over);
  RECT rect{};
  ::GetWindowRect(dialog, &rect);
  const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  LONG x = (over.left + over.right) / 2 - width / 2;
  LONG y = (over.top + over.bottom) / 2 - height / 2;
  if (work.right > work.left) {
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
  }
  ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
  if (!exchange || !exchange->m_pDlgWnd || control.m_hWnd) return;
  control.SubclassWindow(::GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id));
}

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW dialogTemplate, CWnd* parent) {
  if (!dialogTemplate) return FALSE;
  template_ = dialogTemplate;
  templateId_ = 0;
  parent_ = parent;
  return TRUE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

LPCDLGTEMPLATEW CDialog::FindTemplate() const {
  if (template_) return template_;
  if (!templateId_) return nullptr;
  HINSTANCE instance = AfxGetResourceHandle();
  HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(templateId_)), RT_DIALOG);
  if (!resource) return nullptr;
  return static_cast<LPCDLGTEMPLATEW>(::LockResource(::LoadResource(instance, resource)));
}

INT_PTR CDialog::DoModal() {
  LPCDLGTEMPLATEW dialogTemplate = FindTemplate();
  if (!dialogTemplate || m_hWnd) return -1;
  CWnd* ownerObject = parent_ ? parent_ : AfxGetMainWnd();
  HWND owner = TopLevelOf(ownerObject ? ownerObject->m_hWnd : nullptr);
  owner_ = owner;
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  ended_ = false;
  result_ = -1;
  HWND dialog;
  {
    quorla::afx::CreationOffer offer(this);
    dialog = ::CreateDialogIndirectParamW(AfxGetInstanceHandle(), dialogTemplate, owner, &DialogProcedure, 0);
  }
  bool shown = false;
  while (dialog && !ended_ && m_hWnd) {
    MSG msg;
    if (!shown && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      ShowWindow(SW_SHOWNORMAL);
      shown = true;
      continue;
    }
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) continue;
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  // The owner comes back before the dialog goes, so it can take the
  // activation.
  if (disableOwner && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
  if (m_hWnd) DestroyWindow();
  return result_;
}

void CDialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (!m_hWnd) return;
  ::EndDialog(m_hWnd, result);
  // Wakes the loop should it be waiting (EndDialog called from a message
  // sent by another thread).
  ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM) {
  RECT before{};
  ::GetWindowRect(m_hWnd, &before);
  const BOOL result = OnInitDialog();
  // A dialog its initialisation left where the template put it opens over
  // its owner.
  RECT after{};
  if (m_hWnd && ::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) && !(GetStyle() & WS_CHILD))
    CentreOver(m_hWnd, owner_);
  return result;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd || !msg->hwnd) return FALSE;
  const bool key = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
  const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }

UINT CDialog::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

void CDialog::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
