#pragma once
// The folders of the web engine's profile: $XDG_DATA_HOME and
// $XDG_CACHE_HOME (absolute paths only, as the XDG rules say), else
// ~/.local/share and ~/.cache, each with "vxbrowser/webengine" below.
#include <QString>

namespace quorla {

struct WebEngineFolders {
  QString data;
  QString cache;
};
WebEngineFolders WebEngineFoldersFromEnvironment();

}  // namespace quorla
