// The class tables of the deployed libraries, asked by name through this
// program's loader: slot order, case-blind prefixes, shared instances.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

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

TEST_F(DeployedClassTables, ClassNamesMatchCaseBlindPrefixesInSlotOrder) {
  HMODULE vendrix = LoadLibraryW((std::u16string(u"" QUORLA_BIN_DIR_U) + u"/Vendrix.dll").c_str());
  HMODULE gravik = LoadLibraryW((std::u16string(u"" QUORLA_BIN_DIR_U) + u"/Gravik.dll").c_str());
  HMODULE pelmor = LoadLibraryW((std::u16string(u"" QUORLA_BIN_DIR_U) + u"/Pelmor.dll").c_str());
  ASSERT_TRUE(vendrix && gravik && pelmor);
  using Entry = S_COM::ISModule* (*)();
  S_COM::ISModule* v = reinterpret_cast<Entry>(GetProcAddress(vendrix, "GetModuleInstance"))();
  S_COM::ISModule* g = reinterpret_cast<Entry>(GetProcAddress(gravik, "GetModuleInstance"))();
  S_COM::ISModule* p = reinterpret_cast<Entry>(GetProcAddress(pelmor, "GetModuleInstance"))();

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
  HMODULE vendrix = LoadLibraryW((std::u16string(u"" QUORLA_BIN_DIR_U) + u"/Vendrix.dll").c_str());
  HMODULE gravik = LoadLibraryW((std::u16string(u"" QUORLA_BIN_DIR_U) + u"/Gravik.dll").c_str());
  ASSERT_TRUE(vendrix && gravik);
  using Entry = S_COM::ISModule* (*)();
  S_COM::ISModule* v = reinterpret_cast<Entry>(GetProcAddress(vendrix, "GetModuleInstance"))();
  S_COM::ISModule* g = reinterpret_cast<Entry>(GetProcAddress(gravik, "GetModuleInstance"))();

  ComPtr<IHtmlParser> a, b;
  ASSERT_EQ(v->CreateInstance(u"CHtmlParser", nullptr, IID_IHtmlParser, a.PutVoid()), S_OK);
  ASSERT_EQ(v->CreateInstance(u"chtml", nullptr, IID_IHtmlParser, b.PutVoid()), S_OK);
  EXPECT_EQ(a.Get(), b.Get());
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
