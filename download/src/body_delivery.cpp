#include "body_delivery.h"

#include <cstring>

#include "framework/module_loader.h"
#include "kernel/binary_buffer.h"
#include "win/files.h"
#include "win/handles.h"

namespace {

bool DeliverToNewBuffer(IUrlMoniker* download, IUnknown** buffer) {
  IBinaryBuffer* created = nullptr;
  if (FAILED(CreateObject<IBinaryBuffer>(u"Gravik.CBinaryBuffer", &created)) || !created) return false;
  *buffer = created;
  unsigned size = download->GetDataSize();
  char* block = created->Alloc(size);
  if (!block) return false;
  std::memcpy(block, download->GetData(), size);
  return true;
}

bool WriteWholeFile(IUrlMoniker* download, const std::u16string& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = download->GetDataSize();
  DWORD written = 0;
  BOOL ok = WriteFile(file, download->GetData(), size, &written, nullptr);
  CloseHandle(file);
  return ok && written == size;
}

}  // namespace

bool DeliverBody(const DownloadRequest& request, IUnknown** buffer) {
  *buffer = nullptr;
  if (request.download->GetState() != UrlStateDone) return false;
  if (request.delivery == DeliverToBuffer) return DeliverToNewBuffer(request.download, buffer);
  return WriteWholeFile(request.download, request.filePath);
}
