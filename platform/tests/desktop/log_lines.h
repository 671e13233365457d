#pragma once
// The lines a probe program wrote to its log so far (empty lines skipped).
#include <fstream>
#include <string>
#include <vector>

namespace quorla_desktop {

inline std::vector<std::string> LogLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line))
    if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace quorla_desktop
