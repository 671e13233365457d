#pragma once
// Keys for characters that no key of the keyboard types, bound for good on
// a display before a test types them.
#include <string>
#include <vector>

namespace quorla_desktop {

// Binds each keysym to a keycode that has none, unless some key types it
// already; false when the display cannot be reached or too few keycodes are
// free. xdotool remaps a spare key for such a character only for the moment
// of one press, and a program that reads that press before it has heard of
// the new map types nothing: a key bound beforehand is read like any other.
bool BindKeysyms(const std::string& display, const std::vector<unsigned>& keysyms);

}  // namespace quorla_desktop
