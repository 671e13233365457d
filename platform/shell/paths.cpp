#include "win/paths.h"

#include <sys/stat.h>

#include "host_paths.h"
#include "utf.h"
#include "win/last_error.h"
#include "win/strings.h"

namespace {

bool IsSeparator(WCHAR c) { return c == u'/' || c == u'\\'; }

// Joins and folds in host form; false when the result does not fit MAX_PATH.
bool Join(LPWSTR dst, LPCWSTR dir, LPCWSTR more) {
  std::string head = quorla::ToHostSeparators(quorla::Utf16ToUtf8(dir));
  std::string tail = quorla::ToHostSeparators(quorla::Utf16ToUtf8(more));
  std::string joined;
  if (!tail.empty() && more[0] == u'/') {
    joined = tail;  // an absolute host path stands alone
  } else {
    size_t skip = tail.find_first_not_of('/');
    tail = skip == std::string::npos ? std::string() : tail.substr(skip);
    joined = head;
    if (!joined.empty() && joined.back() != '/' && !tail.empty()) joined += '/';
    joined += tail;
  }
  std::u16string out = joined.empty() ? std::u16string() : quorla::Utf8ToUtf16(quorla::FoldDotSegments(joined));
  if (out.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  lstrcpynW(dst, out.c_str(), MAX_PATH);
  return true;
}

}  // namespace

LPWSTR PathFindFileNameW(LPCWSTR path) {
  if (!path) return nullptr;
  LPCWSTR name = path;
  for (LPCWSTR p = path; *p; ++p) {
    if (IsSeparator(*p) && p[1]) name = p + 1;
  }
  return const_cast<LPWSTR>(name);
}

BOOL PathRemoveFileSpecW(LPWSTR path) {
  if (!path) return FALSE;
  LPWSTR last = nullptr;
  for (LPWSTR p = path; *p; ++p) {
    if (IsSeparator(*p)) last = p;
  }
  if (!last) {
    if (!*path) return FALSE;
    *path = 0;
    return TRUE;
  }
  if (last == path) {  // the root stays
    if (!last[1]) return FALSE;
    last[1] = 0;
    return TRUE;
  }
  *last = 0;
  return TRUE;
}

BOOL PathAppendW(LPWSTR path, LPCWSTR more) {
  if (!path || !more) return FALSE;
  std::u16string dir = path;
  return Join(path, dir.c_str(), more) ? TRUE : FALSE;
}

LPWSTR PathCombineW(LPWSTR dst, LPCWSTR dir, LPCWSTR file) {
  if (!dst || (!dir && !file)) return nullptr;
  std::u16string d = dir ? dir : u"";
  std::u16string f = file ? file : u"";
  if (!Join(dst, d.c_str(), f.c_str())) {
    *dst = 0;
    return nullptr;
  }
  return dst;
}

BOOL PathFileExistsW(LPCWSTR path) {
  if (!path || !*path) return FALSE;
  std::string host = quorla::ToHostSeparators(quorla::Utf16ToUtf8(path));
  return quorla::FindFileIgnoringCase(host).empty() ? FALSE : TRUE;
}

BOOL PathIsDirectoryW(LPCWSTR path) {
  if (!path || !*path) return FALSE;
  std::string host = quorla::FindFileIgnoringCase(quorla::ToHostSeparators(quorla::Utf16ToUtf8(path)));
  struct stat st;
  return !host.empty() && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? TRUE : FALSE;
}
