// Image lists, as far as their size: a list view takes its rows' height
// from its small image list.
#include <mutex>
#include <set>

#include "win/image_lists.h"
#include "win/last_error.h"

struct QuorlaImageList {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

namespace {

// The lists alive; a handle not among them is refused, never read.
struct ImageListTable {
  std::mutex lock;
  std::set<QuorlaImageList*> lists;
};

ImageListTable& Lists() {
  static auto* table = new ImageListTable;
  return *table;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx < 1 || cy < 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* list = new QuorlaImageList{cx, cy, flags};
  ImageListTable& table = Lists();
  std::lock_guard<std::mutex> guard(table.lock);
  table.lists.insert(list);
  return list;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  {
    ImageListTable& table = Lists();
    std::lock_guard<std::mutex> guard(table.lock);
    if (!list || !table.lists.erase(list)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  delete list;
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  ImageListTable& table = Lists();
  std::lock_guard<std::mutex> guard(table.lock);
  if (!list || !table.lists.count(list) || !cx || !cy) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST) { return 0; }
