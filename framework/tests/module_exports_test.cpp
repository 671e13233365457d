// The component libraries export GetModuleInstance and nothing else: read
// each file's dynamic symbol table.
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>


namespace {

std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (file.size() < sizeof(Elf64_Ehdr)) return names;
  const auto* header = reinterpret_cast<const Elf64_Ehdr*>(file.data());
  if (std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 || header->e_ident[EI_CLASS] != ELFCLASS64) return names;
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(file.data() + header->e_shoff);
  for (int i = 0; i < header->e_shnum; ++i) {
    if (sections[i].sh_type != SHT_DYNSYM) continue;
    const char* strings = file.data() + sections[sections[i].sh_link].sh_offset;
    const auto* symbols = reinterpret_cast<const Elf64_Sym*>(file.data() + sections[i].sh_offset);
    const size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
    for (size_t s = 1; s < count; ++s) {
      const Elf64_Sym& sym = symbols[s];
      const int binding = ELF64_ST_BIND(sym.st_info);
      if (sym.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
      if (ELF64_ST_VISIBILITY(sym.st_other) != STV_DEFAULT) continue;
      names.insert(strings + sym.st_name);
    }
  }
  return names;
}

TEST(ModuleExports, ComponentLibrariesExportOnlyGetModuleInstance) {
  for (const char* library : {"Gravik.dll", "Pelmor.dll", "Vendrix.dll"}) {
    const std::string path = std::string(QUORLA_BIN_DIR) + "/" + library;
    EXPECT_EQ(DefinedDynamicSymbols(path), std::set<std::string>{"GetModuleInstance"}) << library;
  }
}

}  // namespace
