// CDibImage's decoding dispatcher and its entry points for memory and
// resources.
#include <cstring>

#include "imaging/dib_decoders.h"
#include "imaging/dib_file.h"
#include "imaging/dib_mem_file.h"

namespace {

template <class Decoder>
bool RunDecoder(CDibImage& caller, CDibFile* file, Decoder& decoder) {
  decoder.CopyInfoFrom(caller);
  return decoder.Decode(file);
}

}  // namespace

bool CDibImage::Decode(CDibFile* file, DWORD imageType) {
  if (!file) {
    SetError("null file handler");
    return false;
  }
  auto finish = [this](CDibImage& decoder, bool ok, bool keepFrameCount) {
    if (ok) {
      Transfer(decoder, true);
      return true;
    }
    std::memcpy(m_info.lastError, decoder.GetInfo().lastError, sizeof(m_info.lastError));
    if (keepFrameCount) m_info.frameCount = decoder.GetFrameCount();
    return false;
  };
  switch (imageType) {
    case DIBIMAGE_FORMAT_BMP: {
      CDibImageBMP decoder;
      bool ok = RunDecoder(*this, file, decoder);
      return finish(decoder, ok, false);
    }
    case DIBIMAGE_FORMAT_PNG: {
      CDibImagePNG decoder;
      bool ok = RunDecoder(*this, file, decoder);
      return finish(decoder, ok, false);
    }
    case DIBIMAGE_FORMAT_ICO: {
      CDibImageICO decoder;
      bool ok = RunDecoder(*this, file, decoder);
      return finish(decoder, ok, true);
    }
    case DIBIMAGE_FORMAT_UNKNOWN: {
      LONG start = file->Tell();
      {
        CDibImageBMP decoder;
        if (RunDecoder(*this, file, decoder)) return finish(decoder, true, false);
      }
      file->Seek(start, 0);
      {
        CDibImageICO decoder;
        if (RunDecoder(*this, file, decoder)) return finish(decoder, true, false);
      }
      file->Seek(start, 0);
      {
        CDibImagePNG decoder;
        if (RunDecoder(*this, file, decoder)) return finish(decoder, true, false);
      }
      file->Seek(start, 0);
      SetError("Decode: Unknown or wrong format");
      return false;
    }
    default:
      SetError("Decode: Unknown or wrong format");
      return false;
  }
}

bool CDibImage::DecodeMemory(const BYTE* buffer, DWORD size, DWORD imageType) {
  CDibMemFile file(const_cast<BYTE*>(buffer), size);
  return Decode(&file, imageType);
}

bool CDibImage::LoadResource(HRSRC resource, DWORD imageType, HMODULE module) {
  DWORD size = SizeofResource(module, resource);
  HGLOBAL loaded = ::LoadResource(module, resource);
  if (!loaded) {
    SetError("Unable to load resource!");
    return false;
  }
  auto* bytes = static_cast<BYTE*>(LockResource(loaded));
  if (!bytes) return false;
  CDibMemFile file(bytes, size);
  return Decode(&file, imageType);
}
