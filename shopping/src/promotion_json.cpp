#include "promotion_json.h"

#include <json/json.h>

#include <cstring>
#include <memory>
#include <string>

#include "price_text.h"
#include "shopping/text_conversions.h"

namespace {

// A member of an object, or null (also when value is no object): never
// jsoncpp's own indexing, which asserts on the wrong type.
const Json::Value* Member(const Json::Value& value, const char* name) {
  if (!value.isObject()) return nullptr;
  return value.find(name, name + std::strlen(name));
}

// The first element of a non-empty array, or null.
const Json::Value* FirstElement(const Json::Value* array) {
  if (!array || !array->isArray() || array->size() < 1) return nullptr;
  return &(*array)[0];
}

// The promotion price's text; false for a type that gives none.
bool ReadPriceText(const Json::Value* price, std::string& text) {
  if (!price || price->isNull()) {
    text.clear();
    return true;
  }
  if (price->isBool()) {
    text = price->asBool() ? "true" : "false";
    return true;
  }
  if (price->isString()) {
    text = price->asString();
    return true;
  }
  return false;  // numbers, arrays and objects
}

bool ReadDocument(const char* begin, const char* end, Json::Value& root) {
  Json::CharReaderBuilder builder;
  builder["collectComments"] = false;
  builder["failIfExtra"] = false;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string errors;
  return reader->parse(begin, end, &root, &errors);
}

bool ReadPromotionPrice(const char* begin, const char* end, std::string& price) {
  Json::Value root;
  if (!ReadDocument(begin, end, root)) return false;
  const Json::Value* first = FirstElement(Member(root, "promList"));
  if (!first || !first->isObject()) return false;
  const Json::Value* policy = FirstElement(Member(*first, "policyList"));
  if (!policy || !policy->isObject()) return false;
  return ReadPriceText(Member(*policy, "promPrice"), price);
}

}  // namespace

bool ParsePromotionJson(LPCWSTR reply, ReducePriceItem* item, bool* gavePrice) {
  if (gavePrice) *gavePrice = false;
  char* bytes = nullptr;
  int length = 0;
  if (!WideToUtf8(reply, &bytes, &length)) return false;
  std::unique_ptr<char[]> owned(bytes);
  std::string price;
  try {
    if (!ReadPromotionPrice(bytes, bytes + length - 1, price)) return false;  // without the closing zero
  } catch (...) {
    return false;  // the reader's own failures (too deep a nesting, memory)
  }
  std::u16string text = Utf8ToWide(price.c_str());
  if (text.empty()) return true;
  // A promotion price that does not begin with a number ("true", "¥5") is
  // none: read as 0.0 it would replace the listed price with nothing.
  double value = 0.0;
  if (!ReadLeadingDecimal(text, &value)) return true;
  if (item) item->CurrentPrice = value;
  if (gavePrice) *gavePrice = true;
  return true;
}
