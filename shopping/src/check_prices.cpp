// The price check: every watched page downloaded again, each read as soon as
// its own download completes, and the items whose price fell reported in
// the order their downloads completed.
#include <cstring>
#include <new>

#include "event_result.h"
#include "framework/module_loader.h"
#include "kernel/binary_buffer.h"
#include "page_charset.h"
#include "promotion_lookup.h"
#include "reduce_price_mgr.h"
#include "win/last_error.h"
#include "win/waits.h"

using S_COM::ComPtr;

namespace {

// How long the check waits for the next download to complete: 5 minutes.
constexpr DWORD kPageWaitMs = 300000;

// One queued download. The result keeps its event valid for as long as the
// download worker may still set it, so nothing here is ever closed early.
struct QueuedPage {
  ComPtr<IFAsyncResult> result;
  HANDLE event = nullptr;
};

std::vector<QueuedPage> QueueDownloads(IHttpDownload* download,
                                       const std::vector<std::pair<DWORD, std::u16string>>& addresses) {
  std::vector<QueuedPage> queued;
  queued.reserve(addresses.size());
  for (const auto& [id, url] : addresses) {
    QueuedPage page;
    if (FAILED(CreateEventResult(page.result, page.event))) continue;
    page.result->SetUserData(static_cast<int>(id));
    if (!download->GetToBuffer(url.c_str(), page.result.Get())) continue;
    queued.push_back(std::move(page));
  }
  return queued;
}

// Index of the download whose event is set, waiting up to kPageWaitMs;
// false on a time-out or a failed wait. With more than 128 handles an index
// can take the value of WAIT_TIMEOUT, so the last error tells them apart.
bool WaitForNextPage(const std::vector<QueuedPage>& queued, std::vector<HANDLE>& events, std::size_t& index) {
  events.clear();
  for (const QueuedPage& page : queued) events.push_back(page.event);
  const DWORD count = static_cast<DWORD>(events.size());
  DWORD result = WaitForMultipleObjects(count, events.data(), FALSE, kPageWaitMs);
  if (result - WAIT_OBJECT_0 >= count || GetLastError() != ERROR_SUCCESS) return false;
  index = result - WAIT_OBJECT_0;
  return true;
}

HRESULT MakeDropList(const std::vector<DWORD>& drops, IBinaryBuffer** dropped) {
  ComPtr<IBinaryBuffer> buffer;
  if (FAILED(CreateObject<IBinaryBuffer>(u"Gravik.CBinaryBuffer", buffer.Put())) || !buffer) return E_FAIL;
  const std::size_t bytes = drops.size() * sizeof(DWORD);
  if (bytes > 0xFFFFFFFFu) return E_FAIL;
  char* data = buffer->Alloc(static_cast<unsigned>(bytes));
  if (!data) return E_FAIL;
  std::memcpy(data, drops.data(), bytes);  // little-endian, as the host stores them
  *dropped = buffer.Detach();
  return S_OK;
}

}  // namespace

HRESULT CReducePriceMgr::CheckPrices(IBinaryBuffer** dropped) {
  if (!dropped) return E_FAIL;
  ComPtr<IHttpDownload> download;
  if (FAILED(CreateHttpDownloadByName(download.Put())) || !download) return E_FAIL;
  try {
    // Every download is queued before the first wait.
    std::vector<QueuedPage> queued = QueueDownloads(download.Get(), AddressesToCheck());
    if (queued.empty()) return S_OK;
    ComPtr<IHtmlParser> parser;
    if (FAILED(CreateObject<IHtmlParser>(u"Vendrix.CHtmlParser", parser.Put())) || !parser) return E_FAIL;

    std::vector<DWORD> drops;
    std::vector<HANDLE> events;
    events.reserve(queued.size());
    std::size_t index = 0;
    // A time-out leaves the outstanding downloads running; their results
    // close their events once the worker lets go of them.
    while (!queued.empty() && WaitForNextPage(queued, events, index)) {
      ComPtr<IFAsyncResult> result = std::move(queued[index].result);
      queued.erase(queued.begin() + static_cast<std::ptrdiff_t>(index));
      CheckDownloadedPage(result.Get(), parser.Get(), drops);
    }
    if (drops.empty()) return E_FAIL;
    return MakeDropList(drops, dropped);
  } catch (const std::bad_alloc&) {
    return E_FAIL;
  }
}

void CReducePriceMgr::CheckDownloadedPage(IFAsyncResult* result, IHtmlParser* parser, std::vector<DWORD>& drops) {
  try {
    int userData = 0;
    if (FAILED(result->GetUserData(&userData))) return;
    const DWORD id = static_cast<DWORD>(userData);
    std::u16string url;
    if (!ListedAddress(id, url)) return;  // removed meanwhile
    ComPtr<IUnknown> object;
    if (FAILED(result->GetResult(nullptr, object.Put())) || !object) return;
    ComPtr<IBinaryBuffer> buffer;
    if (FAILED(object->QueryInterface(IID_IBinaryBuffer, buffer.PutVoid())) || !buffer || !buffer->GetBuffer()) return;
    std::u16string page = DecodePageBytes(buffer->GetBuffer());
    buffer.Reset();
    object.Reset();
    ReducePriceItem fresh;
    InitReducePriceItem(&fresh);
    if (FAILED(parser->ParseHtml(page.c_str(), url.c_str(), &fresh))) return;
    if (RecordLowerPrice(id, fresh.CurrentPrice)) drops.push_back(id);
  } catch (const std::bad_alloc&) {
    // A page too large to decode is no drop; the others go on.
  }
}

std::vector<std::pair<DWORD, std::u16string>> CReducePriceMgr::AddressesToCheck() {
  CriticalSectionLock lock(m_listLock.get());
  std::vector<std::pair<DWORD, std::u16string>> addresses;
  addresses.reserve(m_items.size());
  for (const auto& [id, item] : m_items) {
    if (item.Url[0] != 0) addresses.emplace_back(id, item.Url);
  }
  return addresses;
}

bool CReducePriceMgr::ListedAddress(DWORD id, std::u16string& url) {
  CriticalSectionLock lock(m_listLock.get());
  auto it = m_items.find(id);
  if (it == m_items.end()) return false;
  url = it->second.Url;
  return true;
}

bool CReducePriceMgr::RecordLowerPrice(DWORD id, double price) {
  CriticalSectionLock lock(m_listLock.get());
  auto it = m_items.find(id);
  if (it == m_items.end() || !(price < it->second.BasePrice)) return false;
  it->second.CurrentPrice = price;
  return true;
}
