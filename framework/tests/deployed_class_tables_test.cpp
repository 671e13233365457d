// The deployed libraries: each hands out its own module object, whose class
// table matches names by case-blind prefixes in slot order and keeps one
// instance of each shared class.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <set>

#include "download/http_download.h"
#include "framework/com_ptr.h"
#include "framework/s_module.h"
#include "kernel/async_result.h"
#include "kernel/binary_buffer.h"
#include "kernel/lib_png.h"
#include "kernel/url_moniker.h"
#include "shopping/html_parser.h"
#include "shopping/reduce_price_mgr.h"
#include "win/modules.h"

using S_COM::ComPtr;

namespace {

S_COM::ISModule* DeployedModule(const char16_t* file) {
  HMODULE library = LoadLibraryW((std::u16string(u"" QUORLA_BIN_DIR_U) + u"/" + file).c_str());
  auto entry = library ? reinterpret_cast<S_COM::ISModule* (*)()>(GetProcAddress(library, "GetModuleInstance"))
                       : nullptr;
  return entry ? entry() : nullptr;
}

// The watch-list manager reads its file when it is made: keep it away from
// the user's own folder.
class DeployedClassTables : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorla-tables-XXXXXX").string();
    home_ = mkdtemp(pattern.data());
    setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(home_); }

 private:
  std::string home_;
};

TEST_F(DeployedClassTables, EachLibraryHandsOutItsOwnModuleObject) {
  std::set<S_COM::ISModule*> modules;
  for (const char16_t* library : {u"Gravik.dll", u"Pelmor.dll", u"Vendrix.dll"}) {
    S_COM::ISModule* object = DeployedModule(library);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(DeployedModule(library), object);  // the same static object every time
    EXPECT_TRUE(object->CanUnloadNow());
    modules.insert(object);
  }
  EXPECT_EQ(modules.size(), 3u);
}

TEST_F(DeployedClassTables, ClassNamesMatchCaseBlindPrefixesInSlotOrder) {
  S_COM::ISModule* v = DeployedModule(u"Vendrix.dll");
  S_COM::ISModule* g = DeployedModule(u"Gravik.dll");
  S_COM::ISModule* p = DeployedModule(u"Pelmor.dll");
  ASSERT_TRUE(v && g && p);

  struct Case {
    S_COM::ISModule* module;
    const char16_t* name;
    const IID* iid;
    HRESULT expected;
  } cases[] = {
      {v, u"CHtmlParser", &IID_IHtmlParser, S_OK},
      {v, u"chtmlparser", &IID_IHtmlParser, S_OK},
      {v, u"CHtml", &IID_IHtmlParser, S_OK},
      {v, u"CHtmlParserX", &IID_IHtmlParser, E_FAIL},
      {v, u"", &IID_IHtmlParser, S_OK},  // the first class of the table
      {v, u"CReducePriceMgr", &IID_IReducePriceMgr, S_OK},
      {v, u"CReducePriceMgr", &IID_IHtmlParser, E_NOINTERFACE},
      {g, u"", &IID_IBinaryBuffer, S_OK},
      {g, u"CFAsyncResult", &IID_IFAsyncResult, S_OK},
      {g, u"CLibPng", &IID_ILibPng, S_OK},
      {g, u"CUrlMoniker", &IID_IUrlMoniker, S_OK},
      {g, u"C", &IID_IBinaryBuffer, S_OK},  // "C" is a leading part of the first class
      {p, u"", &IID_IHttpDownload, S_OK},
      {p, u"CHttpDownloadX", &IID_IHttpDownload, E_FAIL},
  };
  for (const Case& c : cases) {
    IUnknown* object = nullptr;
    EXPECT_EQ(c.module->CreateInstance(c.name, nullptr, *c.iid, reinterpret_cast<void**>(&object)), c.expected)
        << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
    if (object) object->Release();
  }
}

TEST_F(DeployedClassTables, SharedClassesGiveOneObjectPerProcess) {
  S_COM::ISModule* g = DeployedModule(u"Gravik.dll");
  ASSERT_TRUE(g);
  ComPtr<ILibPng> png1, png2;
  ASSERT_EQ(g->CreateInstance(u"CLibPng", nullptr, IID_ILibPng, png1.PutVoid()), S_OK);
  ASSERT_EQ(g->CreateInstance(u"CLibPng", nullptr, IID_ILibPng, png2.PutVoid()), S_OK);
  EXPECT_EQ(png1.Get(), png2.Get());
  ComPtr<IBinaryBuffer> buffer1, buffer2;  // not shared: a new buffer each time
  ASSERT_EQ(g->CreateInstance(u"CBinaryBuffer", nullptr, IID_IBinaryBuffer, buffer1.PutVoid()), S_OK);
  ASSERT_EQ(g->CreateInstance(u"CBinaryBuffer", nullptr, IID_IBinaryBuffer, buffer2.PutVoid()), S_OK);
  EXPECT_NE(buffer1.Get(), buffer2.Get());
  EXPECT_FALSE(g->CanUnloadNow());
}

}  // namespace
