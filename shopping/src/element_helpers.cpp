#include "element_helpers.h"

using S_COM::ComPtr;

std::u16string TakeBstr(BSTR text) {
  std::u16string out = text ? std::u16string(text, SysStringLen(text)) : std::u16string();
  SysFreeString(text);
  return out;
}

namespace {

template <class Getter>
std::u16string ReadText(IHTMLElement* element, Getter getter, bool* ok = nullptr) {
  if (ok) *ok = false;
  if (!element) return {};
  BSTR text = nullptr;
  if (FAILED((element->*getter)(&text))) {
    SysFreeString(text);
    return {};
  }
  if (ok) *ok = true;
  return TakeBstr(text);
}

}  // namespace

std::u16string GetElementText(IHTMLElement* element) {
  bool ok = false;
  std::u16string text = ReadText(element, &IHTMLElement::get_outerText, &ok);
  if (ok) return text;
  return ReadText(element, &IHTMLElement::get_innerText);
}

std::u16string GetElementId(IHTMLElement* element) { return ReadText(element, &IHTMLElement::get_id); }

std::u16string GetElementTagName(IHTMLElement* element) { return ReadText(element, &IHTMLElement::get_tagName); }

std::u16string GetElementClassName(IHTMLElement* element) { return ReadText(element, &IHTMLElement::get_className); }

ComPtr<IHTMLDocument3> QueryDocument3(IHTMLDocument2* document) {
  ComPtr<IHTMLDocument3> document3;
  if (document) document->QueryInterface(IID_IHTMLDocument3, document3.PutVoid());
  return document3;
}

ComPtr<IHTMLElementCollection> GetAllElements(IHTMLElement* element) {
  ComPtr<IHTMLElementCollection> collection;
  if (!element) return collection;
  ComPtr<IDispatch> all;
  if (FAILED(element->get_all(all.Put())) || !all) return collection;
  all->QueryInterface(IID_IHTMLElementCollection, collection.PutVoid());
  return collection;
}

ComPtr<IHTMLElement> CollectionElement(IHTMLElementCollection* collection, LONG index) {
  ComPtr<IHTMLElement> element;
  VARIANT position, unused;
  VariantInit(&position);
  VariantInit(&unused);
  position.vt = VT_I4;
  position.lVal = index;
  ComPtr<IDispatch> item;
  if (SUCCEEDED(collection->item(position, unused, item.Put())) && item)
    item->QueryInterface(IID_IHTMLElement, element.PutVoid());
  return element;
}
