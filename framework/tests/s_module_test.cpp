// The module object: class lookup, shared instances, lock counts.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "framework/com_ptr.h"
#include "test_module.h"

using S_COM::ComPtr;
using S_COM::GetThisModule;

namespace {

LONG LockCount() {
  LONG count = GetThisModule().Lock() - 1;
  GetThisModule().Unlock();
  return count;
}

TEST(ModuleClassLookup, MatchesCaseBlindPrefixesAndSkipsEmptySlots) {
  struct Case {
    const char16_t* name;
    HRESULT expected;
  } cases[] = {
      {u"CTestCounter", S_OK},   {u"ctestcounter", S_OK},   {u"CTESTC", S_OK},
      {u"CTestCounterX", E_FAIL}, {u"Unknown", E_FAIL},     {u"CTestShared", S_OK},
      {u"CNoCreator", E_FAIL},    {u"CTestFailing", E_OUTOFMEMORY}, {nullptr, E_FAIL},
  };
  for (const Case& c : cases) {
    ComPtr<ISolo> solo;
    EXPECT_EQ(GetThisModule().CreateInstance(c.name, nullptr, IID_ISolo, solo.PutVoid()), c.expected)
        << (c.name ? std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)) : "null");
    EXPECT_EQ(solo.Get() != nullptr, SUCCEEDED(c.expected));
  }
  EXPECT_EQ(GetThisModule().CreateInstance(u"CTestCounter", nullptr, IID_ISolo, nullptr), E_FAIL);
}

TEST(ModuleClassLookup, EmptyNameSelectsFirstNamedClass) {
  int before = CTestCounter::constructions;
  ComPtr<ISolo> solo;
  ASSERT_EQ(GetThisModule().CreateInstance(u"", nullptr, IID_ISolo, solo.PutVoid()), S_OK);
  EXPECT_EQ(CTestCounter::constructions, before + 1);
}

TEST(ModuleLockCount, FollowsObjectLifetimes) {
  GetThisModule().ReleaseSingletons();
  ASSERT_TRUE(GetThisModule().CanUnloadNow());
  const LONG before = LockCount();
  ISolo* solo = nullptr;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestCounter", nullptr, IID_ISolo, reinterpret_cast<void**>(&solo)), S_OK);
  EXPECT_EQ(LockCount(), before + 1);
  EXPECT_FALSE(GetThisModule().CanUnloadNow());
  solo->Release();
  EXPECT_EQ(LockCount(), before);
  EXPECT_TRUE(GetThisModule().CanUnloadNow());
  // Lock and Unlock return the new count.
  EXPECT_EQ(GetThisModule().Lock(), before + 1);
  EXPECT_EQ(GetThisModule().Lock(), before + 2);
  EXPECT_EQ(GetThisModule().Unlock(), before + 1);
  EXPECT_EQ(GetThisModule().Unlock(), before);
}

TEST(ModuleLockCount, UnknownInterfaceLeavesCountAsBefore) {
  const LONG before = LockCount();
  const int destroyed = CTestCounter::destructions;
  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(GetThisModule().CreateInstance(u"CTestCounter", nullptr, IID_INotImplemented, &out), E_NOINTERFACE);
  EXPECT_EQ(out, reinterpret_cast<void*>(0x1));  // left as it was
  EXPECT_EQ(LockCount(), before);
  EXPECT_EQ(CTestCounter::destructions, destroyed + 1);  // the partly made object is gone
}

TEST(ModuleLockCount, FailedFinalConstructLeavesNothing) {
  const LONG before = LockCount();
  void* out = nullptr;
  EXPECT_EQ(GetThisModule().CreateInstance(u"CTestFailing", nullptr, IID_ISolo, &out), E_OUTOFMEMORY);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(LockCount(), before);
}

TEST(ModuleSharedInstance, OneObjectWithItsOwnCacheReference) {
  ComPtr<ISolo> first;
  ComPtr<ISecond> second;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestShared", nullptr, IID_ISolo, first.PutVoid()), S_OK);
  ASSERT_EQ(GetThisModule().CreateInstance(u"ctestshared", nullptr, IID_ISecond, second.PutVoid()), S_OK);
  ComPtr<IUnknown> a, b;
  first->QueryInterface(IID_IUnknown, a.PutVoid());
  second->QueryInterface(IID_IUnknown, b.PutVoid());
  EXPECT_EQ(a.Get(), b.Get());

  auto* object = static_cast<S_COM::CSAggregateObject<CTestCounter>*>(static_cast<CTestCounter*>(
      static_cast<ISolo*>(first.Get())));
  // first, second, a, b and the cache's own reference.
  EXPECT_EQ(object->RefCountForTesting(), 5);
}

TEST(ModuleSharedInstance, ReleaseSingletonsDropsTheCache) {
  const int destroyed = CTestCounter::destructions;
  {
    ComPtr<ISolo> shared;
    ASSERT_EQ(GetThisModule().CreateInstance(u"CTestShared", nullptr, IID_ISolo, shared.PutVoid()), S_OK);
  }
  EXPECT_FALSE(GetThisModule().CanUnloadNow());
  EXPECT_EQ(GetThisModule().ReleaseSingletons(), S_OK);
  EXPECT_EQ(CTestCounter::destructions, destroyed + 1);
  EXPECT_TRUE(GetThisModule().CanUnloadNow());

  const int made = CTestCounter::constructions;
  ComPtr<ISolo> again;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestShared", nullptr, IID_ISolo, again.PutVoid()), S_OK);
  EXPECT_EQ(CTestCounter::constructions, made + 1);
}

TEST(ModuleSharedInstance, ConcurrentFirstRequestsMakeOneObject) {
  const int made = CTestCounter::constructions;
  std::vector<IUnknown*> results(16, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&results, i] {
      ISolo* solo = nullptr;
      if (SUCCEEDED(GetThisModule().CreateInstance(u"CTestShared", nullptr, IID_ISolo, reinterpret_cast<void**>(&solo)))) {
        solo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&results[i]));
        solo->Release();
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(CTestCounter::constructions, made + 1);
  for (IUnknown* r : results) {
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r, results[0]);
    r->Release();
  }
}

}  // namespace
