#include "http_download.h"

#include <new>

namespace {
constexpr DWORD kStopWaitMs = 1800000;
}

CHttpDownload::~CHttpDownload() {
  if (m_core) m_core->StopWorker(kStopWaitMs);
}

HRESULT CHttpDownload::FinalConstruct() {
  m_core = std::shared_ptr<DownloadCore>(new (std::nothrow) DownloadCore);
  return m_core ? S_OK : E_OUTOFMEMORY;
}

void CHttpDownload::FinalRelease() {
  if (m_core) m_core->SignalStop();
}

bool CHttpDownload::PostToFile(LPCWSTR url, const void* data, int dataLength, LPCWSTR filePath,
                               IFAsyncResult* result) {
  return m_core->EnqueueTask(HttpVerbPost, url, data, dataLength, filePath, DeliverToFile, result);
}

bool CHttpDownload::GetToFile(LPCWSTR url, LPCWSTR filePath, IFAsyncResult* result) {
  return m_core->EnqueueTask(HttpVerbGet, url, nullptr, 0, filePath, DeliverToFile, result);
}

bool CHttpDownload::PostToBuffer(LPCWSTR url, const void* data, int dataLength, IFAsyncResult* result) {
  return m_core->EnqueueTask(HttpVerbPost, url, data, dataLength, nullptr, DeliverToBuffer, result);
}

bool CHttpDownload::GetToBuffer(LPCWSTR url, IFAsyncResult* result) {
  return m_core->EnqueueTask(HttpVerbGet, url, nullptr, 0, nullptr, DeliverToBuffer, result);
}
