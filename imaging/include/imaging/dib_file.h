#pragma once
// CDibFile: the byte stream every image decoder reads through, stdio-shaped
// (item counts, origins, -1 at the end). One stream is used by one thread.
#include "win/types.h"

class CDibFile {
 public:
  virtual ~CDibFile() = default;
  virtual bool Close() = 0;
  // Whole items copied.
  virtual DWORD Read(void* buffer, DWORD itemSize, DWORD itemCount) = 0;
  virtual DWORD Write(const void* buffer, DWORD itemSize, DWORD itemCount) = 0;
  // origin: 0 start, 1 current position, 2 end.
  virtual bool Seek(LONG offset, int origin) = 0;
  virtual LONG Tell() = 0;
  virtual LONG Size() = 0;
  virtual bool Flush() = 0;
  virtual bool Eof() = 0;
  virtual LONG Error() = 0;
  virtual bool PutC(BYTE c) { return Write(&c, 1, 1) == 1; }
  // The next byte as 0-255, or -1 at the end.
  virtual LONG GetC() = 0;
  virtual char* GetS(char* buffer, int length) = 0;
  virtual LONG Scanf(const char* format, void* output) = 0;
};
