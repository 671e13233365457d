#pragma once
// The browser's caption as the window manager sees it, for end-to-end tests.
#include <chrono>
#include <string>

#include "desktop.h"
#include "wait_until.h"

namespace browser_e2e {

// The _NET_WM_NAME lines of every window of the process.
inline std::string CaptionOf(const quorla_desktop::Desktop& desktop, pid_t pid) {
  std::string names;
  for (quorla_desktop::WindowId each : desktop.WindowsOfProcess(pid, false))
    names += desktop.Tool({"xprop", "-id", std::to_string(each), "_NET_WM_NAME"}).output;
  return names;
}

// Whether the main window's caption comes to read "<title> - Quorla购物浏览器".
inline bool CaptionShows(const quorla_desktop::Desktop& desktop, pid_t pid, const std::string& title,
                         std::chrono::milliseconds timeout) {
  return quorla_desktop::WaitUntil(
      [&] { return CaptionOf(desktop, pid).find("\"" + title + " - Quorla购物浏览器\"") != std::string::npos; },
      timeout);
}

}  // namespace browser_e2e
