#pragma once
// CSFWnd: the base of the windowless controls. A control is a rectangle in
// its host window's client coordinates (or, inside a CMultiWnd, in that
// container's drawing coordinates) with a style, an identifier and virtual
// handlers that the manager calls. The host object owns its controls; the
// manager and the parent only point at them. User-interface thread only.
#include <vector>

#include "win/dc.h"
#include "win/geometry.h"

class ISFWndMgr;

// Style bits.
constexpr int SFWS_VISIBLE = 0x02;
constexpr int SFWS_ENABLED = 0x04;
// The host paints its background under the control before the control draws.
constexpr int SFWS_OVERBACKGROUND = 0x08;
// The owner sizes the control to one frame of the bitmap it assigns.
constexpr int SFWS_SIZETOIMAGE = 0x20;

// The notification code of a click in WM_COMMAND's high word.
constexpr WORD SFN_CLICKED = 0x1001;

class CSFWnd {
 public:
  CSFWnd() = default;
  CSFWnd(const CSFWnd&) = delete;
  CSFWnd& operator=(const CSFWnd&) = delete;

  // The virtual operations keep this order; hosts and controls rely on it.
  virtual ~CSFWnd() = default;
  // Stores the links, style and identifier, registers with the manager when
  // there is one and sets the rectangle (x, y, x + cx, y + cy). Returns 1.
  virtual int Init(ISFWndMgr* manager, CSFWnd* parent, int x, int y, int cx, int cy, int id, int style);
  // Paints into dc; area is in the coordinates the caller prepared.
  virtual void Draw(HDC dc, const RECT* area) {}
  virtual int OnSize(int cx, int cy) { return 0; }
  virtual int OnMove(int x, int y) { return 0; }
  // Mouse handlers get the point relative to the control's top-left corner
  // (see CSFWndMgr); nonzero means the control consumed the message.
  virtual int OnMouseMove(const POINT* point) { return 0; }
  virtual int OnMouseEnter(const POINT* point) { return 0; }
  virtual int OnMouseLeave() { return 0; }
  virtual int OnLButtonDblClk(const POINT* point) { return 0; }
  virtual int OnLButtonDown(const POINT* point) { return 0; }
  virtual int OnLButtonUp(const POINT* point) { return 0; }
  // Nonzero: the control set the cursor.
  virtual int OnSetCursor(const POINT* point) { return 0; }
  virtual int OnCaptureLost() { return 0; }

  // Asks for a repaint: a child walks up to its topmost ancestor, whose
  // manager redraws that ancestor; without a manager nothing happens.
  void Redraw();

  const RECT& GetWndRect() const { return m_rect; }
  void SetWndRect(const RECT& rect) { m_rect = rect; }
  int GetWidth() const { return m_rect.right - m_rect.left; }
  int GetHeight() const { return m_rect.bottom - m_rect.top; }
  int GetStyle() const { return m_style; }
  void SetStyle(int style) { m_style = style; }
  bool HasStyle(int bits) const { return (m_style & bits) == bits; }
  int GetId() const { return m_id; }
  CSFWnd* GetParent() const { return m_parent; }
  ISFWndMgr* GetManager() const { return m_manager; }

  // The child list a container draws; the owner appends controls that were
  // initialised without a manager.
  void AddChild(CSFWnd* child);
  const std::vector<CSFWnd*>& GetChildren() const { return m_children; }

 protected:
  RECT m_rect{};
  int m_style = 0;
  int m_id = 0;
  CSFWnd* m_parent = nullptr;
  ISFWndMgr* m_manager = nullptr;
  std::vector<CSFWnd*> m_children;
};
