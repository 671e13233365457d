// 1,000 GETs of 50 KB pages from a local server: through the download queue
// (IHttpDownload::GetToBuffer, each with its own result object and event,
// all queued before the first wait) against the same downloads through a
// bare libcurl multi loop. The figure is the ratio of the two.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <memory>
#include <string>
#include <vector>

#include "download/http_download.h"
#include "framework/com_ptr.h"
#include "framework/s_module.h"
#include "http_test_server.h"
#include "kernel/binary_buffer.h"
#include "win/events.h"
#include "win/handles.h"
#include "win/modules.h"
#include "win/waits.h"

namespace {

constexpr int kPages = 1000;
constexpr size_t kPageSize = 50 * 1024;

quorla::testing::HttpTestServer& Server() {
  static auto* server = [] {
    auto* s = new quorla::testing::HttpTestServer;
    s->ServeBody("/page", quorla::testing::PatternBytes(kPageSize));
    s->Start();
    return s;
  }();
  return *server;
}

S_COM::ISModule* Module(const char* file) {
  std::string path = std::string(QUORLA_BIN_DIR) + "/" + file;
  std::u16string wide(path.begin(), path.end());
  HMODULE library = LoadLibraryW(wide.c_str());
  auto entry = library ? reinterpret_cast<S_COM::ISModule* (*)()>(GetProcAddress(library, "GetModuleInstance"))
                       : nullptr;
  return entry ? entry() : nullptr;
}

size_t Collect(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

void BareCurlMulti(benchmark::State& state) {
  std::string url = Server().Url("/page");
  curl_global_init(CURL_GLOBAL_DEFAULT);
  size_t bytes = 0;
  for (auto _ : state) {
    CURLM* multi = curl_multi_init();
    std::vector<std::string> bodies(kPages);
    std::vector<CURL*> handles;
    for (int i = 0; i < kPages; ++i) {
      CURL* easy = curl_easy_init();
      curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
      curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, Collect);
      curl_easy_setopt(easy, CURLOPT_WRITEDATA, &bodies[i]);
      curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
      curl_multi_add_handle(multi, easy);
      handles.push_back(easy);
    }
    int running = 0;
    do {
      curl_multi_perform(multi, &running);
      if (running) curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
    } while (running);
    for (CURL* easy : handles) {
      curl_multi_remove_handle(multi, easy);
      curl_easy_cleanup(easy);
    }
    curl_multi_cleanup(multi);
    for (auto& body : bodies) bytes += body.size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void DownloadQueue(benchmark::State& state) {
  std::string url = Server().Url("/page");
  std::u16string wide(url.begin(), url.end());
  S_COM::ISModule* gravik = Module("Gravik.dll");
  S_COM::ISModule* pelmor = Module("Pelmor.dll");
  S_COM::ComPtr<IHttpDownload> download;
  if (!gravik || !pelmor || FAILED(pelmor->CreateInstance(u"CHttpDownload", nullptr, IID_IHttpDownload,
                                                          download.PutVoid()))) {
    state.SkipWithError("the deployed libraries could not be loaded");
    return;
  }
  size_t bytes = 0;
  for (auto _ : state) {
    std::vector<HANDLE> events(kPages);
    std::vector<S_COM::ComPtr<IFAsyncResult>> results(kPages);
    for (int i = 0; i < kPages; ++i) {
      events[i] = CreateEventW(nullptr, TRUE, FALSE, nullptr);
      gravik->CreateInstance(u"CFAsyncResult", nullptr, IID_IFAsyncResult, results[i].PutVoid());
      results[i]->SetNotifyEvent(events[i]);
      download->GetToBuffer(wide.c_str(), results[i].Get());
    }
    WaitForMultipleObjects(kPages, events.data(), TRUE, 600000);
    for (int i = 0; i < kPages; ++i) {
      S_COM::ComPtr<IUnknown> object;
      results[i]->GetResult(nullptr, object.Put());
      S_COM::ComPtr<IBinaryBuffer> buffer;
      if (object && SUCCEEDED(object->QueryInterface(IID_IBinaryBuffer, buffer.PutVoid())))
        bytes += buffer->GetSize();
      CloseHandle(events[i]);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  if (bytes != state.iterations() * kPages * kPageSize) state.SkipWithError("some downloads failed");
}

BENCHMARK(BareCurlMulti)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(DownloadQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
