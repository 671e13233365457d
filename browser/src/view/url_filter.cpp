#include "url_filter.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "win/crt_file.h"
#include "win/text_encoding.h"

namespace {

std::set<std::u16string>& Texts() {
  static std::set<std::u16string> texts;
  return texts;
}

bool IsBlank(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n' || ch == u'\v' || ch == u'\f'; }

std::u16string FromUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (units <= 0) return {};
  std::u16string text(static_cast<size_t>(units), u'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), units);
  return text;
}

std::string ReadWholeFile(LPCWSTR path, bool* opened) {
  std::string bytes;
  FILE* file = ::_wfopen(path, u"rb");
  *opened = file != nullptr;
  if (!file) return bytes;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof(block), file)) > 0) bytes.append(block, got);
  std::fclose(file);
  return bytes;
}

}  // namespace

void LoadUrlFilter() {
  auto& texts = Texts();
  texts.clear();
  bool opened = false;
  std::string bytes = ReadWholeFile(u"iefilter.txt", &opened);
  if (!opened) return;
  std::string_view rest(bytes);
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    std::u16string line = FromUtf8(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    size_t first = 0;
    size_t last = line.size();
    while (first < last && IsBlank(line[first])) ++first;
    while (last > first && IsBlank(line[last - 1])) --last;
    if (first < last) texts.insert(line.substr(first, last - first));
  }
}

bool IsUrlFiltered(LPCWSTR url) {
  if (!url) return false;
  const std::u16string_view address(url);
  for (const auto& text : Texts())
    if (address.find(text) != std::u16string_view::npos) return true;
  return false;
}

const std::set<std::u16string>& UrlFilterTexts() { return Texts(); }
