#pragma once
// What the price watch's window tests share: a recorder standing in for the
// price engine, a host window that records what the windows send and post
// to it (the control tests' host), and a watched item to show.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "afx/afxwin.h"
#include "browser_ids.h"
#include "shopping/reduce_price_item.h"
#include "ui_test_support.h"
#include "watch_actions.h"
#include "win/buttons.h"
#include "win/dialogs.h"

namespace price_watch_test {

class RecordingActions : public WatchActions {
 public:
  struct Added {
    double price;
    std::u16string url;
  };

  DWORD WatchedCount() override { return static_cast<DWORD>(items.size()); }
  void AddWatch(double price, ReducePriceItem* record) override;
  void ForgetView(CKQIEView* view) override { forgotten.push_back(view); }
  void RemoveWatch(LPCWSTR url) override;
  std::vector<ReducePriceItem> WatchList() override;
  void MoveThreshold(const ReducePriceItem& shown) override { moved.push_back(shown); }

  std::vector<ReducePriceItem> items;  // the watch list, oldest first
  std::vector<Added> added;
  std::vector<CKQIEView*> forgotten;
  std::vector<std::u16string> removed;
  std::vector<ReducePriceItem> moved;
  int listReads = 0;
};

// A shown pop-up at (40, 40), width x height, that records the commands
// and private messages it receives, and the addresses it is asked to open.
class Host : public ui_test::CHostWnd {
 public:
  Host(int width, int height) : CHostWnd(CRect(40, 40, 40 + width, 40 + height)) {}
  std::vector<std::u16string> opened;  // WM_OPEN_ITEM_URL's addresses, read while it is sent

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_OPEN_ITEM_URL) return CHostWnd::WindowProc(message, wParam, lParam);
    opened.push_back(lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"");
    return 1;
  }
};

// A product as a parse gives it.
ReducePriceItem MakeItem(const char16_t* url, const char16_t* title, double current);

// A dialog that runs the steps one after another inside its own modal
// loop, each from a message posted to it, so that what they post goes
// through the loop as the user's input does.
template <class Dialog>
class Scripted : public Dialog {
 public:
  using Step = std::function<void(Scripted&)>;
  template <class... Args>
  explicit Scripted(std::vector<Step> steps, Args&&... args)
      : Dialog(std::forward<Args>(args)...), steps_(std::move(steps)) {}

  BOOL OnInitDialog() override {
    const BOOL result = Dialog::OnInitDialog();
    this->PostMessage(kNextStep);
    return result;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kNextStep) return Dialog::WindowProc(message, wParam, lParam);
    if (next_ < steps_.size()) {
      Step step = steps_[next_++];
      step(*this);
      if (this->m_hWnd) this->PostMessage(kNextStep);
    }
    return 0;
  }
  // A click of the dialog's button, posted as the button posts it.
  void Click(int id) {
    this->PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(this->m_hWnd, id)));
  }

 private:
  static constexpr UINT kNextStep = WM_USER + 77;
  std::vector<Step> steps_;
  size_t next_ = 0;
};

// Where a child sits in its parent's client area.
CRect PlaceIn(CWnd& parent, CWnd& child);

using ui_test::Pump;
// Pumps for at least ms milliseconds.
void PumpFor(int ms);

}  // namespace price_watch_test
