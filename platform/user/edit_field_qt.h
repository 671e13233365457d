#pragma once
// The text field behind an "Edit" control (win/edit.h): a QLineEdit that the
// control's window procedure drives and that reports typing back to it. Made
// when the control first shows on screen, on the thread that runs Qt; hosted
// in the control's top-level window (hosted_widgets_qt.h), which replays the
// control's input messages to it. Owned by the control.
#include <QLineEdit>
#include <functional>
#include <string>

#include "win/gdi_objects.h"
#include "win/types.h"

namespace quorla {

class EditField final : public QLineEdit {
 public:
  // typed: the user changed the text (keys, paste, an input method); the
  // window text already holds the new text when it is called.
  EditField(HWND hwnd, DWORD style, DWORD exStyle, std::function<void()> typed);

  std::u16string Text() const;
  // Replaces the text, the caret at its start and nothing selected.
  void SetTextFromProgram(const std::u16string& text);
  // Puts text in place of the selection; the caret after it.
  void ReplaceSelection(const std::u16string& text);
  void SetFontFromHandle(HFONT font);
  // anchor to caret, both within the text.
  void Select(int anchor, int caret);
  void DropSelection();
  // Start and end, start never after end.
  void Selection(int* start, int* end) const;

 protected:
  // Asks the parent for this paint's colours first.
  void paintEvent(QPaintEvent* event) override;

 private:
  void AskColours();

  const HWND hwnd_;
  const std::function<void()> typed_;
  bool programChanges_ = false;  // the program, not the user, changes the text
};

}  // namespace quorla
