#pragma once
// A control that records every handler call with the point it got, and
// answers mouse presses with a chosen result.
#include <optional>
#include <string>
#include <vector>

#include "sfwnd/sf_wnd.h"
#include "win/dc.h"

namespace sfwnd_test {

class ProbeWnd : public CSFWnd {
 public:
  explicit ProbeWnd(std::string name, std::string* journal) : m_name(std::move(name)), m_journal(journal) {}

  void Draw(HDC dc, const RECT* area) override {
    drawDc = dc;
    drawArea = *area;
    GetViewportOrgEx(dc, &drawOrigin);
    ++draws;
    if (fill) {
      HBRUSH brush = CreateSolidBrush(fillColour);
      const RECT everywhere{-5000, -5000, 5000, 5000};
      FillRect(dc, spill ? &everywhere : area, brush);
      DeleteObject(brush);
    }
  }
  int OnSize(int cx, int cy) override { return Note("size", POINT{cx, cy}, 0); }
  int OnMove(int x, int y) override { return Note("move-to", POINT{x, y}, 0); }
  int OnMouseMove(const POINT* point) override { return Note("move", *point, moveResult); }
  int OnMouseEnter(const POINT* point) override { return Note("enter", *point, 0); }
  int OnMouseLeave() override { return Note("leave", std::nullopt, 0); }
  int OnLButtonDblClk(const POINT* point) override { return Note("dblclk", *point, pressResult); }
  int OnLButtonDown(const POINT* point) override { return Note("down", *point, pressResult); }
  int OnLButtonUp(const POINT* point) override { return Note("up", *point, pressResult); }
  int OnSetCursor(const POINT* point) override { return Note("cursor", *point, cursorResult); }
  int OnCaptureLost() override { return Note("lost", std::nullopt, 0); }

  int pressResult = 1;
  int moveResult = 0;
  int cursorResult = 0;
  bool fill = false;
  bool spill = false;  // fill far beyond the area
  COLORREF fillColour = 0;

  int draws = 0;
  HDC drawDc = nullptr;
  RECT drawArea{};
  POINT drawOrigin{};

 private:
  int Note(const char* what, std::optional<POINT> point, int result) {
    if (m_journal) {
      *m_journal += m_name + "." + what;
      if (point) *m_journal += "(" + std::to_string(point->x) + "," + std::to_string(point->y) + ")";
      *m_journal += " ";
    }
    return result;
  }

  std::string m_name;
  std::string* m_journal;
};

}  // namespace sfwnd_test
