#pragma once
// The window_probe fixture program run as a child process.
#include <cinttypes>
#include <cstdio>

#include "child_processes.h"
#include "win/types.h"

namespace quorla::testing {

class WindowProbeProcess {
 public:
  WindowProbeProcess(const TemporaryFolder& folder, const std::string& className, const std::string& title,
                     const std::string& mutexName = "-", bool visible = false)
      : prefix_(folder / "probe"),
        child_({FixtureProgram("window_probe"), prefix_, className, title, mutexName, visible ? "visible" : "hidden"}) {}

  ChildProcess& Child() { return child_; }
  DWORD Pid() const { return static_cast<DWORD>(child_.Pid()); }

  // The probe's window once it is set up; null when it never is.
  HWND AwaitWindow() {
    auto ready = AwaitFile(prefix_ + ".ready");
    std::uintptr_t value = 0;
    if (!ready || std::sscanf(ready->c_str(), "%" SCNxPTR, &value) != 1) return nullptr;
    return reinterpret_cast<HWND>(value);
  }
  // The "message wParam lParam" lines written at WM_CLOSE.
  std::optional<std::string> AwaitMessages() { return AwaitFile(prefix_ + ".messages"); }
  bool DestructorRan() const { return ReadFile(prefix_ + ".destructor").has_value(); }

 private:
  std::string prefix_;
  ChildProcess child_;
};

}  // namespace quorla::testing
