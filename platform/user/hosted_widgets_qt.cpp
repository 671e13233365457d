// Hosted widgets: which window each backs, where it goes on screen, and the
// focus kept in step between the layer and Qt (hosted_widgets_qt.h).
#include "hosted_widgets_qt.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "message_queue.h"
#include "thread_ui_state.h"
#include "ui_loop.h"
#include "window_access.h"
#include "window_tree.h"
#include "win/input.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

struct HostedEntry {
  DWORD threadId = 0;
  QPointer<QWidget> widget;
  QPointer<QWidget> input;
  std::function<QWidget*()> make;  // until the widget is made
};

// The entries are read by any thread (a worker's DefWindowProcW asks
// whether its window is hosted); the widgets are touched only on the thread
// that runs Qt.
std::mutex g_lock;
std::map<HWND, HostedEntry> g_hosted;
std::atomic<int> g_count{0};

// Set while the layer moves Qt's focus itself: the focus events that causes
// are no news.
thread_local int g_followingLayer = 0;

bool Find(HWND hwnd, HostedEntry* out) {
  if (g_count.load() == 0) return false;
  std::lock_guard<std::mutex> guard(g_lock);
  auto it = g_hosted.find(hwnd);
  if (it == g_hosted.end()) return false;
  *out = it->second;
  return true;
}

std::vector<std::pair<HWND, HostedEntry>> EntriesOfThread(DWORD threadId) {
  std::vector<std::pair<HWND, HostedEntry>> entries;
  std::lock_guard<std::mutex> guard(g_lock);
  for (const auto& [hwnd, entry] : g_hosted)
    if (entry.threadId == threadId) entries.emplace_back(hwnd, entry);
  return entries;
}

// Hidden and without a parent: out of every window the layer shows.
void LetGo(QWidget* widget) {
  if (!widget) return;
  widget->hide();
  if (widget->parentWidget()) widget->setParent(nullptr);
}

// Where a hosted window's widget goes, worked out from the window records.
struct Placement {
  HWND top = nullptr;
  QRect rect;    // in the top-level window's coordinates
  QRegion open;  // what no sibling window above covers, in the window's coordinates
  bool visible = false;
};

Placement PlacementOf(HWND hwnd) {
  Placement p;
  std::lock_guard<std::mutex> guard(WindowTableLock());
  auto window = FindWindowRecordLocked(hwnd);
  if (!window || !window->alive) return p;
  auto top = TopLevelLocked(window);
  if (!top || top == window) return p;
  p.top = top->handle;
  p.visible = IsVisibleLocked(*window);
  const QPoint origin = OffsetInTopLevelLocked(*window);
  const QSize size = SizeOf(*window);
  p.rect = QRect(origin, size);
  p.open = QRegion(QRect(QPoint(0, 0), size));
  // Up the tree: each ancestor's client area bounds what shows, and the
  // siblings above each level cover what they overlap.
  for (auto level = window; level && level != top;) {
    auto parent = ParentLocked(*level);
    if (!parent) break;
    const QPoint parentOrigin = OffsetInTopLevelLocked(*parent) - origin;
    p.open &= QRegion(QRect(parentOrigin, SizeOf(*parent)));
    for (const auto& sibling : ChildrenLocked(parent->handle)) {  // the topmost first
      if (sibling == level) break;
      if (!(sibling->style & WS_VISIBLE)) continue;
      const QRect area = RectOf(*sibling).translated(parentOrigin);
      p.open -= sibling->ui.shape ? sibling->ui.shape->translated(area.topLeft()) & area : QRegion(area);
    }
    level = parent;
  }
  return p;
}

void Place(HWND hwnd, QWidget* widget) {
  if (!widget) return;
  const Placement p = PlacementOf(hwnd);
  QWidget* topWidget = p.top ? WidgetOfWindow(p.top) : nullptr;
  if (!topWidget) {
    if (!widget->isHidden()) widget->hide();
    return;
  }
  if (widget->parentWidget() != topWidget) widget->setParent(topWidget);  // hidden until shown below
  if (widget->geometry() != p.rect) widget->setGeometry(p.rect);
  const bool whole = p.open == QRegion(QRect(QPoint(0, 0), p.rect.size()));
  if (whole) {
    if (!widget->mask().isEmpty()) widget->clearMask();
  } else if (widget->mask() != p.open) {
    widget->setMask(p.open);
  }
  const bool show = p.visible && !p.open.isEmpty();
  if (widget->isHidden() == show) widget->setVisible(show);
}

// Whether Qt's focus in the widget's window is on input.
bool HoldsQtFocus(QWidget* input) {
  if (!input) return false;
  QWidget* focus = input->window()->focusWidget();
  return focus && (focus == input || input->isAncestorOf(focus));
}

// Qt's focus moves off a hosted widget whose window lost the layer's focus:
// to the top-level window's own widget, which turns keys into messages.
void TakeQtFocusOff(QWidget* input) {
  QWidget* top = input->window();
  if (top && top != input && top->isVisible()) top->setFocus(Qt::OtherFocusReason);
  else input->clearFocus();
}

// Whether the window's top-level window has its widget on screen yet.
bool TopLevelShown(HWND hwnd) {
  HWND top = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd);
    auto topLevel = window ? TopLevelLocked(window) : nullptr;
    if (topLevel && topLevel != window) top = topLevel->handle;
  }
  return top && WidgetOfWindow(top);
}

void MakeWidget(HWND hwnd, const std::function<QWidget*()>& make) {
  QWidget* widget = make();
  if (!widget) return;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_hosted.find(hwnd);
    if (it == g_hosted.end()) return;  // the window went while it was made
    it->second.make = nullptr;
  }
  HostWidget(hwnd, widget, nullptr);
}

void PutOffUntilLoopTurn(std::function<void()> job) {
  CurrentUiState().deferred.push_back(std::move(job));
  CurrentThreadQueue()->Nudge();
}

}  // namespace

void HostWidget(HWND hwnd, QWidget* widget, QWidget* input) {
  auto record = FindWindowRecord(hwnd);
  if (!record || !widget) return;
  QPointer<QWidget> replaced;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    HostedEntry& entry = g_hosted[hwnd];
    if (entry.widget != widget) replaced = entry.widget;
    entry.threadId = record->threadId;
    entry.widget = widget;
    entry.input = input ? input : widget;
    g_count.store(static_cast<int>(g_hosted.size()));
  }
  LetGo(replaced);
  Place(hwnd, widget);
  if (GetFocus() == hwnd) FollowLayerFocus(hwnd);
}

void HostWidgetWhenShown(HWND hwnd, std::function<QWidget*()> make) {
  auto record = FindWindowRecord(hwnd);
  if (!record || !make) return;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    HostedEntry& entry = g_hosted[hwnd];
    entry.threadId = record->threadId;
    entry.make = std::move(make);
    g_count.store(static_cast<int>(g_hosted.size()));
  }
  if (ThreadRunsQt() && TopLevelShown(hwnd)) PlaceHostedWidgets();
}

void SetHostedInputWidget(HWND hwnd, QWidget* input) {
  {
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_hosted.find(hwnd);
    if (it == g_hosted.end()) return;
    it->second.input = input ? input : it->second.widget.data();
  }
  if (GetFocus() == hwnd) FollowLayerFocus(hwnd);
}

void UnhostWidget(HWND hwnd) {
  QPointer<QWidget> widget;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_hosted.find(hwnd);
    if (it == g_hosted.end()) return;
    widget = it->second.widget;
    g_hosted.erase(it);
    g_count.store(static_cast<int>(g_hosted.size()));
  }
  ++g_followingLayer;  // the focus it loses is no news
  LetGo(widget);
  --g_followingLayer;
}

QWidget* HostedWidgetOf(HWND hwnd) {
  HostedEntry entry;
  return Find(hwnd, &entry) ? entry.widget.data() : nullptr;
}

QWidget* HostedInputWidgetOf(HWND hwnd) {
  HostedEntry entry;
  return Find(hwnd, &entry) ? entry.input.data() : nullptr;
}

void PlaceHostedWidget(HWND hwnd) { Place(hwnd, HostedWidgetOf(hwnd)); }

bool AnyHostedWindow() { return g_count.load() != 0; }

void PlaceHostedWidgets() {
  if (!AnyHostedWindow() || !ThreadRunsQt()) return;
  const HWND focus = GetFocus();
  for (const auto& [hwnd, entry] : EntriesOfThread(GetCurrentThreadId())) {
    if (!IsWindow(hwnd)) {
      UnhostWidget(hwnd);
      continue;
    }
    if (!entry.widget && entry.make) {
      if (!TopLevelShown(hwnd)) continue;
      MakeWidget(hwnd, entry.make);
      continue;
    }
    Place(hwnd, entry.widget);
    // Qt may have moved its focus on its own (a click on the window's own
    // widget, an activation): the layer's focus window decides.
    ++g_followingLayer;
    if (hwnd == focus && entry.input && entry.input->isVisible() && !HoldsQtFocus(entry.input))
      entry.input->setFocus(Qt::OtherFocusReason);
    else if (hwnd != focus && HoldsQtFocus(entry.input))
      TakeQtFocusOff(entry.input);
    --g_followingLayer;
  }
}

HWND HostedWindowOfObject(QObject* object) {
  if (!AnyHostedWindow() || !object || !object->isWidgetType()) return nullptr;
  std::lock_guard<std::mutex> guard(g_lock);
  for (auto* widget = static_cast<QWidget*>(object); widget; widget = widget->parentWidget()) {
    for (const auto& [hwnd, entry] : g_hosted)
      if (entry.widget == widget || entry.input == widget) return hwnd;
    if (widget->isWindow()) break;
  }
  return nullptr;
}

void ReleaseHostedChildren(QWidget* topLevelWidget) {
  if (!AnyHostedWindow() || !topLevelWidget) return;
  std::vector<QPointer<QWidget>> children;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    for (const auto& [hwnd, entry] : g_hosted)
      if (entry.widget && entry.widget->parentWidget() == topLevelWidget) children.push_back(entry.widget);
  }
  ++g_followingLayer;
  for (auto& child : children) LetGo(child);
  --g_followingLayer;
}

void FollowLayerFocus(HWND focus) {
  if (!AnyHostedWindow() || !ThreadRunsQt()) return;
  ++g_followingLayer;
  for (const auto& [hwnd, entry] : EntriesOfThread(GetCurrentThreadId())) {
    if (!entry.input) continue;
    if (hwnd == focus) {
      Place(hwnd, entry.widget);
      if (!HoldsQtFocus(entry.input) || !entry.input->hasFocus()) entry.input->setFocus(Qt::OtherFocusReason);
    } else if (HoldsQtFocus(entry.input)) {
      TakeQtFocusOff(entry.input);
    }
  }
  --g_followingLayer;
}

void NoteQtFocusIn(QWidget* widget, int reason) {
  if (g_followingLayer) return;
  HWND hwnd = HostedWindowOfObject(widget);
  if (!hwnd) return;
  switch (reason) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      // Qt restoring its own idea of the focus: the layer's stands.
      PutOffUntilLoopTurn([] { FollowLayerFocus(GetFocus()); });
      return;
    default:
      PutOffUntilLoopTurn([hwnd] {
        if (IsWindow(hwnd) && GetFocus() != hwnd && HostedWidgetOf(hwnd)) SetFocus(hwnd);
      });
  }
}

}  // namespace quorla
