// Global memory over the C heap. Every live block is in a table keyed by its
// handle, so bad handles are refused; fixed blocks use their memory address
// as the handle, movable ones an address of their own record.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

#include "win/global_memory.h"
#include "win/last_error.h"

namespace {

struct Block {
  void* memory = nullptr;
  SIZE_T size = 0;
  bool movable = false;
  LONG locks = 0;
};

struct BlockTable {
  std::mutex lock;
  std::unordered_map<HGLOBAL, Block*> blocks;       // by handle
  std::unordered_map<const void*, HGLOBAL> owners;  // memory to handle
};

BlockTable& Table() {
  static auto* table = new BlockTable;
  return *table;
}

// The block behind a handle, or null (last error ERROR_INVALID_HANDLE).
// Called with the table's lock held.
Block* FindLocked(BlockTable& table, HGLOBAL handle) {
  auto it = table.blocks.find(handle);
  if (it != table.blocks.end()) return it->second;
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

// malloc(0) may give null; a zero-size fixed block still needs an address.
void* AllocateBytes(SIZE_T bytes, bool zero) { return zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1); }

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  const bool movable = (flags & GMEM_MOVEABLE) != 0;
  const bool zero = (flags & GMEM_ZEROINIT) != 0;
  auto* block = new (std::nothrow) Block;
  void* memory = (movable && bytes == 0) ? nullptr : AllocateBytes(bytes, zero);
  if (!block || (!memory && !(movable && bytes == 0))) {
    delete block;
    std::free(memory);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  block->memory = memory;
  block->size = bytes;
  block->movable = movable;
  HGLOBAL handle = movable ? static_cast<HGLOBAL>(block) : static_cast<HGLOBAL>(memory);
  BlockTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  table.blocks[handle] = block;
  if (memory) table.owners[memory] = handle;
  return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags) {
  BlockTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  Block* block = FindLocked(table, handle);
  if (!block) return nullptr;
  void* memory = std::realloc(block->memory, bytes ? bytes : 1);
  if (!memory) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((flags & GMEM_ZEROINIT) && bytes > block->size)
    std::memset(static_cast<char*>(memory) + block->size, 0, bytes - block->size);
  if (block->memory) table.owners.erase(block->memory);
  block->memory = memory;
  block->size = bytes;
  HGLOBAL newHandle = handle;
  if (!block->movable) {
    table.blocks.erase(handle);
    newHandle = memory;
    table.blocks[newHandle] = block;
  }
  table.owners[memory] = newHandle;
  return newHandle;
}

LPVOID GlobalLock(HGLOBAL handle) {
  BlockTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  Block* block = FindLocked(table, handle);
  if (!block) return nullptr;
  if (block->movable) {
    if (block->size == 0) return nullptr;
    ++block->locks;
  }
  return block->memory;
}

BOOL GlobalUnlock(HGLOBAL handle) {
  BlockTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  Block* block = FindLocked(table, handle);
  if (!block) return FALSE;
  if (block->locks > 0) --block->locks;
  if (block->locks == 0) {
    SetLastError(ERROR_SUCCESS);
    return FALSE;
  }
  return TRUE;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  if (!handle) return nullptr;
  Block* block = nullptr;
  {
    BlockTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    block = FindLocked(table, handle);
    if (!block) return handle;
    table.blocks.erase(handle);
    if (block->memory) table.owners.erase(block->memory);
  }
  std::free(block->memory);
  delete block;
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL handle) {
  BlockTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  Block* block = FindLocked(table, handle);
  return block ? block->size : 0;
}

HGLOBAL GlobalHandle(LPCVOID memory) {
  BlockTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto it = table.owners.find(memory);
  if (it == table.owners.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second;
}
