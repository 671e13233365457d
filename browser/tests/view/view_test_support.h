#pragma once
// A stand-in for the window that shows the tabs, recording what the views
// ask of it; the price watch's queue as the stand-in hooks saw it; and a
// fixture with a parent window (the tab strip's place) and one tab view.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "afx/wnd.h"
#include "http_test_server.h"
#include "kqie_view.h"
#include "view_owner.h"

namespace view_test {

struct OwnerCall {
  std::string what;  // "adopt", "status", "navigate", "title", "command"
  CKQIEView* view;
  std::u16string text;  // the status text, address or title; "2 1" for a command state
  bool operator==(const OwnerCall&) const = default;
};

class FakeOwner final : public ViewOwner {
 public:
  void AdoptNewWindowView(CKQIEView* view) override;
  void OnViewStatusText(CKQIEView* view) override;
  void OnViewNavigate(CKQIEView* view, LPCWSTR url) override;
  void OnViewTitle(CKQIEView* view, LPCWSTR title) override;
  void OnViewCommandState(CKQIEView* view, BOOL enable, LONG command) override;
  bool HoldsView(const CKQIEView* view) const override { return tabs.count(view) != 0; }

  std::vector<OwnerCall> calls;
  std::set<const CKQIEView*> tabs;
  std::vector<std::u16string> Of(const std::string& what) const;
};

// Writes the filter file into a folder of its own, made current for the
// object's life, and loads it; later tests find no filter.
class FilterFile {
 public:
  explicit FilterFile(const std::string& bytes);
  ~FilterFile();
  // The file goes, and the filter is loaded again.
  void Remove();

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

// The views QueueParse and ForgetView were called with, in order.
std::vector<CKQIEView*>& QueuedViews();
std::vector<CKQIEView*>& ForgottenViews();

// A frame's dispatch: any object other than the control.
class FrameDispatch final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A view under the parent, created as a tab's or a new window's.
  CKQIEView* MakeView(int adopted);
  // The control's own dispatch of a view (the page itself), held by the
  // fixture.
  IDispatch* Top(CKQIEView* view);
  IDispatch* Frame() { return &frame_; }
  // Plays BeforeNavigate2; returns whether the view cancelled it.
  bool BeforeNavigate(CKQIEView* view, IDispatch* dispatch, const std::u16string& url);
  void NavigateComplete(CKQIEView* view, IDispatch* dispatch, const std::u16string& url);
  void DocumentComplete(CKQIEView* view, IDispatch* dispatch, const std::u16string& url);
  // Has the tab view open a new window and the engine navigate it to url;
  // the new view once it was adopted, or once it refused and queued its
  // discard (not yet handled: *discardQueued then true). Null when neither
  // came. The fixture deletes what is left of it at the end.
  CKQIEView* OpenPopup(const std::u16string& url, bool* discardQueued);
  // Whether a view made here, or by OpenPopup, still exists.
  bool Exists(HWND window) const { return CWnd::FromHandlePermanent(window) != nullptr; }

  FakeOwner owner;
  quorla::testing::HttpTestServer server;
  CWnd parent;
  CKQIEView* view = nullptr;

 private:
  FrameDispatch frame_;
  std::vector<IDispatch*> held_;
  std::vector<HWND> made_;
};

}  // namespace view_test
