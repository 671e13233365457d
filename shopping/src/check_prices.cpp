#include "reduce_price_mgr.h"

// The price check downloads every watched page and compares prices; it comes
// with the download component. Until then the operation says so.
HRESULT CReducePriceMgr::CheckPrices(IBinaryBuffer** dropped) { return E_NOTIMPL; }
