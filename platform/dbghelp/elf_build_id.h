#pragma once
// The GNU build identifier of an ELF image in this process's memory, read
// without risk of a fault (see self_memory.h).
#include <cstdint>

namespace dbghelp {

// Copies the identifier of the image mapped at base into id; gives its size,
// 0 when the image has none or cannot be read.
uint32_t ReadBuildId(uint64_t base, uint8_t (&id)[32]);

}  // namespace dbghelp
