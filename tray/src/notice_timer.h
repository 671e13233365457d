#pragma once
// The main window's notice timer: at each tick it takes at most one notice
// off the queue and shows it in the pop-up, which runs modally and so keeps
// the timer firing inside it; a tick that comes while the pop-up is open
// returns at once. A shown item is removed from the main thread's list when
// its pop-up has closed (not saved: the list reaches the file at exit).
// Main thread only.
#include "price_watch_context.h"
#include "shopping/reduce_price_item.h"

// Shows one price drop and returns when it has closed.
class INoticePopup {
 public:
  virtual void Show(const ReducePriceItem& item) = 0;

 protected:
  ~INoticePopup() = default;
};

// Whether a queued copy may be shown: both prices are numbers and not
// negative, and the current one is not above the previous one (equal is
// shown).
bool IsShowablePriceDrop(const ReducePriceItem& copy);

class NoticeTimer {
 public:
  NoticeTimer(PriceWatchContext& context, INoticePopup& popup) : m_context(context), m_popup(popup) {}
  NoticeTimer(const NoticeTimer&) = delete;
  NoticeTimer& operator=(const NoticeTimer&) = delete;

  // One tick with the main thread's manager (null when it could not be made:
  // every notice is then discarded).
  void OnTick(IReducePriceMgr* manager);
  // True while a pop-up is open.
  bool Showing() const { return m_showing; }

 private:
  PriceWatchContext& m_context;
  INoticePopup& m_popup;
  bool m_showing = false;
};
