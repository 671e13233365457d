#include <gtest/gtest.h>

#include <string>

#include "win/url_parts.h"

namespace {

struct HostCase {
  const char16_t* url;
  HRESULT hr;
  const char16_t* host;
};

TEST(UrlParts, HostNames) {
  const HostCase cases[] = {
      {u"http://item.jd.com/100012043978.html", S_OK, u"item.jd.com"},
      {u"https://Detail.TMALL.com/item.htm?id=1", S_OK, u"Detail.TMALL.com"},
      {u"http://user:pw@www.amazon.cn:8080/dp/B0", S_OK, u"www.amazon.cn"},
      {u"http://product.dangdang.com", S_OK, u"product.dangdang.com"},
      {u"http://a.b.com?x=1", S_OK, u"a.b.com"},
      {u"http://a.b.com#top", S_OK, u"a.b.com"},
      {u"http:\\\\www.suning.com\\x", S_OK, u"www.suning.com"},
      {u"http://[::1]:80/", S_OK, u"[::1]"},
      {u"ftp://files.example.org/a", S_OK, u"files.example.org"},
      {u"www.jd.com/item", E_FAIL, nullptr},
      {u"item.jd.com", E_FAIL, nullptr},
      {u"c:\\pages\\item.html", E_FAIL, nullptr},
      {u"about:blank", E_FAIL, nullptr},
      {u"file:///home/page.html", E_FAIL, nullptr},
      {u"http://", E_FAIL, nullptr},
      {u"http:///path", E_FAIL, nullptr},
      {u"", E_FAIL, nullptr},
      {u"1http://x.com/", E_FAIL, nullptr},
  };
  for (const HostCase& c : cases) {
    WCHAR host[260] = u"unchanged";
    DWORD size = 260;
    HRESULT hr = UrlGetPartW(c.url, host, &size, URL_PART_HOSTNAME, 0);
    EXPECT_EQ(hr, c.hr) << std::string(c.url, c.url + std::char_traits<char16_t>::length(c.url));
    if (c.host) {
      EXPECT_EQ(std::u16string(host), c.host);
      EXPECT_EQ(size, std::char_traits<char16_t>::length(c.host));
    }
  }
}

TEST(UrlParts, BufferSizeDecidesLongHosts) {
  // A host of 259 characters fits a buffer of 260; one of 260 does not.
  const struct {
    std::size_t length;
    HRESULT hr;
    DWORD size;  // the host's length, or the room it needs
  } cases[] = {{259, S_OK, 259}, {260, E_POINTER, 261}};
  for (const auto& c : cases) {
    std::u16string url = u"http://" + std::u16string(c.length - 4, u'a') + u".com/x";
    WCHAR host[260];
    DWORD size = 260;
    EXPECT_EQ(UrlGetPartW(url.c_str(), host, &size, URL_PART_HOSTNAME, 0), c.hr) << c.length;
    EXPECT_EQ(size, c.size) << c.length;
  }
}

TEST(UrlParts, SchemeAndBadArguments) {
  WCHAR out[16];
  DWORD size = 16;
  EXPECT_EQ(UrlGetPartW(u"HTTPS://x.com", out, &size, URL_PART_SCHEME, 0), S_OK);
  EXPECT_EQ(std::u16string(out), u"HTTPS");
  size = 16;
  EXPECT_EQ(UrlGetPartW(nullptr, out, &size, URL_PART_HOSTNAME, 0), E_INVALIDARG);
  EXPECT_EQ(UrlGetPartW(u"http://x.com", nullptr, &size, URL_PART_HOSTNAME, 0), E_INVALIDARG);
  EXPECT_EQ(UrlGetPartW(u"http://x.com", out, nullptr, URL_PART_HOSTNAME, 0), E_INVALIDARG);
  EXPECT_EQ(UrlGetPartW(u"http://x.com", out, &size, 6, 0), E_NOTIMPL);
}

}  // namespace
