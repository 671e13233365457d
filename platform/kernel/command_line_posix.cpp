// The process's command line, fixed while the layer loads: the host hands
// each library's initialisers the program's arguments before any of the
// program's own code runs.
#include <cstdlib>
#include <string>

#include "command_line.h"
#include "utf.h"
#include "win/command_line.h"

namespace {

std::u16string* g_commandLine;  // made once while loading, never freed

// A handed-over line counts only when it splits into exactly the arguments
// the program got: a program that did not come from ShellExecuteW (a script
// in between, say) may have inherited a line that belongs to someone else.
std::u16string ChooseCommandLine(const std::vector<std::u16string>& arguments, const char* handed) {
  if (handed) {
    std::u16string line = quorla::Utf8ToUtf16(handed);
    if (quorla::Utf16ToUtf8(line) == handed && quorla::SplitCommandLine(line) == arguments) return line;
  }
  return quorla::CommandLineFromArguments(arguments);
}

void CaptureCommandLine(int argc, char** argv, char**) {
  std::vector<std::u16string> arguments;
  for (int i = 0; argv && i < argc; ++i) arguments.push_back(quorla::Utf8ToUtf16(argv[i]));
  const char* handed = std::getenv(quorla::kCommandLineVariable);
  g_commandLine = new std::u16string(ChooseCommandLine(arguments, handed));
  if (handed) ::unsetenv(quorla::kCommandLineVariable);
}

__attribute__((section(".init_array"), used)) void (*const kCaptureCommandLine)(int, char**, char**) =
    CaptureCommandLine;

}  // namespace

LPWSTR GetCommandLineW() {
  static char16_t empty[1] = {0};
  return g_commandLine ? g_commandLine->data() : empty;
}
