#include "config_dlg.h"

#include "afx/window_dcs.h"
#include "ui_fonts.h"
#include "vxshared/browser_config.h"
#include "vxshared/tray_program.h"
#include "win/buttons.h"
#include "win/edit.h"
#include "win/profile.h"
#include "win/text_draw.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/messages.h"
#include "win/dialogs.h"

BEGIN_MESSAGE_MAP(CConfigDlg, CDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(CConfigDlg::kMinimisedTrayId, OnMinimisedTray)
  ON_BN_CLICKED(CConfigDlg::kBrowserId, OnBrowser)
  ON_BN_CLICKED(CConfigDlg::kNothingId, OnNothing)
  ON_EN_CHANGE(CConfigDlg::kIntervalId, OnIntervalChanged)
  ON_BN_CLICKED(CConfigDlg::kOkId, OnOkButton)
  ON_BN_CLICKED(CConfigDlg::kCancelId, OnCancelButton)
  ON_BN_CLICKED(CConfigDlg::kApplyId, OnApply)
END_MESSAGE_MAP()

namespace {

struct PaintedText {
  LPCWSTR text;
  RECT rect;
  int font;
  COLORREF colour;
};

constexpr COLORREF kNote = RGB(79, 79, 79);

const PaintedText kTexts[] = {
    {u"启动设置：", {8, 10, 100, 22}, kUiFontDialogBold12, RGB(0, 0, 0)},
    {u"设置降价通知监测频率：", {8, 134, 200, 146}, kUiFontDialogBold12, RGB(0, 0, 0)},
    {u"（", {210, 32, 300, 44}, kUiFontRegular12, RGB(0, 0, 0)},
    {u"）", {270, 32, 300, 44}, kUiFontRegular12, RGB(0, 0, 0)},
    {u"分钟监测一次", {72, 156, 200, 168}, kUiFontRegular12, RGB(0, 0, 0)},
    {u"最小化不占资源并且按时检测价格，保证及时降价通知", {32, 52, 400, 64}, kUiFontRegular12, kNote},
    {u"如果该网站价格变化不频繁，建议不要修改", {16, 180, 400, 192}, kUiFontRegular12, kNote},
    {u"推荐设置", {222, 32, 300, 44}, kUiFontRegular12, RGB(255, 0, 0)},
};

}  // namespace

DWORD ReadIntervalText(LPCWSTR text) {
  if (!text) return 0;
  while (*text == u' ' || *text == u'\t') ++text;
  ULONGLONG value = 0;
  for (; *text >= u'0' && *text <= u'9'; ++text) {
    value = value * 10 + static_cast<ULONGLONG>(*text - u'0');
    if (value > 0xFFFFFFFFull) return 0xFFFFFFFFu;
  }
  return static_cast<DWORD>(value);
}

CConfigDlg::CConfigDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CConfigDlg::PreTranslateMessage(MSG* msg) {
  // Enter would be the dialog's IDOK: it neither closes nor saves here.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

BOOL CConfigDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  savedMode_ = editedMode_ = static_cast<int>(GetPrivateProfileIntW(u"Price", u"RunTray", -1, GetConfigPath()));
  savedInterval_ = editedInterval_ = ReadCheckTimeLong();
  int checked = kNothingId;
  if (savedMode_ == 0) checked = kMinimisedTrayId;
  if (savedMode_ == 1) checked = kBrowserId;
  CheckRadioButton(kMinimisedTrayId, kNothingId, checked);
  CString interval;
  interval.Format(u"%u", savedInterval_);
  SetDlgItemTextW(m_hWnd, kIntervalId, interval);
  // Setting the text reported a change of nothing.
  editedInterval_ = savedInterval_;
  UpdateApply();
  return TRUE;
}

void CConfigDlg::OnPaint() {
  CPaintDC dc(this);
  dc.SetBkMode(TRANSPARENT);
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
  for (const PaintedText& each : kTexts) {
    dc.SelectObject(GetUiFont(each.font));
    dc.SetTextColor(each.colour);
    RECT rect = each.rect;
    dc.DrawText(each.text, -1, &rect, DT_SINGLELINE);
  }
  dc.SelectObject(previous);
}

void CConfigDlg::ModeChosen(int mode) {
  editedMode_ = mode;
  UpdateApply();
}

void CConfigDlg::OnMinimisedTray() { ModeChosen(0); }
void CConfigDlg::OnBrowser() { ModeChosen(1); }
void CConfigDlg::OnNothing() { ModeChosen(2); }

void CConfigDlg::OnIntervalChanged() {
  CString text;
  if (CWnd* box = GetDlgItem(kIntervalId)) box->GetWindowText(text);
  editedInterval_ = ReadIntervalText(text);
  UpdateApply();
}

bool CConfigDlg::Edited() const { return editedMode_ != savedMode_ || editedInterval_ != savedInterval_; }

void CConfigDlg::UpdateApply() {
  if (CWnd* apply = GetDlgItem(kApplyId)) apply->EnableWindow(Edited() ? TRUE : FALSE);
}

void CConfigDlg::Save() {
  if (editedInterval_ == 0) {
    SetDlgItemTextW(m_hWnd, kIntervalId, u"1");
    editedInterval_ = 1;
  }
  WriteCheckTimeLong(editedInterval_);
  SetRunMode(editedMode_);
  if (HWND tray = FindWindowW(kTrayWindowClass, nullptr)) PostMessageW(tray, WM_PRICE_SETTINGS_CHANGED, 0, 0);
}

void CConfigDlg::OnOkButton() {
  CWnd* apply = GetDlgItem(kApplyId);
  if (apply && apply->IsWindowEnabled()) Save();
  EndDialog(1);
}

void CConfigDlg::OnCancelButton() { EndDialog(2); }

void CConfigDlg::OnApply() {
  Save();
  savedMode_ = editedMode_;
  savedInterval_ = editedInterval_;
  UpdateApply();
}
