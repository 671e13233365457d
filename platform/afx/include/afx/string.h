#pragma once
// CStringW: a growable UTF-16 text with the framework's operations. Indexes
// and lengths count UTF-16 units. Case-blind operations fold letters as the
// layer's string helpers do. A CStringW passed to a printf-style function
// must be passed as GetString() (or cast to LPCWSTR): the compiler refuses
// the object itself.
//
// Not thread-safe: one text is used by one thread at a time.
#include <cstdarg>
#include <string>
#include <utility>

#include "win/types.h"

class CStringW {
 public:
  CStringW() = default;
  CStringW(LPCWSTR text) : text_(text ? text : u"") {}
  CStringW(LPCWSTR text, int length);
  explicit CStringW(WCHAR ch, int repeat = 1);
  CStringW(const std::u16string& text) : text_(text) {}
  CStringW(std::u16string&& text) : text_(std::move(text)) {}

  CStringW& operator=(LPCWSTR text) {
    text_ = text ? text : u"";
    return *this;
  }
  CStringW& operator=(WCHAR ch) {
    text_.assign(1, ch);
    return *this;
  }

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  LPCWSTR GetString() const { return text_.c_str(); }
  operator LPCWSTR() const { return text_.c_str(); }
  const std::u16string& str() const { return text_; }

  WCHAR GetAt(int index) const { return text_.at(static_cast<size_t>(index)); }
  WCHAR operator[](int index) const { return GetAt(index); }
  void SetAt(int index, WCHAR ch) { text_.at(static_cast<size_t>(index)) = ch; }

  CStringW& operator+=(const CStringW& other) {
    text_ += other.text_;
    return *this;
  }
  CStringW& operator+=(LPCWSTR text) {
    if (text) text_ += text;
    return *this;
  }
  CStringW& operator+=(WCHAR ch) {
    text_ += ch;
    return *this;
  }
  void Append(LPCWSTR text) { *this += text; }
  void Append(LPCWSTR text, int length);
  void AppendChar(WCHAR ch) { text_ += ch; }

  // <0, 0 or >0 as this text sorts before, with or after the other, by
  // code units; CompareNoCase folds letters first.
  int Compare(LPCWSTR other) const;
  int CompareNoCase(LPCWSTR other) const;

  // Parts. Counts and positions are clamped to the text: Left(-1) and
  // Mid(100) give an empty text, Right(100) the whole text.
  CStringW Left(int count) const;
  CStringW Mid(int first) const;
  CStringW Mid(int first, int count) const;
  CStringW Right(int count) const;

  // The index of the first occurrence at or after start, or -1. An empty
  // text to find is found at start (when start lies inside the text).
  int Find(WCHAR ch, int start = 0) const;
  int Find(LPCWSTR text, int start = 0) const;
  int ReverseFind(WCHAR ch) const;
  int FindOneOf(LPCWSTR characters) const;

  // Replaces every occurrence, left to right, without rescanning replaced
  // text; returns how many were replaced. An empty or null old text
  // replaces nothing.
  int Replace(WCHAR oldChar, WCHAR newChar);
  int Replace(LPCWSTR oldText, LPCWSTR newText);
  // Removes up to count units at index; returns the new length.
  int Delete(int index, int count = 1);
  // Inserts at index (clamped to the ends); returns the new length.
  int Insert(int index, LPCWSTR text);
  int Insert(int index, WCHAR ch);
  int Remove(WCHAR ch);

  // White space is blank, tab, line feed, vertical tab, form feed and
  // carriage return.
  CStringW& Trim();
  CStringW& TrimLeft();
  CStringW& TrimRight();
  CStringW& Trim(WCHAR ch);
  CStringW& TrimLeft(WCHAR ch);
  CStringW& TrimRight(WCHAR ch);
  CStringW& Trim(LPCWSTR characters);
  CStringW& TrimLeft(LPCWSTR characters);
  CStringW& TrimRight(LPCWSTR characters);

  CStringW& MakeLower();
  CStringW& MakeUpper();
  CStringW& MakeReverse();

  // printf-style formatting through the layer's wide formatting (the
  // conversions it documents); a format the layer cannot produce leaves the
  // text empty.
  void Format(LPCWSTR format, ...);
  void AppendFormat(LPCWSTR format, ...);

  // String id of the program's string table (AfxGetResourceHandle); FALSE
  // and an empty text when there is no such string.
  BOOL LoadString(UINT id);

  // Direct access: GetBuffer gives room for at least minLength units plus
  // a terminator, holding the text so far; ReleaseBuffer ends the access,
  // the text then ending at newLength units or, with -1, at the first zero.
  LPWSTR GetBuffer(int minLength);
  LPWSTR GetBuffer() { return GetBuffer(GetLength()); }
  LPWSTR GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  friend bool operator==(const CStringW& a, const CStringW& b) { return a.text_ == b.text_; }
  friend bool operator==(const CStringW& a, LPCWSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(LPCWSTR a, const CStringW& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CStringW& a, const CStringW& b) { return !(a == b); }
  friend bool operator!=(const CStringW& a, LPCWSTR b) { return !(a == b); }
  friend bool operator!=(LPCWSTR a, const CStringW& b) { return !(a == b); }
  friend bool operator<(const CStringW& a, const CStringW& b) { return a.text_ < b.text_; }

  friend CStringW operator+(const CStringW& a, const CStringW& b) { return CStringW(a.text_ + b.text_); }
  friend CStringW operator+(const CStringW& a, LPCWSTR b) {
    CStringW joined(a);
    joined += b;
    return joined;
  }
  friend CStringW operator+(LPCWSTR a, const CStringW& b) {
    CStringW joined(a);
    joined += b;
    return joined;
  }
  friend CStringW operator+(const CStringW& a, WCHAR b) {
    CStringW joined(a);
    joined += b;
    return joined;
  }
  friend CStringW operator+(WCHAR a, const CStringW& b) {
    CStringW joined(a);
    joined += b;
    return joined;
  }

 private:
  void FormatAppending(LPCWSTR format, va_list args);
  std::u16string text_;
};

using CString = CStringW;
