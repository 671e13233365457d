// A page's own dialogs: alert and confirm are the layer's message box, over
// the control's window, answered here by pressing its buttons as a person
// would; prompt and a log-in request are answered as cancelled.
#include <QTimer>

#include "web_browser_fixture.h"
#include "win/buttons.h"
#include "win/dialogs.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace quorla_test {
namespace {

// Presses one button of each message box that comes up, in turn, and notes
// what the box offered and whether its owner took input meanwhile.
class BoxPresser {
 public:
  BoxPresser(HWND owner, std::vector<int> presses) : owner_(owner), presses_(std::move(presses)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start(50);
  }
  struct Seen {
    bool hasCancel = false;
    bool ownerEnabled = true;
    std::u16string caption;
  };
  const std::vector<Seen>& seen() const { return seen_; }

 private:
  void Look() {
    HWND box = FindWindowW(u"#32770", nullptr);
    if (!box || box == pressed_ || !IsWindowVisible(box) || seen_.size() >= presses_.size()) return;
    pressed_ = box;
    Seen seen;
    seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    seen.ownerEnabled = IsWindowEnabled(owner_) != FALSE;
    WCHAR caption[256] = {};
    GetWindowTextW(box, caption, 256);
    seen.caption = caption;
    seen_.push_back(seen);
    PostMessageW(GetDlgItem(box, presses_[seen_.size() - 1]), BM_CLICK, 0, 0);
  }
  HWND owner_;
  std::vector<int> presses_;
  std::vector<Seen> seen_;
  HWND pressed_ = nullptr;
  QTimer timer_;
};

TEST_F(WebBrowserTest, AlertAndConfirmAreTheLayersBoxAndTheirAnswersReachThePage) {
  server.ServeBody("/ask", "<html><head><title>start</title></head><body><script>"
                           "alert('note');"
                           "var answers = [confirm('go?'), confirm('really?'), prompt('name?', 'x')];"
                           "document.title = answers.join('|');"
                           "</script></body></html>");
  ASSERT_TRUE(server.Start());
  HWND top = window;
  while (HWND up = GetParent(top)) top = up;
  BoxPresser presser(top, {IDOK, IDOK, IDCANCEL});
  ASSERT_EQ(Navigate(Wide(server.Url("/ask"))), S_OK);
  ASSERT_TRUE(PumpUntil([&] { return Narrow(LocationName()) != "start" && !LocationName().empty() &&
                                     Narrow(LocationName()).find('|') != std::string::npos; }));
  // The first confirm was answered OK, the second Cancel; prompt asks
  // nobody and is cancelled.
  EXPECT_EQ(Narrow(LocationName()), "true|false|");
  struct Expected {
    bool hasCancel;
  };
  const std::vector<Expected> expected = {{false}, {true}, {true}};
  ASSERT_EQ(presser.seen().size(), expected.size());
  const std::u16string origin = Wide(server.Url(""));
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(presser.seen()[i].hasCancel, expected[i].hasCancel) << i;
    EXPECT_FALSE(presser.seen()[i].ownerEnabled) << i << ": the window under the box took input";
    EXPECT_EQ(presser.seen()[i].caption, origin) << i;
  }
  EXPECT_TRUE(IsWindowEnabled(top));
  EXPECT_EQ(FindWindowW(u"#32770", nullptr), nullptr);
}

TEST_F(WebBrowserTest, ALogInRequestIsAnsweredAsCancelled) {
  server.ServeUnauthorized("/login", "<html><head><title>refused</title></head></html>");
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/login"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  PumpUntil([&] { return Narrow(LocationName()) == "refused"; }, 3000);
  EXPECT_EQ(Narrow(LocationName()), "refused");
  EXPECT_EQ(server.Requests().size(), 1u) << "no credentials sent";
}

}  // namespace
}  // namespace quorla_test
