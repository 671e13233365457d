#include "parse_strategy_taobao.h"

#include <new>

#include "element_helpers.h"
#include "price_text.h"
#include "text_pieces.h"
#include "win/strings.h"

using S_COM::ComPtr;

namespace {

bool IdIs(const std::u16string& id, const char16_t* name) { return StrCmpIW(id.c_str(), name) == 0; }

// The div elements of the document, in document order.
ComPtr<IHTMLElementCollection> DivElements(IHTMLDocument2* document) {
  ComPtr<IHTMLElementCollection> divs;
  ComPtr<IHTMLDocument3> document3 = QueryDocument3(document);
  if (!document3) return divs;
  BSTR name = SysAllocString(u"div");
  if (!name) return divs;
  if (FAILED(document3->getElementsByTagName(name, divs.Put()))) divs.Reset();
  SysFreeString(name);
  return divs;
}

// The first block of each class; false when the elements cannot be walked.
bool FindShopBlocks(IHTMLElementCollection* divs, ComPtr<IHTMLElement>& plain, ComPtr<IHTMLElement>& newShop) {
  LONG length = 0;
  if (FAILED(divs->get_length(&length))) return false;
  for (LONG i = 0; i < length; ++i) {
    ComPtr<IHTMLElement> element = CollectionElement(divs, i);
    if (!element) continue;
    std::u16string className = GetElementClassName(element.Get());
    if (className.empty()) continue;
    std::u16string trimmed(TrimBlanks(className));
    if (StrCmpIW(trimmed.c_str(), u"tb-wrap") == 0) {
      if (!plain) plain = element;
    } else if (StrCmpIW(trimmed.c_str(), u"tb-wrap tb-wrap-newshop") == 0) {
      if (!newShop) newShop = element;
    }
  }
  return true;
}

}  // namespace

HRESULT CParseStrategyTaoBao::Parse(IHTMLDocument2* document, ReducePriceItem* item,
                                    const std::vector<std::u16string>*) {
  if (!document) return E_FAIL;
  try {
    ComPtr<IHTMLElementCollection> divs = DivElements(document);
    if (!divs) return E_FAIL;
    ComPtr<IHTMLElement> plain, newShop;
    if (!FindShopBlocks(divs.Get(), plain, newShop)) return E_FAIL;
    if (static_cast<bool>(plain) == static_cast<bool>(newShop)) return E_FAIL;  // neither, or both
    return ParseShopDiv(item, plain ? plain.Get() : newShop.Get()) ? S_OK : E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_FAIL;
  }
}

bool CParseStrategyTaoBao::ParseShopDiv(ReducePriceItem* item, IHTMLElement* block) const {
  ComPtr<IHTMLElementCollection> all = GetAllElements(block);
  if (!all) return false;
  LONG length = 0;
  if (FAILED(all->get_length(&length))) return false;
  ReducePriceItem fresh{};
  InitReducePriceItem(&fresh);
  bool priced = false;
  for (LONG i = 0; i < length; ++i) {
    ComPtr<IHTMLElement> element = CollectionElement(all.Get(), i);
    if (!element) continue;
    std::u16string id = GetElementId(element.Get());
    if (IdIs(id, u"J_StrPrice") || IdIs(id, u"J_SpanLimitProm")) {
      // A text that does not begin with a number ("¥9.00", "暂无") is no
      // price: read as 0.0 it would undercut every real price and report a
      // drop to nothing.
      double value = 0.0;
      if (!ReadLeadingDecimal(GetElementText(element.Get()), &value)) continue;
      priced = true;
      if ((fresh.CurrentPrice > -0.001 && fresh.CurrentPrice < 0.001) || value < fresh.CurrentPrice)
        fresh.CurrentPrice = value;
    } else if (IdIs(id, u"J_VipPriceData")) {
      bool promoted = false;
      FetchPromotionPrice(GetElementText(element.Get()).c_str(), &fresh, m_lookup, &promoted);
      priced = promoted || priced;
    }
  }
  if (!priced) return false;
  if (item) *item = fresh;
  return true;
}
