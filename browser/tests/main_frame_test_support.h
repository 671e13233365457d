#pragma once
// The main window under test: made as the program makes it, shown, with its
// posted maximise handled; mouse messages sent to it as the platform would
// send them; and the window menu's opening written down instead of shown.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "main_frame.h"
#include "win/menus.h"

namespace browser_test {

// Dispatches until the queue holds nothing (WM_PAINT and due timers included).
void Drain();

// A main window that writes down the window menu's openings instead of
// running the menu's loop.
class RecordingFrame : public CMainFrame {
 public:
  std::vector<LPARAM> windowMenus;  // lParam of each SC_KEYMENU
  int watchListRequests = 0;        // WM_COMMAND 1021 that reached it
  std::vector<UINT> navigationCommands;  // WM_COMMAND 1010-1013, in order

 protected:
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnShowWatchList() { ++watchListRequests; }
  afx_msg void OnNavigation(UINT id) { navigationCommands.push_back(id); }
  DECLARE_MESSAGE_MAP()
};

// A main window made as the program makes it and shown, its start timer
// stopped: the tests open their own tabs, if any.
std::unique_ptr<RecordingFrame> MakeShownFrame();

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Back from maximised, at the given window rectangle.
  void RestoreTo(int x, int y, int width, int height);
  void SysCommand(WPARAM command);
  // A mouse message at a client point, sent as the platform sends it.
  void Mouse(UINT message, int x, int y, WPARAM keys = 0);
  CRect WindowRect() const;
  CRect ClientRect() const;
  CPoint ScreenPoint(int x, int y) const;
  // The id of the middle caption button (maximise 1003 or restore 1002).
  int MiddleCaptionButton();

  std::unique_ptr<RecordingFrame> frame;
  HWND hwnd = nullptr;
};

}  // namespace browser_test
