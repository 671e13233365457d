#include "promotion_lookup.h"

#include "event_result.h"
#include "framework/module_loader.h"
#include "kernel/binary_buffer.h"
#include "promotion_data.h"
#include "promotion_json.h"
#include "shopping/text_conversions.h"
#include "win/waits.h"

using S_COM::ComPtr;

HRESULT CreateHttpDownloadByName(IHttpDownload** out) { return CreateObject<IHttpDownload>(u"Pelmor.CHttpDownload", out); }

bool FetchPromotionPrice(LPCWSTR vipData, ReducePriceItem* item, const PromotionLookupSettings& settings,
                         bool* gavePrice) {
  if (gavePrice) *gavePrice = false;
  if (!vipData) return false;
  std::u16string url = PromoteUrlOf(ReadPromotionData(vipData));
  if (url.empty()) return true;

  ComPtr<IHttpDownload> download;
  if (!settings.createDownload || FAILED(settings.createDownload(download.Put())) || !download) return false;
  ComPtr<IFAsyncResult> result;
  HANDLE event = nullptr;
  if (FAILED(CreateEventResult(result, event))) return false;
  if (!download->GetToBuffer(url.c_str(), result.Get())) return false;
  // After a time-out the result is not read: the worker may be storing it
  // right now. Letting go of it is safe; its event lives while the worker
  // still holds it.
  if (WaitForSingleObject(event, settings.waitMs) != WAIT_OBJECT_0) return false;

  int status = 0;
  ComPtr<IUnknown> object;
  if (FAILED(result->GetResult(&status, object.Put())) || status != 1 || !object) return false;
  ComPtr<IBinaryBuffer> buffer;
  if (FAILED(object->QueryInterface(IID_IBinaryBuffer, buffer.PutVoid())) || !buffer) return false;
  std::u16string reply = AcpToWide(buffer->GetBuffer());
  std::size_t brace = reply.find(u'{');
  if (brace == std::u16string::npos) return false;
  ParsePromotionJson(reply.c_str() + brace, item, gavePrice);
  return true;
}
