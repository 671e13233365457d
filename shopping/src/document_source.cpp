#include "document_source.h"

#include <cstring>

#include "element_helpers.h"
#include "framework/com_ptr.h"
#include "shopping/text_conversions.h"
#include "win/mshtml.h"
#include "win/strings.h"

using S_COM::ComPtr;

bool GetDocumentSource(IUnknown* document, std::u16string& source) {
  if (!document) return false;
  ComPtr<IDispatch> dispatch;
  ComPtr<IPersistStreamInit> persist;
  if (FAILED(document->QueryInterface(IID_IDispatch, dispatch.PutVoid())) || !dispatch ||
      FAILED(dispatch->QueryInterface(IID_IPersistStreamInit, persist.PutVoid())) || !persist)
    return false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
  if (!block) return false;
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Put())) || !stream) {
    GlobalFree(block);
    return false;
  }
  persist->Save(stream.Get(), FALSE);  // a failed save leaves an empty text
  ComPtr<IHTMLDocument2> document2;
  if (FAILED(document->QueryInterface(IID_IHTMLDocument2, document2.PutVoid())) || !document2) return false;
  BSTR rawCharset = nullptr;
  std::u16string charset = SUCCEEDED(document2->get_charset(&rawCharset)) ? TakeBstr(rawCharset) : std::u16string();

  HGLOBAL saved = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.Get(), &saved))) return false;
  std::string bytes(GlobalSize(saved), '\0');  // the stream's length is the block's size
  if (!bytes.empty()) {
    const void* data = GlobalLock(saved);
    if (!data) return false;
    std::memcpy(bytes.data(), data, bytes.size());
    GlobalUnlock(saved);
  }
  source = StrCmpIW(charset.c_str(), u"utf-8") == 0 ? Utf8ToWide(bytes.c_str()) : ChinaAcpToWide(bytes.c_str());
  return true;
}
