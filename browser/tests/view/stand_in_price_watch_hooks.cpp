// The price watch's hooks as the views' tests see them: calls recorded.
#include "hooks/price_watch_hooks.h"
#include "view_test_support.h"

namespace view_test {

std::vector<CKQIEView*>& QueuedViews() {
  static std::vector<CKQIEView*> views;
  return views;
}

std::vector<CKQIEView*>& ForgottenViews() {
  static std::vector<CKQIEView*> views;
  return views;
}

}  // namespace view_test

void QueueParse(CKQIEView* view) { view_test::QueuedViews().push_back(view); }
void ForgetView(CKQIEView* view) { view_test::ForgottenViews().push_back(view); }
