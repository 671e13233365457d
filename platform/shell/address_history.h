#pragma once
// The user's history of loaded addresses behind SHAutoComplete
// (win/shell_autocomplete.h): its file, its bounds and the completion it
// offers. Any thread; nothing is cached, every call reads the file.
#include <string>
#include <vector>

namespace quorla {

// "$XDG_DATA_HOME/quorla/address-history" (else under ~/.local/share);
// empty when no folder is known.
std::string AddressHistoryPath();
// Newest first; empty when there is no file.
std::vector<std::u16string> LoadAddressHistory();
// Puts the address at the front (moving it there when already present),
// keeps at most kAddressHistoryLimit, writes the file whole. False when the
// address is not one to keep or the file cannot be written.
bool RecordAddressInHistory(const std::u16string& address);
// typed followed by the rest of the newest address that begins with typed
// (without regard to case, with or without its scheme and "www."); typed
// itself when none does.
std::u16string CompleteFromAddressHistory(const std::u16string& typed);

}  // namespace quorla
