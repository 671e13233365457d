// AfxRegisterWndClass: one class per look, named after its parameters.
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "afx/win_app.h"
#include "afx/wnd.h"

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::mutex lock;
  static std::set<std::u16string> names;  // nodes never move: the texts stay valid
  HINSTANCE instance = AfxGetInstanceHandle();
  char narrow[128];
  std::snprintf(narrow, sizeof narrow, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance), classStyle,
                static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));
  std::u16string name(narrow, narrow + std::char_traits<char>::length(narrow));

  std::lock_guard<std::mutex> guard(lock);
  auto [entry, added] = names.insert(name);
  if (added) {
    WNDCLASSW wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = &::DefWindowProcW;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = entry->c_str();
    // A class of that name that exists already has the same look.
    ::RegisterClassW(&wc);
  }
  return entry->c_str();
}
