#pragma once
// A product page of a rule-driven shop, about 1 MB, built the way such pages
// look: a head with scripts and styles, navigation, the product summary with
// its price, then long description, parameter and review lists.
#include <string>

inline std::u16string BuildProductPage(std::size_t targetUnits = 1 << 19) {
  std::u16string page =
      u"<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>华为 Mate 60 Pro 12GB+512GB 雅川青"
      u" 手机 - 京东</title><meta name=\"keywords\" content=\"手机,华为\"><link rel=\"stylesheet\" href=\"//x/a.css\">"
      u"<style>.p-price{color:#e4393c}.summary{margin:0}</style><script>var pageConfig = {product: {skuid: 100012043978,"
      u" name: '华为', src: 'jfs/t1/x.jpg', cat: [9987,653,655], colorSize: [";
  for (int i = 0; i < 300; ++i) page += u"{\"颜色\":\"雅川青\",\"版本\":\"12GB+512GB\",\"skuId\":1000120439" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"},";
  page += u"]}};</script></head><body><div id=\"shortcut\"><ul class=\"fl\">";
  for (int i = 0; i < 200; ++i)
    page += u"<li class=\"dorpdown\"><a href=\"//www.jd.com/c/" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
            u"\" target=\"_blank\">分类 " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"</a></li>";
  page += u"</ul></div><div class=\"w\"><div class=\"crumb fl clearfix\"><div class=\"item first\"><a href=\"//shouji.jd.com\">手机通讯</a></div></div>"
          u"<div class=\"product-intro clearfix\"><div class=\"preview-wrap\"><div class=\"spec-list\"><ul class=\"lh\">";
  for (int i = 0; i < 12; ++i) page += u"<li><img alt=\"图\" src=\"//img.jd.com/n5/jfs/t1/x.jpg\" width=\"54\" height=\"54\"></li>";
  page += u"</ul></div></div><div class=\"itemInfo-wrap\"><div class=\"sku-name\">华为 Mate 60 Pro</div>"
          u"<div class=\"summary summary-first\"><div class=\"summary-price-wrap\"><div class=\"summary-price J-summary-price\">"
          u"<div class=\"dt\">京 东 价</div><div class=\"dd\"><span class=\"p-price\"><span>￥</span><span class=\"price J-p-100012043978\">6999.00</span></span>"
          u"<a class=\"notice J-notify-sale\" href=\"#none\">降价通知</a></div></div></div></div></div></div>"
          u"<div class=\"detail\"><div class=\"tab-con\"><ul class=\"parameter2 p-parameter-list\">";
  int review = 0;
  while (page.size() < targetUnits) {
    page += u"<li title=\"商品名称\">商品名称：华为Mate60 Pro</li><li title=\"商品编号\">商品编号：100012043978</li>"
            u"<div class=\"comment-item\" data-guid=\"c" + std::u16string(1, static_cast<char16_t>(u'0' + review % 10)) +
            u"\"><div class=\"user-column\"><div class=\"user-info\"><img src=\"//storage.jd.com/i.png\" width=\"25\" height=\"25\">"
            u"<span>j***用户</span></div></div><div class=\"comment-column J-comment-column\"><div class=\"comment-star star5\"></div>"
            u"<p class=\"comment-con\">手机很好用，拍照清晰，续航也不错，物流很快，包装完好。值得购买！</p>"
            u"<div class=\"comment-message\"><div class=\"order-info\"><span>雅川青</span><span>12GB+512GB</span>"
            u"<span>2023-10-0" + std::u16string(1, static_cast<char16_t>(u'1' + review % 9)) + u" 12:30</span></div></div></div></div>";
    ++review;
  }
  page += u"</ul></div></div></div><div id=\"footer\"><p>Copyright © 2004-2023 京东JD.com 版权所有</p></div>"
          u"<script src=\"//misc.360buyimg.com/jdf/lib/jquery.js\"></script></body></html>";
  return page;
}
