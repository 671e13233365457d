// Creating objects by name through the per-module loaders, against probe
// libraries built for these tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "framework/com_ptr.h"
#include "framework/module_loader.h"
#include "framework/s_module.h"
#include "probe_interfaces.h"
#include "win/modules.h"

using S_COM::ComPtr;
namespace fs = std::filesystem;

namespace {

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

int MapSize(ModuleLoader* loader) {
  EnterCriticalSection(&loader->lock);
  int n = static_cast<int>(loader->libraries.size());
  LeaveCriticalSection(&loader->lock);
  return n;
}

bool MapHas(ModuleLoader* loader, const std::u16string& key) {
  EnterCriticalSection(&loader->lock);
  bool has = loader->libraries.count(key) != 0;
  LeaveCriticalSection(&loader->lock);
  return has;
}

ComPtr<IProbe> Probe(const char16_t* name) {
  ComPtr<IProbe> probe;
  EXPECT_EQ(CreateObject(name, probe.Put()), S_OK) << std::string(name, name + std::char_traits<char16_t>::length(name));
  return probe;
}

// The module object of a library file loaded directly, bypassing our own loader.
S_COM::ISModule* ModuleFromFile(const std::string& path) {
  HMODULE library = LoadLibraryW(Wide(path).c_str());
  auto entry = library ? reinterpret_cast<S_COM::ISModule* (*)()>(GetProcAddress(library, "GetModuleInstance"))
                       : nullptr;
  return entry ? entry() : nullptr;
}

ComPtr<IProbe> ProbeFromFile(const std::string& path) {
  ComPtr<IProbe> probe;
  if (S_COM::ISModule* module = ModuleFromFile(path))
    module->CreateInstance(u"CProbe", nullptr, IID_IProbe, probe.PutVoid());
  return probe;
}

TEST(LoaderDirectory, LibrariesComeFromTheCallingModulesDirectoryNotTheCurrentOne) {
  // The current directory holds another ProbeB.dll; it must not be taken.
  ASSERT_EQ(chdir(QUORLA_TEST_DIR "/cwd"), 0);
  ComPtr<IProbe> b = Probe(u"ProbeB.CProbe");
  ASSERT_TRUE(b);
  EXPECT_EQ(std::u16string(b->Identity()), u"B");

  // A library in another directory loads its own neighbours from there.
  ComPtr<IProbe> otherA = ProbeFromFile(QUORLA_TEST_DIR "/other/ProbeA.dll");
  ASSERT_TRUE(otherA);
  ComPtr<IProbe> otherB;
  ASSERT_EQ(otherA->CreateThrough(u"ProbeB.CProbe", IID_IProbe, otherB.PutVoid()), S_OK);
  EXPECT_EQ(std::u16string(otherB->Identity()), u"other");
}

TEST(LoaderOwnModule, OwnRequestIsServedWithoutLoadingOrMapEntry) {
  ComPtr<IProbe> a = Probe(u"ProbeA.CProbe");
  ASSERT_TRUE(a);
  ComPtr<ISolo> solo;
  ASSERT_EQ(a->CreateThrough(u"ProbeA.CSolo", IID_ISolo, solo.PutVoid()), S_OK);
  EXPECT_EQ(solo->Solo(), 1);
  ASSERT_EQ(a->CreateThrough(u"probea.csolo", IID_ISolo, solo.PutVoid()), S_OK);
  EXPECT_EQ(a->LoaderMapSize(), 0);
}

TEST(LoaderNames, SplitAtTheFirstDotWithPrefixAndCaseBlindClassNames) {
  struct Case {
    const char16_t* name;
    HRESULT expected;
  } cases[] = {
      {u"ProbeA", E_FAIL},                 // no dot
      {u"ProbeA.", S_OK},                  // empty class name: the first class
      {u"ProbeA.CProbe", S_OK},
      {u"ProbeA.cprobe", S_OK},
      {u"ProbeA.CPro", S_OK},              // a leading part selects the class
      {u"ProbeA.CProbeX", E_FAIL},         // an appended letter selects nothing
      {u"ProbeA.CProbe.More", E_FAIL},     // further dots belong to the class name
      {u"Missing.CProbe", E_FAIL},
      {u".CProbe", E_FAIL},
  };
  for (const Case& c : cases) {
    ComPtr<IProbe> probe;
    EXPECT_EQ(CreateObject(c.name, probe.Put()), c.expected)
        << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
    if (SUCCEEDED(c.expected)) {
      EXPECT_EQ(std::u16string(probe->Identity()), u"A");
    }
  }
  void* out = nullptr;
  EXPECT_EQ(CreateObjectByName(IID_IProbe, nullptr, GetModuleLoader(), &out), E_FAIL);
  EXPECT_EQ(CreateObjectByName(IID_IProbe, u"ProbeA.CProbe", GetModuleLoader(), nullptr), E_FAIL);
  // An interface the class does not implement is a plain failure.
  EXPECT_EQ(CreateObjectByName(IID_INotImplemented, u"ProbeA.CSolo", GetModuleLoader(), &out), E_FAIL);
}

TEST(LoaderMap, KeysKeepTheirCaseSoOneFileGetsTwoEntries) {
  ComPtr<IProbe> upper = Probe(u"ProbeB.CProbe");
  ComPtr<IProbe> lower = Probe(u"probeb.CProbe");
  ASSERT_TRUE(upper && lower);
  EXPECT_TRUE(MapHas(GetModuleLoader(), u"ProbeB.dll"));
  EXPECT_TRUE(MapHas(GetModuleLoader(), u"probeb.dll"));
  EXPECT_EQ(upper->ModuleObject(), lower->ModuleObject());  // one loaded library
}

TEST(LoaderMap, EachModuleKeepsItsOwnMap) {
  ComPtr<IProbe> a = Probe(u"ProbeA.CProbe");
  ComPtr<IProbe> b = Probe(u"ProbeB.CProbe");
  ASSERT_TRUE(a && b);
  ComPtr<ISolo> solo;
  ASSERT_EQ(a->CreateThrough(u"ProbeC.CSolo", IID_ISolo, solo.PutVoid()), S_OK);
  EXPECT_TRUE(a->LoaderHasKey(u"ProbeC.dll"));
  EXPECT_FALSE(b->LoaderHasKey(u"ProbeC.dll"));
  EXPECT_EQ(b->LoaderMapSize(), 0);
  EXPECT_FALSE(MapHas(GetModuleLoader(), u"ProbeC.dll"));
  EXPECT_EQ(MapSize(GetModuleLoader()), 2);  // ProbeA and ProbeB only
}

TEST(LoaderMap, PairOfLibrariesLoadingEachOther) {
  ComPtr<IProbe> a = Probe(u"ProbeA.CProbe");
  ComPtr<IProbe> bFromA;
  ASSERT_EQ(a->CreateThrough(u"ProbeB.CProbe", IID_IProbe, bFromA.PutVoid()), S_OK);
  ComPtr<IProbe> aFromB;
  ASSERT_EQ(bFromA->CreateThrough(u"ProbeA.CProbe", IID_IProbe, aFromB.PutVoid()), S_OK);
  EXPECT_EQ(aFromB->ModuleObject(), a->ModuleObject());
  EXPECT_TRUE(a->LoaderHasKey(u"ProbeB.dll"));
  EXPECT_TRUE(bFromA->LoaderHasKey(u"ProbeA.dll"));
}

TEST(LoaderFailures, UnknownClassLeavesNoLibraryAndNoEntry) {
  void* out = nullptr;
  EXPECT_EQ(CreateObjectByName(IID_ISolo, u"ProbeC.CNothing", GetModuleLoader(), &out), E_FAIL);
  EXPECT_EQ(MapSize(GetModuleLoader()), 0);
  EXPECT_EQ(GetModuleHandleW(u"ProbeC.dll"), nullptr);

  // A library already in the map keeps its entry and stays loaded.
  ComPtr<IProbe> c = Probe(u"ProbeC.CProbe");
  ASSERT_TRUE(c);
  EXPECT_EQ(CreateObjectByName(IID_ISolo, u"ProbeC.CNothing", GetModuleLoader(), &out), E_FAIL);
  EXPECT_EQ(MapSize(GetModuleLoader()), 1);
  EXPECT_NE(GetModuleHandleW(u"ProbeC.dll"), nullptr);
}

TEST(LoaderFailures, LibraryNamesPastNinetyFiveCharactersLoseTheirExtension) {
  const fs::path dir = QUORLA_TEST_DIR;
  for (size_t length : {95u, 96u}) {
    std::string library(length, 'L');
    fs::copy_file(dir / "ProbeC.dll", dir / (library + ".dll"), fs::copy_options::overwrite_existing);
    ComPtr<IProbe> probe;
    HRESULT hr = CreateObject(Wide(library + ".CProbe").c_str(), probe.Put());
    fs::remove(dir / (library + ".dll"));
    EXPECT_EQ(hr, length == 95 ? S_OK : E_FAIL) << length;
  }
}

TEST(LoaderSharedInstance, ConcurrentFirstRequestsFromSeveralThreads) {
  std::vector<IUnknown*> results(12, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&results, i] {
      ISolo* solo = nullptr;
      if (SUCCEEDED(CreateObject(u"ProbeD.CProbeShared", &solo))) {
        solo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&results[i]));
        solo->Release();
      }
    });
  }
  for (auto& t : threads) t.join();
  for (IUnknown* r : results) {
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r, results[0]);
    r->Release();
  }
  ComPtr<IProbe> d = Probe(u"ProbeD.CProbe");
  EXPECT_EQ(d->SharedConstructions(), 1);
  EXPECT_EQ(MapSize(GetModuleLoader()), 1);
}

TEST(LoaderSharedInstance, FailedCreatorIsTriedAgain) {
  ComPtr<IProbe> d = Probe(u"ProbeD.CProbe");
  // A request whose creation fails in the loaded library goes on to load the
  // library once more and asks again, so it takes two failures to fail it.
  d->FailNextFlakyCreations(2);
  ComPtr<ISolo> flaky;
  EXPECT_EQ(CreateObject(u"ProbeD.CSharedFlaky", flaky.Put()), E_FAIL);
  EXPECT_FALSE(flaky);
  EXPECT_EQ(MapSize(GetModuleLoader()), 1);
  ASSERT_EQ(CreateObject(u"ProbeD.CSharedFlaky", flaky.Put()), S_OK);
  ComPtr<ISolo> again;
  ASSERT_EQ(CreateObject(u"ProbeD.CSharedFlaky", again.Put()), S_OK);
  EXPECT_EQ(flaky.Get(), again.Get());
  EXPECT_EQ(d->FlakyConstructions(), 3);
}

TEST(LoaderSharedInstance, ConcurrentRequestsWhileTheFirstCreatorFails) {
  // Straight to the module object: its lock serialises the creations, so
  // exactly the first one fails and every other request shares one object.
  S_COM::ISModule* module = ModuleFromFile(QUORLA_TEST_DIR "/ProbeD.dll");
  ASSERT_NE(module, nullptr);
  ComPtr<IProbe> d;
  ASSERT_EQ(module->CreateInstance(u"CProbe", nullptr, IID_IProbe, d.PutVoid()), S_OK);
  d->FailNextFlakyCreations(1);
  std::vector<HRESULT> results(8, S_FALSE);
  std::vector<ISolo*> objects(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&, i] {
      results[i] = module->CreateInstance(u"CSharedFlaky", nullptr, IID_ISolo, reinterpret_cast<void**>(&objects[i]));
    });
  }
  for (auto& t : threads) t.join();
  int failures = 0;
  ISolo* shared = nullptr;
  for (size_t i = 0; i < results.size(); ++i) {
    if (FAILED(results[i])) {
      ++failures;
      continue;
    }
    if (!shared) shared = objects[i];
    EXPECT_EQ(objects[i], shared);
  }
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(d->FlakyConstructions(), 2);
  for (ISolo* o : objects) {
    if (o) o->Release();
  }
}

TEST(LoaderConcurrency, FailedFirstCreationKeepsTheLibraryUnderALiveObject) {
  ModuleLoader* loader = GetModuleLoader();
  HRESULT blockedResult = S_OK;
  std::thread blocked([&] {
    void* out = nullptr;
    blockedResult = CreateObjectByName(IID_ISolo, u"ProbeD.CBlockingFail", loader, &out);
  });
  // Wait until the first load has entered ProbeD into the map.
  for (int i = 0; i < 1000 && !MapHas(loader, u"ProbeD.dll"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(MapHas(loader, u"ProbeD.dll"));
  // Meanwhile another request finds that entry and makes a live object.
  ComPtr<IProbe> live = Probe(u"ProbeD.CProbe");
  ASSERT_TRUE(live);
  live->ReleaseBlockedCreation();
  blocked.join();
  EXPECT_EQ(blockedResult, E_FAIL);
  // The entry and the library stay while the object lives.
  EXPECT_TRUE(MapHas(loader, u"ProbeD.dll"));
  EXPECT_NE(GetModuleHandleW(u"ProbeD.dll"), nullptr);
  EXPECT_EQ(std::u16string(live->Identity()), u"D");
}

TEST(LoaderSingleton, GetModuleLoaderMakesOneObjectUnderConcurrentFirstUse) {
  std::vector<ModuleLoader*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&, i] { seen[i] = GetModuleLoader(); });
  for (auto& t : threads) t.join();
  for (ModuleLoader* l : seen) EXPECT_EQ(l, seen[0]);
}

TEST(LoaderUnload, UnusedLibrariesAreFreedAndUsedOnesStay) {
  ComPtr<IProbe> a = Probe(u"ProbeA.CProbe");
  {
    ComPtr<ISolo> solo;
    ASSERT_EQ(CreateObject(u"ProbeC.CSolo", solo.Put()), S_OK);
  }
  EXPECT_EQ(MapSize(GetModuleLoader()), 2);
  EXPECT_EQ(UnloadUnusedModules(GetModuleLoader()), S_OK);
  EXPECT_FALSE(MapHas(GetModuleLoader(), u"ProbeC.dll"));
  EXPECT_TRUE(MapHas(GetModuleLoader(), u"ProbeA.dll"));
  EXPECT_EQ(GetModuleHandleW(u"ProbeC.dll"), nullptr);
  EXPECT_EQ(std::u16string(a->Identity()), u"A");
}

}  // namespace
