#pragma once
// CImageList: the layer's image list (win/image_lists.h) as an object that
// owns it. A list view takes the height of its rows from its small image
// list, so an empty list of the wanted height sizes rows.
#include "win/image_lists.h"

class CImageList {
 public:
  CImageList() = default;
  ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Makes a list of cx × cy images, replacing none: FALSE when the object
  // already has a list or the size is refused.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL DeleteImageList();
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }
  int GetImageCount() const;

  HIMAGELIST m_hImageList = nullptr;
};
