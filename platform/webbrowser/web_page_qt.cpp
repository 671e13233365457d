#include "web_page_qt.h"

namespace quorla {

WebPage::WebPage(QWebEngineProfile* profile, NavigationQuestion question)
    : QWebEnginePage(profile), question_(std::move(question)) {}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (!question_) return false;
  // Copied: the owner may detach from inside its answer.
  NavigationQuestion question = question_;
  return question(url, type, isMainFrame);
}

}  // namespace quorla
