#include "tooltip_tools.h"

#include "win/resources.h"
#include "win/window_state.h"

namespace quorla {

bool ValidToolInfo(const TOOLINFOW* info) {
  return info && (info->cbSize == TTTOOLINFOW_V1_SIZE || info->cbSize == TTTOOLINFOW_V2_SIZE ||
                  info->cbSize == TTTOOLINFOW_V3_SIZE);
}

void SetToolText(TooltipTool& tool, LPCWSTR text, HINSTANCE instance) {
  tool.callback = text == LPSTR_TEXTCALLBACKW;
  tool.text.clear();
  if (tool.callback || !text) return;
  if (IS_INTRESOURCE(text)) {
    const WCHAR* inside = nullptr;
    int length = LoadStringW(instance, reinterpret_cast<ULONG_PTR>(text), reinterpret_cast<LPWSTR>(&inside), 0);
    if (inside && length > 0) tool.text.assign(inside, static_cast<size_t>(length));
    return;
  }
  tool.text = text;
}

TooltipTool ToolFromInfo(const TOOLINFOW& info) {
  TooltipTool tool;
  tool.flags = info.uFlags;
  tool.hwnd = info.hwnd;
  tool.id = info.uId;
  tool.rect = info.rect;
  tool.instance = info.hinst;
  SetToolText(tool, info.lpszText, info.hinst);
  if (info.cbSize >= TTTOOLINFOW_V2_SIZE) tool.lParam = info.lParam;
  return tool;
}

std::optional<TooltipTool> ToolList::Remove(HWND hwnd, UINT_PTR id) {
  for (auto it = tools_.begin(); it != tools_.end(); ++it) {
    if (!it->SameKey(hwnd, id)) continue;
    TooltipTool removed = std::move(*it);
    tools_.erase(it);
    return removed;
  }
  return std::nullopt;
}

TooltipTool* ToolList::Find(HWND hwnd, UINT_PTR id) {
  for (TooltipTool& tool : tools_)
    if (tool.SameKey(hwnd, id)) return &tool;
  return nullptr;
}

const TooltipTool* ToolList::At(HWND window, POINT screen) const {
  for (const TooltipTool& tool : tools_) {
    if (tool.Window() != window) continue;
    if (tool.flags & TTF_IDISHWND) return &tool;
    POINT client = screen;
    ScreenToClient(window, &client);
    if (PtInRect(&tool.rect, client)) return &tool;
  }
  return nullptr;
}

}  // namespace quorla
