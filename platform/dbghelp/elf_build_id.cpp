#include "elf_build_id.h"

#include <elf.h>

#include <cstring>

#include "self_memory.h"

namespace dbghelp {

uint32_t ReadBuildId(uint64_t base, uint8_t (&id)[32]) {
  Elf64_Ehdr header;
  if (!ReadSelfMemory(base, &header, sizeof header) || header.e_phentsize != sizeof(Elf64_Phdr) ||
      header.e_phnum > 128) {
    return 0;
  }
  uint64_t bias = base;
  bool biasKnown = false;
  Elf64_Phdr notes[8];
  int noteCount = 0;
  for (int i = 0; i < header.e_phnum; ++i) {
    Elf64_Phdr segment;
    if (!ReadSelfMemory(base + header.e_phoff + i * sizeof segment, &segment, sizeof segment)) return 0;
    if (segment.p_type == PT_LOAD && !biasKnown) {
      bias = base - (segment.p_vaddr & ~static_cast<uint64_t>(0xFFF));
      biasKnown = true;
    }
    if (segment.p_type == PT_NOTE && noteCount < 8) notes[noteCount++] = segment;
  }
  for (int n = 0; n < noteCount; ++n) {
    uint64_t at = bias + notes[n].p_vaddr;
    const uint64_t end = at + notes[n].p_filesz;
    while (at + sizeof(Elf64_Nhdr) <= end) {
      Elf64_Nhdr note;
      if (!ReadSelfMemory(at, &note, sizeof note)) break;
      const uint64_t name = at + sizeof note;
      const uint64_t desc = name + ((note.n_namesz + 3) & ~3u);
      char owner[4] = {};
      if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 && ReadSelfMemory(name, owner, 4) &&
          std::memcmp(owner, "GNU", 4) == 0) {
        uint32_t size = note.n_descsz < sizeof id ? note.n_descsz : static_cast<uint32_t>(sizeof id);
        return ReadSelfMemory(desc, id, size) ? size : 0;
      }
      at = desc + ((note.n_descsz + 3) & ~3u);
    }
  }
  return 0;
}

}  // namespace dbghelp
