#pragma once
// CChooseList: the small drop-down list under the search box's site button,
// from which the user picks the shop whose search the box uses. Each entry
// is an icon and a title on a skin of three slices per look. A press and a
// release on one entry post WM_COMMAND with the entry's command to the
// parent; any other release posts ID_CHOOSE_LIST_CLOSED, so the owner hides
// the list after every click, on an entry or not.
//
// The owner creates it hidden, loads its skin, adds the entries, and places,
// shows and hides it. Everything runs on the thread that made the window.
#include <memory>
#include <vector>

#include "afx/dc.h"
#include "afx/wnd.h"
#include "my_image.h"

// Posted as WM_COMMAND when the mouse was released without a choice.
constexpr UINT ID_CHOOSE_LIST_CLOSED = 1610;

struct ChooseEntry {
  enum : int { kNormal = 0, kHover = 1, kPressed = 2 };

  CString title;
  CMyImage icon;  // one frame
  int state = kNormal;
  int id = 0;     // the command posted when it is chosen
  CRect rect;     // in the list's client coordinates
};

class CChooseList : public CWnd {
 public:
  // Entry n spans rows 1 + 25n to 26 + 25n, columns 1 to 81: the owner sizes
  // the list 82 wide and 25 per entry plus 2 high.
  static constexpr int kEntryHeight = 25;
  static constexpr int kEntryLeft = 1;
  static constexpr int kEntryRight = 81;
  static constexpr COLORREF kFrameColour = RGB(210, 191, 184);

  CChooseList() = default;
  ~CChooseList() override;

  // The window as a hidden child of parent: empty title, clipping siblings
  // and children, no size, control identifier -1, in a class with
  // horizontal and vertical redraw, the arrow cursor and a white background.
  BOOL CreateList(CWnd* parent);

  // Appends an entry whose icon is PNG resource iconId (an entry whose icon
  // does not load has none), lays the list out and returns the entry, which
  // lives as long as the list.
  ChooseEntry* AddEntry(UINT iconId, int commandId, LPCWSTR title);
  // The first entry with the command, or null.
  ChooseEntry* FindEntry(int commandId);
  int GetEntryCount() const { return static_cast<int>(entries_.size()); }
  ChooseEntry* GetEntry(int index);

  // The command of the last entry chosen (0 until then), or one the owner
  // sets.
  int GetSelection() const { return selection_; }
  void SetSelection(int commandId) { selection_ = commandId; }

  // The skin, nine frames in one row (normal, hover, pressed; three slices
  // each), loaded by the owner.
  CMyImage& SkinImage() { return skin_; }

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* window);
  DECLARE_MESSAGE_MAP()

 private:
  void Layout();
  ChooseEntry* HitTest(CPoint point);
  void SetState(ChooseEntry* entry, int state);
  void Draw(CDC& dc, const CRect& client);
  void DrawEntry(CDC& dc, const ChooseEntry& entry);
  void PostCommand(int id);

  std::vector<std::unique_ptr<ChooseEntry>> entries_;
  CMyImage skin_;
  int selection_ = 0;
  ChooseEntry* hovered_ = nullptr;
  ChooseEntry* pressed_ = nullptr;
  bool changed_ = false;  // a state changed since the last repaint request
};
