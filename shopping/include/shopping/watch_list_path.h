#pragma once
// Where the watch list is stored: "vxbrowser/reduceprice.fg" in the user's
// application-data folder, which is created when missing. Computed afresh on
// every call; empty when the folder cannot be found or made.
#include <string>

std::u16string WatchListPath();
