#pragma once
// CGdiObject: owns one drawing object (bitmap, brush, font, region) and
// deletes it when it dies. FromHandle wraps a handle that no object owns in
// a temporary object of the calling thread (see CWnd) that never deletes it.
// A drawing object is used by one thread at a time.
#include "win/gdi_objects.h"

class CGdiObject {
 public:
  CGdiObject() = default;
  virtual ~CGdiObject();
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  static CGdiObject* FromHandle(HGDIOBJ object);
  // FALSE when the object already holds a handle, or for a null one.
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  // Deletes the held handle; FALSE when there is none.
  BOOL DeleteObject();
  int GetObject(int size, void* buffer) const;
  BOOL CreateStockObject(int index);
};
