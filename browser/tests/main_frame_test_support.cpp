#include "main_frame_test_support.h"

#include "browser_ids.h"
#include "win/messages.h"
#include "win/window_state.h"

namespace browser_test {

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

BEGIN_MESSAGE_MAP(RecordingFrame, CMainFrame)
  ON_WM_SYSCOMMAND()
  ON_COMMAND(ID_SHOW_CUTPRICE_DLG, OnShowWatchList)
  ON_COMMAND_RANGE(ID_NAVIGATE_FORWARD, ID_NAVIGATE_STOP, OnNavigation)
END_MESSAGE_MAP()

void RecordingFrame::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == SC_KEYMENU) {
    windowMenus.push_back(lParam);
    return;
  }
  CMainFrame::OnSysCommand(id, lParam);
}

std::unique_ptr<RecordingFrame> MakeShownFrame() {
  auto frame = std::make_unique<RecordingFrame>();
  EXPECT_NE(frame->GetSafeHwnd(), nullptr);
  // The start timer would open the start page in a tab, and with it the web
  // engine, whenever setting up takes longer than its 300 ms (a sanitizer
  // build does).
  ::KillTimer(frame->GetSafeHwnd(), 1);
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  Drain();
  return frame;
}

void MainFrameTest::SetUp() {
  frame = MakeShownFrame();
  hwnd = frame->GetSafeHwnd();
  ASSERT_NE(hwnd, nullptr);
}

void MainFrameTest::TearDown() {
  if (GetCapture() == hwnd) ReleaseCapture();
  frame.reset();
  Drain();
}

void MainFrameTest::RestoreTo(int x, int y, int width, int height) {
  SysCommand(SC_RESTORE);
  MoveWindow(hwnd, x, y, width, height, TRUE);
  Drain();
}

void MainFrameTest::SysCommand(WPARAM command) {
  SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
  Drain();
}

void MainFrameTest::Mouse(UINT message, int x, int y, WPARAM keys) {
  // Points travel as two signed 16-bit values.
  const LPARAM point = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
  SendMessageW(hwnd, message, keys, point);
}

CRect MainFrameTest::WindowRect() const {
  CRect r;
  GetWindowRect(hwnd, &r);
  return r;
}

CRect MainFrameTest::ClientRect() const {
  CRect r;
  GetClientRect(hwnd, &r);
  return r;
}

CPoint MainFrameTest::ScreenPoint(int x, int y) const {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return CPoint(p.x, p.y);
}

int MainFrameTest::MiddleCaptionButton() {
  const auto* button = frame->CaptionButtons().GetButton(1);
  return button ? button->id : 0;
}

}  // namespace browser_test
