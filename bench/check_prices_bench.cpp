// A price check of 1,000 watched items whose 50 KB pages of a rule-driven
// shop come from a local server, a tenth of them dropped, against the sum
// of two baselines measured in the same run: the same pages downloaded
// through the download queue alone, and gumbo's bare parse of the same
// bytes. The check parses each page while the others still download, so it
// may come in under the sum. The figure printed last is the ratio.
#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "deployed_modules.h"
#include "download/http_download.h"
#include "http_test_server.h"
#include "kernel/binary_buffer.h"
#include "product_page.h"
#include "shopping/reduce_price_mgr.h"
#include "win/events.h"
#include "win/handles.h"
#include "win/text_encoding.h"
#include "win/waits.h"

namespace {

constexpr int kItems = 1000;
constexpr std::size_t kPageBytes = 50 * 1024;
constexpr double kBasePrice = 6500.0;

std::string Utf8(const std::u16string& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

// A product page of about 50 KB priced 6999.00, or 5999.00 when dropped.
std::string BuildPage(bool dropped) {
  std::size_t units = kPageBytes / 2;
  std::string bytes;
  do {
    std::u16string page = BuildProductPage(units);
    if (dropped) page.replace(page.find(u">6999.00<"), 9, u">5999.00<");
    bytes = Utf8(page);
    units -= units / 20;
  } while (bytes.size() > kPageBytes + kPageBytes / 10);
  return bytes;
}

const std::string& Page(int n) {
  static const std::string full = BuildPage(false);
  static const std::string dropped = BuildPage(true);
  return n % 10 == 0 ? dropped : full;
}

quorla::testing::HttpTestServer& Server() {
  static auto* server = [] {
    auto* s = new quorla::testing::HttpTestServer;
    s->Route("/item", [](const quorla::testing::HttpRequest& request, quorla::testing::HttpResponder& out) {
      out.Respond(200, Page(std::atoi(request.query.c_str() + 2)));  // "n=<number>"
    });
    s->Start();
    return s;
  }();
  return *server;
}

std::u16string ItemUrl(int n) {
  std::string url = "http://rules.localhost:" + std::to_string(Server().Port()) + "/item?n=" + std::to_string(n);
  return std::u16string(url.begin(), url.end());
}

// Baseline: the pages alone through the download queue, all queued before
// the first wait, as the check queues them.
void DownloadQueue(benchmark::State& state) {
  auto download = MakeDeployed<IHttpDownload>("Pelmor.dll", u"CHttpDownload");
  if (!download) return state.SkipWithError("the deployed libraries could not be loaded");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::vector<HANDLE> events(kItems);
    std::vector<S_COM::ComPtr<IFAsyncResult>> results(kItems);
    for (int i = 0; i < kItems; ++i) {
      events[i] = CreateEventW(nullptr, TRUE, FALSE, nullptr);
      results[i] = MakeDeployed<IFAsyncResult>("Gravik.dll", u"CFAsyncResult");
      results[i]->SetNotifyEvent(events[i]);
      download->GetToBuffer(ItemUrl(i).c_str(), results[i].Get());
    }
    WaitForMultipleObjects(kItems, events.data(), TRUE, 600000);
    for (int i = 0; i < kItems; ++i) {
      S_COM::ComPtr<IUnknown> object;
      results[i]->GetResult(nullptr, object.Put());
      S_COM::ComPtr<IBinaryBuffer> buffer;
      if (object && SUCCEEDED(object->QueryInterface(IID_IBinaryBuffer, buffer.PutVoid()))) bytes += buffer->GetSize();
      CloseHandle(events[i]);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

// Baseline: gumbo's bare parse of the same bytes.
void BareGumboParse(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (int i = 0; i < kItems; ++i) {
      const std::string& page = Page(i);
      GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
      benchmark::DoNotOptimize(output->root);
      gumbo_destroy_output(&kGumboDefaultOptions, output);
      bytes += page.size();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

// The check itself, through the deployed Vendrix.dll.
void CheckPrices(benchmark::State& state) {
  auto manager = MakeDeployed<IReducePriceMgr>("Vendrix.dll", u"CReducePriceMgr");
  if (!manager) return state.SkipWithError("the deployed libraries could not be loaded");
  if (manager->GetCount() == 0) {
    for (int i = 0; i < kItems; ++i) {
      ReducePriceItem item;
      InitReducePriceItem(&item);
      std::u16string url = ItemUrl(i);
      url.copy(item.Url, url.size());
      item.BasePrice = kBasePrice;
      manager->AddItem(&item);
    }
  }
  for (auto _ : state) {
    IBinaryBuffer* dropped = nullptr;
    HRESULT hr = manager->CheckPrices(&dropped);
    unsigned size = dropped ? dropped->GetSize() : 0;
    if (dropped) dropped->Release();
    if (hr != S_OK || size != kItems / 10 * sizeof(DWORD)) return state.SkipWithError("the check missed drops");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kItems * kPageBytes));
}

// One iteration a repetition; the fastest repetition of each counts, which
// keeps the figure steady on a machine that is busy with other work.
BENCHMARK(DownloadQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);
BENCHMARK(BareGumboParse)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);
BENCHMARK(CheckPrices)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);

// Prints the console report, then the check against the sum of the
// baselines.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      auto [it, added] = m_times.try_emplace(run.run_name.function_name, run.GetAdjustedRealTime());
      if (!added) it->second = std::min(it->second, run.GetAdjustedRealTime());
    }
  }
  void PrintRatio() const {
    auto time = [&](const char* name) {
      auto it = m_times.find(name);
      return it == m_times.end() ? 0.0 : it->second;
    };
    double baseline = time("DownloadQueue") + time("BareGumboParse");
    double check = time("CheckPrices");
    if (baseline > 0 && check > 0)
      std::printf("fastest runs: DownloadQueue %.0f ms, BareGumboParse %.0f ms, CheckPrices %.0f ms\n"
                  "CheckPrices / (DownloadQueue + BareGumboParse) = %.2f\n",
                  time("DownloadQueue"), time("BareGumboParse"), check, check / baseline);
  }

 private:
  std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
  // The watch list lives in a folder of its own, never the user's.
  std::filesystem::path home = std::filesystem::temp_directory_path() / ("quorla-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(home);
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return 0;
}
