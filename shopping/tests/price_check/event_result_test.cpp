// The result object the shopping engine gives the download queue: its event
// lives exactly as long as the object, whoever holds it last.
#include <thread>

#include "event_result.h"
#include "price_check_support.h"
#include "kernel/binary_buffer.h"
#include "win/events.h"
#include "win/handles.h"
#include "win/waits.h"

namespace {

TEST(EventResult, TheEventOutlivesTheRequesterWhileTheWorkerHoldsTheResult) {
  S_COM::ComPtr<IFAsyncResult> result;
  HANDLE event = nullptr;
  ASSERT_EQ(CreateEventResult(result, event), S_OK);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);  // not set at first

  // The worker's reference, as the download queue takes it.
  IFAsyncResult* workers = result.Get();
  workers->AddRef();
  result.Reset();  // the requester gave up waiting
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);  // still a valid event

  std::thread worker([workers] {
    workers->SetResult(1, nullptr);
    workers->Release();  // the last reference: the event goes with it
  });
  worker.join();
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
}

TEST(EventResult, ForwardsToTheKernelResult) {
  S_COM::ComPtr<IFAsyncResult> result;
  HANDLE event = nullptr;
  ASSERT_EQ(CreateEventResult(result, event), S_OK);
  int value = 0;
  EXPECT_EQ(result->SetUserData(41), S_OK);
  EXPECT_EQ(result->GetUserData(&value), S_OK);
  EXPECT_EQ(value, 41);
  EXPECT_EQ(result->GetUserData(nullptr), E_FAIL);

  auto buffer = MakeDeployed<IUnknown>("Gravik.dll", u"CBinaryBuffer");
  ASSERT_TRUE(buffer);
  EXPECT_EQ(result->SetResult(1, buffer.Get()), S_OK);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);  // manual reset: stays set
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  int status = 0;
  S_COM::ComPtr<IUnknown> object;
  EXPECT_EQ(result->GetResult(&status, object.Put()), S_OK);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(object.Get(), buffer.Get());

  // The notification is fixed.
  HANDLE other = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(result->SetNotifyEvent(other), E_NOTIMPL);
  EXPECT_EQ(result->SetNotifyWindow(nullptr, 0), E_NOTIMPL);
  result->SetResult(0, nullptr);
  EXPECT_EQ(WaitForSingleObject(other, 0), WAIT_TIMEOUT);
  CloseHandle(other);

  S_COM::ComPtr<IBinaryBuffer> asBuffer;
  EXPECT_EQ(result->QueryInterface(IID_IBinaryBuffer, asBuffer.PutVoid()), E_NOINTERFACE);
}

}  // namespace
