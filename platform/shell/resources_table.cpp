// Resources: a process-wide table of registered byte blocks. A resource
// handle and its loaded handle are both the address of the table entry,
// which never moves or goes away once registered. The program's built-in
// resources enter the table at the first lookup (program_resources.h).
#include <deque>
#include <mutex>
#include <string>

#include "program_resources.h"
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

std::u16string NumericKey(WORD id) { return u"#" + std::u16string(1, static_cast<char16_t>(id)); }

std::u16string Key(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return NumericKey(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
  std::u16string key(name);
  // "#123" names the numeric identifier 123.
  if (key.size() > 1 && key.size() <= 6 && key[0] == u'#') {
    unsigned long value = 0;
    bool digits = true;
    for (size_t i = 1; i < key.size() && digits; ++i) {
      digits = key[i] >= u'0' && key[i] <= u'9';
      value = value * 10 + (key[i] - u'0');
    }
    if (digits && value <= 0xFFFF) return NumericKey(static_cast<WORD>(value));
  }
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
  quorla::LoadProgramResources();
  HMODULE owner = Owner(module);
  std::u16string typeKey = Key(type), nameKey = Key(name);
  Table& t = Resources();
  std::lock_guard<std::mutex> guard(t.lock);
  for (const Resource& r : t.entries) {
    if (r.module == owner && r.type == typeKey && r.name == nameKey) {
      return reinterpret_cast<HRSRC>(const_cast<Resource*>(&r));
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) { return resource ? Entry(resource)->size : 0; }

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }

LPVOID LockResource(HGLOBAL loaded) {
  return loaded ? const_cast<void*>(reinterpret_cast<const Resource*>(loaded)->data) : nullptr;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }
