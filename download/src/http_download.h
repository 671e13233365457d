#pragma once
// CHttpDownload: the component behind IHttpDownload, one shared instance
// per process. Queues requests from any thread onto its DownloadCore, whose
// single worker runs them. Releasing the last reference stops the worker
// (waiting at most 30 minutes) and drops what is queued or in flight without
// reporting it.
#include <memory>

#include "download_core.h"
#include "framework/com_object.h"

class CHttpDownload : public S_COM::CSComObjectRoot<CHttpDownload>, public IHttpDownload {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CHttpDownload)
  S_COM_INTERFACE_ENTRY(IHttpDownload)
  S_COM_END_INTERFACE_MAP()

  CHttpDownload() = default;
  ~CHttpDownload();

  HRESULT FinalConstruct() override;
  void FinalRelease() override;

  bool PostToFile(LPCWSTR url, const void* data, int dataLength, LPCWSTR filePath, IFAsyncResult* result) override;
  bool GetToFile(LPCWSTR url, LPCWSTR filePath, IFAsyncResult* result) override;
  bool PostToBuffer(LPCWSTR url, const void* data, int dataLength, IFAsyncResult* result) override;
  bool GetToBuffer(LPCWSTR url, IFAsyncResult* result) override;

 private:
  std::shared_ptr<DownloadCore> m_core;
};
