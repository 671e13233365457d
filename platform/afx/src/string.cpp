#include "afx/string.h"

#include <algorithm>
#include <cstdarg>
#include <vector>

#include "win/crt_format.h"
#include "win/strings.h"

namespace {

bool IsWhiteSpace(WCHAR ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

bool InSet(WCHAR ch, LPCWSTR characters) {
  for (LPCWSTR c = characters; c && *c; ++c)
    if (*c == ch) return true;
  return false;
}

size_t Clamp(int value, size_t limit) {
  if (value < 0) return 0;
  return std::min(static_cast<size_t>(value), limit);
}

// The longest text Format builds; a larger result is refused.
constexpr size_t kLongestFormatted = size_t{1} << 24;

}  // namespace

CStringW::CStringW(LPCWSTR text, int length) {
  if (text && length > 0) text_.assign(text, static_cast<size_t>(length));
}

CStringW::CStringW(WCHAR ch, int repeat) {
  if (repeat > 0) text_.assign(static_cast<size_t>(repeat), ch);
}

void CStringW::Append(LPCWSTR text, int length) {
  if (text && length > 0) text_.append(text, static_cast<size_t>(length));
}

int CStringW::Compare(LPCWSTR other) const {
  std::u16string_view mine(text_), theirs(other ? other : u"");
  int order = mine.compare(theirs);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int CStringW::CompareNoCase(LPCWSTR other) const {
  int order = StrCmpIW(text_.c_str(), other ? other : u"");
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

CStringW CStringW::Left(int count) const { return CStringW(text_.substr(0, Clamp(count, text_.size()))); }

CStringW CStringW::Mid(int first) const { return CStringW(text_.substr(Clamp(first, text_.size()))); }

CStringW CStringW::Mid(int first, int count) const {
  size_t start = Clamp(first, text_.size());
  return CStringW(text_.substr(start, Clamp(count, text_.size() - start)));
}

CStringW CStringW::Right(int count) const {
  size_t n = Clamp(count, text_.size());
  return CStringW(text_.substr(text_.size() - n));
}

int CStringW::Find(WCHAR ch, int start) const {
  if (start < 0 || static_cast<size_t>(start) >= text_.size()) return -1;
  size_t at = text_.find(ch, static_cast<size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CStringW::Find(LPCWSTR text, int start) const {
  if (!text || start < 0 || static_cast<size_t>(start) > text_.size()) return -1;
  size_t at = text_.find(text, static_cast<size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CStringW::ReverseFind(WCHAR ch) const {
  size_t at = text_.rfind(ch);
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CStringW::FindOneOf(LPCWSTR characters) const {
  for (size_t i = 0; i < text_.size(); ++i)
    if (InSet(text_[i], characters)) return static_cast<int>(i);
  return -1;
}

int CStringW::Replace(WCHAR oldChar, WCHAR newChar) {
  int count = 0;
  for (WCHAR& ch : text_) {
    if (ch != oldChar) continue;
    ch = newChar;
    ++count;
  }
  return count;
}

int CStringW::Replace(LPCWSTR oldText, LPCWSTR newText) {
  if (!oldText || !*oldText) return 0;
  std::u16string_view from(oldText), to(newText ? newText : u"");
  std::u16string result;
  int count = 0;
  size_t done = 0;
  for (size_t at = text_.find(from); at != std::u16string::npos; at = text_.find(from, done)) {
    result.append(text_, done, at - done);
    result.append(to);
    done = at + from.size();
    ++count;
  }
  if (count == 0) return 0;
  result.append(text_, done, std::u16string::npos);
  text_ = std::move(result);
  return count;
}

int CStringW::Delete(int index, int count) {
  if (index >= 0 && count > 0 && static_cast<size_t>(index) < text_.size())
    text_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  return GetLength();
}

int CStringW::Insert(int index, LPCWSTR text) {
  if (text) text_.insert(Clamp(index, text_.size()), text);
  return GetLength();
}

int CStringW::Insert(int index, WCHAR ch) {
  text_.insert(Clamp(index, text_.size()), 1, ch);
  return GetLength();
}

int CStringW::Remove(WCHAR ch) {
  auto removed = std::remove(text_.begin(), text_.end(), ch);
  int count = static_cast<int>(text_.end() - removed);
  text_.erase(removed, text_.end());
  return count;
}

CStringW& CStringW::Trim() { return TrimRight().TrimLeft(); }

CStringW& CStringW::TrimLeft() {
  text_.erase(text_.begin(), std::find_if_not(text_.begin(), text_.end(), IsWhiteSpace));
  return *this;
}

CStringW& CStringW::TrimRight() {
  text_.erase(std::find_if_not(text_.rbegin(), text_.rend(), IsWhiteSpace).base(), text_.end());
  return *this;
}

CStringW& CStringW::Trim(WCHAR ch) { return TrimRight(ch).TrimLeft(ch); }

CStringW& CStringW::TrimLeft(WCHAR ch) {
  text_.erase(0, text_.find_first_not_of(ch));
  return *this;
}

CStringW& CStringW::TrimRight(WCHAR ch) {
  size_t last = text_.find_last_not_of(ch);
  text_.erase(last == std::u16string::npos ? 0 : last + 1);
  return *this;
}

CStringW& CStringW::Trim(LPCWSTR characters) { return TrimRight(characters).TrimLeft(characters); }

CStringW& CStringW::TrimLeft(LPCWSTR characters) {
  auto keep = std::find_if_not(text_.begin(), text_.end(), [&](WCHAR ch) { return InSet(ch, characters); });
  text_.erase(text_.begin(), keep);
  return *this;
}

CStringW& CStringW::TrimRight(LPCWSTR characters) {
  auto keep = std::find_if_not(text_.rbegin(), text_.rend(), [&](WCHAR ch) { return InSet(ch, characters); });
  text_.erase(keep.base(), text_.end());
  return *this;
}

CStringW& CStringW::MakeLower() {
  for (WCHAR& ch : text_) ch = QuorlaLowerUnit(ch);
  return *this;
}

CStringW& CStringW::MakeUpper() {
  for (WCHAR& ch : text_) ch = QuorlaUpperUnit(ch);
  return *this;
}

CStringW& CStringW::MakeReverse() {
  std::reverse(text_.begin(), text_.end());
  return *this;
}

void CStringW::FormatAppending(LPCWSTR format, va_list args) {
  if (!format) return;
  va_list measuring;
  va_copy(measuring, args);
  int length = _vsnwprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  if (length <= 0 || static_cast<size_t>(length) > kLongestFormatted) return;
  std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
  va_list writing;
  va_copy(writing, args);
  int written = _vsnwprintf(buffer.data(), buffer.size(), format, writing);
  va_end(writing);
  if (written > 0) text_.append(buffer.data(), static_cast<size_t>(written));
}

void CStringW::Format(LPCWSTR format, ...) {
  text_.clear();
  va_list args;
  va_start(args, format);
  FormatAppending(format, args);
  va_end(args);
}

void CStringW::AppendFormat(LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  FormatAppending(format, args);
  va_end(args);
}

LPWSTR CStringW::GetBuffer(int minLength) {
  if (minLength > GetLength()) text_.resize(static_cast<size_t>(minLength));
  return text_.data();
}

LPWSTR CStringW::GetBufferSetLength(int length) {
  text_.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return text_.data();
}

void CStringW::ReleaseBuffer(int newLength) {
  size_t length = newLength < 0 ? text_.find(u'\0') : static_cast<size_t>(newLength);
  if (length < text_.size()) text_.resize(length);
}
