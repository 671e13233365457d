#pragma once
// The promotion document of a taobao-family shop: JSON whose members
// "promList" (an array), its first element's "policyList" (an array) and
// that array's first element's "promPrice" (a string) give the promotion
// price. Pure function; anything the JSON reader throws (a nesting too deep
// for it, say) stays inside.
#include "shopping/reduce_price_item.h"

// reply: the document from its first "{" on. One JSON value is read from
// the start and whatever follows it is ignored. Each member must have the
// type named above, tested on the value's own type: "promPrice" may also be
// missing or null (read as empty) or true or false (read as that word), and
// a number or any other type there is no price. When the price text is not
// empty, item->CurrentPrice gets its leading decimal (0.0 when it does not
// begin with a number), whatever price was there, and *gavePrice (when not
// null) tells whether it began with a number. True when the members were
// all there with their types, also with an empty price text.
bool ParsePromotionJson(LPCWSTR reply, ReducePriceItem* item, bool* gavePrice = nullptr);
