#include "control_classes.h"

#include <mutex>

#include "win/buttons.h"
#include "win/common_controls.h"
#include "win/edit.h"
#include "win/input.h"
#include "win/list_view.h"
#include "win/scroll_bars.h"
#include "win/window_classes.h"
#include "win/window_styles.h"

namespace quorla {

void EnsureControlClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW button{};
    button.cbSize = sizeof button;
    button.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    button.lpfnWndProc = ButtonProcedure;
    button.cbWndExtra = sizeof(void*);
    button.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    button.lpszClassName = WC_BUTTONW;
    RegisterClassExW(&button);

    WNDCLASSEXW edit{};
    edit.cbSize = sizeof edit;
    edit.style = CS_DBLCLKS;
    edit.lpfnWndProc = EditProcedure;
    edit.cbWndExtra = sizeof(void*);
    edit.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    edit.lpszClassName = WC_EDITW;
    RegisterClassExW(&edit);

    WNDCLASSEXW tooltip{};
    tooltip.cbSize = sizeof tooltip;
    tooltip.lpfnWndProc = TooltipProcedure;
    tooltip.cbWndExtra = sizeof(void*);
    tooltip.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    tooltip.lpszClassName = TOOLTIPS_CLASSW;
    RegisterClassExW(&tooltip);

    WNDCLASSEXW tabs{};
    tabs.cbSize = sizeof tabs;
    tabs.style = CS_DBLCLKS;
    tabs.lpfnWndProc = TabControlProcedure;
    tabs.cbWndExtra = sizeof(void*);
    tabs.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    tabs.lpszClassName = WC_TABCONTROLW;
    RegisterClassExW(&tabs);

    struct Plain {
      LPCWSTR name;
      WNDPROC procedure;
      HBRUSH background;
    } plain[] = {
        {WC_LISTVIEWW, ListViewProcedure, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1))},
        {WC_HEADERW, HeaderControlProcedure, nullptr},
        {WC_SCROLLBARW, ScrollBarProcedure, nullptr},
    };
    for (const Plain& c : plain) {
      WNDCLASSEXW info{};
      info.cbSize = sizeof info;
      info.style = CS_DBLCLKS;
      info.lpfnWndProc = c.procedure;
      info.cbWndExtra = sizeof(void*);
      info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      info.hbrBackground = c.background;
      info.lpszClassName = c.name;
      RegisterClassExW(&info);
    }
  });
}

}  // namespace quorla
