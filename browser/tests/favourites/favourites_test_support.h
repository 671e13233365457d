#pragma once
// Helpers of the favourites tests: favourites files in code page 936, and
// icon files of one colour.
#include <string>

namespace favourites_test {

// The text in UTF-8, for messages.
std::string Utf8Of(const std::u16string& text);
// The text in code page 936.
std::string Gbk(const char16_t* text);
// A favourites document: the declaration and root around body (UTF-16,
// written out in code page 936).
std::string CollectXml(const char16_t* body);
// An icon file holding one 16 x 16 image of one colour, 32 bits per pixel.
std::string OneColourIco(unsigned char red, unsigned char green, unsigned char blue);

}  // namespace favourites_test
