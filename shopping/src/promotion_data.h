#pragma once
// The promotion data of a taobao-family shop block (the text of its
// "J_VipPriceData" element): pairs parted by commas (runs count as one),
// each a key, a colon and a value, such as
//   {promoteUrl:"http://.../promotion.htm?id=1",isVip:false}
// Keys are kept in small letters and the first value of a key counts. The
// one pair the strategy uses is "promoteurl", the address of the promotion
// document. Pure functions over the caller's text.
#include <map>
#include <string>
#include <string_view>

using PromotionData = std::map<std::u16string, std::u16string>;

// Enters one piece: the key is the text before its first colon, trimmed,
// without one "{" at its start (blanks after that brace stay part of the
// key); the value is the text after it, trimmed, without a "}" at its end
// when that is the first "}" in it. False, with nothing entered, for a
// piece without a colon.
bool AddVipDataPair(std::u16string_view piece, PromotionData& data);

// Every piece of text entered in order.
PromotionData ReadPromotionData(std::u16string_view text);

// The value of "promoteurl" without the double quotes at either end; empty
// when there is none.
std::u16string PromoteUrlOf(const PromotionData& data);
