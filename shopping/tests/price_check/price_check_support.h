#pragma once
// Helpers of the price-check tests: fixture shop pages, the local server's
// addresses under the fixture shops' names, and the deployed libraries.
//
// This program lives in a folder of its own: its config folder holds the
// fixture shops' site table (rules.localhost: rule-driven; tb.localhost and
// tmall.localhost: the taobao family), which the page parser reads beside
// the program, and Gravik.dll and Pelmor.dll lie beside it, so the shopping
// code linked into it creates them by name as Vendrix.dll does.
#include <string>

#include "deployed_modules.h"
#include "http_test_server.h"
#include "shopping/reduce_price_mgr.h"
#include "test_support.h"
#include "win/text_encoding.h"

namespace price_check_test {

using shopping_test::Encode;

inline std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// http://<host>:<port><path> on the test server.
inline std::string ShopUrl(const quorla::testing::HttpTestServer& server, const std::string& host,
                           const std::string& path) {
  return "http://" + host + ":" + std::to_string(server.Port()) + path;
}

// A product page of the rule-driven shop, its price in the element the
// shop's rule names; head declares the character set (or not).
inline std::u16string RuleShopPage(const std::u16string& price, const std::u16string& head = u"") {
  return u"<html><head>" + head + u"<title>商品 " + price + u"</title></head><body>" +
         u"<div class=\"nav\"><span class=\"价格\">1.00</span></div>" +
         u"<div class=\"product\"><h1>手机</h1><span class=\"价格\">￥" + price + u"</span></div></body></html>";
}

// A product page of a taobao-family shop: the shop block with a listed
// price and, when promotionUrl is not empty, promotion data naming it.
inline std::u16string TbShopPage(const std::u16string& listed, const std::string& promotionUrl = "") {
  std::u16string block = u"<strong id=\"J_StrPrice\">" + listed + u"</strong>";
  if (!promotionUrl.empty())
    block += u"<span id=\"J_VipPriceData\">{promoteUrl:\"" + Wide(promotionUrl) + u"\",isVip:false}</span>";
  return u"<html><head><meta charset=\"gbk\"><title>宝贝</title></head><body><div class=\"tb-wrap\">" + block +
         u"</div></body></html>";
}

// A promotion reply as the shops send it: the JSON wrapped in a call.
inline std::string PromotionReply(const std::string& promPrice) {
  return "jsonp142({\"promList\":[{\"policyList\":[{\"promPrice\":" + promPrice + "}]}]});";
}

// The watch list of the deployed Vendrix.dll (one shared instance per
// process, loaded from the watch-list file when first made).
inline S_COM::ComPtr<IReducePriceMgr> DeployedManager() {
  return MakeDeployed<IReducePriceMgr>("Vendrix.dll", u"CReducePriceMgr");
}

}  // namespace price_check_test
