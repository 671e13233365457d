#include "promotion_data.h"

#include "text_pieces.h"

bool AddVipDataPair(std::u16string_view piece, PromotionData& data) {
  std::size_t colon = piece.find(u':');
  if (colon == std::u16string_view::npos) return false;
  std::u16string_view key = TrimBlanks(piece.substr(0, colon));
  if (!key.empty() && key.front() == u'{') key.remove_prefix(1);
  std::u16string_view value = TrimBlanks(piece.substr(colon + 1));
  std::size_t brace = value.find(u'}');
  if (brace != std::u16string_view::npos && brace + 1 == value.size()) value.remove_suffix(1);
  data.try_emplace(LowerText(key), value);
  return true;
}

PromotionData ReadPromotionData(std::u16string_view text) {
  PromotionData data;
  for (std::u16string_view piece : SplitAtRuns(text, u',')) AddVipDataPair(piece, data);
  return data;
}

std::u16string PromoteUrlOf(const PromotionData& data) {
  auto it = data.find(u"promoteurl");
  if (it == data.end()) return {};
  std::u16string_view url = it->second;
  while (!url.empty() && url.front() == u'"') url.remove_prefix(1);
  while (!url.empty() && url.back() == u'"') url.remove_suffix(1);
  return std::u16string(url);
}
