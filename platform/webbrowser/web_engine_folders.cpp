#include "web_engine_folders.h"

#include <QDir>
#include <cstdlib>

namespace quorla {
namespace {

QString FolderFromEnvironment(const char* variable, const char* homeRelative) {
  const char* value = std::getenv(variable);
  if (value && *value == '/') return QString::fromLocal8Bit(value);
  return QDir::homePath() + QLatin1Char('/') + QLatin1String(homeRelative);
}

}  // namespace

WebEngineFolders WebEngineFoldersFromEnvironment() {
  return {FolderFromEnvironment("XDG_DATA_HOME", ".local/share") + QStringLiteral("/vxbrowser/webengine"),
          FolderFromEnvironment("XDG_CACHE_HOME", ".cache") + QStringLiteral("/vxbrowser/webengine")};
}

}  // namespace quorla
