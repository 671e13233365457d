#include "web_engine_setup_qt.h"

#include <unistd.h>

#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <cstdlib>

#include "web_engine_folders.h"
#include "qt_application.h"

namespace quorla {
namespace {

QWebEngineProfile* MakeProfile() {
  // The sandbox refuses to run for root; it must be off before the engine's
  // first process starts, and stays on for everyone else.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
  EnsureQtApplication();
  const WebEngineFolders folders = WebEngineFoldersFromEnvironment();
  auto* profile = new QWebEngineProfile(QStringLiteral("Default"));
  profile->setPersistentStoragePath(folders.data);
  profile->setCachePath(folders.cache);
  profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
  profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
  QWebEngineSettings* settings = profile->settings();
  // Page icons are fetched by the browser itself, through its own rules.
  settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
  settings->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
  // Only windows a person asked for (a click) may open.
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
  // The shops' pages that declare no charset are written in GBK.
  settings->setDefaultTextEncoding(QStringLiteral("GBK"));
  QObject::connect(profile, &QWebEngineProfile::downloadRequested,
                   [](QWebEngineDownloadRequest* download) { download->cancel(); });
  return profile;
}

}  // namespace

QWebEngineProfile* WebEngineProfile() {
  static QWebEngineProfile* const profile = MakeProfile();
  return profile;
}

}  // namespace quorla
