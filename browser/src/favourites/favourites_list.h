#pragma once
// The process-wide favourites list: built empty with the program's other
// process-wide objects, filled once by LoadCollectList and torn down with
// them on the ordinary exit. User-interface thread.
#include "collect_entry.h"

void BuildFavouritesList();
void TearDownFavouritesList();
// The list; an empty one before BuildFavouritesList or after teardown.
CollectList& FavouritesList();
