#include "internet_handles.h"

#include <map>
#include <mutex>

namespace quorla {
namespace {

std::mutex g_lock;

std::map<HINTERNET, std::shared_ptr<InternetHandle>>& Table() {
  // Never destroyed: a download may be closed while the process exits.
  static auto* table = new std::map<HINTERNET, std::shared_ptr<InternetHandle>>;
  return *table;
}

}  // namespace

InternetDownload::~InternetDownload() {
  // A download closed before its end stops using the network at once.
  if (transfer && !transfer->Finished()) {
    transfer->abortRequested = true;
    if (network) network->Wake();
  }
}

HINTERNET RegisterInternetHandle(std::shared_ptr<InternetHandle> handle) {
  HINTERNET value = handle.get();
  std::lock_guard<std::mutex> guard(g_lock);
  Table().emplace(value, std::move(handle));
  return value;
}

std::shared_ptr<InternetHandle> FindInternetHandle(HINTERNET handle) {
  std::lock_guard<std::mutex> guard(g_lock);
  auto it = Table().find(handle);
  return it == Table().end() ? nullptr : it->second;
}

std::shared_ptr<InternetHandle> UnregisterInternetHandle(HINTERNET handle) {
  std::lock_guard<std::mutex> guard(g_lock);
  auto it = Table().find(handle);
  if (it == Table().end()) return nullptr;
  auto found = std::move(it->second);
  Table().erase(it);
  return found;
}

}  // namespace quorla
