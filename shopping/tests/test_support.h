#pragma once
// Helpers shared by the shopping tests: a private application-data folder,
// records, files and page documents.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "framework/com_ptr.h"
#include "shopping/reduce_price_item.h"
#include "win/com_classes.h"
#include "win/mshtml.h"
#include "win/text_encoding.h"

namespace shopping_test {

namespace fs = std::filesystem;

// Points XDG_CONFIG_HOME at a new empty folder for the life of the object.
class TempConfigHome {
 public:
  TempConfigHome() {
    std::string pattern = (fs::temp_directory_path() / "quorla-shop-XXXXXX").string();
    m_dir = mkdtemp(pattern.data());
    setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
  }
  ~TempConfigHome() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
  }
  const fs::path& dir() const { return m_dir; }
  fs::path watchList() const { return m_dir / "vxbrowser" / "reduceprice.fg"; }

 private:
  fs::path m_dir;
};

// Files of this process may not grow past bytes while the object lives: a
// write beyond fails as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_previous);
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, m_previous.rlim_max};
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_previous); }

 private:
  rlimit m_previous{};
};

inline ReducePriceItem MakeItem(const char16_t* url, double current = 0.0, const char16_t* title = u"") {
  ReducePriceItem item;
  InitReducePriceItem(&item);
  std::u16string u(url), t(title);
  std::copy(u.begin(), u.begin() + std::min<std::size_t>(u.size(), 2083), item.Url);
  std::copy(t.begin(), t.begin() + std::min<std::size_t>(t.size(), 259), item.Title);
  item.CurrentPrice = current;
  return item;
}

// The names in a folder.
inline std::set<std::string> FileNames(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The bytes of a watch-list file with the given header and records.
inline std::string WatchListBytes(std::int32_t version, std::int32_t count, const std::vector<ReducePriceItem>& items) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &version, 4);
  std::memcpy(bytes.data() + 4, &count, 4);
  for (const ReducePriceItem& item : items) bytes.append(reinterpret_cast<const char*>(&item), sizeof item);
  return bytes;
}

// A page document built from text, as the parser builds it.
inline S_COM::ComPtr<IHTMLDocument2> LoadDocument(const std::u16string& html) {
  S_COM::ComPtr<IHTMLDocument2> document;
  EXPECT_EQ(CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2,
                             document.PutVoid()),
            S_OK);
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  VARIANT* items = nullptr;
  SafeArrayAccessData(array, reinterpret_cast<void**>(&items));
  items[0].vt = VT_BSTR;
  items[0].bstrVal = SysAllocStringLen(html.data(), static_cast<UINT>(html.size()));
  SafeArrayUnaccessData(array);
  EXPECT_EQ(document->write(array), S_OK);
  SafeArrayDestroy(array);
  EXPECT_EQ(document->close(), S_OK);
  return document;
}

// text in the code page's bytes.
inline std::string Encode(UINT codePage, const std::u16string& text) {
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

inline std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace shopping_test
