#pragma once
// Looking at this process from inside without risk: memory copied by the
// kernel (a bad address gives an error instead of a fault) and the memory
// map read line by line from /proc/self/maps into fixed buffers. Nothing
// here allocates or locks, so the crash filter may use it. One thread at a
// time (the buffers are shared).
#include <cstddef>
#include <cstdint>

namespace dbghelp {

// Copies size bytes from address; false when any of them is not readable.
bool ReadSelfMemory(uint64_t address, void* into, size_t size);

struct Mapping {
  uint64_t start;
  uint64_t end;
  uint64_t offset;
  uint64_t inode;
  bool readable;
  const char* path;  // "" for anonymous memory; valid during the visit only
};

// Calls visit(mapping, context) for each line of /proc/self/maps; false
// when the map cannot be read.
bool VisitSelfMappings(void (*visit)(const Mapping& mapping, void* context), void* context);

// Copies /proc/self/maps as it stands to the sink; gives the bytes copied.
size_t CopySelfMaps(bool (*sink)(const char* bytes, size_t size, void* context), void* context);

}  // namespace dbghelp
