#include "share_address.h"

#include "vxshared/price_integer.h"

const char16_t kShareServiceAddress[] = u"http://share.quorla.example";
const char16_t kProductHomePage[] = u"http://www.quorla.example/";

namespace {

constexpr std::size_t kTitleExcerptUnits = 20;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool IsUnreserved(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
         byte == '-' || byte == '_' || byte == '.' || byte == '~';
}

void AppendUtf8(std::u16string& out, char32_t codePoint) {
  unsigned char bytes[4];
  int count;
  if (codePoint < 0x80) {
    bytes[0] = static_cast<unsigned char>(codePoint);
    count = 1;
  } else if (codePoint < 0x800) {
    bytes[0] = static_cast<unsigned char>(0xC0 | (codePoint >> 6));
    bytes[1] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
    count = 2;
  } else if (codePoint < 0x10000) {
    bytes[0] = static_cast<unsigned char>(0xE0 | (codePoint >> 12));
    bytes[1] = static_cast<unsigned char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[2] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
    count = 3;
  } else {
    bytes[0] = static_cast<unsigned char>(0xF0 | (codePoint >> 18));
    bytes[1] = static_cast<unsigned char>(0x80 | ((codePoint >> 12) & 0x3F));
    bytes[2] = static_cast<unsigned char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[3] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
    count = 4;
  }
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  for (int i = 0; i < count; ++i) {
    if (IsUnreserved(bytes[i])) {
      out += static_cast<char16_t>(bytes[i]);
    } else {
      out += u'%';
      out += kHex[bytes[i] >> 4];
      out += kHex[bytes[i] & 0x0F];
    }
  }
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string_view BoundedText(const WCHAR* text, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && text[length] != 0) ++length;
  return std::u16string_view(text, length);
}

std::u16string_view ShareTitleExcerpt(std::u16string_view title) {
  if (title.size() <= kTitleExcerptUnits) return title;
  std::size_t units = kTitleExcerptUnits;
  if (IsHighSurrogate(title[units - 1])) --units;
  return title.substr(0, units);
}

std::u16string PercentEncodeUtf8(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t codePoint = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      codePoint = 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      codePoint = 0xFFFD;
    }
    AppendUtf8(out, codePoint);
  }
  return out;
}

std::u16string ShareMessage(const ReducePriceItem& item) {
  const std::u16string_view title = BoundedText(item.Title, sizeof item.Title / sizeof item.Title[0]);
  std::u16string message = u"我使用Quorla购物浏览器关注的商品降价啦！";
  message += ShareTitleExcerpt(title);
  message += u"，原价" + Decimal(PriceIntegerPart(item.PreviousPrice));
  message += u"元，现价" + Decimal(PriceIntegerPart(item.CurrentPrice));
  message += u"元，直降" + Decimal(PriceIntegerPart(item.PreviousPrice - item.CurrentPrice));
  message += u"元。强力推荐喜欢购物的朋友使用@Quorla购物浏览器，下载地址：";
  message += kProductHomePage;
  message += u"。降价商品地址：";
  return message;
}

std::u16string BuildShareAddress(UINT service, const ReducePriceItem& item) {
  std::u16string address = kShareServiceAddress;
  address += u"/send/";
  address += service == ID_SHARE_SINA ? u"?webid=tsina&url=" : u"?webid=tqq&url=";
  address += PercentEncodeUtf8(BoundedText(item.Url, sizeof item.Url / sizeof item.Url[0]));
  address += u"&title=";
  address += PercentEncodeUtf8(ShareMessage(item));
  return address;
}
