#include "sfwnd/sf_wnd.h"

#include "sfwnd/sf_wnd_mgr_interface.h"

int CSFWnd::Init(ISFWndMgr* manager, CSFWnd* parent, int x, int y, int cx, int cy, int id, int style) {
  m_parent = parent;
  m_manager = manager;
  m_style = style;
  m_id = id;
  if (m_manager) m_manager->AddWnd(this);
  m_rect = RECT{x, y, x + cx, y + cy};
  return 1;
}

void CSFWnd::Redraw() {
  CSFWnd* top = this;
  while (top->m_parent) top = top->m_parent;
  if (top->m_manager) top->m_manager->RedrawWnd(top);
}

void CSFWnd::AddChild(CSFWnd* child) {
  if (child) m_children.push_back(child);
}
