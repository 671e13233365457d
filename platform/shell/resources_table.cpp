// Resources: a process-wide table of registered byte blocks. A resource
// handle and its loaded handle are both the address of the table entry,
// which never moves or goes away once registered.
#include <deque>
#include <mutex>
#include <string>

#include "win/last_error.h"
#include "win/resources.h"

namespace {

struct Resource {
  HMODULE module;
  std::u16string type;  // "#<id>" for numeric ids
  std::u16string name;
  const void* data;
  DWORD size;
};

struct Table {
  std::mutex lock;
  std::deque<Resource> entries;  // a deque keeps entry addresses stable
};

Table& Resources() {
  static auto* table = new Table;  // outlives every static destructor
  return *table;
}

std::u16string Key(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return u"#" + std::u16string(1, static_cast<char16_t>(reinterpret_cast<ULONG_PTR>(name)));
  std::u16string key(name);
  for (char16_t& c : key)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);  // names are case-insensitive
  return key;
}

HMODULE Owner(HMODULE module) { return module ? module : GetModuleHandleW(nullptr); }

const Resource* Entry(HRSRC resource) { return reinterpret_cast<const Resource*>(resource); }

}  // namespace

BOOL RegisterResourceW(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data, DWORD size) {
  if (!type || !name || (!data && size)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Table& t = Resources();
  std::lock_guard<std::mutex> guard(t.lock);
  t.entries.push_back(Resource{Owner(module), Key(type), Key(name), data, size});
  return TRUE;
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if (!name || !type) return nullptr;
  HMODULE owner = Owner(module);
  std::u16string typeKey = Key(type), nameKey = Key(name);
  Table& t = Resources();
  std::lock_guard<std::mutex> guard(t.lock);
  for (const Resource& r : t.entries) {
    if (r.module == owner && r.type == typeKey && r.name == nameKey) {
      return reinterpret_cast<HRSRC>(const_cast<Resource*>(&r));
    }
  }
  SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
  return nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) { return resource ? Entry(resource)->size : 0; }

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }

LPVOID LockResource(HGLOBAL loaded) {
  return loaded ? const_cast<void*>(reinterpret_cast<const Resource*>(loaded)->data) : nullptr;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }
