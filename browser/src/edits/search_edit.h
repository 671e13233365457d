#pragma once
// CSearchEdit: the search box of the main window, in 16-pixel 宋体. Its hint
// is the chosen shop's name followed by "搜索"; the main window draws the
// hint grey.
#include "hint_edit.h"

class CSearchEdit : public CHintEdit {
 public:
  CSearchEdit() : CHintEdit(u"宋体", 16) {}
};
