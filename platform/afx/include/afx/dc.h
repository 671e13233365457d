#pragma once
// CDC: a device context and the drawing calls on it. An object made with
// CreateCompatibleDC owns its DC and deletes it when it dies; one given a DC
// with Attach owns it too, until Detach. FromHandle wraps a DC that no object
// owns in a temporary object of the calling thread (see CWnd), which never
// deletes it. Selecting through the typed overloads returns the object
// selected before as a temporary wrapper (never the object that was
// selected, even when one exists). A DC is used by one thread at a time.
#include "afx/bitmap.h"
#include "afx/brush.h"
#include "afx/font.h"
#include "afx/geometry.h"
#include "afx/rgn.h"
#include "afx/string.h"
#include "win/blit.h"
#include "win/dc.h"
#include "win/text_draw.h"

class CDC {
 public:
  CDC() = default;
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }

  static CDC* FromHandle(HDC dc);
  // FALSE when the object already holds a DC, or for a null one.
  BOOL Attach(HDC dc);
  HDC Detach();
  // A memory DC like reference's (null: like the screen's).
  BOOL CreateCompatibleDC(CDC* reference);
  BOOL DeleteDC();

  int SaveDC();
  BOOL RestoreDC(int savedDc);

  CBitmap* SelectObject(CBitmap* bitmap);
  CFont* SelectObject(CFont* font);
  CBrush* SelectObject(CBrush* brush);
  // Makes (a copy of) the region the clipping region; the region type.
  int SelectObject(CRgn* region);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CGdiObject* SelectStockObject(int index);
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);
  int GetBkMode() const;
  int SetStretchBltMode(int mode);

  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT origin) { return SetViewportOrg(origin.x, origin.y); }
  CPoint GetViewportOrg() const;
  CPoint OffsetViewportOrg(int dx, int dy);

  int SelectClipRgn(CRgn* region);
  int ExcludeClipRect(int left, int top, int right, int bottom);
  int ExcludeClipRect(LPCRECT rect);
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(LPCRECT rect);
  int GetClipBox(LPRECT box) const;

  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, DWORD rop);
  void FillRect(LPCRECT rect, CBrush* brush);
  // Paints with the selected brush by the raster operation (PATCOPY,
  // PATINVERT, DSTINVERT ...).
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  // Moves a drag outline: inverts the frame of lastRect (lastSize thick,
  // with lastBrush, else brush) to take the old outline away, then the frame
  // of rect (size thick, with brush, else the half-tone brush). Inverting is
  // its own undo: drawing an outline twice leaves nothing, so the first call
  // passes no lastRect and the last one a size of 0. Either rectangle may be
  // null.
  void DrawDragRect(LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize, CBrush* brush = nullptr,
                    CBrush* lastBrush = nullptr);
  // The process's brush of alternating pixels (a checkerboard of the DC's
  // text and background colours), never deleted.
  static CBrush* GetHalftoneBrush();
  // Fills with the colour; the edges right and bottom stay outside.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);

  int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format);
  BOOL TextOut(int x, int y, LPCWSTR text, int count);
  BOOL TextOut(int x, int y, const CString& text);
  CSize GetTextExtent(LPCWSTR text, int count) const;
  CSize GetTextExtent(const CString& text) const;
  BOOL GetTextMetrics(TEXTMETRICW* metrics) const;
  int GetDeviceCaps(int index) const;
};
