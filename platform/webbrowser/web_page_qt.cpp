#include "web_page_qt.h"

#include <QAuthenticator>

#include "win/message_box.h"

namespace quorla {

WebPage::WebPage(QWebEngineProfile* profile, NavigationQuestion question, ScriptError scriptError)
    : QWebEnginePage(profile), question_(std::move(question)), scriptError_(std::move(scriptError)) {
  // An untouched authenticator is a cancelled log-in.
  connect(this, &QWebEnginePage::authenticationRequired, this,
          [](const QUrl&, QAuthenticator* authenticator) { *authenticator = QAuthenticator(); });
  connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
          [](const QUrl&, QAuthenticator* authenticator, const QString&) { *authenticator = QAuthenticator(); });
}

namespace {

// The box's caption: the page's origin, as a browser names who is asking.
QString CaptionOf(const QUrl& origin) {
  return QString::fromLatin1(origin.toEncoded(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment));
}

int AskInBox(HWND owner, const QUrl& origin, const QString& message, UINT type) {
  const QString caption = CaptionOf(origin);
  return MessageBoxW(owner, reinterpret_cast<const WCHAR*>(message.utf16()),
                     reinterpret_cast<const WCHAR*>(caption.utf16()), type);
}

}  // namespace

void WebPage::javaScriptAlert(const QUrl& origin, const QString& message) {
  AskInBox(dialogOwner_, origin, message, MB_OK);
}

bool WebPage::javaScriptConfirm(const QUrl& origin, const QString& message) {
  return AskInBox(dialogOwner_, origin, message, MB_OKCANCEL) == IDOK;
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int,
                                       const QString&) {
  // The engine reports an exception that no handler caught as an error
  // message of its own words; a page's console.error never starts so.
  if (level != ErrorMessageLevel || !message.startsWith(QLatin1String("Uncaught")) || !scriptError_) return;
  ScriptError report = scriptError_;
  report();
}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (!question_) return false;
  // Copied: the owner may detach from inside its answer.
  NavigationQuestion question = question_;
  return question(url, type, isMainFrame);
}

}  // namespace quorla
