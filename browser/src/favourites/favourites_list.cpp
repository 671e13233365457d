#include "favourites_list.h"

#include <utility>

namespace {

CollectList* g_list = nullptr;

}  // namespace

void BuildFavouritesList() {
  if (!g_list) g_list = new CollectList;
}

void TearDownFavouritesList() {
  // The entries go with it: nothing refers to them once the program exits.
  delete std::exchange(g_list, nullptr);
}

CollectList& FavouritesList() {
  // Tests that never build the process objects still get a list.
  if (!g_list) BuildFavouritesList();
  return *g_list;
}
