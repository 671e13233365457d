#pragma once
// CKQIEView: the web page of one tab. It turns its control's events into
// calls on the window that shows its tab (ViewOwner), runs the one-minute
// price-capture timer after its first navigation, and keeps pop-up windows
// whose address the URL filter lists from ever showing.
//
// Made with new and deleted by its owner (the main window, when its tab
// closes), never by the framework; a view made for a page's new window that
// the filter refused deletes itself (command 16), and only while no tab
// holds it. Used on the user-interface thread, except PriceCaptured, which
// the price engine's parse worker sets.
#include <atomic>
#include <cstdint>

#include "afx/html_view.h"
#include "afx/string.h"

class ViewOwner;

class CKQIEView : public CHtmlView {
 public:
  // adopted 1: a tab's view; 0: a view made for a page's new window, not yet
  // in a tab.
  explicit CKQIEView(ViewOwner& owner, int adopted = 1);
  ~CKQIEView() override;

  // Unique for the life of the process, never reused.
  uint64_t GetSerialNumber() const { return m_serialNumber; }
  bool IsAdopted() const { return m_adopted != 0; }
  // The page's last status text, for the status bar.
  const CString& GetStatusText() const { return m_statusText; }
  // The last state the page reported for back (CSC_NAVIGATEBACK) or forward
  // (CSC_NAVIGATEFORWARD); FALSE before any report and for other commands.
  BOOL GetCommandState(long command) const;

  // Set to 1 by the parse worker once a price was read from this view's
  // page; a view offers a price at most once in its life.
  std::atomic<uint8_t> PriceCaptured{0};

  void OnBeforeNavigate2(LPDISPATCH dispatch, LPCWSTR url, DWORD flags, LPCWSTR targetFrameName,
                         const VARIANT* postedData, LPCWSTR headers, BOOL* cancel) override;
  void OnNavigateComplete2(LPDISPATCH dispatch, VARIANT* url) override;
  void OnDocumentComplete(LPDISPATCH dispatch, VARIANT* url) override;
  void OnStatusTextChange(LPCWSTR text) override;
  void OnTitleChange(LPCWSTR title) override;
  void OnCommandStateChange(long command, BOOL enable) override;
  void OnNewWindow2(LPDISPATCH* dispatch, BOOL* cancel) override;

  // The capture timer's identifier and period, and how many of its ticks
  // queue the page.
  static constexpr UINT_PTR kCaptureTimer = 200;
  static constexpr UINT kCaptureTimerPeriodMs = 1000;
  static constexpr DWORD kCaptureTicks = 60;
  // The command a refused new-window view posts to itself.
  static constexpr UINT kDiscardCommand = 16;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  BOOL CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT id, REFCLSID clsid) override;
  HRESULT OnGetHostInfo(DOCHOSTUIINFO* info) override;

  // The capture timer, whatever the identifier: queues the page for the
  // price engine on each of its first 60 ticks until a price was read.
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnDiscard();
  DECLARE_MESSAGE_MAP()

 private:
  void SetStatus(const CString& text);

  ViewOwner& m_owner;
  const uint64_t m_serialNumber;
  int m_adopted;
  // A new-window view whose first navigation the filter refused: it never
  // navigates again, whatever its opener asks.
  bool m_refused = false;
  CString m_statusText;
  // What the page's navigation start told ("打开 ..."), until the page
  // completes: the status again when the pointer leaves a link meanwhile.
  CString m_openingStatus;
  BOOL m_navigateHookArmed = TRUE;
  uint8_t m_captureTimerStarted = 0;
  DWORD m_captureTicks = 0;
  BOOL m_canGoBack = FALSE;
  BOOL m_canGoForward = FALSE;
};
