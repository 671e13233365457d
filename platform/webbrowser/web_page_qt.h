#pragma once
// The engine page behind one WebBrowser control. It only forwards the
// engine's question about each navigation to its owner, who may refuse it;
// everything else the owner reads from the page's signals. Lives on the
// thread that runs Qt; deleted later, never inside one of its own callbacks.
#include <QWebEnginePage>
#include <functional>

namespace quorla {

class WebPage final : public QWebEnginePage {
 public:
  // Answers whether the navigation may go on.
  using NavigationQuestion = std::function<bool(const QUrl& url, NavigationType type, bool isMainFrame)>;

  WebPage(QWebEngineProfile* profile, NavigationQuestion question);
  // The owner is gone: every navigation asked about from now on is refused.
  void Detach() { question_ = nullptr; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}

 private:
  NavigationQuestion question_;
};

}  // namespace quorla
