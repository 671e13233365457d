#include "skin_bitmaps.h"

#include <array>

#include "framework/module_loader.h"
#include "kernel/lib_png.h"
#include "win/resources.h"

namespace {

struct SkinEntry {
  UINT id;
  int frames;
};

constexpr std::array<SkinEntry, 8> kSkins{{
    {SKIN_BACKGROUND, 1},
    {SKIN_CLOSE, 4},
    {SKIN_OPEN, 4},
    {SKIN_PRODUCT_BOX, 1},
    {SKIN_PRICE_BOX, 1},
    {SKIN_CURRENCY, 3},
    {SKIN_STRIKE, 1},
    {SKIN_BADGE, 1},
}};

// Never destroyed: the bitmaps are the process's until it ends.
std::array<CFSBitmap, kSkins.size() + 1>& Bitmaps() {
  static auto* bitmaps = new std::array<CFSBitmap, kSkins.size() + 1>;
  return *bitmaps;
}

}  // namespace

HBITMAP LoadPngResource(UINT resourceId) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(static_cast<WORD>(resourceId)), u"PNG");
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (!loaded) return nullptr;
  HBITMAP bitmap = nullptr;
  const void* data = LockResource(loaded);
  ILibPng* png = nullptr;
  if (data && SUCCEEDED(CreateObject<ILibPng>(u"Gravik.CLibPng", &png)) && png) {
    bitmap = png->LoadFromMemory(data, SizeofResource(nullptr, found));
    png->Release();
  }
  FreeResource(loaded);
  return bitmap;
}

bool LoadSkinBitmaps() {
  static bool loaded = false;
  static bool complete = false;
  if (loaded) return complete;
  loaded = true;
  complete = true;
  for (std::size_t i = 0; i < kSkins.size(); ++i) {
    HBITMAP bitmap = LoadPngResource(kSkins[i].id);
    if (!bitmap) complete = false;
    Bitmaps()[i].Attach(bitmap, kSkins[i].frames);
  }
  return complete;
}

CFSBitmap& SkinBitmap(UINT resourceId) {
  for (std::size_t i = 0; i < kSkins.size(); ++i)
    if (kSkins[i].id == resourceId) return Bitmaps()[i];
  return Bitmaps()[kSkins.size()];
}
