#include "parse_strategy_template.h"

#include "element_helpers.h"
#include "price_text.h"
#include "win/strings.h"

using S_COM::ComPtr;

HRESULT CParseStrategyTemplate::Parse(IHTMLDocument2* document, ReducePriceItem* item,
                                      const std::vector<std::u16string>* rules) {
  if (!document || !item || !rules || rules->empty()) return E_FAIL;
  for (const std::u16string& rule : *rules) {
    if (SUCCEEDED(EvaluatePricePath(rule, document, item))) return S_OK;
  }
  return E_FAIL;
}

HRESULT EvaluatePricePath(const std::u16string& rule, IHTMLDocument2* document, ReducePriceItem* item) {
  std::vector<PathStep> steps;
  if (!SplitPricePath(rule.c_str(), steps) || steps.empty()) return E_FAIL;
  ComPtr<IHTMLDocument3> document3 = QueryDocument3(document);
  if (!document3) return E_FAIL;
  ComPtr<IHTMLElement> scope;
  if (FAILED(document3->get_documentElement(scope.Put())) || !scope) return E_FAIL;
  for (const PathStep& step : steps) {
    ComPtr<IHTMLElement> found;
    if (!FindStepElement(scope.Get(), step, found)) return E_FAIL;
    scope = found;
  }
  return ParsePriceText(GetElementText(scope.Get()), &item->CurrentPrice) ? S_OK : E_FAIL;
}

bool FindStepElement(IHTMLElement* scope, const PathStep& step, ComPtr<IHTMLElement>& found) {
  ComPtr<IHTMLElementCollection> all = GetAllElements(scope);
  if (!all) return false;
  LONG length = 0;
  if (FAILED(all->get_length(&length))) return false;
  for (LONG i = 0; i < length; ++i) {
    ComPtr<IHTMLElement> element = CollectionElement(all.Get(), i);
    if (!element) continue;
    if (StrCmpIW(GetElementTagName(element.Get()).c_str(), step.tag.c_str()) != 0) continue;
    if (!step.id.empty() && StrCmpIW(GetElementId(element.Get()).c_str(), step.id.c_str()) != 0) continue;
    if (!step.className.empty() &&
        StrCmpIW(GetElementClassName(element.Get()).c_str(), step.className.c_str()) != 0)
      continue;
    found = element;
    return true;
  }
  return false;
}
