// Interface maps: nested objects answering interfaces for their object, one
// identity and one count, derived maps extending their bases'.
#include <gtest/gtest.h>

#include "afx/cmd_target.h"

namespace {

QUORLA_DEFINE_GUID(IID_IFirst, 0x11111111, 0x0000, 0x0000, 0, 0, 0, 0, 0, 0, 0, 1);
QUORLA_DEFINE_GUID(IID_ISecond, 0x22222222, 0x0000, 0x0000, 0, 0, 0, 0, 0, 0, 0, 2);
QUORLA_DEFINE_GUID(IID_IThird, 0x33333333, 0x0000, 0x0000, 0, 0, 0, 0, 0, 0, 0, 3);
QUORLA_DEFINE_GUID(IID_INobody, 0x44444444, 0x0000, 0x0000, 0, 0, 0, 0, 0, 0, 0, 4);

struct IFirst : IUnknown {
  virtual int First() = 0;
};
struct ISecond : IUnknown {
  virtual int Second() = 0;
};
struct IThird : IUnknown {
  virtual int Third() = 0;
};

// A part's IUnknown is its object's.
#define DELEGATE_TO_OBJECT(Class, Part)                                                      \
  ULONG Class::X##Part::AddRef() {                                                           \
    METHOD_PROLOGUE(Class, Part)                                                             \
    return pThis->ExternalAddRef();                                                          \
  }                                                                                          \
  ULONG Class::X##Part::Release() {                                                          \
    METHOD_PROLOGUE(Class, Part)                                                             \
    return pThis->ExternalRelease();                                                         \
  }                                                                                          \
  HRESULT Class::X##Part::QueryInterface(REFIID iid, void** out) {                           \
    METHOD_PROLOGUE(Class, Part)                                                             \
    return pThis->ExternalQueryInterface(&iid, out);                                         \
  }

class BaseTarget : public CCmdTarget {
 public:
  explicit BaseTarget(int* finalReleases) : finalReleases_(finalReleases) {}
  int value = 10;

 protected:
  void OnFinalRelease() override {
    ++*finalReleases_;
    CCmdTarget::OnFinalRelease();
  }
  // Data between the parts, so that each lies at its own offset.
  char padding_[24] = {};
  BEGIN_INTERFACE_PART(FirstPart, IFirst)
    int First() override;
  END_INTERFACE_PART(FirstPart)
  double more_ = 0;
  BEGIN_INTERFACE_PART(SecondPart, ISecond)
    int Second() override;
  END_INTERFACE_PART(SecondPart)
  DECLARE_INTERFACE_MAP()

 private:
  int* finalReleases_;
};

BEGIN_INTERFACE_MAP(BaseTarget, CCmdTarget)
  INTERFACE_PART(BaseTarget, IID_IFirst, FirstPart)
  INTERFACE_PART(BaseTarget, IID_ISecond, SecondPart)
END_INTERFACE_MAP()

DELEGATE_TO_OBJECT(BaseTarget, FirstPart)
int BaseTarget::XFirstPart::First() {
  METHOD_PROLOGUE(BaseTarget, FirstPart)
  return pThis->value + 1;
}
DELEGATE_TO_OBJECT(BaseTarget, SecondPart)
int BaseTarget::XSecondPart::Second() {
  METHOD_PROLOGUE(BaseTarget, SecondPart)
  return pThis->value + 2;
}

class DerivedTarget : public BaseTarget {
 public:
  using BaseTarget::BaseTarget;

 protected:
  BEGIN_INTERFACE_PART(ThirdPart, IThird)
    int Third() override;
  END_INTERFACE_PART(ThirdPart)
  DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(DerivedTarget, BaseTarget)
  INTERFACE_PART(DerivedTarget, IID_IThird, ThirdPart)
END_INTERFACE_MAP()

DELEGATE_TO_OBJECT(DerivedTarget, ThirdPart)
int DerivedTarget::XThirdPart::Third() {
  METHOD_PROLOGUE(DerivedTarget, ThirdPart)
  return pThis->value + 3;
}

template <typename I>
I* Query(IUnknown* from, const IID& iid) {
  void* out = reinterpret_cast<void*>(1);
  if (from->QueryInterface(iid, &out) != S_OK) {
    EXPECT_EQ(out, nullptr);
    return nullptr;
  }
  return static_cast<I*>(out);
}

TEST(InterfaceMapTest, EachPartReachesItsObject) {
  int finalReleases = 0;
  auto* target = new DerivedTarget(&finalReleases);
  target->value = 100;
  IUnknown* identity = target->GetInterface(&IID_IUnknown);
  ASSERT_NE(identity, nullptr);

  auto* first = Query<IFirst>(identity, IID_IFirst);
  auto* second = Query<ISecond>(identity, IID_ISecond);
  auto* third = Query<IThird>(identity, IID_IThird);
  ASSERT_TRUE(first && second && third);
  EXPECT_EQ(first->First(), 101);
  EXPECT_EQ(second->Second(), 102);
  EXPECT_EQ(third->Third(), 103);
  EXPECT_EQ(Query<IUnknown>(identity, IID_INobody), nullptr);

  // One identity, whichever part is asked, and the derived class's first
  // part is it.
  for (IUnknown* part : std::initializer_list<IUnknown*>{first, second, third}) {
    IUnknown* asked = Query<IUnknown>(part, IID_IUnknown);
    EXPECT_EQ(asked, identity);
    EXPECT_EQ(static_cast<IUnknown*>(third), asked);
    asked->Release();
  }
  EXPECT_EQ(target->m_dwRef, 4u);  // the creator's and the three queries'
  // One count shared by all parts; the last release may come through any.
  EXPECT_EQ(first->AddRef(), 5u);
  EXPECT_EQ(second->Release(), 4u);
  EXPECT_EQ(first->Release(), 3u);
  EXPECT_EQ(first->Release(), 2u);
  EXPECT_EQ(target->ExternalRelease(), 1u);
  EXPECT_EQ(finalReleases, 0);
  EXPECT_EQ(third->Release(), 0u);
  EXPECT_EQ(finalReleases, 1);
}

TEST(InterfaceMapTest, QueriesWithoutAnswer) {
  int finalReleases = 0;
  auto* target = new BaseTarget(&finalReleases);
  struct Case {
    const char* name;
    const IID* iid;
    HRESULT result;
  };
  for (Case c : {Case{"unknown interface", &IID_INobody, E_NOINTERFACE},
                 Case{"derived class's interface", &IID_IThird, E_NOINTERFACE}, Case{"no identifier", nullptr, E_NOINTERFACE}}) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(target->InternalQueryInterface(c.iid, &out), c.result) << c.name;
    EXPECT_EQ(out, nullptr) << c.name;
  }
  EXPECT_EQ(target->InternalQueryInterface(&IID_IFirst, nullptr), E_POINTER);
  EXPECT_EQ(target->m_dwRef, 1u);
  // A plain CCmdTarget has no interfaces at all.
  auto* bare = new CCmdTarget;
  EXPECT_EQ(bare->GetInterface(&IID_IUnknown), nullptr);
  bare->ExternalRelease();
  target->ExternalRelease();
  EXPECT_EQ(finalReleases, 1);
}

}  // namespace
