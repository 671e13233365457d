#pragma once
// The list of its top-level windows that each process keeps in the runtime
// folder for the user's other processes, and its text form:
//
//   quorla-windows 1 <process id> <liveness file id>
//   <handle, hex> <thread id> <visible: 0|1> =<class name> =<title>
//   ...
//
// Names are UTF-8 with every byte up to the blank, DEL and '%' written as
// %XX, so a line always has exactly five fields. The liveness file id says
// which liveness lock the list belongs to, so a list that a dead process left
// behind is never taken for the list of a new process with the same id.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "win/types.h"

namespace quorla {

struct PublishedWindow {
  HWND handle = nullptr;
  DWORD threadId = 0;
  bool visible = false;
  std::u16string className;
  std::u16string title;
};

struct PublishedList {
  DWORD processId = 0;
  std::uint64_t livenessId = 0;
  std::vector<PublishedWindow> windows;
};

std::string FormatPublishedList(const PublishedList& list);

// Strict: false for anything that FormatPublishedList cannot have written
// (and for a window whose handle names another process, or for more than
// kMostPublishedWindows windows).
bool ParsePublishedList(std::string_view text, PublishedList* list);

inline constexpr size_t kMostPublishedWindows = 4096;

}  // namespace quorla
