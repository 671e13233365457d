// The favourites file's reader over arbitrary bytes, then the menus and
// the look-ups over what it read.
#include <cstdint>
#include <string>

#include "collect_list_reader.h"
#include "favourite_menus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const CollectList list = ReadCollectList(std::string(reinterpret_cast<const char*>(data), size));
  if (list.size() > static_cast<size_t>(kMaxGroups)) __builtin_trap();
  for (const auto& group : list) {
    if (group->id < kFirstGroupId || group->id >= kFirstGroupId + kMaxGroups) __builtin_trap();
    GroupMenu(*group);
  }
  OverflowMenu(list, kFirstGroupId, kFirstGroupId + kMaxGroups - 1);
  for (int id : {kFirstLinkId, kFirstLinkId + kMaxLinks - 1, kFirstLinkId + kMaxLinks}) {
    const CollectEntry* found = FindFavourite(list, list.empty() ? nullptr : list.front().get(), id);
    if (found && found->id != id) __builtin_trap();
  }
  return 0;
}
