// Window lists that other processes publish: no crash, and a list that is
// accepted is written back as exactly the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "published_windows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  quorla::PublishedList list;
  if (!quorla::ParsePublishedList(text, &list)) {
    if (!list.windows.empty()) std::abort();
    return 0;
  }
  quorla::PublishedList again;
  if (!quorla::ParsePublishedList(quorla::FormatPublishedList(list), &again) ||
      again.windows.size() != list.windows.size())
    std::abort();
  return 0;
}
