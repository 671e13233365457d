#include <sys/stat.h>

#include "host_paths.h"
#include "program_files.h"

namespace quorla {

std::string ProgramFileFor(const std::string& hostPath) {
  std::string found = FindFileIgnoringCase(hostPath);
  struct stat st;
  if (!found.empty() && ::stat(found.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return found;
  const std::string ending = ".exe";
  if (hostPath.size() <= ending.size()) return hostPath;
  std::string tail = hostPath.substr(hostPath.size() - ending.size());
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (tail != ending) return hostPath;
  std::string program = hostPath.substr(0, hostPath.size() - ending.size());
  found = FindFileIgnoringCase(program);
  return found.empty() ? program : found;
}

}  // namespace quorla
