#include "my_image.h"

#include <cstring>

#include "afx/win_app.h"
#include "win/global_memory.h"
#include "win/resources.h"
#include "win/stream.h"

BOOL CMyImage::DrawFrame(HDC dc, int frame, int x, int y) const {
  return Draw(dc, x, y, m_nFrameWidth, m_nFrameHeight, frame * m_nFrameWidth, 0, m_nFrameWidth, m_nFrameHeight);
}

namespace {

// The picture's bytes go through a block of their own: the stream reads
// from memory it may keep, and the resource's bytes are not the stream's.
HRESULT LoadFromBytes(CImage& image, const void* bytes, DWORD size) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
  if (!block) return E_OUTOFMEMORY;
  void* copy = GlobalLock(block);
  if (!copy) {
    GlobalFree(block);
    return E_OUTOFMEMORY;
  }
  std::memcpy(copy, bytes, size);
  GlobalUnlock(block);
  IStream* stream = nullptr;
  HRESULT result = CreateStreamOnHGlobal(block, FALSE, &stream);
  if (SUCCEEDED(result)) {
    result = image.Load(stream);
    stream->Release();
  }
  GlobalFree(block);
  return result;
}

}  // namespace

BOOL LoadPngImage(UINT id, CMyImage* image, int rows, int columns) {
  if (!image || rows < 1 || columns < 1) return FALSE;
  HMODULE module = AfxGetResourceHandle();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(static_cast<WORD>(id)), u"PNG");
  if (!found) return FALSE;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return FALSE;

  image->Destroy();
  if (FAILED(LoadFromBytes(*image, bytes, size)) || image->IsNull()) return FALSE;
  image->m_nFrameWidth = image->GetWidth() / columns;
  image->m_nFrameHeight = image->GetHeight() / rows;
  PremultiplyAlpha(*image);
  return TRUE;
}

void PremultiplyAlpha(CImage& image) {
  if (image.IsNull() || image.GetBPP() != 32) return;
  const int width = image.GetWidth();
  const int height = image.GetHeight();
  for (int y = 0; y < height; ++y) {
    auto* pixel = static_cast<BYTE*>(image.GetPixelAddress(0, y));
    for (int x = 0; x < width; ++x, pixel += 4) {
      const unsigned alpha = pixel[3];
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<BYTE>(pixel[c] * alpha / 255);
    }
  }
}
