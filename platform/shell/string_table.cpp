// String tables: registered from "<id>=<text>" lines into RT_STRING blocks,
// read back with LoadStringW as the platform reads them.
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "utf.h"
#include "win/last_error.h"
#include "win/resources.h"

namespace {

constexpr int kStringsPerBlock = 16;

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

bool ValidUtf8(std::string_view text) {
  return quorla::Utf16ToUtf8(quorla::Utf8ToUtf16(text)) == text;
}

// The strings by id, or nothing when a line is malformed.
std::optional<std::map<WORD, std::u16string>> ParseLines(std::string_view all) {
  std::map<WORD, std::u16string> strings;
  while (!all.empty()) {
    size_t end = all.find('\n');
    std::string_view line = all.substr(0, end);
    all.remove_prefix(end == std::string_view::npos ? all.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    size_t equals = line.find('=');
    if (equals == 0 || equals == std::string_view::npos || equals > 5) return std::nullopt;
    unsigned long id = 0;
    for (char c : line.substr(0, equals)) {
      if (c < '0' || c > '9') return std::nullopt;
      id = id * 10 + static_cast<unsigned long>(c - '0');
    }
    if (id > 0xFFFF) return std::nullopt;
    auto text = Unescape(line.substr(equals + 1));
    if (!text || !ValidUtf8(*text)) return std::nullopt;
    strings[static_cast<WORD>(id)] = quorla::Utf8ToUtf16(*text);
  }
  return strings;
}

// Blocks stay for the life of the process: the resource table points into
// them.
std::vector<WORD>& KeepBlock(std::vector<WORD> block) {
  static auto* kept = new std::vector<std::vector<WORD>*>;
  kept->push_back(new std::vector<WORD>(std::move(block)));
  return *kept->back();
}

}  // namespace

BOOL RegisterStringTableW(HMODULE module, const char* lines, DWORD size) {
  if (!lines && size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto strings = ParseLines(std::string_view(lines ? lines : "", size));
  if (!strings) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  std::map<int, std::vector<std::u16string>> blocks;
  for (const auto& [id, text] : *strings) {
    auto& block = blocks[id / kStringsPerBlock + 1];
    block.resize(kStringsPerBlock);
    block[id % kStringsPerBlock] = text;
  }
  for (const auto& [blockId, texts] : blocks) {
    std::vector<WORD> data;
    for (const std::u16string& text : texts) {
      const size_t length = std::min<size_t>(text.size(), 0xFFFF);
      data.push_back(static_cast<WORD>(length));
      data.insert(data.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    }
    std::vector<WORD>& kept = KeepBlock(std::move(data));
    RegisterResourceW(module, RT_STRING, MAKEINTRESOURCEW(static_cast<WORD>(blockId)), kept.data(),
                      static_cast<DWORD>(kept.size() * sizeof(WORD)));
  }
  return TRUE;
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int maxCount) {
  if (!buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const WORD* text = nullptr;
  int length = 0;
  if (id <= 0xFFFF) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(id / kStringsPerBlock + 1)), RT_STRING);
    const auto* block = resource ? static_cast<const WORD*>(LockResource(LoadResource(instance, resource))) : nullptr;
    const size_t units = resource ? SizeofResource(instance, resource) / sizeof(WORD) : 0;
    size_t at = 0;
    for (UINT i = 0; block && at < units; ++i) {
      const size_t count = block[at];
      if (at + 1 + count > units) break;  // a damaged block ends here
      if (i == id % kStringsPerBlock) {
        text = block + at + 1;
        length = static_cast<int>(count);
        break;
      }
      at += 1 + count;
    }
  }
  if (!text || length == 0) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  if (maxCount == 0) {
    // The caller gets a pointer into the resource, not a copy.
    *reinterpret_cast<const WCHAR**>(buffer) = text ? reinterpret_cast<const WCHAR*>(text) : nullptr;
    return length;
  }
  if (maxCount < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int copied = std::min(length, maxCount - 1);
  if (copied > 0) std::memcpy(buffer, text, static_cast<size_t>(copied) * sizeof(WCHAR));
  buffer[copied] = 0;
  return copied;
}
