#include "profile_text.h"

#include "utf.h"
#include "win/strings.h"

namespace quorla {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view stored, std::u16string_view wanted) {
  std::u16string a = Utf8ToUtf16(stored);
  std::u16string b(wanted);
  return a.size() == b.size() && lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

}  // namespace

ProfileText::ProfileText(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void ProfileText::Parse() {
  lines_.clear();
  size_t at = bytes_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a UTF-8 byte-order mark
  while (at < bytes_.size()) {
    Line line{};
    line.begin = at;
    size_t end = bytes_.find_first_of("\r\n", at);
    if (end == std::string::npos) end = bytes_.size();
    line.end = end;
    line.next = end;
    if (end < bytes_.size()) line.next += bytes_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    std::string_view content = Trim(std::string_view(bytes_).substr(line.begin, line.end - line.begin));
    if (content.empty()) {
      line.kind = Kind::kBlank;
    } else if (content.front() == ';') {
      line.kind = Kind::kComment;
    } else if (content.front() == '[') {
      line.kind = Kind::kSection;
      size_t close = content.find(']');
      line.name = Trim(content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    } else {
      line.kind = Kind::kEntry;
      size_t equals = content.find('=');
      line.name = Trim(content.substr(0, equals));
      if (equals != std::string_view::npos) line.value = Trim(content.substr(equals + 1));
    }
    lines_.push_back(line);
    at = line.next;
  }
}

size_t ProfileText::FindSection(std::u16string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && SameName(lines_[i].name, section)) return i;
  }
  return lines_.size();
}

size_t ProfileText::FindEntry(size_t header, std::u16string_view key) const {
  for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::kSection; ++i) {
    if (lines_[i].kind == Kind::kEntry && SameName(lines_[i].name, key)) return i;
  }
  return lines_.size();
}

std::optional<std::u16string> ProfileText::Find(std::u16string_view section, std::u16string_view key) const {
  size_t header = FindSection(section);
  if (header == lines_.size()) return std::nullopt;
  size_t entry = FindEntry(header, key);
  if (entry == lines_.size()) return std::nullopt;
  std::string_view value = lines_[entry].value;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return Utf8ToUtf16(value);
}

std::string ProfileText::LineBreak() const {
  size_t at = bytes_.find_first_of("\r\n");
  if (at == std::string::npos) return "\n";
  return bytes_.compare(at, 2, "\r\n") == 0 ? "\r\n" : bytes_.substr(at, 1);
}

void ProfileText::Replace(size_t at, size_t count, const std::string& text) {
  bytes_.replace(at, count, text);
  Parse();
}

void ProfileText::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  const std::string entry = Utf16ToUtf8(key) + "=" + Utf16ToUtf8(value);
  const std::string lineBreak = LineBreak();
  size_t header = FindSection(section);
  if (header == lines_.size()) {
    std::string text;
    if (!lines_.empty() && lines_.back().next == lines_.back().end) text += lineBreak;
    text += "[" + Utf16ToUtf8(section) + "]" + lineBreak + entry + lineBreak;
    Replace(bytes_.size(), 0, text);
    return;
  }
  size_t found = FindEntry(header, key);
  if (found != lines_.size()) {
    Replace(lines_[found].begin, lines_[found].end - lines_[found].begin, entry);
    return;
  }
  size_t last = header;
  for (size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::kSection; ++i) {
    if (lines_[i].kind != Kind::kBlank) last = i;
  }
  const Line& after = lines_[last];
  if (after.next == after.end) {  // the file's last line has no line break
    Replace(after.next, 0, lineBreak + entry);
  } else {
    Replace(after.next, 0, entry + lineBreak);
  }
}

}  // namespace quorla
