#pragma once
// A tooltip control owned by the host, and what it knows of its tools.
#include <optional>
#include <string>

#include "afx/afxwin.h"

namespace ui_test {

class ToolTipsProbe {
 public:
  explicit ToolTipsProbe(CWnd& owner);
  ~ToolTipsProbe();
  CWnd& control() { return control_; }

  int Count();
  struct Tool {
    std::u16string text;
    RECT rect;
  };
  // The tool of window and id, when there is one.
  std::optional<Tool> Find(CWnd& window, UINT_PTR id);

 private:
  CWnd control_;
};

}  // namespace ui_test
