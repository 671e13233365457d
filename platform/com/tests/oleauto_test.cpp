#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "win/com.h"
#include "win/oleauto.h"

namespace {

TEST(Bstr, AllocationLengthAndTerminator) {
  BSTR s = SysAllocString(u"价格12");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 4u);
  EXPECT_EQ(SysStringByteLen(s), 8u);
  EXPECT_EQ(s[4], 0);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s) % 8, 0u);
  SysFreeString(s);

  // Counted strings may hold zero units; the length says where they end.
  BSTR z = SysAllocStringLen(u"a\0b", 3);
  EXPECT_EQ(SysStringLen(z), 3u);
  EXPECT_EQ(std::u16string(z, 3), std::u16string(u"a\0b", 3));
  SysFreeString(z);

  BSTR blank = SysAllocStringLen(nullptr, 5);
  EXPECT_EQ(SysStringLen(blank), 5u);
  EXPECT_EQ(blank[5], 0);
  SysFreeString(blank);

  BSTR empty = SysAllocString(u"");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  SysFreeString(empty);

  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
}

struct CountingUnknown : IUnknown {
  std::atomic<int> refs{1};
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(Variant, ClearFreesWhatItOwns) {
  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(u"text");
  EXPECT_EQ(VariantClear(&v), S_OK);  // leak checkers see the string freed
  EXPECT_EQ(v.vt, VT_EMPTY);

  CountingUnknown unknown;
  unknown.AddRef();
  v.vt = VT_UNKNOWN;
  v.punkVal = &unknown;
  VariantClear(&v);
  EXPECT_EQ(unknown.refs, 1);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST(SafeArray, VectorOfVariantsOwnsItsStrings) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 2);
  ASSERT_NE(array, nullptr);
  VARTYPE vt = VT_EMPTY;
  EXPECT_EQ(SafeArrayGetVartype(array, &vt), S_OK);
  EXPECT_EQ(vt, VT_VARIANT);
  LONG lower = -1, upper = -1;
  EXPECT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
  EXPECT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 1);
  EXPECT_EQ(SafeArrayGetLBound(array, 2, &lower), E_INVALIDARG);

  VARIANT* items = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&items)), S_OK);
  EXPECT_EQ(items[0].vt, VT_EMPTY);
  items[0].vt = VT_BSTR;
  items[0].bstrVal = SysAllocString(u"<html>");
  EXPECT_EQ(SafeArrayDestroy(array), E_UNEXPECTED);  // still accessed
  EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);

  EXPECT_EQ(SafeArrayCreateVector(VT_NULL, 0, 1), nullptr);
  SAFEARRAY* none = SafeArrayCreateVector(VT_BSTR, 0, 0);
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(SafeArrayDestroy(none), S_OK);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

TEST(OleApartments, OleInitializeIsASingleThreadedApartment) {
  std::thread([] {
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    OleUninitialize();
    OleUninitialize();
    EXPECT_FALSE(quorla::IsComInitialized());
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), RPC_E_CHANGED_MODE);
    CoUninitialize();
  }).join();
}

}  // namespace
