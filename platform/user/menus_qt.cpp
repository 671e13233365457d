// TrackPopupMenu over QMenu. The QMenu is built from a copy of the menu
// record and shown with popup(), never exec(): the layer's own message loop
// runs until the menu closes. QMenu's widgets back no window of the layer,
// so they keep their own mouse and keyboard input.
#include <QAction>
#include <QFont>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <memory>
#include <optional>

#include "menus_table.h"
#include "modal_loop.h"
#include "qt_application.h"
#include "win/input.h"
#include "win/last_error.h"
#include "win/menus.h"
#include "win/threads.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

thread_local bool t_menuOpen = false;

QString TextOf(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void Fill(QMenu& menu, const std::vector<MenuItemCopy>& items, std::optional<UINT_PTR>* chosen) {
  for (const MenuItemCopy& item : items) {
    if (item.flags & MF_SEPARATOR) {
      menu.addSeparator();
      continue;
    }
    QAction* action;
    if (item.flags & MF_POPUP) {
      QMenu* submenu = menu.addMenu(TextOf(item.text));
      Fill(*submenu, item.submenu, chosen);
      action = submenu->menuAction();
    } else {
      action = menu.addAction(TextOf(item.text));
      const UINT_PTR id = item.id;
      QObject::connect(action, &QAction::triggered, action, [chosen, id] { *chosen = id; });
    }
    action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
    if (item.flags & MF_CHECKED) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    if (item.isDefault) {
      QFont bold = action->font();
      bold.setBold(true);
      action->setFont(bold);
    }
  }
}

// One axis: the menu's start for the asked alignment, turned to the other
// side of the point when it would leave the area there, and then held
// inside the area.
int PlaceOnAxis(int point, int length, int start, int end, int alignment) {
  int first = alignment == 0 ? point : alignment == 1 ? point - length / 2 : point - length;
  if (first + length > end && point - length >= start) first = point - length;
  if (first < start && point + length <= end) first = point;
  if (first + length > end) first = end - length;
  if (first < start) first = start;
  return first;
}

QPoint PlaceMenu(const QSize& size, int x, int y, UINT flags) {
  QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return QPoint(x, y);
  const QRect area = screen->availableGeometry();
  const int horizontal = (flags & TPM_RIGHTALIGN) ? 2 : (flags & TPM_CENTERALIGN) ? 1 : 0;
  const int vertical = (flags & TPM_BOTTOMALIGN) ? 2 : (flags & TPM_VCENTERALIGN) ? 1 : 0;
  return QPoint(PlaceOnAxis(x, size.width(), area.left(), area.left() + area.width(), horizontal),
                PlaceOnAxis(y, size.height(), area.top(), area.top() + area.height(), vertical));
}

}  // namespace
}  // namespace quorla

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  auto items = quorla::CopyMenu(menu);
  if (!items) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!IsWindow(owner) || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (quorla::t_menuOpen) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return FALSE;
  }
  quorla::EnsureQtApplication();
  // The capture holder hears that the menu takes the mouse now.
  if (GetCapture()) ReleaseCapture();

  quorla::t_menuOpen = true;
  std::optional<UINT_PTR> chosen;
  auto closed = std::make_shared<bool>(false);
  QMenu shown;
  quorla::Fill(shown, *items, &chosen);
  // A choice is reported after the menu has hidden: let the triggered
  // signal come first, then end the loop.
  QObject::connect(&shown, &QMenu::aboutToHide, &shown, [closed] {
    QTimer::singleShot(0, [closed] {
      *closed = true;
      quorla::WakeModalLoop();
    });
  });
  shown.ensurePolished();
  shown.popup(quorla::PlaceMenu(shown.sizeHint(), x, y, flags));
  // A menu Qt would not show (nothing in it) is over at once.
  if (!shown.isVisible()) *closed = true;

  quorla::ModalLoopSteps steps;
  steps.ended = [&] { return *closed; };
  quorla::ModalLoopEnd end = quorla::RunModalLoop(steps);
  if (end == quorla::ModalLoopEnd::kQuit) {
    chosen.reset();
    shown.hide();
  }
  quorla::t_menuOpen = false;

  if (flags & TPM_RETURNCMD) return chosen ? static_cast<BOOL>(*chosen) : 0;
  if (chosen && IsWindow(owner)) PostMessageW(owner, WM_COMMAND, static_cast<WPARAM>(*chosen), 0);
  return TRUE;
}
