// The watch-list reader over arbitrary file contents: it must never read
// past the data, and every record it gives must end its texts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "watch_list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WatchListRecords records = ReadWatchListBytes(data, size);
  if (records.size() * sizeof(ReducePriceItem) + 8 > size && !records.empty()) std::abort();
  for (const auto& [position, item] : records) {
    if (std::char_traits<char16_t>::length(item.Title) >= 260 || std::char_traits<char16_t>::length(item.Url) >= 2084 ||
        std::char_traits<char16_t>::length(item.SiteName) >= 50 || std::char_traits<char16_t>::length(item.Text2) >= 260)
      std::abort();
  }
  return 0;
}
