#include "web_address.h"

namespace quorla {

BSTR ToBstr(const QString& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
}

QString EncodedAddress(const QUrl& url) { return QString::fromLatin1(url.toEncoded()); }

QUrl AddressFromTypedText(const QString& typed) {
  const QString text = typed.trimmed();
  if (text.isEmpty()) return {};
  const QUrl address = QUrl::fromUserInput(text);
  if (!address.isValid() || address.scheme().isEmpty()) return {};
  return address;
}

}  // namespace quorla
