#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "host_paths.h"
#include "utf.h"
#include "win/strings.h"

namespace quorla {

std::string ToHostSeparators(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::string FoldDotSegments(const std::string& path) {
  const bool absolute = !path.empty() && path[0] == '/';
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string seg = path.substr(i, j - i);
    if (seg.empty() || seg == ".") {
      // skip
    } else if (seg == "..") {
      if (!parts.empty() && parts.back() != "..") {
        parts.pop_back();
      } else if (!absolute) {
        parts.push_back(seg);
      }
    } else {
      parts.push_back(seg);
    }
    i = j + 1;
  }
  std::string out;
  if (absolute) out.push_back('/');
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += '/';
    out += parts[k];
  }
  if (out.empty()) out.push_back('.');
  const bool trailing = path.size() > 1 && path.back() == '/';
  if (trailing && out.back() != '/') out += '/';
  return out;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string FindFileIgnoringCase(const std::string& path) {
  struct stat st;
  if (path.empty()) return {};
  if (::stat(path.c_str(), &st) == 0) return path;
  size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return {};
  DIR* d = ::opendir(dir.c_str());
  if (!d) return {};
  std::u16string wanted = Utf8ToUtf16(name);
  std::string found;
  while (dirent* e = ::readdir(d)) {
    std::u16string candidate = Utf8ToUtf16(e->d_name);
    if (candidate.size() == wanted.size() && lstrcmpiW(candidate.c_str(), wanted.c_str()) == 0) {
      found = (slash == std::string::npos ? std::string() : dir + (dir == "/" ? "" : "/")) + e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

std::string HostFilePath(LPCWSTR path) {
  std::string host = ToHostSeparators(Utf16ToUtf8(path));
  if (host.empty()) return host;
  host = FoldDotSegments(host);
  std::string found = FindFileIgnoringCase(host);
  return found.empty() ? host : found;
}

std::string ProgramFilePath() {
  std::vector<char> buf(4096);
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  return std::string(buf.data(), static_cast<size_t>(n));
}

}  // namespace quorla
