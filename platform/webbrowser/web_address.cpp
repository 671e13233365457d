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

namespace quorla {

QString ExactAddressText(const QString& typed) {
  QString text = typed.trimmed();
  if (text.isEmpty()) return {};
  // Without a scheme, as the fix-up of typed text reads it.
  if (!text.contains(QLatin1String("://"))) {
    if (QUrl::fromUserInput(text).scheme() != QLatin1String("http")) return {};
    text.prepend(QLatin1String("http://"));
  }
  for (QChar c : text)
    if (c.unicode() < 0x21 || c.unicode() > 0x7E) return {};
  const QUrl address = QUrl::fromEncoded(text.toLatin1(), QUrl::StrictMode);
  if (!address.isValid() || address.host().isEmpty()) return {};
  if (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https")) return {};
  if (QString::fromLatin1(address.toEncoded()) == text) return {};
  return text;
}

QString ExactNavigationScript(const QString& address, bool replace) {
  QString quoted;
  for (QChar c : address) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('\'')) quoted += QLatin1Char('\\');
    quoted += c;
  }
  if (replace) return QStringLiteral("(function(){location.replace('%1');return true;})()").arg(quoted);
  // A link of its own, in no document: no page's handler sees its click.
  return QStringLiteral(
             "(function(){var a=document.createElement('a');a.href='%1';a.target='_self';"
             "a.rel='noreferrer';a.click();return true;})()")
      .arg(quoted);
}

}  // namespace quorla
