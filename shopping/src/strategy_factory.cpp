#include "parse_strategy_template.h"
#include "strategy_cache.h"

// Site type 0: the rule-driven shops. Types 1 and 2 (the taobao family) get
// their shop-specific strategy with the price check; until then their pages
// do not parse.
std::unique_ptr<IParseStrategy> CreateStrategyForType(int type) {
  switch (type) {
    case 0:
      return std::make_unique<CParseStrategyTemplate>();
    default:
      return nullptr;
  }
}
