// The drawing-object wrappers.
#include "afx/bitmap.h"
#include "afx/brush.h"
#include "afx/dc.h"
#include "afx/font.h"
#include "afx/gdi_object.h"
#include "afx/rgn.h"
#include "afx/win_app.h"
#include "temporary_objects.h"
#include "win/icons.h"
#include "win/resources.h"

namespace {

template <class Object>
Object* TemporaryObject(HGDIOBJ handle) {
  return quorla::afx::TemporaryFor<Object>(handle, [](Object& object, HGDIOBJ h) { object.m_hObject = h; });
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) { return TemporaryObject<CGdiObject>(object); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object || m_hObject) return FALSE;
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* buffer) const {
  return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return TemporaryObject<CBitmap>(bitmap); }

BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCEW(static_cast<WORD>(id))); }

BOOL CBitmap::LoadBitmap(LPCWSTR name) { return Attach(::LoadBitmapW(AfxGetResourceHandle(), name)); }

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->GetSafeHdc() : nullptr, width, height));
}

int CBitmap::GetBitmap(BITMAP* description) const { return GetObject(sizeof(BITMAP), description); }

CFont* CFont::FromHandle(HFONT font) { return TemporaryObject<CFont>(font); }

BOOL CFont::CreateFontIndirect(const LOGFONTW* font) { return Attach(::CreateFontIndirectW(font)); }

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName) {
  return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                              outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

int CFont::GetLogFont(LOGFONTW* font) const { return GetObject(sizeof(LOGFONTW), font); }

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }

CBrush* CBrush::FromHandle(HBRUSH brush) { return TemporaryObject<CBrush>(brush); }

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
  return bitmap && Attach(::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject)));
}

CRgn* CRgn::FromHandle(HRGN region) { return TemporaryObject<CRgn>(region); }

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) { return rect && Attach(::CreateRectRgnIndirect(rect)); }

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
  return Attach(::CreateRoundRectRgn(left, top, right, bottom, width, height));
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
  if (!m_hObject || !a) return ERROR;
  return ::CombineRgn(*this, *a, b ? static_cast<HRGN>(*b) : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }

BOOL CRgn::SetRectRgn(int left, int top, int right, int bottom) {
  return m_hObject && ::SetRectRgn(*this, left, top, right, bottom);
}

int CRgn::OffsetRgn(int dx, int dy) { return m_hObject ? ::OffsetRgn(*this, dx, dy) : ERROR; }

BOOL CRgn::PtInRegion(int x, int y) const { return m_hObject && ::PtInRegion(*this, x, y); }

int CRgn::GetRgnBox(LPRECT box) const { return m_hObject ? ::GetRgnBox(*this, box) : ERROR; }
