#pragma once
// Creates Gravik's classes through its own class table, as the loader would.
#include "framework/com_ptr.h"
#include "framework/s_module.h"

template <class I>
S_COM::ComPtr<I> MakeGravik(LPCWSTR className) {
  S_COM::ComPtr<I> object;
  S_COM::GetThisModule().CreateInstance(className, nullptr, InterfaceId<I>::value(), object.PutVoid());
  return object;
}
