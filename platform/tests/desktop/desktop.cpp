#include "desktop.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "wait_until.h"

extern char** environ;

namespace quorla_desktop {
namespace {

// Variables the programs must not inherit from the test's own session.
bool Replaced(const std::string& entry) {
  static const char* const kNames[] = {"DISPLAY",         "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS",
                                       "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XAUTHORITY",      "SESSION_MANAGER",
                                       "NO_AT_BRIDGE"};
  for (const char* name : kNames) {
    size_t n = std::strlen(name);
    if (entry.compare(0, n, name) == 0 && entry.size() > n && entry[n] == '=') return true;
  }
  return false;
}

std::vector<WindowId> ParseWindowList(const std::string& text) {
  std::vector<WindowId> ids;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    char* end = nullptr;
    unsigned long id = std::strtoul(line.c_str(), &end, 10);
    if (end && *end == '\0' && id) ids.push_back(id);
  }
  return ids;
}

std::string Seconds(std::chrono::milliseconds ms) {
  std::ostringstream s;
  s << ms.count() / 1000.0;
  return s.str();
}

}  // namespace

Desktop::Desktop(DesktopOptions options) : options_(options) {}

Desktop::~Desktop() {
  tray_.reset();
  if (server_) server_->Terminate(std::chrono::seconds(5));
  server_.reset();
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
}

bool Desktop::Start(std::string* error) {
  char folder[] = "/tmp/quorla-desktop-XXXXXX";
  if (!::mkdtemp(folder)) {
    if (error) *error = std::string("mkdtemp: ") + std::strerror(errno);
    return false;
  }
  folder_ = folder;
  for (const std::string& dir : {configHome(), runtimeDir(), logDir()}) {
    if (::mkdir(dir.c_str(), 0700) != 0) {
      if (error) *error = "mkdir " + dir + ": " + std::strerror(errno);
      return false;
    }
  }
  if (!StartServer(error)) return false;
  return !options_.tray || StartTray(error);
}

bool Desktop::StartServer(std::string* error) {
  // A server may report its number and still take no client: seen with
  // many servers of other tests starting and ending at the same moment
  // (most likely one ending on that number took the socket this one had
  // just made). Such a server is of no use; another start picks a number
  // again.
  for (int attempt = 1;; ++attempt) {
    if (!LaunchServer(error)) return false;
    if (WaitUntil([&] { return Tool({"xdotool", "getdisplaygeometry"}, std::chrono::seconds(5)).exitCode == 0; },
                  std::chrono::seconds(10)))
      return true;
    server_->Terminate(std::chrono::seconds(5));
    if (attempt == 3) {
      if (error) *error = "the X server on " + display_ + " took no client: " + server_->Errors();
      return false;
    }
    server_.reset();
  }
}

bool Desktop::LaunchServer(std::string* error) {
  // The server writes the display number it took to this pipe once it
  // accepts connections.
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    if (error) *error = "pipe failed";
    return false;
  }
  LaunchOptions server;
  server.argv = {"Xvfb", "-displayfd", "3", "-screen", "0",
                 std::to_string(options_.width) + "x" + std::to_string(options_.height) + "x24", "-br", "-nolisten",
                 "tcp"};
  for (char** e = environ; *e; ++e) server.environment.emplace_back(*e);
  server.logPrefix = logDir() + "/xvfb";
  server.descriptors = {{pipeFds[1], 3}};
  server_ = ChildProcess::Launch(server, error);
  ::close(pipeFds[1]);
  if (!server_) {
    ::close(pipeFds[0]);
    return false;
  }

  std::string number;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{pipeFds[0], POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) continue;
    char c[16];
    ssize_t n = ::read(pipeFds[0], c, sizeof c);
    if (n <= 0) break;
    number.append(c, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    if (error) *error = "Xvfb gave no display number: " + server_->Errors();
    return false;
  }
  display_ = ":" + number;
  return true;
}

bool Desktop::StartTray(std::string* error) {
  StopTray();
  tray_ = Launch({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24",
                  "--transparent", "false", "--tint", "0x808080", "--SetDockType", "true", "--SetPartialStrut",
                  "true", "--expand", "true"},
                 {}, "", error);
  if (!tray_) return false;
  pid_t pid = tray_->pid();
  if (!WaitUntil([&] { return !WindowsOfProcess(pid).empty() || !tray_->Running(); }, std::chrono::seconds(20))) {
    if (error) *error = "the tray panel did not show a window";
    return false;
  }
  if (!tray_->Running()) {
    if (error) *error = "the tray panel ended: " + tray_->Errors();
    return false;
  }
  return true;
}

void Desktop::StopTray() {
  if (tray_) tray_->Terminate(std::chrono::seconds(5));
  tray_.reset();
}

std::vector<std::string> Desktop::Environment(const std::vector<std::string>& extra) const {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (!Replaced(*e)) env.emplace_back(*e);
  env.push_back("DISPLAY=" + display_);
  env.push_back("QT_QPA_PLATFORM=xcb");
  env.push_back("DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/quorla-no-bus");
  env.push_back("XDG_CONFIG_HOME=" + configHome());
  env.push_back("XDG_RUNTIME_DIR=" + runtimeDir());
  env.push_back("NO_AT_BRIDGE=1");
  for (const std::string& e : extra) {
    std::string name = e.substr(0, e.find('=') + 1);
    for (auto it = env.begin(); it != env.end();) it = it->compare(0, name.size(), name) == 0 ? env.erase(it) : it + 1;
    env.push_back(e);
  }
  return env;
}

std::unique_ptr<ChildProcess> Desktop::Launch(const std::vector<std::string>& argv,
                                              const std::vector<std::string>& extraEnvironment,
                                              const std::string& workingDirectory, std::string* error) {
  static int count = 0;
  LaunchOptions options;
  options.argv = argv;
  options.environment = Environment(extraEnvironment);
  options.workingDirectory = workingDirectory;
  std::string name = argv.empty() ? "program" : std::filesystem::path(argv[0]).filename().string();
  options.logPrefix = logDir() + "/" + name + "-" + std::to_string(++count);
  return ChildProcess::Launch(options, error);
}

CommandResult Desktop::Tool(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const {
  return RunCommand(argv, Environment(), timeout);
}

std::vector<WindowId> Desktop::WindowsOfProcess(pid_t pid, bool visibleOnly) const {
  std::vector<std::string> argv = {"xdotool", "search"};
  if (visibleOnly) argv.push_back("--onlyvisible");
  argv.insert(argv.end(), {"--pid", std::to_string(pid)});
  return ParseWindowList(Tool(argv).output);
}

std::optional<WindowGeometry> Desktop::Geometry(WindowId window) const {
  CommandResult r = Tool({"xdotool", "getwindowgeometry", "--shell", std::to_string(window)});
  if (r.exitCode != 0) return std::nullopt;
  WindowGeometry g;
  int found = 0;
  std::istringstream in(r.output);
  std::string line;
  while (std::getline(in, line)) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    int value = std::atoi(line.c_str() + eq + 1);
    if (key == "X") g.x = value, ++found;
    if (key == "Y") g.y = value, ++found;
    if (key == "WIDTH") g.width = value, ++found;
    if (key == "HEIGHT") g.height = value, ++found;
  }
  if (found != 4) return std::nullopt;
  return g;
}

bool Desktop::MoveMouse(int x, int y) const {
  return Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y)}).exitCode == 0;
}

bool Desktop::Press(int button) const { return Tool({"xdotool", "mousedown", std::to_string(button)}).exitCode == 0; }

bool Desktop::Release(int button) const { return Tool({"xdotool", "mouseup", std::to_string(button)}).exitCode == 0; }

bool Desktop::Click(int x, int y, int button, std::chrono::milliseconds hold) const {
  std::string b = std::to_string(button);
  return Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.1", "mousedown", b,
               "sleep", Seconds(hold), "mouseup", b})
             .exitCode == 0;
}

bool Desktop::DoubleClick(int x, int y, int button) const {
  std::string b = std::to_string(button);
  return Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.1", "mousedown", b,
               "sleep", "0.04", "mouseup", b, "sleep", "0.08", "mousedown", b, "sleep", "0.04", "mouseup", b})
             .exitCode == 0;
}

bool Desktop::Key(const std::string& keys) const {
  return Tool({"xdotool", "key", "--delay", "60", keys}).exitCode == 0;
}

bool Desktop::SaveScreenshot(const std::string& path) const {
  return Tool({"import", "-window", "root", path}, std::chrono::seconds(60)).exitCode == 0;
}

std::optional<ScreenImage> Desktop::Capture(const std::string& savePath) const {
  if (!savePath.empty()) {
    if (!SaveScreenshot(savePath)) return std::nullopt;
    return ScreenImage::Load(savePath);
  }
  CommandResult r = Tool({"import", "-window", "root", "-depth", "8", "ppm:-"}, std::chrono::seconds(60));
  if (r.exitCode != 0) return std::nullopt;
  return ScreenImage::FromPpm(r.output);
}

std::string OutputPath(const std::string& name) { return std::string(QUORLA_DESKTOP_OUTPUT_DIR) + "/" + name; }

}  // namespace quorla_desktop
