#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QThread>
#include <QWheelEvent>
#include <string>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include "hosted_widgets_qt.h"
#include "window_access.h"
#include "window_test_support.h"
#include "win/edit.h"
#include "win/shell_autocomplete.h"

namespace {

using quorla_test::Seen;
using quorla_test::WindowLog;

constexpr int kId = 1031;

std::u16string TextOf(HWND hwnd) {
  WCHAR buffer[256] = {};
  int n = GetWindowTextW(hwnd, buffer, 256);
  return std::u16string(buffer, static_cast<size_t>(n));
}

std::pair<int, int> SelectionOf(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

// What the edit's own procedure got, through a subclass in front of it.
std::vector<Seen>* g_editSeen = nullptr;
WNDPROC g_editProc = nullptr;
// Runs inside the subclass right after the control's default handling of a
// left press, as a hint edit's handler does.
std::function<void(HWND)> g_afterPress;

LRESULT CALLBACK RecordingEdit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_editSeen) g_editSeen->push_back(Seen{hwnd, message, wParam, lParam});
  LRESULT result = CallWindowProcW(g_editProc, hwnd, message, wParam, lParam);
  if (message == WM_LBUTTONDOWN && g_afterPress) g_afterPress(hwnd);
  return result;
}

// A parent on screen at (0,0)-(300,100) with an edit at (10,10)-(210,34).
struct Panel {
  WindowLog log;
  std::vector<Seen> editSeen;
  std::vector<WORD> notifications;  // EN_* codes, in order
  HWND parent = nullptr, edit = nullptr;

  explicit Panel(DWORD style = ES_AUTOHSCROLL) {
    g_editSeen = &editSeen;
    log.handlers[WM_COMMAND] = [this](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (reinterpret_cast<HWND>(lParam) == edit) notifications.push_back(HIWORD(wParam));
      return 0;
    };
    parent = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 300, 100);
    edit = Make(style, 10, 10, 200, 24, kId);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingEdit)));
    quorla_test::DrainMessages();
    SetFocus(parent);
    quorla_test::DrainMessages();
    notifications.clear();
    editSeen.clear();
  }
  ~Panel() {
    g_editSeen = nullptr;
    g_afterPress = nullptr;
    DestroyWindow(parent);
    quorla_test::DrainMessages();
  }

  HWND Make(DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExW(0, WC_EDITW, u"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }

  // Gives the edit the focus; what that told the parent is forgotten.
  void Focus() {
    SetFocus(edit);
    quorla_test::DrainMessages();
    notifications.clear();
  }

  QLineEdit* Field(HWND hwnd = nullptr) const {
    return qobject_cast<QLineEdit*>(quorla::HostedWidgetOf(hwnd ? hwnd : edit));
  }

  // A key as the windowing system delivers it: to Qt's focus widget (the
  // field once the edit has the focus), then the loop runs.
  void Key(int key, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Field();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
    quorla_test::DrainMessages();
  }
  void Type(const QString& text) {
    for (QChar c : text) {
      const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
      Key(key, QString(c));
    }
  }

  // A mouse event at a point of the edit's client area, delivered to the
  // widget under it as the windowing system does.
  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton,
             Qt::MouseButtons held = Qt::LeftButton) {
    POINT screen{x, y};
    ClientToScreen(edit, &screen);
    QWidget* top = quorla::WidgetOfWindow(parent);
    QWidget* target = top->childAt(top->mapFromGlobal(QPoint(screen.x, screen.y)));
    if (!target) target = top;
    const QPointF local = target->mapFromGlobal(QPointF(screen.x, screen.y));
    QMouseEvent event(type, local, local, QPointF(screen.x, screen.y), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
    quorla_test::DrainMessages();
  }

  int Count(UINT message) const {
    int n = 0;
    for (const Seen& s : editSeen) n += s.message == message;
    return n;
  }
};

TEST(EditControl, TheTextFieldShowsWhereTheControlIsAndFollowsIt) {
  Panel panel;
  QLineEdit* field = panel.Field();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->parentWidget(), quorla::WidgetOfWindow(panel.parent));
  EXPECT_EQ(field->geometry(), QRect(10, 10, 200, 24));
  EXPECT_TRUE(field->isVisible());

  struct Case {
    const char* name;
    std::function<void(Panel&)> change;
    QRect geometry;
    bool visible;
    QRegion mask;  // empty: the whole field shows
  } cases[] = {
      {"moved", [](Panel& p) { SetWindowPos(p.edit, nullptr, 40, 50, 100, 20, SWP_NOZORDER); }, QRect(40, 50, 100, 20),
       true, QRegion()},
      {"hidden", [](Panel& p) { ShowWindow(p.edit, SW_HIDE); }, QRect(40, 50, 100, 20), false, QRegion()},
      {"shown again", [](Panel& p) { ShowWindow(p.edit, SW_SHOW); }, QRect(40, 50, 100, 20), true, QRegion()},
      {"a sibling above covers its right half",
       [](Panel& p) {
         HWND cover = quorla_test::MakeChild(p.parent, WS_CHILD | WS_VISIBLE, 90, 40, 100, 40);
         SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
       },
       QRect(40, 50, 100, 20), true, QRegion(0, 0, 50, 20)},
  };
  for (const Case& c : cases) {
    c.change(panel);
    quorla_test::DrainMessages();
    EXPECT_EQ(field->geometry(), c.geometry) << c.name;
    EXPECT_EQ(field->isVisible(), c.visible) << c.name;
    EXPECT_EQ(field->mask(), c.mask) << c.name;
  }
}

TEST(EditControl, TypingChangesTheTextOnceAndTellsTheParentEachTime) {
  struct Case {
    const char* name;
    std::function<void(Panel&)> keys;
    std::u16string text;
    size_t changes;
  } cases[] = {
      {"letters", [](Panel& p) { p.Type("taobao"); }, u"taobao", 6},
      {"punctuation and digits", [](Panel& p) { p.Type("a.b/1:"); }, u"a.b/1:", 6},
      {"backspace", [](Panel& p) { p.Type("ab"); p.Key(Qt::Key_Backspace, "\b"); }, u"a", 3},
      {"a key without text", [](Panel& p) { p.Type("ab"); p.Key(Qt::Key_Left); p.Type("c"); }, u"acb", 3},
      {"a character without a key code", [](Panel& p) { p.Key(Qt::Key_unknown, QString(QChar(0x4E2D))); }, u"中", 1},
  };
  for (const Case& c : cases) {
    Panel panel;
    panel.Focus();
    c.keys(panel);
    EXPECT_EQ(TextOf(panel.edit), c.text) << c.name;
    EXPECT_EQ(panel.notifications, std::vector<WORD>(c.changes, EN_CHANGE)) << c.name;
    // Another thread reads the same text.
    std::u16string elsewhere;
    std::thread([&] { elsewhere = TextOf(panel.edit); }).join();
    EXPECT_EQ(elsewhere, c.text) << c.name;
  }
}

TEST(EditControl, AKeyIsTypedOnceAndACharacterTheProgramSendsIsTyped) {
  Panel panel;
  panel.Focus();
  panel.Type("x");
  EXPECT_EQ(TextOf(panel.edit), u"x");
  EXPECT_EQ(panel.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(panel.Count(WM_CHAR), 1);  // TranslateMessage made it; it typed nothing more

  SendMessageW(panel.edit, WM_CHAR, 'y', 1);
  EXPECT_EQ(TextOf(panel.edit), u"xy");
  PostMessageW(panel.edit, WM_CHAR, 'z', 1);
  quorla_test::DrainMessages();
  EXPECT_EQ(TextOf(panel.edit), u"xyz");
  SendMessageW(panel.edit, WM_CHAR, '\b', 1);
  EXPECT_EQ(TextOf(panel.edit), u"xy");
  // A key-down a program sends moves the caret but types nothing.
  SendMessageW(panel.edit, WM_KEYDOWN, VK_HOME, 1);
  SendMessageW(panel.edit, WM_CHAR, 'w', 1);
  EXPECT_EQ(TextOf(panel.edit), u"wxy");
}

TEST(EditControl, SettingTextNotifiesAndPutsTheCaretAtTheStart) {
  Panel panel;
  SetWindowTextW(panel.edit, u"jd.com");
  EXPECT_EQ(panel.notifications, std::vector<WORD>{EN_CHANGE});
  EXPECT_EQ(panel.Field()->text(), QString("jd.com"));
  EXPECT_EQ(SelectionOf(panel.edit), std::make_pair(0, 0));
  SendMessageW(panel.edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(panel.Field()->selectedText(), QString("jd.com"));
  SendMessageW(panel.edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"dangdang"));
  EXPECT_EQ(TextOf(panel.edit), u"dangdang");
  EXPECT_EQ(panel.notifications, (std::vector<WORD>{EN_CHANGE, EN_CHANGE}));
  EXPECT_EQ(SendMessageW(panel.edit, WM_GETTEXTLENGTH, 0, 0), 8);
}

TEST(EditControl, NumbersOnlyFiltersTypingButNotPastingOrSetting) {
  struct Case {
    const char* name;
    std::function<void(Panel&)> input;
    std::u16string text;
  } cases[] = {
      {"typed", [](Panel& p) { p.Type("1a2 3"); }, u"123"},
      {"sent characters", [](Panel& p) { for (char c : std::string("4b5")) SendMessageW(p.edit, WM_CHAR, c, 1); }, u"45"},
      {"pasted",
       [](Panel& p) {
         QApplication::clipboard()->setText("a1");
         p.Key(Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
       },
       u"a1"},
      {"set", [](Panel& p) { SetWindowTextW(p.edit, u"12元"); }, u"12元"},
  };
  for (const Case& c : cases) {
    Panel panel(ES_NUMBER | ES_AUTOHSCROLL);
    panel.Focus();
    c.input(panel);
    EXPECT_EQ(TextOf(panel.edit), c.text) << c.name;
  }
}

TEST(EditControl, TheParentChoosesTheColoursAtEveryRepaint) {
  Panel panel;
  SetWindowTextW(panel.edit, u"HHHHHHHH");
  struct Case {
    COLORREF text, background;
  } cases[] = {{RGB(190, 190, 190), RGB(255, 255, 255)}, {RGB(0, 0, 0), RGB(0, 128, 255)}, {RGB(255, 0, 0), RGB(0, 0, 0)}};
  int asked = 0;
  size_t current = 0;
  HBRUSH brush = nullptr;
  panel.log.handlers[WM_CTLCOLOREDIT] = [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
    EXPECT_EQ(reinterpret_cast<HWND>(lParam), panel.edit);
    ++asked;
    SetTextColor(reinterpret_cast<HDC>(wParam), cases[current].text);
    return reinterpret_cast<LRESULT>(brush);
  };
  for (current = 0; current < std::size(cases); ++current) {
    const Case& c = cases[current];
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(c.background);
    const int before = asked;
    QImage pixels = panel.Field()->grab().toImage();
    pixels = panel.Field()->grab().toImage();  // a palette change shows from the next paint on
    EXPECT_GE(asked - before, 2) << current;
    const QColor background(GetRValue(c.background), GetGValue(c.background), GetBValue(c.background));
    EXPECT_EQ(pixels.pixelColor(1, 1), background) << current;
    EXPECT_EQ(pixels.pixelColor(pixels.width() - 2, pixels.height() - 2), background) << current;
    // The text's strokes come in the text colour: the pixel least like the
    // background is the ink (antialiasing only blends the strokes' edges).
    const QColor ink(GetRValue(c.text), GetGValue(c.text), GetBValue(c.text));
    auto distance = [](QColor a, QColor b) {
      return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    QColor farthest = background;
    for (int y = 0; y < pixels.height(); ++y)
      for (int x = 0; x < pixels.width(); ++x)
        if (distance(pixels.pixelColor(x, y), background) > distance(farthest, background))
          farthest = pixels.pixelColor(x, y);
    EXPECT_LE(distance(farthest, ink), 30) << current << " " << farthest.name().toStdString();
  }
  DeleteObject(brush);
}

TEST(EditControl, AClickFocusesAndPlacesTheCaretBeforeTheHandlerGoesOn) {
  Panel panel;
  SetWindowTextW(panel.edit, u"abcdefghijklmnop");
  panel.notifications.clear();
  HWND focusInHandler = nullptr;
  std::pair<int, int> selectionInHandler{-1, -1};
  g_afterPress = [&](HWND hwnd) {
    focusInHandler = GetFocus();
    selectionInHandler = SelectionOf(hwnd);
  };
  panel.Mouse(QEvent::MouseButtonPress, 100, 12);
  EXPECT_EQ(focusInHandler, panel.edit);
  EXPECT_GT(selectionInHandler.first, 0);
  EXPECT_LT(selectionInHandler.first, 16);
  EXPECT_EQ(selectionInHandler.first, selectionInHandler.second);
  EXPECT_EQ(GetCapture(), panel.edit);
  panel.Mouse(QEvent::MouseButtonRelease, 100, 12, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(panel.notifications, std::vector<WORD>{EN_SETFOCUS});
}

TEST(EditControl, TheCaptureLastsUntilEveryButtonIsUp) {
  Panel panel;
  struct Step {
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons held;
    bool captured;
  } steps[] = {
      {QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, true},
      {QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton, true},
      {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::RightButton, true},
      {QEvent::MouseMove, Qt::NoButton, Qt::RightButton, true},
      {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, false},
  };
  int n = 0;
  for (const Step& s : steps) {
    panel.Mouse(s.type, 20, 12, s.button, s.held);
    EXPECT_EQ(GetCapture() == panel.edit, s.captured) << n++;
  }
}

TEST(EditControl, TheLayersFocusAndQtsStayOne) {
  Panel panel;
  HWND other = panel.Make(ES_AUTOHSCROLL, 10, 50, 200, 24, kId + 1);
  quorla_test::DrainMessages();
  QLineEdit* first = panel.Field();
  QLineEdit* second = panel.Field(other);
  ASSERT_NE(second, nullptr);
  auto qtFocus = [&] { return quorla::WidgetOfWindow(panel.parent)->focusWidget(); };

  // The layer leads.
  SetFocus(panel.edit);
  quorla_test::DrainMessages();
  EXPECT_EQ(qtFocus(), first);
  SetFocus(panel.parent);
  quorla_test::DrainMessages();
  EXPECT_NE(qtFocus(), first);
  EXPECT_EQ(panel.notifications, (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));

  // Qt leads: the layer follows with its messages, the edit's
  // notifications included.
  panel.notifications.clear();
  panel.editSeen.clear();
  first->setFocus(Qt::MouseFocusReason);
  quorla_test::DrainMessages();
  EXPECT_EQ(GetFocus(), panel.edit);
  second->setFocus(Qt::OtherFocusReason);
  quorla_test::DrainMessages();
  EXPECT_EQ(GetFocus(), other);
  EXPECT_EQ(panel.notifications, (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
  EXPECT_EQ(panel.Count(WM_SETFOCUS), 1);
  EXPECT_EQ(panel.Count(WM_KILLFOCUS), 1);

  // Qt giving the focus back on activation is no news: the layer's stands.
  first->setFocus(Qt::ActiveWindowFocusReason);
  quorla_test::DrainMessages();
  EXPECT_EQ(GetFocus(), other);
  EXPECT_EQ(qtFocus(), second);
}

TEST(EditControl, TheWheelIsQueuedToTheFocusWindowWithItsDeltaAndScreenPoint) {
  Panel panel;
  struct Case {
    const char* name;
    bool focusEdit;
    int delta;
  } cases[] = {{"focus in the edit", true, 240}, {"focus in the parent", false, -120}};
  for (const Case& c : cases) {
    SetFocus(c.focusEdit ? panel.edit : panel.parent);
    quorla_test::DrainMessages();
    panel.log.Clear();
    panel.editSeen.clear();
    POINT screen{50, 12};
    ClientToScreen(panel.edit, &screen);
    QWidget* field = panel.Field();
    QWheelEvent wheel(field->mapFromGlobal(QPointF(screen.x, screen.y)), QPointF(screen.x, screen.y), QPoint(),
                      QPoint(0, c.delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(field, &wheel);
    quorla_test::DrainMessages();
    std::vector<Seen> wheels;
    for (const Seen& s : c.focusEdit ? panel.editSeen : panel.log.Of(panel.parent, WM_MOUSEWHEEL))
      if (s.message == WM_MOUSEWHEEL) wheels.push_back(s);
    // The field takes no wheel: it goes to the parent by default, once, and
    // never comes back as another message.
    ASSERT_EQ(wheels.size(), 1u) << c.name;
    EXPECT_EQ(static_cast<SHORT>(HIWORD(wheels[0].wParam)), c.delta) << c.name;
    EXPECT_EQ(GET_X_LPARAM(wheels[0].lParam), screen.x) << c.name;
    EXPECT_EQ(GET_Y_LPARAM(wheels[0].lParam), screen.y) << c.name;
    EXPECT_EQ(panel.log.Of(panel.parent, WM_MOUSEWHEEL).size(), 1u) << c.name;
  }
}

TEST(EditControl, AWheelAFieldHandsToItsWindowLaterIsNoInput) {
  Panel panel;
  panel.Focus();
  panel.editSeen.clear();
  QWidget* top = quorla::WidgetOfWindow(panel.parent);
  struct Case {
    const char* name;
    QPoint local;  // in the top-level window
    size_t messages;
  } cases[] = {{"over the field", QPoint(60, 20), 0}, {"beside it", QPoint(250, 80), 1}};
  for (const Case& c : cases) {
    panel.editSeen.clear();
    QWheelEvent wheel(QPointF(c.local), top->mapToGlobal(QPointF(c.local)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(top, &wheel);
    quorla_test::DrainMessages();
    EXPECT_EQ(static_cast<size_t>(panel.Count(WM_MOUSEWHEEL)), c.messages) << c.name;
  }
}

TEST(EditControl, ADoubleClickSelectsAWord) {
  Panel panel;
  SetWindowTextW(panel.edit, u"abc defghij klm");
  panel.Mouse(QEvent::MouseButtonPress, 60, 12);
  panel.Mouse(QEvent::MouseButtonRelease, 60, 12, Qt::LeftButton, Qt::NoButton);
  panel.Mouse(QEvent::MouseButtonPress, 60, 12);
  panel.Mouse(QEvent::MouseButtonRelease, 60, 12, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel.Count(WM_LBUTTONDBLCLK), 1);
  const auto [start, end] = SelectionOf(panel.edit);
  EXPECT_LT(start, end);
  const QString word = panel.Field()->selectedText().trimmed();
  EXPECT_TRUE(word == "abc" || word == "defghij" || word == "klm") << word.toStdString();
}

TEST(EditControl, AnInputMethodsCompositionKeepsItsKeysAndItsEnter) {
  Panel panel;
  panel.Focus();
  QLineEdit* field = panel.Field();
  QInputMethodEvent composing("zhong", {});
  QCoreApplication::sendEvent(field, &composing);
  panel.Key(Qt::Key_Return, "\r");  // the field leaves it to its parents: no message either
  EXPECT_EQ(panel.Count(WM_KEYDOWN), 0);  // nothing of the composition became a message
  QInputMethodEvent commit("", {});
  commit.setCommitString(QString::fromUtf8("中"));
  QCoreApplication::sendEvent(field, &commit);
  panel.Key(Qt::Key_Return, "\r");  // the Enter that ended it
  quorla_test::DrainMessages();
  EXPECT_EQ(panel.Count(WM_KEYDOWN), 0);
  EXPECT_EQ(TextOf(panel.edit), u"中");
  EXPECT_EQ(panel.notifications.back(), EN_CHANGE);
  panel.Key(Qt::Key_Return, "\r");  // a later Enter is the user's
  EXPECT_EQ(panel.Count(WM_KEYDOWN), 1);
}

TEST(EditControl, AutoCompleteOffersTheAddressesLoadedBefore) {
  const std::string root = "/tmp/quorla-complete-" + std::to_string(::getpid());
  setenv("XDG_DATA_HOME", root.c_str(), 1);
  for (const char16_t* url : {u"http://TAOBAO.example/old", u"http://www.jd.com/", u"https://www.taobao.com/"})
    ASSERT_EQ(AddUrlToAutoCompleteHistory(url), S_OK);
  Panel panel;
  EXPECT_EQ(SHAutoComplete(panel.parent, SHACF_URLHISTORY | SHACF_URLMRU), E_INVALIDARG);
  EXPECT_EQ(SHAutoComplete(panel.edit, SHACF_FILESYSTEM), E_NOTIMPL);
  ASSERT_EQ(SHAutoComplete(panel.edit, SHACF_URLHISTORY | SHACF_URLMRU), S_OK);
  panel.Focus();

  struct Step {
    const char* name;
    std::function<void()> keys;
    std::u16string text;
    std::pair<int, int> selection;
  } steps[] = {
      {"a letter of two addresses: the newest", [&] { panel.Type("t"); }, u"taobao.com/", {1, 11}},
      {"typing on replaces the completion", [&] { panel.Type("A"); }, u"tAobao.com/", {2, 11}},
      {"backspace takes the completion away", [&] { panel.Key(Qt::Key_Backspace, "\b"); }, u"tA", {2, 2}},
      {"and completes nothing itself", [&] { panel.Key(Qt::Key_Backspace, "\b"); }, u"t", {1, 1}},
      {"with the scheme", [&] { panel.Type("tp://www.j"); }, u"ttp://www.j", {11, 11}},
  };
  for (const Step& s : steps) {
    s.keys();
    EXPECT_EQ(TextOf(panel.edit), s.text) << s.name;
    EXPECT_EQ(SelectionOf(panel.edit), s.selection) << s.name;
  }
  SetWindowTextW(panel.edit, u"");
  panel.Type("http://www.j");
  EXPECT_EQ(TextOf(panel.edit), u"http://www.jd.com/");
  panel.Key(Qt::Key_End);
  panel.Type("x");
  EXPECT_EQ(TextOf(panel.edit), u"http://www.jd.com/x");  // nothing begins so: as typed
  std::filesystem::remove_all(root);
}

// A widget hosted through the public calls, as a page's view is: a plain
// child window whose default procedure hands it its input.
TEST(HostedWidget, AnyWidgetGetsItsWindowsInputButNoMenuOfItsOwn) {
  WindowLog log;
  HWND parent = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 300, 100);
  HWND child = quorla_test::MakeChild(parent, WS_CHILD | WS_VISIBLE, 20, 20, 150, 30);
  quorla_test::DrainMessages();
  auto* widget = new QLineEdit;  // its default menu would open with a loop of Qt's own
  quorla::HostWidget(child, widget);
  EXPECT_EQ(quorla::HostedWidgetOf(child), widget);
  EXPECT_EQ(widget->geometry(), QRect(20, 20, 150, 30));

  SetFocus(child);
  quorla_test::DrainMessages();
  EXPECT_EQ(quorla::WidgetOfWindow(parent)->focusWidget(), widget);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
  QCoreApplication::sendEvent(widget, &press);
  quorla_test::DrainMessages();
  EXPECT_EQ(widget->text(), QString("q"));
  EXPECT_EQ(log.Of(child, WM_KEYDOWN).size(), 1u);  // the program saw the key first
  EXPECT_EQ(log.Of(child, WM_CHAR).size(), 1u);

  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(25, 25));
  QCoreApplication::sendEvent(widget, &request);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  // Replaced: the first widget leaves the window and is not deleted.
  auto* replacement = new QLineEdit;
  quorla::HostWidget(child, replacement);
  quorla_test::DrainMessages();
  EXPECT_EQ(widget->parentWidget(), nullptr);
  EXPECT_FALSE(widget->isVisible());
  EXPECT_EQ(quorla::WidgetOfWindow(parent)->focusWidget(), replacement);
  delete widget;

  DestroyWindow(parent);
  quorla_test::DrainMessages();
  EXPECT_EQ(quorla::HostedWidgetOf(child), nullptr);
  EXPECT_EQ(replacement->parentWidget(), nullptr);  // its owner deletes it
  delete replacement;
}

}  // namespace
