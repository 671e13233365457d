#include "edit_field_qt.h"

#include <QPainter>
#include <QPaintEvent>

#include "font_object.h"
#include "gdi_object.h"
#include "win/dc.h"
#include "win/edit.h"
#include "win/gdi_objects.h"
#include "win/system_metrics.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace quorla {
namespace {

QColor ColorOf(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment AlignmentOf(DWORD style) {
  if (style & ES_CENTER) return Qt::AlignHCenter | Qt::AlignVCenter;
  if (style & ES_RIGHT) return Qt::AlignRight | Qt::AlignVCenter;
  return Qt::AlignLeft | Qt::AlignVCenter;
}

bool IsHollow(HBRUSH brush) {
  LOGBRUSH description{};
  return GetObjectW(brush, sizeof description, &description) == sizeof description && description.lbStyle == BS_NULL;
}

}  // namespace

EditField::EditField(HWND hwnd, DWORD style, DWORD exStyle, std::function<void()> typed)
    : hwnd_(hwnd), typed_(std::move(typed)) {
  setAlignment(AlignmentOf(style));
  setFrame((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
  // Keys and clicks reach it only as the layer's messages: Qt neither
  // focuses it on a click nor offers its own menu or drops.
  setFocusPolicy(Qt::TabFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  // Only digits may be typed: no input method composes anything else.
  if (style & ES_NUMBER) setAttribute(Qt::WA_InputMethodEnabled, false);
  // The window text follows every change, so that any thread reads it.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.utf16()));
  });
  connect(this, &QLineEdit::textEdited, this, [this](const QString&) {
    if (typed_ && !programChanges_) typed_();
  });
}

std::u16string EditField::Text() const {
  const QString value = text();
  return std::u16string(reinterpret_cast<const char16_t*>(value.utf16()), static_cast<size_t>(value.size()));
}

void EditField::SetTextFromProgram(const std::u16string& value) {
  setText(ToQString(value));
  setCursorPosition(0);
}

void EditField::ReplaceSelection(const std::u16string& value) {
  programChanges_ = true;  // the field takes its insertion for an edit of the user's
  insert(ToQString(value));
  programChanges_ = false;
}

void EditField::SetFontFromHandle(HFONT handle) {
  auto font = LookUpGdi<FontObject>(handle);
  setFont(font ? font->Resolve().font : QFont());
}

void EditField::Select(int anchor, int caret) {
  if (anchor == caret) setCursorPosition(caret);
  else setSelection(anchor, caret - anchor);
}

void EditField::DropSelection() {
  const int caret = cursorPosition();
  deselect();
  setCursorPosition(caret);
}

void EditField::Selection(int* start, int* end) const {
  if (hasSelectedText()) {
    *start = selectionStart();
    *end = selectionEnd();
  } else {
    *start = *end = cursorPosition();
  }
}

void EditField::AskColours() {
  HWND parent = GetParent(hwnd_);
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  const UINT message = IsWindowEnabled(hwnd_) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  auto brush = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(hwnd_)))
                      : nullptr;
  const QColor text = ColorOf(GetTextColor(dc));
  DeleteDC(dc);
  QColor base = ColorOf(GetSysColor(COLOR_WINDOW));
  COLORREF painted = 0;
  if (brush && IsHollow(brush)) base = Qt::transparent;  // the parent's drawing shows through
  else if (brush && BrushColor(brush, &painted)) base = ColorOf(painted);
  QPalette colours = palette();
  if (colours.color(QPalette::Text) == text && colours.color(QPalette::Base) == base) return;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Text, text);
    colours.setColor(group, QPalette::Base, base);
  }
  setPalette(colours);
}

void EditField::paintEvent(QPaintEvent* event) {
  AskColours();
  // The panel of some styles leaves the corners alone: the background
  // colour covers the whole field, as the platform's edits fill it.
  const QColor base = palette().color(QPalette::Base);
  if (base.alpha() != 0) {
    QPainter painter(this);
    painter.fillRect(rect(), base);
  }
  QLineEdit::paintEvent(event);
}

}  // namespace quorla
