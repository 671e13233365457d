#include "shopping/watch_list_path.h"

#include "win/last_error.h"
#include "win/paths.h"
#include "win/shell_folders.h"
#include "win/strings.h"

std::u16string WatchListPath() {
  WCHAR path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, TRUE)) return {};
  if (!PathAppendW(path, u"vxbrowser\\reduceprice.fg")) return {};
  WCHAR folder[MAX_PATH];
  lstrcpynW(folder, path, MAX_PATH);
  PathRemoveFileSpecW(folder);
  int made = SHCreateDirectory(nullptr, folder);
  if (made != static_cast<int>(ERROR_SUCCESS) && made != static_cast<int>(ERROR_FILE_EXISTS) &&
      made != static_cast<int>(ERROR_ALREADY_EXISTS))
    return {};
  return path;
}
