// The shipped library file: its class table hands out one shared parser and
// one shared watch list.
#include "framework/s_module.h"
#include "shopping/html_parser.h"
#include "shopping/reduce_price_mgr.h"
#include "test_support.h"
#include "win/modules.h"

namespace {

using namespace shopping_test;

S_COM::ISModule* VendrixModule() {
  std::u16string path;
  for (char c : std::string(QUORLA_BIN_DIR) + "/Vendrix.dll") path += static_cast<char16_t>(c);
  HMODULE library = LoadLibraryW(path.c_str());
  if (!library) return nullptr;
  auto entry = reinterpret_cast<S_COM::ISModule* (*)()>(GetProcAddress(library, "GetModuleInstance"));
  return entry ? entry() : nullptr;
}

template <class I>
I* Create(S_COM::ISModule* module, const char16_t* name) {
  void* out = nullptr;
  EXPECT_EQ(module->CreateInstance(name, nullptr, InterfaceId<I>::value(), &out), S_OK) << Narrow(name);
  return static_cast<I*>(out);
}

TEST(VendrixLibrary, SharedParserAndWatchList) {
  TempConfigHome home;
  S_COM::ISModule* module = VendrixModule();
  ASSERT_NE(module, nullptr);
  IHtmlParser* parser = Create<IHtmlParser>(module, u"CHtmlParser");
  IHtmlParser* again = Create<IHtmlParser>(module, u"CHtmlParser");
  ASSERT_NE(parser, nullptr);
  EXPECT_EQ(parser, again);
  IReducePriceMgr* manager = Create<IReducePriceMgr>(module, u"CReducePriceMgr");
  IReducePriceMgr* same = Create<IReducePriceMgr>(module, u"CReducePriceMgr");
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager, same);

  // The parser read the site table beside the program.
  const char16_t* page = u"<title>t</title><span class=\"p-price\">¥12.50</span>";
  ReducePriceItem item = MakeItem(u"");
  ASSERT_EQ(parser->ParseHtml(page, u"https://item.jd.com/5.html", &item), S_OK);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 12.5);
  EXPECT_EQ(manager->AddItem(&item), 1u);
  EXPECT_EQ(manager->Save(), S_OK);
  EXPECT_TRUE(fs::exists(home.watchList()));

  for (IUnknown* p : {static_cast<IUnknown*>(parser), static_cast<IUnknown*>(again),
                      static_cast<IUnknown*>(manager), static_cast<IUnknown*>(same)})
    p->Release();
  void* out = nullptr;
  EXPECT_NE(module->CreateInstance(u"CParseStrategyTaoBao", nullptr, IID_IUnknown, &out), S_OK);
}

}  // namespace
