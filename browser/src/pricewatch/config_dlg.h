#pragma once
// CConfigDlg: the settings dialog (template 393). It edits the two settings
// both programs share, the start-up mode and the price-check interval, and
// tells a running tray program after every save. OK saves only what was
// changed; Apply saves at once; Enter neither closes nor saves.
#include "afx/dialog.h"

class CConfigDlg : public CDialog {
 public:
  enum : UINT { IDD = 393 };
  enum : int {
    kMinimisedTrayId = 1002,
    kBrowserId = 1003,
    kNothingId = 1004,
    kIntervalId = 1005,
    kOkId = 1006,
    kCancelId = 1007,
    kApplyId = 1008
  };

  explicit CConfigDlg(CWnd* parent = nullptr);

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;

  int SavedMode() const { return savedMode_; }
  int EditedMode() const { return editedMode_; }
  DWORD SavedInterval() const { return savedInterval_; }
  DWORD EditedInterval() const { return editedInterval_; }

 protected:
  afx_msg void OnPaint();
  afx_msg void OnMinimisedTray();
  afx_msg void OnBrowser();
  afx_msg void OnNothing();
  afx_msg void OnIntervalChanged();
  afx_msg void OnOkButton();
  afx_msg void OnCancelButton();
  afx_msg void OnApply();
  DECLARE_MESSAGE_MAP()

 private:
  void ModeChosen(int mode);
  void UpdateApply();
  bool Edited() const;
  void Save();

  int savedMode_ = -1;
  int editedMode_ = -1;
  DWORD savedInterval_ = 0;
  DWORD editedInterval_ = 0;
};

// The interval box's text as an unsigned decimal number: leading blanks
// skipped, stopping at the first other character, 0 without digits, the
// largest 32-bit number for more.
DWORD ReadIntervalText(LPCWSTR text);
