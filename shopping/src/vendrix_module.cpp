// Vendrix's class table, in its fixed slot order (slot 0 is always empty).
#include "framework/com_object.h"
#include "html_parser.h"
#include "reduce_price_mgr.h"

namespace {
S_COM::ClassEntry g_htmlParser = S_COM::MakeClassEntry<CHtmlParser>(u"CHtmlParser", true);
S_COM::ClassEntry g_reducePriceMgr = S_COM::MakeClassEntry<CReducePriceMgr>(u"CReducePriceMgr", true);
}  // namespace

S_COM_DEFINE_MODULE(nullptr,
                    &g_htmlParser,     // CHtmlParser
                    &g_reducePriceMgr)  // CReducePriceMgr
