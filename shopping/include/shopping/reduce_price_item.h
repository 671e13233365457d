#pragma once
// The watched-goods record: one product page and its price watch. It is the
// element of the watch list, the result of a page parse and, byte for byte,
// the record of the watch-list file "reduceprice.fg", so its layout is a
// file format: every field keeps its offset and width, little-endian, text
// as zero-terminated UTF-16LE arrays. Records are always copied whole.
#include <bit>
#include <cstddef>
#include <cstring>

#include "win/time.h"
#include "win/types.h"

struct ReducePriceItem {
  LONG Reserved0;         // no meaning; zeroed
  DWORD Id;               // given by the watch list; 0 = not in a list
  WCHAR Title[260];       // the page's title
  WCHAR Text2[260];       // no meaning; zeroed
  double CurrentPrice;    // price last found on the page
  double PreviousPrice;   // the current price when the threshold was last set
  double BasePrice;       // a check reports a price strictly below this one
  LONGLONG Reserved1072;  // no meaning; zeroed
  double Reserved1080;    // no meaning; zeroed
  LONGLONG Reserved1088;  // no meaning; zeroed
  WCHAR Url[2084];        // the product page's address
  WCHAR SiteName[50];     // the shop's display name
  BYTE AlignmentGap[4];   // never read; copied and stored as it is
  FILETIME AddedTime;     // local wall-clock time the watch was added
};

static_assert(std::endian::native == std::endian::little, "the record is stored in host byte order");
static_assert(sizeof(ReducePriceItem) == 5376);
static_assert(alignof(ReducePriceItem) == 8);
static_assert(offsetof(ReducePriceItem, Reserved0) == 0);
static_assert(offsetof(ReducePriceItem, Id) == 4);
static_assert(offsetof(ReducePriceItem, Title) == 8);
static_assert(offsetof(ReducePriceItem, Text2) == 528);
static_assert(offsetof(ReducePriceItem, CurrentPrice) == 1048);
static_assert(offsetof(ReducePriceItem, PreviousPrice) == 1056);
static_assert(offsetof(ReducePriceItem, BasePrice) == 1064);
static_assert(offsetof(ReducePriceItem, Reserved1072) == 1072);
static_assert(offsetof(ReducePriceItem, Reserved1080) == 1080);
static_assert(offsetof(ReducePriceItem, Reserved1088) == 1088);
static_assert(offsetof(ReducePriceItem, Url) == 1096);
static_assert(offsetof(ReducePriceItem, SiteName) == 5264);
static_assert(offsetof(ReducePriceItem, AlignmentGap) == 5364);
static_assert(offsetof(ReducePriceItem, AddedTime) == 5368);

// Zeroes every field of the record but the alignment gap, which is neither
// read nor written; returns item.
inline ReducePriceItem* InitReducePriceItem(ReducePriceItem* item) {
  if (!item) return item;
  item->Reserved0 = 0;
  item->Id = 0;
  std::memset(item->Title, 0, sizeof item->Title);
  std::memset(item->Text2, 0, sizeof item->Text2);
  item->CurrentPrice = 0.0;
  item->PreviousPrice = 0.0;
  item->BasePrice = 0.0;
  item->Reserved1072 = 0;
  item->Reserved1080 = 0.0;
  item->Reserved1088 = 0;
  std::memset(item->Url, 0, sizeof item->Url);
  std::memset(item->SiteName, 0, sizeof item->SiteName);
  item->AddedTime = {0, 0};
  return item;
}
