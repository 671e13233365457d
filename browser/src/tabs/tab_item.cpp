#include "tab_item.h"

#include "afx/win_app.h"
#include "win/resources.h"

bool LoadDefaultTabIcon(CDibImage& icon) {
  HMODULE module = AfxGetResourceHandle();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(kDefaultTabIconId)), u"PNG");
  return found && icon.LoadResource(found, DIBIMAGE_FORMAT_PNG, module);
}

TabItem::TabItem(CWnd* view) : view(view) { LoadDefaultTabIcon(icon); }

TabItem::~TabItem() {
  icon.DestroyFrames();
  icon.Destroy();
}
