// The settings dialog over a settings folder of the test's own, with a
// stand-in for the tray program's window that records what it is told.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config_dlg.h"
#include "price_watch_test_support.h"
#include "ui_fonts.h"
#include "vxshared/browser_config.h"
#include "vxshared/tray_program.h"
#include "win/modules.h"
#include "win/profile.h"
#include "win/window_classes.h"

namespace fs = std::filesystem;

namespace {

using price_watch_test::Host;
using Dialog = price_watch_test::Scripted<CConfigDlg>;

// The settings folder of this test process, made before the path is.
const fs::path& Root() {
  static const fs::path root = [] {
    fs::path made = fs::temp_directory_path() / ("quorla-config-dlg-" + std::to_string(::getpid()));
    fs::remove_all(made);
    fs::create_directories(made / "vxbrowser");
    ::setenv("XDG_CONFIG_HOME", made.c_str(), 1);
    InitConfigPath();
    return made;
  }();
  return root;
}

fs::path Ini() { return Root() / "vxbrowser" / "config.ini"; }
fs::path Entry() { return Root() / "autostart" / "Quorla.desktop"; }

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

INT RunTray() { return static_cast<INT>(GetPrivateProfileIntW(u"Price", u"RunTray", -1, Ini().u16string().c_str())); }

void Type(Dialog& d, LPCWSTR text) { SetDlgItemTextW(d.m_hWnd, CConfigDlg::kIntervalId, text); }
bool ApplyEnabled(Dialog& d) { return ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, CConfigDlg::kApplyId)); }
std::u16string IntervalText(Dialog& d) {
  CString text;
  d.GetDlgItem(CConfigDlg::kIntervalId)->GetWindowText(text);
  return std::u16string(text);
}

std::vector<UINT> g_trayMessages;

LRESULT CALLBACK TrayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) g_trayMessages.push_back(message);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ConfigDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    WNDCLASSW wc{};
    wc.lpfnWndProc = TrayProc;
    wc.lpszClassName = kTrayWindowClass;
    RegisterClassW(&wc);
    tray = CreateWindowExW(0, kTrayWindowClass, u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    Fresh("");
  }
  void TearDown() override { DestroyWindow(tray); }

  void Fresh(const std::string& ini) {
    Root();
    fs::remove_all(Root() / "autostart");
    std::ofstream(Ini(), std::ios::binary | std::ios::trunc) << ini;
    g_trayMessages.clear();
  }
  INT_PTR Run(std::vector<Dialog::Step> steps) {
    Dialog dialog(std::move(steps), &host);
    return dialog.DoModal();
  }
  int TrayCount() {
    price_watch_test::Pump();
    int n = 0;
    for (UINT m : g_trayMessages) n += m == WM_PRICE_SETTINGS_CHANGED;
    return n;
  }

  Host host{400, 300};
  HWND tray = nullptr;
};

// The radio of the saved mode is checked, 1004 for any other value; the
// interval as saved, Apply disabled.
TEST_F(ConfigDlg, OpensWithTheSavedValues) {
  struct Case {
    const char* ini;
    int mode;
    int checked;
  };
  const Case cases[] = {
      {"[Price]\nRunTray=0\nCheckTimeLong=45\n", 0, CConfigDlg::kMinimisedTrayId},
      {"[Price]\nRunTray=1\nCheckTimeLong=45\n", 1, CConfigDlg::kBrowserId},
      {"[Price]\nRunTray=2\nCheckTimeLong=45\n", 2, CConfigDlg::kNothingId},
      {"[Price]\nCheckTimeLong=45\n", -1, CConfigDlg::kNothingId},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    Fresh(c.ini);
    const INT_PTR result = Run({[&](Dialog& d) {
      std::vector<int> checked;
      for (int id : {CConfigDlg::kMinimisedTrayId, CConfigDlg::kBrowserId, CConfigDlg::kNothingId})
        if (IsDlgButtonChecked(d.m_hWnd, id) == BST_CHECKED) checked.push_back(id);
      EXPECT_EQ(checked, std::vector<int>{c.checked});
      EXPECT_EQ(d.EditedMode(), c.mode);
      EXPECT_EQ(d.EditedInterval(), 45u);
      EXPECT_EQ(IntervalText(d), u"45");
      EXPECT_FALSE(ApplyEnabled(d));
      d.Click(CConfigDlg::kCancelId);
    }});
    EXPECT_EQ(result, 2);
  }
}

// Apply follows whether the edited values differ from the saved ones.
TEST_F(ConfigDlg, ApplyIsEnabledOnlyWhileTheEditedValuesDifferFromTheSaved) {
  struct Case {
    std::vector<const char16_t*> typed;
    bool enabled;
  };
  const Case cases[] = {{{u"45"}, true}, {{u"45", u"30"}, false}, {{u"030"}, false}, {{u""}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.typed.size() << " texts, the last " << static_cast<int>(c.typed.back()[0]));
    Fresh("[Price]\nRunTray=0\nCheckTimeLong=30\n");
    std::vector<Dialog::Step> steps;
    for (const char16_t* text : c.typed) steps.push_back([text](Dialog& d) { Type(d, text); });
    steps.push_back([&](Dialog& d) {
      EXPECT_EQ(ApplyEnabled(d), c.enabled);
      d.Click(CConfigDlg::kCancelId);
    });
    Run(steps);
    EXPECT_EQ(TrayCount(), 0);
  }
}

TEST_F(ConfigDlg, SavesWhatChangedAndTellsTheTrayOfEverySave) {
  auto click = [](int id) { return [id](Dialog& d) { d.Click(id); }; };
  enum Autostart { kNone, kProgram, kUnchecked };
  struct Case {
    const char* name;
    const char* ini;
    std::vector<Dialog::Step> steps;
    INT_PTR result;
    bool iniUnchanged;
    INT runTray;  // -1: absent
    DWORD interval;
    Autostart entry;
    int trayMessages;
  };
  const Case cases[] = {
      {"OK with nothing changed", "[Price]\nRunTray=0\nCheckTimeLong=30\n", {click(CConfigDlg::kOkId)}, 1, true, 0,
       30, kNone, 0},
      {"0 is saved and shown as 1",
       "[Price]\nRunTray=0\nCheckTimeLong=30\n",
       {[](Dialog& d) { Type(d, u"0"); }, click(CConfigDlg::kApplyId),
        [](Dialog& d) {
          EXPECT_EQ(IntervalText(d), u"1");
          EXPECT_FALSE(ApplyEnabled(d));
          d.Click(CConfigDlg::kCancelId);
        }},
       2, false, 0, 1, kUnchecked, 1},
      {"only the interval: an absent mode stays absent",
       "[Price]\nCheckTimeLong=30\n",
       {[](Dialog& d) {
          EXPECT_EQ(d.EditedMode(), -1);
          Type(d, u"12");
        },
        click(CConfigDlg::kOkId)},
       1, false, -1, 12, kNone, 1},
      {"mode 1 writes an entry starting the running program", "[Price]\nRunTray=0\nCheckTimeLong=30\n",
       {click(CConfigDlg::kBrowserId), click(CConfigDlg::kOkId)}, 1, false, 1, 30, kProgram, 1},
      {"every Apply tells the tray, even for the mode alone", "[Price]\nRunTray=0\nCheckTimeLong=30\n",
       {click(CConfigDlg::kBrowserId), click(CConfigDlg::kApplyId), click(CConfigDlg::kMinimisedTrayId),
        click(CConfigDlg::kApplyId), click(CConfigDlg::kOkId)},
       1, false, 0, 30, kUnchecked, 2},
      {"Enter in the interval box neither closes nor saves",
       "[Price]\nRunTray=0\nCheckTimeLong=30\n",
       {[](Dialog& d) {
          Type(d, u"45");
          HWND box = ::GetDlgItem(d.m_hWnd, CConfigDlg::kIntervalId);
          ::SetFocus(box);
          ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
          ::PostMessageW(box, WM_KEYUP, VK_RETURN, 0);
        },
        [](Dialog& d) { d.EndDialog(7); }},
       7, true, 0, 30, kNone, 0},
  };
  char16_t program[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
  const std::string exec = "Exec=\"" + fs::path(std::u16string(program)).string() + "\"";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh(c.ini);
    EXPECT_EQ(Run(c.steps), c.result);
    if (c.iniUnchanged) {
      EXPECT_EQ(Read(Ini()), c.ini);
    }
    EXPECT_EQ(RunTray(), c.runTray);
    EXPECT_EQ(ReadCheckTimeLong(), c.interval);
    if (c.entry == kNone) {
      EXPECT_FALSE(fs::exists(Entry()));
    }
    if (c.entry == kProgram) {
      EXPECT_NE(Read(Entry()).find(exec), std::string::npos);
    }
    EXPECT_EQ(TrayCount(), c.trayMessages);
  }
}

TEST_F(ConfigDlg, IntervalTextReadsAsAnUnsignedNumber) {
  struct Case {
    const char16_t* text;
    DWORD value;
  } cases[] = {{u"", 0}, {u"abc", 0}, {u"  17", 17}, {u"17abc", 17}, {u"4294967295", 4294967295u},
               {u"99999999999", 4294967295u}, {u"-3", 0}};
  for (const Case& c : cases) EXPECT_EQ(ReadIntervalText(c.text), c.value) << c.value;
}

}  // namespace
