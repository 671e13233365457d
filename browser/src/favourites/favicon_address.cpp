#include "favicon_address.h"

namespace {

bool HasSchemeNoCase(const CString& url, const CString& scheme) {
  const CString prefix = scheme + u"://";
  return url.GetLength() >= prefix.GetLength() && url.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

}  // namespace

CString FaviconAddress(const CString& pageUrl) {
  CString scheme;
  if (HasSchemeNoCase(pageUrl, u"http")) {
    scheme = u"http";
  } else if (HasSchemeNoCase(pageUrl, u"https")) {
    scheme = u"https";
  } else {
    return CString();  // about:, file:, data:, javascript: ... have no site
  }
  CString url = pageUrl;
  if (url.Find(kTaobaoStorePagesHost) >= 0) {
    url = kTaobaoHomeAddress;
    scheme = u"https";
  }
  CString host = url.Mid(url.Find(u"://") + 3);
  // The host ends where the path, the query or the fragment begins.
  for (WCHAR end : {u'/', u'?', u'#'}) {
    const int at = host.Find(end);
    if (at >= 0) host = host.Left(at);
  }
  // A user name and password never go to the icon's server.
  const int userEnd = host.ReverseFind(u'@');
  if (userEnd >= 0) host = host.Mid(userEnd + 1);
  if (host.IsEmpty()) return CString();
  return scheme + u"://" + host + u"/favicon.ico";
}
