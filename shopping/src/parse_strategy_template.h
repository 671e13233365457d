#pragma once
// CParseStrategyTemplate: the price strategy of the rule-driven shops (site
// type 0). It follows the site's rules in order; the first rule whose path
// of element searches ends at an element with a price in its text wins.
// Holds no data; any number of threads may use one object at once.
#include "framework/com_ptr.h"
#include "parse_strategy.h"
#include "price_path.h"

class CParseStrategyTemplate : public IParseStrategy {
 public:
  HRESULT Parse(IHTMLDocument2* document, ReducePriceItem* item, const std::vector<std::u16string>* rules) override;
};

// One rule: S_OK with item->CurrentPrice set, or E_FAIL with item untouched.
HRESULT EvaluatePricePath(const std::u16string& rule, IHTMLDocument2* document, ReducePriceItem* item);
// The first element inside scope (in document order, not scope itself)
// whose tag name, id and whole class attribute match the step, ignoring
// case; an empty id or class matches any.
bool FindStepElement(IHTMLElement* scope, const PathStep& step, S_COM::ComPtr<IHTMLElement>& found);
