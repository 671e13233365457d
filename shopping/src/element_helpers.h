#pragma once
// Reading elements of a page document, for both price strategies. Each text
// helper gives an empty text for a null element or a failed read. Called on
// the thread that owns the document.
#include <string>

#include "framework/com_ptr.h"
#include "win/mshtml.h"

// The element's outerText when it can be read, else its innerText.
std::u16string GetElementText(IHTMLElement* element);
std::u16string GetElementId(IHTMLElement* element);
// In capitals, as the document reports it.
std::u16string GetElementTagName(IHTMLElement* element);
// The whole class attribute.
std::u16string GetElementClassName(IHTMLElement* element);
// The document's IHTMLDocument3, or none (also for a null document).
S_COM::ComPtr<IHTMLDocument3> QueryDocument3(IHTMLDocument2* document);
// Every element inside element (not itself) in document order; none when
// the collection cannot be had.
S_COM::ComPtr<IHTMLElementCollection> GetAllElements(IHTMLElement* element);
// The item at index as an element; none when it is not one.
S_COM::ComPtr<IHTMLElement> CollectionElement(IHTMLElementCollection* collection, LONG index);
// The text of a BSTR, which is freed.
std::u16string TakeBstr(BSTR text);
