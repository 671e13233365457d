#pragma once
// The text of a private-profile (INI) file as its raw lines, for reading a
// value and for changing one line while every other byte stays as it was.
// A plain value object: one thread at a time.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorla {

class ProfileText {
 public:
  explicit ProfileText(std::string bytes);

  // The value of key in the first section of that name (both matched
  // without regard to case), trimmed of blanks and of one pair of
  // enclosing quotes; nothing when the section or the key is missing.
  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;

  // Sets key=value: replaces the key's line when it exists, else adds the
  // line after the section's last non-blank line, else appends the section
  // and the line at the end. New lines take the file's first line break
  // (LF in a file that has none).
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  const std::string& Bytes() const { return bytes_; }

 private:
  enum class Kind { kBlank, kComment, kSection, kEntry };
  struct Line {
    size_t begin;  // first byte of the content
    size_t end;    // one past the content, before the line break
    size_t next;   // one past the line break
    Kind kind;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // an entry's value, trimmed
  };

  void Parse();
  // Index of the first header of the section, or lines_.size().
  size_t FindSection(std::u16string_view section) const;
  // Index of the key's line inside the section that starts at header, or
  // lines_.size().
  size_t FindEntry(size_t header, std::u16string_view key) const;
  std::string LineBreak() const;
  void Replace(size_t at, size_t count, const std::string& text);

  std::string bytes_;
  std::vector<Line> lines_;
};

}  // namespace quorla
