#pragma once
// The address of a page's site icon: "/favicon.ico" of the page's host,
// over the page's own scheme. Any thread.
#include "afx/string.h"
#include "win/types.h"

// Taobao's goods pages carry no icon of their own: a page whose address
// holds this host anywhere takes the icon of the shop's home site.
constexpr LPCWSTR kTaobaoStorePagesHost = u"item.taobao.com";
constexpr LPCWSTR kTaobaoHomeAddress = u"https://www.taobao.com/";

// Empty when the page is not an http or https page, or has no host: such a
// page requests no icon. Otherwise the scheme, "://", the host with its
// port (less any user name and password) and "/favicon.ico".
CString FaviconAddress(const CString& pageUrl);
