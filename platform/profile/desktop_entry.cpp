#include "desktop_entry.h"

namespace quorla {
namespace {

// Escapes of the format's string values.
std::string EscapeStringValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string DesktopExecArgument(const std::string& programPath) {
  std::string quoted = "\"";
  for (char c : programPath) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
    if (c == '%') quoted += '%';
  }
  quoted += '"';
  return EscapeStringValue(quoted);
}

std::string AutostartDesktopEntry(const std::string& name, const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" + EscapeStringValue(name) + "\n"
         "Exec=" + DesktopExecArgument(programPath) + "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace quorla
