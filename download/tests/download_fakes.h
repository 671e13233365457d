#pragma once
// Stand-ins for the download worker's collaborators: a result object that
// counts its reports, and a download object whose Start follows a script.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "kernel/async_result.h"
#include "kernel/url_moniker.h"
#include "win/events.h"
#include "win/handles.h"

template <class I>
class FakeUnknown : public I {
 public:
  virtual ~FakeUnknown() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, InterfaceId<I>::value())) {
      this->AddRef();
      *out = static_cast<I*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG count = --references;
    if (count == 0) delete this;
    return count;
  }
  std::atomic<ULONG> references{1};
};

// Sets its event on every report.
class CountingResult final : public FakeUnknown<IFAsyncResult> {
 public:
  CountingResult() : event(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~CountingResult() override { CloseHandle(event); }
  HRESULT SetNotifyWindow(HWND, UINT) override { return S_OK; }
  HRESULT SetNotifyEvent(HANDLE) override { return S_OK; }
  HRESULT GetUserData(int*) override { return S_OK; }
  HRESULT SetUserData(int) override { return S_OK; }
  HRESULT SetResult(int s, IUnknown*) override {
    status = s;
    ++reports;
    SetEvent(event);
    return S_OK;
  }
  HRESULT GetResult(int*, IUnknown**) override { return S_OK; }
  HANDLE event;
  std::atomic<int> status{-1};
  std::atomic<int> reports{0};
};

// What a scripted download does when started on the worker thread.
struct Script {
  HRESULT startResult = S_OK;
  bool completeInStart = true;  // calls the completion function from Start
  int state = UrlStateFailed;
  std::function<void()> onStart;  // runs on the worker inside Start
};

struct StartRecord {
  int context;
  std::u16string url;
  bool post;
};

class ScriptedDownload final : public FakeUnknown<IUrlMoniker> {
 public:
  static inline std::mutex lock;
  static inline Script script;
  static inline std::vector<StartRecord> starts;
  static inline std::atomic<int> aborts{0};
  static inline std::atomic<int> destroyed{0};

  ~ScriptedDownload() override { ++destroyed; }

  HRESULT Start(LPCWSTR url, const void* data, unsigned size) override {
    Script now;
    {
      std::lock_guard<std::mutex> guard(lock);
      now = script;
      starts.push_back({context_, url, data && size});
    }
    if (now.onStart) now.onStart();
    state_ = SUCCEEDED(now.startResult) ? UrlStateRunning : UrlStateFailed;
    if (now.completeInStart) {
      state_ = now.state;
      callback_(context_, state_, 0);
    }
    return now.startResult;
  }
  HRESULT Abort() override {
    ++aborts;
    return S_OK;
  }
  int GetState() override { return state_; }
  unsigned GetDataSize() override { return 0; }
  char* GetData() override { return nullptr; }
  HRESULT SetCallback(UrlMonikerCallback callback, int context) override {
    callback_ = callback;
    context_ = context;
    return S_OK;
  }

 private:
  UrlMonikerCallback callback_ = nullptr;
  int context_ = 0;
  int state_ = UrlStateIdle;
};
