#pragma once
// A manager without a host that records what controls ask of it, for tests
// of the controls' own behaviour.
#include <string>
#include <vector>

#include "sfwnd/sf_wnd.h"
#include "sfwnd/sf_wnd_mgr_impl.h"

namespace sfwnd_test {

class RecordingMgr : public CSFWndMgrImpl {
 public:
  struct Command {
    CSFWnd* sender;
    UINT code;
    UINT id;
  };

  int RedrawWnd(CSFWnd* wnd) override {
    redraws.push_back(wnd);
    return 1;
  }
  int SetCaptureWnd(CSFWnd* wnd) override {
    calls += "capture;";
    capture = wnd;
    return 1;
  }
  int ReleaseCaptureWnd(CSFWnd* wnd) override {
    calls += "release;";
    // As the platform does: losing the capture reaches the control.
    if (wnd == capture) {
      capture = nullptr;
      wnd->OnCaptureLost();
    }
    return 1;
  }
  LRESULT SendCommand(CSFWnd* sender, UINT code, UINT id) override {
    calls += "command;";
    commands.push_back(Command{sender, code, id});
    return 0;
  }

  std::vector<CSFWnd*> redraws;
  std::vector<Command> commands;
  std::string calls;
  CSFWnd* capture = nullptr;
};

}  // namespace sfwnd_test
