// Load and Save of a 10,000-item watch list (about 54 MB) through the
// manager, against reading and writing the same bytes with plain stdio in the
// same run; the write baseline also flushes to the disk and renames.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "reduce_price_mgr.h"
#include "shopping/reduce_price_mgr.h"

namespace {

namespace fs = std::filesystem;
constexpr int kItems = 10000;

struct Setup {
  fs::path home;
  fs::path file;
  std::vector<char> bytes;
  IReducePriceMgr* manager = nullptr;

  Setup() {
    std::string pattern = (fs::temp_directory_path() / "quorla-bench-XXXXXX").string();
    home = mkdtemp(pattern.data());
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    S_COM::CSAggregateObject<CReducePriceMgr>::CreateInstance(nullptr, IID_IReducePriceMgr,
                                                             reinterpret_cast<void**>(&manager));
    for (int i = 0; i < kItems; ++i) {
      ReducePriceItem item;
      InitReducePriceItem(&item);
      std::u16string url = u"https://item.jd.com/" + std::u16string(12, static_cast<char16_t>(u'0' + i % 10)) + u".html";
      std::copy(url.begin(), url.end(), item.Url);
      item.CurrentPrice = 100.0 + i;
      manager->AddItem(&item);
    }
    manager->Save();
    file = home / "vxbrowser" / "reduceprice.fg";
    FILE* in = std::fopen(file.c_str(), "rb");
    bytes.resize(fs::file_size(file));
    std::fread(bytes.data(), 1, bytes.size(), in);
    std::fclose(in);
  }
};

Setup& State() {
  static Setup setup;
  return setup;
}

void StdioRead(benchmark::State& state) {
  Setup& s = State();
  std::vector<char> buffer(s.bytes.size(), 1);  // touched before the clock runs
  for (auto _ : state) {
    FILE* in = std::fopen(s.file.c_str(), "rb");
    std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    std::fclose(in);
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(StdioRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void WatchListLoad(benchmark::State& state) {
  Setup& s = State();
  for (auto _ : state) {
    s.manager->Load();
    if (s.manager->GetCount() != kItems) state.SkipWithError("the list did not load");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(WatchListLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void StdioWriteFlushRename(benchmark::State& state) {
  Setup& s = State();
  fs::path temporary = s.home / "stdio.tmp";
  fs::path target = s.home / "stdio.fg";
  for (auto _ : state) {
    FILE* out = std::fopen(temporary.c_str(), "wb");
    std::fwrite(s.bytes.data(), 1, s.bytes.size(), out);
    std::fflush(out);
    fsync(fileno(out));
    std::fclose(out);
    std::rename(temporary.c_str(), target.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(StdioWriteFlushRename)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void WatchListSave(benchmark::State& state) {
  Setup& s = State();
  for (auto _ : state) {
    if (s.manager->Save() != S_OK) state.SkipWithError("the list did not save");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(WatchListSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
