#pragma once
// The address that shares a price drop on a microblog service: the
// service's send address with the product's address and a ready-made
// message as its query. Both query values are percent-encoded as UTF-8, so
// a "&", "#", "+", "%" or blank in a product's address or title stays part
// of its value instead of cutting or changing the query.
#include <string>
#include <string_view>

#include "shopping/reduce_price_item.h"
#include "win/types.h"

// The share menu's items, which name the services.
constexpr UINT ID_SHARE_SINA = 1004;
constexpr UINT ID_SHARE_TENCENT = 1005;

// The share service's send address and the product's home page named in
// the message; fixed texts without "%".
extern const char16_t kShareServiceAddress[];
extern const char16_t kProductHomePage[];

// The text up to its first zero unit, at most capacity units.
std::u16string_view BoundedText(const WCHAR* text, std::size_t capacity);

// The first 20 units of the title, 19 when the 20th would split a
// surrogate pair.
std::u16string_view ShareTitleExcerpt(std::u16string_view title);

// text as UTF-8 with every byte but A-Z a-z 0-9 - _ . ~ written as "%XX"
// (upper-case hexadecimal). A lone surrogate is taken as U+FFFD.
std::u16string PercentEncodeUtf8(std::u16string_view text);

// The message about the item (its title's excerpt, the former, current and
// dropped prices as whole numbers, the home page), before encoding.
std::u16string ShareMessage(const ReducePriceItem& item);

// The whole share address for the service (ID_SHARE_SINA: Sina Weibo; any
// other: Tencent Weibo); never cut to a length.
std::u16string BuildShareAddress(UINT service, const ReducePriceItem& item);
