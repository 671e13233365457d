#pragma once
// Addresses and texts between the engine and the control's callers.
#include <QString>
#include <QUrl>

#include "win/oleauto.h"

namespace quorla {

// A new BSTR of the text (empty, not null, for an empty text).
BSTR ToBstr(const QString& text);

// The address as the engine holds it, every byte outside printable ASCII
// escaped and host names in their ASCII form, so it can be stored and loaded
// again as it is.
QString EncodedAddress(const QUrl& url);

// What typed text stands for, with the engine's fix-up of typed text: blanks
// around it dropped, a missing scheme, a bare host and port, a local path.
// Escaped bytes stay escaped (the toolkit turns only an escaped letter,
// digit or "-._~" into the character). Empty when it names no address.
QUrl AddressFromTypedText(const QString& typed);

// The typed text itself (blanks around it dropped) when it must reach the
// engine exactly as written: a whole http or https address in printable
// ASCII that the toolkit's address type would change, as it does an escaped
// letter, digit or "-._~" (%61 becomes "a"). Empty otherwise.
QString ExactAddressText(const QString& typed);

// A script, for the page's own isolated world, that goes to the address as
// written: replacing the page shown (the control's own empty page), or as a
// followed link that tells no referrer. It answers true once it has asked.
QString ExactNavigationScript(const QString& address, bool replace);

}  // namespace quorla
