#pragma once
// Owns one reference to an interface and releases it when it goes.
#include <utility>

namespace S_COM {

template <class I>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(I* p) : m_p(p) {}
  ComPtr(const ComPtr& other) : m_p(other.m_p) {
    if (m_p) m_p->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(m_p, other.m_p);
    return *this;
  }
  ~ComPtr() { Reset(); }

  I* Get() const { return m_p; }
  I* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // For out parameters: releases what was held and gives the slot.
  I** Put() {
    Reset();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  I* Detach() { return std::exchange(m_p, nullptr); }
  void Reset() {
    if (I* p = std::exchange(m_p, nullptr)) p->Release();
  }

 private:
  I* m_p = nullptr;
};

}  // namespace S_COM
