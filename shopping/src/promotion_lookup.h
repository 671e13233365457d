#pragma once
// The promotion lookup of a taobao-family shop block: the promotion data
// name a promotion document, which is downloaded through the process's
// download queue ("Pelmor.CHttpDownload") while the calling thread waits,
// and the promotion price is read from it. Nothing lives on between calls.
// Any thread that may block may call (never a user-interface thread).
#include "download/http_download.h"
#include "shopping/reduce_price_item.h"

// How long a lookup waits for its document: 30 minutes.
constexpr DWORD kPromotionWaitMs = 1800000;

HRESULT CreateHttpDownloadByName(IHttpDownload** out);

struct PromotionLookupSettings {
  DWORD waitMs = kPromotionWaitMs;
  // The download queue; by name through this library's loader.
  HRESULT (*createDownload)(IHttpDownload** out) = CreateHttpDownloadByName;
};

// Reads the promotion data in vipData and, when they name a promotion
// document, downloads it and writes its price into item->CurrentPrice
// (ParsePromotionJson); *gavePrice (when not null) tells whether a price
// with a number came. A lookup that cannot be queued ends at once; one that
// does not complete within the settings' wait gives no price, and its
// download may complete later without harm. True when the data named no
// document or the document was read; false when no price could be had.
bool FetchPromotionPrice(LPCWSTR vipData, ReducePriceItem* item, const PromotionLookupSettings& settings,
                         bool* gavePrice = nullptr);
