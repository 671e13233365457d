#pragma once
// The engine page behind one WebBrowser control. It forwards the engine's
// question about each navigation to its owner, who may refuse it, tells it of
// each script error that the page left uncaught (the engine's console reports
// of them go nowhere else, standard error included), and answers the page's
// own dialogs inside the layer's loops, never one of Qt's: alert and confirm
// are the layer's message box (OK; OK and Cancel) over the control's window;
// prompt, file choice and log-in requests are answered as cancelled;
// certificate errors are refused by the engine itself. Everything else the
// owner reads from the page's signals. Lives on the thread that runs Qt;
// deleted later, never inside one of its own callbacks.
#include <QWebEnginePage>
#include <functional>

#include "win/types.h"

namespace quorla {

class WebPage final : public QWebEnginePage {
 public:
  // Answers whether the navigation may go on.
  using NavigationQuestion = std::function<bool(const QUrl& url, NavigationType type, bool isMainFrame)>;

  using ScriptError = std::function<void()>;

  WebPage(QWebEngineProfile* profile, NavigationQuestion question, ScriptError scriptError);
  // The window whose top-level window the page's dialogs belong to.
  void SetDialogOwner(HWND owner) { dialogOwner_ = owner; }
  // The owner is gone: every navigation asked about from now on is refused.
  void Detach() {
    question_ = nullptr;
    scriptError_ = nullptr;
    dialogOwner_ = nullptr;
  }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
  QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override { return {}; }

 private:
  NavigationQuestion question_;
  ScriptError scriptError_;
  HWND dialogOwner_ = nullptr;
};

}  // namespace quorla
