#pragma once
// The date on which an item was added to the watch list, as both pop-ups
// print it.
#include "win/time.h"
#include "win/types.h"

// Writes the FILETIME's date, taken as it stands (the watch list stores local
// time), as "year-month-day" without leading zeros ("2012-3-7") into buffer,
// which holds 80 units. Returns 1; 0 for a null buffer, and 0 with an empty
// text for a time past the calendar's range.
int FormatWatchDate(LPWSTR buffer, FILETIME time);
