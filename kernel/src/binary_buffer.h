#pragma once
// CBinaryBuffer: the byte buffer behind IBinaryBuffer. Owns its block. One
// thread at a time (the filler hands it over through a result object).
#include "framework/com_object.h"
#include "kernel/binary_buffer.h"

class CBinaryBuffer : public S_COM::CSComObjectRoot<CBinaryBuffer>, public IBinaryBuffer {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CBinaryBuffer)
  S_COM_INTERFACE_ENTRY(IBinaryBuffer)
  S_COM_END_INTERFACE_MAP()

  CBinaryBuffer() = default;
  ~CBinaryBuffer();

  char* Alloc(unsigned size) override;
  char* GetBuffer() override { return m_data; }
  unsigned GetSize() override { return m_size; }

 private:
  char* m_data = nullptr;
  unsigned m_size = 0;
};
