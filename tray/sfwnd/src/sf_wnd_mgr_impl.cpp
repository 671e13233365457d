#include "sfwnd/sf_wnd_mgr_impl.h"

#include <algorithm>

int CSFWndMgrImpl::AddWnd(CSFWnd* wnd) {
  if (!wnd) return 0;
  m_wnds.push_back(wnd);
  return 1;
}

int CSFWndMgrImpl::RemoveWnd(CSFWnd* wnd) {
  const auto before = m_wnds.size();
  std::erase(m_wnds, wnd);
  return m_wnds.size() != before ? 1 : 0;
}
