// Component objects: identity, aggregation, reference counts.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "framework/com_ptr.h"
#include "test_module.h"

using S_COM::ComPtr;
using S_COM::GetThisModule;

namespace {

// An outer object that counts the references its inner object passes on.
class CountingOuter final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    ++queries;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count; }
  ULONG STDMETHODCALLTYPE Release() override { return --count; }

  IUnknown* inner = nullptr;
  ULONG count = 1;
  int queries = 0;
};

TEST(ComObjectIdentity, IUnknownFromEveryInterfaceIsTheSamePointer) {
  ComPtr<ISolo> solo;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestCounter", nullptr, IID_ISolo, solo.PutVoid()), S_OK);
  ComPtr<ISecond> second;
  ASSERT_EQ(solo->QueryInterface(IID_ISecond, second.PutVoid()), S_OK);
  EXPECT_EQ(second->Second(), 2);

  ComPtr<IUnknown> fromSolo, fromSecond, again;
  ASSERT_EQ(solo->QueryInterface(IID_IUnknown, fromSolo.PutVoid()), S_OK);
  ASSERT_EQ(second->QueryInterface(IID_IUnknown, fromSecond.PutVoid()), S_OK);
  ASSERT_EQ(fromSolo->QueryInterface(IID_IUnknown, again.PutVoid()), S_OK);
  EXPECT_EQ(fromSolo.Get(), fromSecond.Get());
  EXPECT_EQ(fromSolo.Get(), again.Get());
  EXPECT_NE(static_cast<void*>(fromSolo.Get()), static_cast<void*>(solo.Get()));

  // The unknown leads back to every interface of the map.
  ComPtr<ISolo> back;
  ASSERT_EQ(fromSolo->QueryInterface(IID_ISolo, back.PutVoid()), S_OK);
  EXPECT_EQ(back.Get(), solo.Get());
}

TEST(ComObjectIdentity, NullOutAndUnknownInterface) {
  ComPtr<ISolo> solo;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestCounter", nullptr, IID_ISolo, solo.PutVoid()), S_OK);
  EXPECT_EQ(solo->QueryInterface(IID_ISecond, nullptr), E_FAIL);
  void* out = reinterpret_cast<void*>(0x2);
  EXPECT_EQ(solo->QueryInterface(IID_INotImplemented, &out), E_NOINTERFACE);
  EXPECT_EQ(out, reinterpret_cast<void*>(0x2));
}

TEST(ComObjectAggregation, OnlyIUnknownIsAcceptedWithAnOuter) {
  CountingOuter outer;
  void* out = nullptr;
  EXPECT_EQ(GetThisModule().CreateInstance(u"CTestCounter", &outer, IID_ISolo, &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(outer.count, 1u);
}

TEST(ComObjectAggregation, InterfacesDelegateToTheOuterObject) {
  const int destroyed = CTestCounter::destructions;
  CountingOuter outer;
  IUnknown* inner = nullptr;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestCounter", &outer, IID_IUnknown, reinterpret_cast<void**>(&inner)),
            S_OK);
  outer.inner = inner;

  ISolo* solo = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_ISolo, reinterpret_cast<void**>(&solo)), S_OK);
  EXPECT_EQ(outer.count, 2u);  // the reference went to the outer object
  solo->AddRef();
  EXPECT_EQ(outer.count, 3u);
  solo->Release();
  solo->Release();
  EXPECT_EQ(outer.count, 1u);

  // Asked through an interface, IUnknown is the outer object's answer.
  IUnknown* unknown = nullptr;
  ASSERT_EQ(solo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown, &outer);
  EXPECT_GT(outer.queries, 0);
  unknown->Release();

  // The inner unknown holds the object's own count.
  EXPECT_EQ(CTestCounter::destructions, destroyed);
  inner->Release();
  EXPECT_EQ(CTestCounter::destructions, destroyed + 1);
}

TEST(ComObjectCounts, ConcurrentAddRefAndReleaseStayConsistent) {
  const int destroyed = CTestCounter::destructions;
  ISolo* solo = nullptr;
  ASSERT_EQ(GetThisModule().CreateInstance(u"CTestCounter", nullptr, IID_ISolo, reinterpret_cast<void**>(&solo)), S_OK);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([solo] {
      for (int i = 0; i < 20000; ++i) {
        solo->AddRef();
        solo->Release();
      }
    });
  }
  for (auto& t : threads) t.join();
  auto* object = static_cast<S_COM::CSAggregateObject<CTestCounter>*>(static_cast<CTestCounter*>(solo));
  EXPECT_EQ(object->RefCountForTesting(), 1);
  EXPECT_EQ(CTestCounter::destructions, destroyed);
  EXPECT_EQ(solo->Release(), 0u);
  EXPECT_EQ(CTestCounter::destructions, destroyed + 1);
}

}  // namespace
