#pragma once
// DCs that belong to a window for the life of the object: CPaintDC
// (BeginPaint to EndPaint, inside WM_PAINT), CClientDC (GetDC) and
// CWindowDC (GetWindowDC; a null window gives the screen's DC).
#include "afx/dc.h"
#include "win/painting.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};
