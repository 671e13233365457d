// The settings dialog over a settings folder of the test's own, with a
// stand-in for the tray program's window that records what it is told.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "config_dlg.h"
#include "price_watch_test_support.h"
#include "ui_fonts.h"
#include "vxshared/browser_config.h"
#include "vxshared/tray_program.h"
#include "win/buttons.h"
#include "win/dialogs.h"
#include "win/modules.h"
#include "win/profile.h"
#include "win/window_classes.h"

namespace fs = std::filesystem;

namespace {

using price_watch_test::Host;

constexpr UINT WM_NEXT_STEP = WM_USER + 77;

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

std::vector<UINT> g_trayMessages;

LRESULT CALLBACK TrayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) g_trayMessages.push_back(message);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A hidden window of the tray program's class.
class TrayStandIn {
 public:
  TrayStandIn() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TrayProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTrayWindowClass;
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, kTrayWindowClass, u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    g_trayMessages.clear();
  }
  ~TrayStandIn() { DestroyWindow(hwnd_); }
  int Count(UINT message) const {
    price_watch_test::Pump();
    int n = 0;
    for (UINT m : g_trayMessages) n += m == message;
    return n;
  }

 private:
  HWND hwnd_;
};

// Runs the steps one after another inside the dialog's own loop, each from
// a message posted to it, so that what they post goes through the loop as
// the user's input does.
class CScriptedConfigDlg : public CConfigDlg {
 public:
  using Step = std::function<void(CScriptedConfigDlg&)>;
  CScriptedConfigDlg(CWnd* parent, std::vector<Step> steps) : CConfigDlg(parent), steps_(std::move(steps)) {}

  BOOL OnInitDialog() override {
    const BOOL result = CConfigDlg::OnInitDialog();
    PostMessage(WM_NEXT_STEP);
    return result;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NEXT_STEP) {
      if (next_ < steps_.size()) {
        Step step = steps_[next_++];
        step(*this);
        if (m_hWnd) PostMessage(WM_NEXT_STEP);
      }
      return 0;
    }
    return CConfigDlg::WindowProc(message, wParam, lParam);
  }

  void Click(int id) { PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id))); }
  void Type(LPCWSTR text) { SetDlgItemTextW(m_hWnd, kIntervalId, text); }
  bool ApplyEnabled() { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, kApplyId)); }
  std::u16string IntervalText() {
    CString text;
    GetDlgItem(kIntervalId)->GetWindowText(text);
    return std::u16string(text);
  }

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
};

class ConfigDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    Root();
    fs::remove(Ini());
    fs::remove_all(Root() / "autostart");
  }
  void PutIni(const std::string& text) { std::ofstream(Ini(), std::ios::binary) << text; }
  INT_PTR Run(std::vector<CScriptedConfigDlg::Step> steps) {
    CScriptedConfigDlg dialog(&host, std::move(steps));
    return dialog.DoModal();
  }

  Host host{400, 300};
  TrayStandIn tray;
};

TEST_F(ConfigDlg, OpensWithTheSavedValuesAndApplyDisabled) {
  PutIni("[Price]\nRunTray=1\nCheckTimeLong=45\n");
  int mode = -2;
  DWORD interval = 0;
  bool applyEnabled = true;
  std::u16string text;
  const INT_PTR result = Run({[&](CScriptedConfigDlg& d) {
    mode = d.EditedMode();
    interval = d.EditedInterval();
    applyEnabled = d.ApplyEnabled();
    text = d.IntervalText();
    d.Click(CConfigDlg::kCancelId);
  }});
  EXPECT_EQ(result, 2);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(interval, 45u);
  EXPECT_FALSE(applyEnabled);
  EXPECT_EQ(text, u"45");
}

struct OpeningCase {
  const char* name;
  const char* ini;
  int checked;
};

class ConfigDlgOpening : public ConfigDlg, public ::testing::WithParamInterface<OpeningCase> {};

// The radio of the saved mode is checked, 1004 for any other value.
TEST_P(ConfigDlgOpening, ChecksTheSavedModesRadio) {
  PutIni(GetParam().ini);
  std::vector<int> checked;
  Run({[&](CScriptedConfigDlg& d) {
    for (int id : {CConfigDlg::kMinimisedTrayId, CConfigDlg::kBrowserId, CConfigDlg::kNothingId})
      if (IsDlgButtonChecked(d.m_hWnd, id) == BST_CHECKED) checked.push_back(id);
    d.Click(CConfigDlg::kCancelId);
  }});
  EXPECT_EQ(checked, std::vector<int>{GetParam().checked});
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ConfigDlgOpening,
    ::testing::Values(OpeningCase{"tray", "[Price]\nRunTray=0\n", CConfigDlg::kMinimisedTrayId},
                      OpeningCase{"browser", "[Price]\nRunTray=1\n", CConfigDlg::kBrowserId},
                      OpeningCase{"nothing", "[Price]\nRunTray=2\n", CConfigDlg::kNothingId},
                      OpeningCase{"absent", "[Price]\n", CConfigDlg::kNothingId}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigDlg, OkWithNothingChangedWritesAndPostsNothing) {
  PutIni("[Price]\nRunTray=0\nCheckTimeLong=30\n");
  const std::string before = Read(Ini());
  EXPECT_EQ(Run({[](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kOkId); }}), 1);
  EXPECT_EQ(Read(Ini()), before);
  EXPECT_FALSE(fs::exists(Entry()));
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 0);
}

struct ApplyCase {
  const char* name;
  std::vector<const char16_t*> typed;
  bool enabled;
};

class ConfigDlgApply : public ConfigDlg, public ::testing::WithParamInterface<ApplyCase> {};

// Apply follows whether the edited values differ from the saved ones.
TEST_P(ConfigDlgApply, EnabledOnlyWhileEditedDiffersFromSaved) {
  PutIni("[Price]\nRunTray=0\nCheckTimeLong=30\n");
  bool enabled = false;
  std::vector<CScriptedConfigDlg::Step> steps;
  for (const char16_t* text : GetParam().typed) steps.push_back([text](CScriptedConfigDlg& d) { d.Type(text); });
  steps.push_back([&](CScriptedConfigDlg& d) {
    enabled = d.ApplyEnabled();
    d.Click(CConfigDlg::kCancelId);
  });
  Run(steps);
  EXPECT_EQ(enabled, GetParam().enabled);
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 0);
}

INSTANTIATE_TEST_SUITE_P(Typing, ConfigDlgApply,
                         ::testing::Values(ApplyCase{"changed", {u"45"}, true},
                                           ApplyCase{"changed_back", {u"45", u"30"}, false},
                                           ApplyCase{"leading_zero_same_number", {u"030"}, false},
                                           ApplyCase{"emptied", {u""}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigDlg, ZeroIsSavedAsOneAndShownAsOne) {
  PutIni("[Price]\nRunTray=0\nCheckTimeLong=30\n");
  std::u16string shown;
  bool applyAfter = true;
  Run({[](CScriptedConfigDlg& d) { d.Type(u"0"); },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kApplyId); },
       [&](CScriptedConfigDlg& d) {
         shown = d.IntervalText();
         applyAfter = d.ApplyEnabled();
         d.Click(CConfigDlg::kCancelId);
       }});
  EXPECT_EQ(shown, u"1");
  EXPECT_FALSE(applyAfter);
  EXPECT_EQ(ReadCheckTimeLong(), 1u);
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 1);
}

TEST_F(ConfigDlg, OnlyTheIntervalChangedLeavesAnAbsentModeAbsent) {
  PutIni("[Price]\nCheckTimeLong=30\n");
  int mode = 0;
  Run({[&](CScriptedConfigDlg& d) {
         mode = d.EditedMode();
         d.Type(u"12");
       },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kOkId); }});
  EXPECT_EQ(mode, -1);
  EXPECT_EQ(ReadCheckTimeLong(), 12u);
  EXPECT_EQ(Read(Ini()).find("RunTray"), std::string::npos);
  EXPECT_FALSE(fs::exists(Entry()));
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 1);
}

TEST_F(ConfigDlg, ModeOneWritesAnEntryStartingTheRunningProgram) {
  PutIni("[Price]\nRunTray=0\nCheckTimeLong=30\n");
  Run({[](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kBrowserId); },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kOkId); }});
  char16_t program[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
  EXPECT_NE(Read(Entry()).find("Exec=\"" + fs::path(std::u16string(program)).string() + "\""), std::string::npos);
  EXPECT_EQ(GetPrivateProfileIntW(u"Price", u"RunTray", -1, Ini().u16string().c_str()), 1u);
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 1);
}

TEST_F(ConfigDlg, EveryApplyTellsTheTrayEvenForTheModeAlone) {
  PutIni("[Price]\nRunTray=0\nCheckTimeLong=30\n");
  Run({[](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kBrowserId); },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kApplyId); },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kMinimisedTrayId); },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kApplyId); },
       [](CScriptedConfigDlg& d) { d.Click(CConfigDlg::kOkId); }});
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 2);
  EXPECT_EQ(GetPrivateProfileIntW(u"Price", u"RunTray", -1, Ini().u16string().c_str()), 0u);
}

TEST_F(ConfigDlg, EnterInTheIntervalBoxNeitherClosesNorSaves) {
  PutIni("[Price]\nRunTray=0\nCheckTimeLong=30\n");
  const std::string before = Read(Ini());
  const INT_PTR result = Run({[](CScriptedConfigDlg& d) {
                                d.Type(u"45");
                                HWND box = ::GetDlgItem(d.m_hWnd, CConfigDlg::kIntervalId);
                                ::SetFocus(box);
                                ::PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
                                ::PostMessageW(box, WM_KEYUP, VK_RETURN, 0);
                              },
                              [](CScriptedConfigDlg& d) { d.EndDialog(7); }});
  EXPECT_EQ(result, 7);
  EXPECT_EQ(Read(Ini()), before);
  EXPECT_EQ(tray.Count(WM_PRICE_SETTINGS_CHANGED), 0);
}

TEST_F(ConfigDlg, IntervalTextReadsAsAnUnsignedNumber) {
  struct Case {
    const char16_t* text;
    DWORD value;
  } cases[] = {{u"", 0}, {u"abc", 0}, {u"  17", 17}, {u"17abc", 17}, {u"4294967295", 4294967295u},
               {u"99999999999", 4294967295u}, {u"-3", 0}};
  for (const Case& c : cases) EXPECT_EQ(ReadIntervalText(c.text), c.value) << std::string(c.text, c.text + 0);
}

}  // namespace
