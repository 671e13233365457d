#pragma once
// CDibMemFile: a CDibFile over a block of memory. A caller's block is only
// read (and written in place while it has room); it is never reallocated
// or freed. A stream made over null owns the memory it grows for writes.
// Positions and sizes stay within 32 bits: a seek or write that would pass
// them fails instead of wrapping.
#include "imaging/dib_file.h"

class CDibMemFile : public CDibFile {
 public:
  CDibMemFile(BYTE* buffer = nullptr, DWORD size = 0);
  ~CDibMemFile() override;

  bool Close() override;
  DWORD Read(void* buffer, DWORD itemSize, DWORD itemCount) override;
  DWORD Write(const void* buffer, DWORD itemSize, DWORD itemCount) override;
  bool Seek(LONG offset, int origin) override;
  LONG Tell() override;
  LONG Size() override;
  bool Flush() override;
  bool Eof() override;
  LONG Error() override;
  bool PutC(BYTE c) override;
  LONG GetC() override;
  char* GetS(char* buffer, int length) override;
  LONG Scanf(const char* format, void* output) override;

  BYTE* GetBuffer() const { return m_buffer; }

 protected:
  // Makes room for needed bytes; false when that cannot be had.
  bool Alloc(DWORD needed);

  BYTE* m_buffer;
  LONG m_position;
  DWORD m_capacity;
  LONG m_size;
  bool m_ownsBuffer;
};
