#pragma once
// IHttpDownload: the process's HTTP download queue ("Pelmor.CHttpDownload",
// one shared instance per process). Any thread queues a GET or a POST whose
// body goes to a file or into a new IBinaryBuffer; completion comes through
// the caller's IFAsyncResult (status 1 success, 0 failure) on the download
// worker's thread. Requests still queued or running when the object stops
// are never reported: callers end their waits by their own time-outs.
#include "kernel/async_result.h"
#include "win/base.h"

// {7B2D1F61-4C8E-4A2F-8D3B-9E6F5C8A2B11}
QUORLA_DEFINE_GUID(IID_IHttpDownload, 0x7b2d1f61, 0x4c8e, 0x4a2f, 0x8d, 0x3b, 0x9e, 0x6f, 0x5c, 0x8a, 0x2b, 0x11);

enum HttpVerb : int {
  HttpVerbGet = 1,
  HttpVerbPost = 2,
};

enum DownloadDelivery : int {
  DeliverToFile = 1,
  DeliverToBuffer = 2,
};

// Thread message to the worker when a transfer stopped: wParam = request id.
constexpr UINT WM_DOWNLOAD_COMPLETE = 0x0400 + 1002;

class IHttpDownload : public IUnknown {
 public:
  // Each returns true when the request was queued. Null url, null POST data
  // or a null file path are refused; a null result object is accepted (the
  // download runs and nothing is reported).
  virtual bool PostToFile(LPCWSTR url, const void* data, int dataLength, LPCWSTR filePath,
                          IFAsyncResult* result) = 0;
  virtual bool GetToFile(LPCWSTR url, LPCWSTR filePath, IFAsyncResult* result) = 0;
  virtual bool PostToBuffer(LPCWSTR url, const void* data, int dataLength, IFAsyncResult* result) = 0;
  virtual bool GetToBuffer(LPCWSTR url, IFAsyncResult* result) = 0;

 protected:
  ~IHttpDownload() = default;
};
QUORLA_INTERFACE_ID(IHttpDownload, IID_IHttpDownload);
