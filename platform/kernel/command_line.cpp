#include "command_line.h"

namespace quorla {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> arguments;
  size_t i = 0;
  const size_t n = line.size();
  std::u16string program;
  if (n > 0 && line[0] == u'"') {
    size_t close = line.find(u'"', 1);
    if (close == std::u16string_view::npos) close = n;
    program.assign(line.substr(1, close - 1));
    i = close < n ? close + 1 : n;
  } else {
    while (i < n && !IsBlank(line[i])) program += line[i++];
  }
  arguments.push_back(std::move(program));

  for (;;) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) break;
    std::u16string argument;
    bool quoted = false;
    while (i < n) {
      const char16_t c = line[i];
      if (c == u'\\') {
        size_t count = 0;
        while (i < n && line[i] == u'\\') {
          ++count;
          ++i;
        }
        if (i < n && line[i] == u'"') {
          argument.append(count / 2, u'\\');
          if (count % 2 == 1) {
            argument += u'"';
            ++i;
          }
        } else {
          argument.append(count, u'\\');
        }
      } else if (c == u'"') {
        if (quoted && i + 1 < n && line[i + 1] == u'"') {
          argument += u'"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else if (IsBlank(c) && !quoted) {
        break;
      } else {
        argument += c;
        ++i;
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::u16string ComposeCommandLine(std::u16string_view program, std::u16string_view parameters) {
  std::u16string line = u"\"";
  line += program;
  line += u'"';
  if (!parameters.empty()) {
    line += u' ';
    line += parameters;
  }
  return line;
}

std::u16string CommandLineFromArguments(const std::vector<std::u16string>& arguments) {
  if (arguments.empty()) return {};
  std::u16string line = u"\"" + arguments[0] + u"\"";
  for (size_t i = 1; i < arguments.size(); ++i) {
    line += u' ';
    line += arguments[i];
  }
  return line;
}

}  // namespace quorla
