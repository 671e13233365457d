#pragma once
// When the browser's check worker checks and when it may show a drop.
#include "win/types.h"

// The least interval: one minute, whatever the settings say.
constexpr DWORD kLeastCheckMinutes = 1;
// A drop is shown only when more than this many seconds passed since the
// pop-up was last seen or shown.
constexpr LONGLONG kPopupSpacingSeconds = 10;

// Whether a check is due at now (seconds since 1970) when the last one was
// at lastCheck and checks come every intervalMinutes: at or after lastCheck
// plus the interval. An interval below one minute counts as one; the
// interval in seconds is formed in 64 bits. A lastCheck later than now
// counts as now (it is moved there), so a clock set back does not stop
// checks until it catches up.
bool IsCheckDue(ULONGLONG now, ULONGLONG& lastCheck, DWORD intervalMinutes);

// Whether a drop may be shown at now when the pop-up was last seen or shown
// at lastPopup (the low 32 bits of its time): more than ten seconds later.
bool MayShowDrop(LONGLONG now, DWORD lastPopup);
