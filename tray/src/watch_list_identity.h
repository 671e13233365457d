#pragma once
// Which watch-list file a program last read or wrote: the browser and the
// tray program both save by renaming a new file over the old one, so a save
// by either changes the file's index, and the size and write time change
// with it. Comparing the identity taken when the list was read with the file
// on disk tells whether someone saved since.
#include <string>

#include "win/types.h"

struct WatchListIdentity {
  enum State { kUnknown, kAbsent, kPresent };
  State state = kUnknown;  // kUnknown: never taken, or the file could not be examined
  DWORD volume = 0;
  ULONGLONG index = 0;
  ULONGLONG size = 0;
  ULONGLONG lastWrite = 0;

  // Equal only when both are known and name the same file as it was; an
  // unknown identity equals nothing, not even itself.
  bool SameAs(const WatchListIdentity& other) const;
};

// The identity of the file at path now: kAbsent when there is none.
WatchListIdentity ReadWatchListIdentity(const std::u16string& path);
