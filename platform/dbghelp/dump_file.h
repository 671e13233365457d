#pragma once
// Writing a minidump file at known offsets with plain system calls and a
// fixed buffer; remembers any failure. One file at a time.
#include <cstddef>
#include <cstdint>

namespace dbghelp {

class DumpFile {
 public:
  explicit DumpFile(int fd) : fd_(fd) {}

  uint32_t Here() const { return static_cast<uint32_t>(offset_); }
  bool Ok() const { return ok_ && offset_ < 0xFFFFFFFFull; }

  // Writes at the current end; gives the offset written at.
  uint32_t Write(const void* data, size_t size);
  void WriteAt(uint64_t at, const void* data, size_t size);
  // Pads with zeros to a multiple of to.
  void Align(size_t to);
  // A length-prefixed UTF-16 string (the format's MINIDUMP_STRING) from UTF-8;
  // gives its offset.
  uint32_t WriteString(const char* utf8);
  // Cuts the file at the current end.
  void Truncate();

 private:
  void PutUnit(char16_t unit);
  void Flush();

  int fd_;
  uint64_t offset_ = 0;
  bool ok_ = true;
  size_t pending_ = 0;
};

}  // namespace dbghelp
