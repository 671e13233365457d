#include "parse_strategy_taobao.h"
#include "parse_strategy_template.h"
#include "strategy_cache.h"

// Site type 0: the rule-driven shops; types 1 and 2: the taobao family, one
// object each.
std::unique_ptr<IParseStrategy> CreateStrategyForType(int type) {
  switch (type) {
    case 0:
      return std::make_unique<CParseStrategyTemplate>();
    case 1:
    case 2:
      return std::make_unique<CParseStrategyTaoBao>();
    default:
      return nullptr;
  }
}
