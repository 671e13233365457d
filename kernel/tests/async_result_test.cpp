#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "framework/com_object.h"
#include "gravik_objects.h"
#include "kernel/async_result.h"
#include "kernel/binary_buffer.h"
#include "win/events.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/waits.h"
#include "win/window_objects.h"

namespace {

// Reference count as seen by a pair of AddRef/Release.
ULONG CountOf(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

constexpr UINT WM_DONE = WM_USER + 40;

HWND MakeTargetWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"QuorlaAsyncResultTarget";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, u"QuorlaAsyncResultTarget", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

TEST(AsyncResult, UserDataAndNullPointers) {
  auto result = MakeGravik<IFAsyncResult>(u"CFAsyncResult");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->GetUserData(nullptr), E_FAIL);
  EXPECT_EQ(result->SetUserData(17), S_OK);
  int data = 0;
  EXPECT_EQ(result->GetUserData(&data), S_OK);
  EXPECT_EQ(data, 17);
  // Status only: the object pointer may be null; an unheld object leaves
  // the caller's pointer alone.
  result->SetResult(1, nullptr);
  int status = -1;
  EXPECT_EQ(result->GetResult(&status, nullptr), S_OK);
  EXPECT_EQ(status, 1);
  IUnknown* untouched = reinterpret_cast<IUnknown*>(0x1234);
  EXPECT_EQ(result->GetResult(nullptr, &untouched), S_OK);
  EXPECT_EQ(untouched, reinterpret_cast<IUnknown*>(0x1234));
}

TEST(AsyncResult, ResultObjectReferences) {
  auto result = MakeGravik<IFAsyncResult>(u"CFAsyncResult");
  auto first = MakeGravik<IBinaryBuffer>(u"CBinaryBuffer");
  auto second = MakeGravik<IBinaryBuffer>(u"CBinaryBuffer");
  ULONG base = CountOf(first.Get());
  result->SetResult(1, first.Get());
  EXPECT_EQ(CountOf(first.Get()), base + 1);
  result->SetResult(1, first.Get());
  EXPECT_EQ(CountOf(first.Get()), base + 1) << "the object already held changes no count";
  result->SetResult(0, second.Get());
  EXPECT_EQ(CountOf(first.Get()), base) << "replacing releases the old one";
  IUnknown* out = nullptr;
  result->GetResult(nullptr, &out);
  EXPECT_EQ(out, static_cast<IUnknown*>(second.Get()));
  EXPECT_EQ(CountOf(second.Get()), base + 2);
  out->Release();
  result.Reset();
  EXPECT_EQ(CountOf(second.Get()), base) << "destruction releases the held object";
}

TEST(AsyncResult, NotificationByModeTable) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND window = MakeTargetWindow();
  HWND gone = MakeTargetWindow();
  DestroyWindow(gone);
  struct Case {
    const char* name;
    int mode;  // 0 none, 1 window, 2 event, 3 window then event (the later call decides)
    HWND target;
    bool expectEvent;
    bool expectMessage;
  } cases[] = {
      {"none", 0, nullptr, false, false},
      {"window", 1, window, false, true},
      {"destroyed window", 1, gone, false, false},
      {"null window", 1, nullptr, false, false},
      {"event", 2, nullptr, true, false},
      {"later call decides", 3, window, true, false},
  };
  for (const Case& c : cases) {
    ResetEvent(event);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    auto result = MakeGravik<IFAsyncResult>(u"CFAsyncResult");
    if (c.mode == 1 || c.mode == 3) result->SetNotifyWindow(c.target, WM_DONE);
    if (c.mode == 2 || c.mode == 3) result->SetNotifyEvent(event);
    EXPECT_EQ(result->SetResult(1, nullptr), S_OK) << c.name;
    EXPECT_EQ(WaitForSingleObject(event, 0) == WAIT_OBJECT_0, c.expectEvent) << c.name;
    bool got = PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(got, c.expectMessage) << c.name;
    if (got) {
      EXPECT_EQ(msg.hwnd, window);
      EXPECT_EQ(msg.message, WM_DONE);
    }
  }
  DestroyWindow(window);
  CloseHandle(event);
}

TEST(AsyncResult, AWorkerSetsTheResultAndTheRequesterReadsIt) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto result = MakeGravik<IFAsyncResult>(u"CFAsyncResult");
  result->SetNotifyEvent(event);
  IFAsyncResult* forWorker = result.Get();
  forWorker->AddRef();
  std::thread worker([forWorker] {
    auto buffer = MakeGravik<IBinaryBuffer>(u"CBinaryBuffer");
    std::memcpy(buffer->Alloc(5), "hello", 5);
    forWorker->SetResult(1, buffer.Get());
    forWorker->Release();
  });
  ASSERT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
  int status = 0;
  S_COM::ComPtr<IUnknown> object;
  result->GetResult(&status, object.Put());
  worker.join();
  EXPECT_EQ(status, 1);
  S_COM::ComPtr<IBinaryBuffer> buffer;
  ASSERT_EQ(object->QueryInterface(IID_IBinaryBuffer, buffer.PutVoid()), S_OK);
  EXPECT_STREQ(buffer->GetBuffer(), "hello");
  CloseHandle(event);
}

}  // namespace
