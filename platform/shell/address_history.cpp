#include "address_history.h"

#include <algorithm>
#include <string_view>

#include "utf.h"
#include "whole_files.h"
#include "win/shell_autocomplete.h"
#include "win/paths.h"
#include "win/shell_folders.h"

namespace quorla {
namespace {

std::string DataFolder() {
  WCHAR folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder))) return "";
  return Utf16ToUtf8(folder);
}

bool Keepable(const std::u16string& address) {
  if (address.empty() || address.size() > kAddressHistoryMaxLength) return false;
  if (address.find_first_of(u"\r\n") != std::u16string::npos) return false;
  return address.rfind(u"about:", 0) != 0;
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  return true;
}

// The forms of an address a person starts typing: as loaded, without its
// scheme, without "www." too.
std::vector<std::u16string_view> TypedForms(std::u16string_view address) {
  std::vector<std::u16string_view> forms{address};
  for (std::u16string_view scheme : {u"http://", u"https://"}) {
    if (!StartsWithIgnoringCase(address, scheme)) continue;
    std::u16string_view rest = address.substr(scheme.size());
    forms.push_back(rest);
    if (StartsWithIgnoringCase(rest, u"www.")) forms.push_back(rest.substr(4));
  }
  return forms;
}

std::vector<std::u16string> Parse(const std::string& contents) {
  std::vector<std::u16string> addresses;
  size_t start = 0;
  while (start < contents.size() && addresses.size() < kAddressHistoryLimit) {
    size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string_view line(contents.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::u16string address = Utf8ToUtf16(line);
    if (Keepable(address) && std::find(addresses.begin(), addresses.end(), address) == addresses.end())
      addresses.push_back(std::move(address));
    start = end + 1;
  }
  return addresses;
}

}  // namespace

std::string AddressHistoryPath() {
  std::string folder = DataFolder();
  return folder.empty() ? "" : folder + "/quorla/address-history";
}

std::vector<std::u16string> LoadAddressHistory() {
  const std::string path = AddressHistoryPath();
  std::string contents;
  if (path.empty() || ReadWholeFile(path, &contents) != 0) return {};
  return Parse(contents);
}

bool RecordAddressInHistory(const std::u16string& address) {
  const std::string path = AddressHistoryPath();
  if (!Keepable(address) || path.empty()) return false;
  const std::string folder = path.substr(0, path.rfind('/'));
  const std::u16string wideFolder = Utf8ToUtf16(folder);
  SHCreateDirectoryExW(nullptr, wideFolder.c_str(), nullptr);
  // Programs that record at once each read the other's address first.
  FileLock lock(path);
  if (lock.Error() != 0) return false;
  std::vector<std::u16string> addresses = LoadAddressHistory();
  addresses.erase(std::remove(addresses.begin(), addresses.end(), address), addresses.end());
  addresses.insert(addresses.begin(), address);
  if (addresses.size() > kAddressHistoryLimit) addresses.resize(kAddressHistoryLimit);
  std::string contents;
  for (const auto& entry : addresses) contents += Utf16ToUtf8(entry) + "\n";
  return ReplaceLockedWholeFile(path, contents) == 0;
}

std::u16string CompleteFromAddressHistory(const std::u16string& typed) {
  if (typed.empty()) return typed;
  for (const auto& address : LoadAddressHistory())
    for (std::u16string_view form : TypedForms(address))
      if (form.size() > typed.size() && StartsWithIgnoringCase(form, typed))
        return typed + std::u16string(form.substr(typed.size()));
  return typed;
}

}  // namespace quorla
