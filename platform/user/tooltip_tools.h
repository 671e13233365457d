#pragma once
// The tools of one tooltip control (win/common_controls.h) and the questions
// asked of them. Used on the tooltip's thread only.
#include <optional>
#include <string>
#include <vector>

#include "win/common_controls.h"

namespace quorla {

struct TooltipTool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  HINSTANCE instance = nullptr;
  bool callback = false;  // ask with TTN_GETDISPINFOW each time
  std::u16string text;
  LPARAM lParam = 0;

  // The window whose mouse messages concern the tool.
  HWND Window() const { return (flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(id) : hwnd; }
  bool SameKey(HWND otherHwnd, UINT_PTR otherId) const { return hwnd == otherHwnd && id == otherId; }
};

// Whether a record's size is one of the record's versions.
bool ValidToolInfo(const TOOLINFOW* info);
// The tool a record describes (its text read: a text, a string resource or
// the callback mark).
TooltipTool ToolFromInfo(const TOOLINFOW& info);
// Sets the tool's text from a record's lpszText and hinst.
void SetToolText(TooltipTool& tool, LPCWSTR text, HINSTANCE instance);

class ToolList {
 public:
  void Add(TooltipTool tool) { tools_.push_back(std::move(tool)); }
  // The first tool with this window and identifier; removes it.
  std::optional<TooltipTool> Remove(HWND hwnd, UINT_PTR id);
  TooltipTool* Find(HWND hwnd, UINT_PTR id);
  // The tool under a screen point in a window's mouse message: a whole-window
  // tool of that window, or a rectangle tool of it holding the point.
  const TooltipTool* At(HWND window, POINT screen) const;
  size_t Count() const { return tools_.size(); }
  const std::vector<TooltipTool>& All() const { return tools_; }

 private:
  std::vector<TooltipTool> tools_;
};

}  // namespace quorla
