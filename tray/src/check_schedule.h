#pragma once
// When the check worker runs a price check.
#include "win/types.h"

// Whether a check is due at now (seconds since 1970) when the last one was
// at last (the low 32 bits of its time) and checks come every interval
// minutes: when strictly more than the interval has passed. The sum is taken
// in 64 bits, so no interval, however large, wraps into "due". A time before
// 1970 is never due; one past 2106, whose seconds no longer fit the 32 bits
// that last keeps, always is.
bool IsCheckDue(LONGLONG now, DWORD last, DWORD intervalMinutes);
