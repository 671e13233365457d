// A component library for the framework tests. One source, built as several
// library files that differ only in the identity text they report.
#include <atomic>
#include <chrono>
#include <thread>

#include "framework/com_object.h"
#include "framework/module_loader.h"
#include "probe_interfaces.h"

namespace {

std::atomic<int> g_sharedConstructions{0};
std::atomic<int> g_flakyConstructions{0};
std::atomic<int> g_flakyFailures{0};
std::atomic<bool> g_blockedRelease{false};

class CProbe : public S_COM::CSComObjectRoot<CProbe>, public IProbe, public ISecond {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CProbe)
  S_COM_INTERFACE_ENTRY(IProbe)
  S_COM_INTERFACE_ENTRY(ISecond)
  S_COM_END_INTERFACE_MAP()

  LPCWSTR Identity() override { return PROBE_IDENTITY; }
  void* ModuleObject() override { return &S_COM::GetThisModule(); }
  HRESULT CreateThrough(LPCWSTR name, REFIID iid, void** out) override {
    return CreateObjectByName(iid, name, GetModuleLoader(), out);
  }
  int LoaderMapSize() override {
    ModuleLoader* loader = GetModuleLoader();
    EnterCriticalSection(&loader->lock);
    int size = static_cast<int>(loader->libraries.size());
    LeaveCriticalSection(&loader->lock);
    return size;
  }
  BOOL LoaderHasKey(LPCWSTR key) override {
    ModuleLoader* loader = GetModuleLoader();
    EnterCriticalSection(&loader->lock);
    BOOL has = loader->libraries.count(key) ? TRUE : FALSE;
    LeaveCriticalSection(&loader->lock);
    return has;
  }
  void FailNextFlakyCreations(int n) override { g_flakyFailures = n; }
  int SharedConstructions() override { return g_sharedConstructions; }
  int FlakyConstructions() override { return g_flakyConstructions; }
  void ReleaseBlockedCreation() override { g_blockedRelease = true; }
  int Second() override { return 2; }
};

// A shared class whose construction takes a while, so concurrent first
// requests really overlap.
class CProbeShared : public S_COM::CSComObjectRoot<CProbeShared>, public ISolo {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CProbeShared)
  S_COM_INTERFACE_ENTRY(ISolo)
  S_COM_END_INTERFACE_MAP()
  HRESULT FinalConstruct() override {
    ++g_sharedConstructions;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return S_OK;
  }
  int Solo() override { return 7; }
};

// A shared class whose creator can be told to fail.
class CSharedFlaky : public S_COM::CSComObjectRoot<CSharedFlaky>, public ISolo {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CSharedFlaky)
  S_COM_INTERFACE_ENTRY(ISolo)
  S_COM_END_INTERFACE_MAP()
  HRESULT FinalConstruct() override {
    ++g_flakyConstructions;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (g_flakyFailures > 0) {
      --g_flakyFailures;
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  int Solo() override { return 8; }
};

// A class with one interface.
class CSolo : public S_COM::CSComObjectRoot<CSolo>, public ISolo {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CSolo)
  S_COM_INTERFACE_ENTRY(ISolo)
  S_COM_END_INTERFACE_MAP()
  int Solo() override { return 1; }
};

// Blocks its construction until released, then fails it.
class CBlockingFail : public S_COM::CSComObjectRoot<CBlockingFail>, public ISolo {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CBlockingFail)
  S_COM_INTERFACE_ENTRY(ISolo)
  S_COM_END_INTERFACE_MAP()
  HRESULT FinalConstruct() override {
    for (int i = 0; i < 1000 && !g_blockedRelease; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return E_FAIL;
  }
  int Solo() override { return -1; }
};

S_COM::ClassEntry g_probe = S_COM::MakeClassEntry<CProbe>(u"CProbe", false);
S_COM::ClassEntry g_shared = S_COM::MakeClassEntry<CProbeShared>(u"CProbeShared", true);
S_COM::ClassEntry g_flaky = S_COM::MakeClassEntry<CSharedFlaky>(u"CSharedFlaky", true);
S_COM::ClassEntry g_solo = S_COM::MakeClassEntry<CSolo>(u"CSolo", false);
S_COM::ClassEntry g_blocking = S_COM::MakeClassEntry<CBlockingFail>(u"CBlockingFail", false);

}  // namespace

S_COM_DEFINE_MODULE(nullptr, &g_probe, &g_shared, &g_flaky, &g_solo, &g_blocking)
