#pragma once
// How the check worker hands a price drop to the main window. No reference
// counting: the main window outlives every call, because the worker reads
// the pointer and calls it under the notice queue's lock, and the window
// clears the pointer under that lock before it goes.
#include <cstdint>

// The item's price fell; item is a heap copy of a ReducePriceItem (made with
// new) that the receiver owns.
constexpr std::int32_t ENGINE_EVENT_PRICE_DROP = 1;

struct IEngineCallBack {
  // kind, item, and two integers carried along unchanged.
  virtual void OnEngineEvent(std::int32_t kind, void* item, std::int32_t a, std::int32_t b) = 0;

 protected:
  ~IEngineCallBack() = default;
};
