#pragma once
// Reading an outside XML file safely with TinyXML, shared by the readers of
// the program's configuration files. TinyXML recurses once per level of
// nesting, and steps over a multibyte sequence by the length its lead byte
// announces, even past the end of the text: a reader first checks the
// nesting and then parses a padded copy. Any thread.
#include <string>

// Deeper than any of the program's files is ever nested.
constexpr int kMaxXmlNesting = 256;

// The whole file at path (as the host names files: UTF-8); false when it
// cannot be opened or read to the end.
bool ReadWholeXmlFile(const std::string& path, std::string* bytes);
// Whether no element of the XML text lies deeper than limit. Reads tags
// only roughly (markup inside comments counts as well), which errs on the
// safe side.
bool XmlNestingWithin(const std::string& xml, int limit);
// The text followed by zero bytes, so that any step past its end stays
// inside the buffer; empty when the text is nested too deeply for the
// reader.
std::string GuardedXmlText(const std::string& xml);
