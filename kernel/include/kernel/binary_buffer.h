#pragma once
// IBinaryBuffer: a growable block of bytes that one side fills and another
// reads ("Gravik.CBinaryBuffer"). The block always has two zero bytes after
// its data, so a body can be read as terminated 8-bit or UTF-16 text.
#include "win/base.h"

// {6A1C0E51-3B7D-4F1E-9C2A-8D5E4B7F1A01}
QUORLA_DEFINE_GUID(IID_IBinaryBuffer, 0x6a1c0e51, 0x3b7d, 0x4f1e, 0x9c, 0x2a, 0x8d, 0x5e, 0x4b, 0x7f, 0x1a, 0x01);

class IBinaryBuffer : public IUnknown {
 public:
  // At least size bytes: a stored block that is large enough is returned
  // as it is (contents kept); a larger request replaces it without keeping
  // its contents. Null when memory runs out (the old block stays) and for
  // Alloc(0) on a new buffer.
  virtual char* Alloc(unsigned size) = 0;
  // The block, null before the first allocation; owned by the buffer and
  // valid until it grows or the buffer is destroyed.
  virtual char* GetBuffer() = 0;
  // The size of the largest block allocated so far.
  virtual unsigned GetSize() = 0;

 protected:
  ~IBinaryBuffer() = default;
};
QUORLA_INTERFACE_ID(IBinaryBuffer, IID_IBinaryBuffer);
