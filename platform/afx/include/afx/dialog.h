#pragma once
// CDialog: a modal dialog from a template (a dialog resource of the program,
// or a template in memory) bound to the object before its first message.
//
// DoModal makes the dialog, disables its owner and runs the framework's own
// modal loop until EndDialog: every message goes first to the
// application's pre-translate step (AfxPreTranslateMessage), then is
// translated and dispatched; timers, posted and sent messages keep flowing.
// The dialog is shown when the loop first finds its queue empty; one that
// OnInitDialog did not move is centred over its owner first. The
// dialog's own PreTranslateMessage gives the key and mouse messages of the
// dialog and its controls to IsDialogMessageW (Esc is IDCANCEL, Enter the
// focused or default push button, else IDOK; Tab and arrows move the focus)
// and reports them handled, so windows further out never see them. A
// WM_QUIT ends the loop and is posted again for the loops outside.
#include "afx/wnd.h"
#include "win/buttons.h"
#include "win/dialogs.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Binds control to the dialog's item id (SubclassWindow) unless it has a
// window already.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

class CDialog : public CWnd {
 public:
  CDialog() = default;
  // A dialog resource (RT_DIALOG) of the program.
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  // A template in memory that outlives DoModal.
  BOOL InitModalIndirect(LPCDLGTEMPLATEW dialogTemplate, CWnd* parent = nullptr);

  // The value given to EndDialog; -1 when the dialog could not be made.
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // The dialog's buttons by identifier (win/buttons.h).
  void CheckRadioButton(int first, int last, int check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckDlgButton(int id, UINT check);

 protected:
  virtual void DoDataExchange(CDataExchange* exchange);
  virtual void OnOK();
  virtual void OnCancel();

  DECLARE_MESSAGE_MAP()

 private:
  LRESULT OnInitDialogMessage(WPARAM, LPARAM);
  LPCDLGTEMPLATEW FindTemplate() const;

  UINT templateId_ = 0;
  LPCDLGTEMPLATEW template_ = nullptr;
  CWnd* parent_ = nullptr;
  HWND owner_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = -1;
};
