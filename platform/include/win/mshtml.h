#pragma once
// HTML documents built from text, with the subset of the platform's document
// object model the system reads: the document's title, address and charset,
// its root element, elements by tag name, and on each element its id, tag
// name, class, descendants and rendered text.
//
// A document comes empty from CoCreateInstance(CLSID_HTMLDocument) and is
// filled by IHTMLDocument2::write and IHTMLDocument2::close; it is parsed on
// close. Script never runs: its text never becomes elements and is not part
// of any element's text. Elements and collections keep what they need of
// their document alive. A document and what it hands out are used on one
// thread at a time. Very deep nesting is cut at about a thousand levels, and
// a page whose tree would take more memory than the parse budget allows ends
// up empty (close fails with E_OUTOFMEMORY).
#include "win/oleauto.h"
#include "win/stream.h"

struct IHTMLElement;

QUORLA_DEFINE_GUID(CLSID_HTMLDocument, 0x25336920, 0x03F9, 0x11CF, 0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13);
QUORLA_DEFINE_GUID(IID_IHTMLDocument2, 0x332C4425, 0x26CB, 0x11D0, 0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19);
QUORLA_DEFINE_GUID(IID_IHTMLDocument3, 0x3050F485, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B);
QUORLA_DEFINE_GUID(IID_IHTMLElement, 0x3050F1FF, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B);
QUORLA_DEFINE_GUID(IID_IHTMLElementCollection, 0x3050F21F, 0x98B5, 0x11CF, 0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE,
                   0x0B);
QUORLA_DEFINE_GUID(IID_IPersistStreamInit, 0x7FD52380, 0x4E07, 0x101B, 0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13);

// Elements in document order.
struct IHTMLElementCollection : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_length(LONG* length) = 0;
  // name holds the position (VT_I4 and the other integer types); index is not
  // used. A position outside the collection gives S_OK and a null *out; a
  // name of another type gives E_INVALIDARG.
  virtual HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** out) = 0;

 protected:
  ~IHTMLElementCollection() = default;
};
QUORLA_INTERFACE_ID(IHTMLElementCollection, IID_IHTMLElementCollection);

// Texts come back as new BSTRs that the caller frees; an attribute that is
// missing gives a null BSTR and S_OK.
struct IHTMLElement : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_id(BSTR* out) = 0;
  // In capitals, like "DIV".
  virtual HRESULT STDMETHODCALLTYPE get_tagName(BSTR* out) = 0;
  // The whole class attribute.
  virtual HRESULT STDMETHODCALLTYPE get_className(BSTR* out) = 0;
  // The text as rendered: white space collapsed, lines broken ("\r\n") at
  // block elements and br, script, style and other hidden content left out.
  virtual HRESULT STDMETHODCALLTYPE get_innerText(BSTR* out) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_outerText(BSTR* out) = 0;
  // Every descendant element in document order, not the element itself; an
  // IHTMLElementCollection.
  virtual HRESULT STDMETHODCALLTYPE get_all(IDispatch** out) = 0;

 protected:
  ~IHTMLElement() = default;
};
QUORLA_INTERFACE_ID(IHTMLElement, IID_IHTMLElement);

struct IHTMLDocument2 : IDispatch {
  // The text of the first title element, white space collapsed; empty when
  // there is none.
  virtual HRESULT STDMETHODCALLTYPE get_title(BSTR* out) = 0;
  // "about:blank" for a document written from text.
  virtual HRESULT STDMETHODCALLTYPE get_URL(BSTR* out) = 0;
  // The character set the page declares (meta charset, or the charset of an
  // http-equiv content type) in small letters, "utf8" read as "utf-8";
  // "gb2312", the code page 936 default, when it declares none.
  virtual HRESULT STDMETHODCALLTYPE get_charset(BSTR* out) = 0;
  // Appends the texts (VT_BSTR elements of a VT_VARIANT array) to the
  // document; after close, a write starts a new document.
  virtual HRESULT STDMETHODCALLTYPE write(SAFEARRAY* texts) = 0;
  // Parses what was written.
  virtual HRESULT STDMETHODCALLTYPE close() = 0;

 protected:
  ~IHTMLDocument2() = default;
};
QUORLA_INTERFACE_ID(IHTMLDocument2, IID_IHTMLDocument2);

struct IHTMLDocument3 : IDispatch {
  // The html element; null before close.
  virtual HRESULT STDMETHODCALLTYPE get_documentElement(IHTMLElement** out) = 0;
  // Elements whose tag name equals name without regard to case.
  virtual HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR name, IHTMLElementCollection** out) = 0;

 protected:
  ~IHTMLDocument3() = default;
};
QUORLA_INTERFACE_ID(IHTMLDocument3, IID_IHTMLDocument3);

// Saving a document's source. Only Save is offered.
struct IPersistStreamInit : IUnknown {
  // Writes the source text as written, encoded in the document's charset
  // (UTF-8 for "utf-8", otherwise code page 936 with numeric character
  // references for what 936 cannot hold).
  virtual HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) = 0;

 protected:
  ~IPersistStreamInit() = default;
};
QUORLA_INTERFACE_ID(IPersistStreamInit, IID_IPersistStreamInit);
