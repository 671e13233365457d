#pragma once
// A desktop of a test's own, for end-to-end tests of the programs: an Xvfb
// server on a display number no other test uses (the server picks it,
// -displayfd), 1024 x 768 x 24 with a black background; a tray panel
// (trayer) at the top edge, so pop-ups in the bottom-right corner never
// cover the icons; temporary XDG_CONFIG_HOME and XDG_RUNTIME_DIR folders.
// Programs started through it run on that display with Qt's xcb platform
// and with a session bus address that leads nowhere, so their icons go to
// the panel by XEmbed. Helpers find windows by process, move and
// press the mouse and keys with xdotool (a pause between press and
// release), and take screenshots with ImageMagick.
//
// The destructor ends every process it started (the panel, the server) and
// removes the temporary folders; programs returned by Launch are ended by
// their own objects. Use from one thread.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "screen_image.h"

namespace quorla_desktop {

using WindowId = unsigned long;

struct WindowGeometry {
  int x = 0, y = 0;  // on the screen
  int width = 0, height = 0;
};

struct DesktopOptions {
  int width = 1024;
  int height = 768;
  bool tray = true;  // start the panel with the server
};

class Desktop {
 public:
  explicit Desktop(DesktopOptions options = {});
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // Starts the server (and the panel when asked); false with the reason.
  bool Start(std::string* error);
  // The panel alone, to start it late (a log-on where programs come first)
  // or again. True once its window is on the screen.
  bool StartTray(std::string* error);
  void StopTray();

  const std::string& display() const { return display_; }  // ":N"
  const std::string& folder() const { return folder_; }    // the temporary folder of it all
  std::string configHome() const { return folder_ + "/config"; }
  std::string runtimeDir() const { return folder_ + "/runtime"; }
  std::string logDir() const { return folder_ + "/logs"; }

  // The environment a program on this desktop gets, with extra "NAME=value"
  // entries added last (they replace inherited ones of the same name).
  std::vector<std::string> Environment(const std::vector<std::string>& extra = {}) const;
  // Starts a program on this desktop; its output goes to logDir()/<name>.
  std::unique_ptr<ChildProcess> Launch(const std::vector<std::string>& argv,
                                       const std::vector<std::string>& extraEnvironment = {},
                                       const std::string& workingDirectory = "", std::string* error = nullptr);
  // Runs a tool (xdotool, xprop, import ...) against this display.
  CommandResult Tool(const std::vector<std::string>& argv,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

  // The windows of a process (by _NET_WM_PID); visibleOnly keeps the
  // mapped ones.
  std::vector<WindowId> WindowsOfProcess(pid_t pid, bool visibleOnly = true) const;
  std::optional<WindowGeometry> Geometry(WindowId window) const;

  // The mouse and the keyboard. Buttons: 1 left, 2 middle, 3 right.
  bool MoveMouse(int x, int y) const;
  bool Press(int button) const;
  bool Release(int button) const;
  // Move, press, hold, release.
  bool Click(int x, int y, int button = 1,
             std::chrono::milliseconds hold = std::chrono::milliseconds(60)) const;
  // Two clicks well inside the double-click time.
  bool DoubleClick(int x, int y, int button = 1) const;
  // xdotool key names: "Escape", "Return", "ctrl+a".
  bool Key(const std::string& keys) const;

  // The whole screen into a PNG file (its folder must exist).
  bool SaveScreenshot(const std::string& path) const;
  // The whole screen, also saved to savePath when that is not empty.
  std::optional<ScreenImage> Capture(const std::string& savePath = "") const;

 private:
  bool StartServer(std::string* error);  // launched and answering a client
  bool LaunchServer(std::string* error);  // launched and reporting its number

  DesktopOptions options_;
  std::string folder_;
  std::string display_;
  std::unique_ptr<ChildProcess> server_;
  std::unique_ptr<ChildProcess> tray_;
};

// Where tests put files meant to be looked at (build/tests/<name>).
std::string OutputPath(const std::string& name);

}  // namespace quorla_desktop
