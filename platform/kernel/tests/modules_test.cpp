#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "win/last_error.h"
#include "win/modules.h"
#include "win/strings.h"

namespace {

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }
using AnswerFunction = int (*)();

std::u16string FileNameOf(HMODULE module) {
  WCHAR buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(module, buf, MAX_PATH);
  return std::u16string(buf, n);
}

TEST(Modules, BareNamesAreFoundInTheProgramDirectoryWithoutRegardToCase) {
  for (const char16_t* name : {u"LayerProbe.dll", u"layerprobe.DLL"}) {
    HMODULE module = LoadLibraryW(name);
    ASSERT_NE(module, nullptr);
    auto answer = reinterpret_cast<AnswerFunction>(GetProcAddress(module, "LayerProbeAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(FileNameOf(module), Wide(QUORLA_TEST_DIR "/LayerProbe.dll"));
    EXPECT_TRUE(FreeLibrary(module));
  }
}

TEST(Modules, PathsLoadThatFileOnlyAndFoldDotSegments) {
  EXPECT_NE(LoadLibraryW(Wide(QUORLA_TEST_DIR "/../tests/LayerProbe.dll").c_str()), nullptr);
  EXPECT_EQ(LoadLibraryW(Wide(QUORLA_TEST_DIR "/LayerProbe.dl").c_str()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(LoadLibraryW(Wide(QUORLA_TEST_DIR "/nowhere/LayerProbe.dll").c_str()), nullptr);
  EXPECT_EQ(LoadLibraryW(u"NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(LoadLibraryW(u""), nullptr);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);

  // A relative path is taken from the current directory.
  ASSERT_EQ(chdir(QUORLA_TEST_DIR), 0);
  HMODULE relative = LoadLibraryW(u".\\LayerProbe.dll");
  ASSERT_NE(relative, nullptr);
  EXPECT_TRUE(FreeLibrary(relative));
}

TEST(Modules, ExportsOfDependenciesAreNotTheModulesOwn) {
  HMODULE module = LoadLibraryW(u"LayerProbe.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetProcAddress(module, "lstrlenW"), nullptr);  // lives in the layer
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
  FreeLibrary(module);
}

TEST(Modules, VirtualQueryFindsTheModuleHoldingAnAddress) {
  HMODULE module = LoadLibraryW(u"LayerProbe.dll");
  ASSERT_NE(module, nullptr);
  auto answer = GetProcAddress(module, "LayerProbeAnswer");
  MEMORY_BASIC_INFORMATION info;
  ASSERT_EQ(VirtualQuery(reinterpret_cast<LPCVOID>(answer), &info, sizeof info), sizeof info);
  EXPECT_EQ(info.AllocationBase, module);

  // Code of the program itself belongs to the program's module.
  ASSERT_EQ(VirtualQuery(reinterpret_cast<LPCVOID>(&FileNameOf), &info, sizeof info), sizeof info);
  EXPECT_EQ(info.AllocationBase, GetModuleHandleW(nullptr));
  EXPECT_EQ(FileNameOf(static_cast<HMODULE>(info.AllocationBase)), FileNameOf(nullptr));

  // The layer's own code is in the layer's module, found by name too.
  ASSERT_EQ(VirtualQuery(reinterpret_cast<LPCVOID>(&lstrlenW), &info, sizeof info), sizeof info);
  EXPECT_EQ(info.AllocationBase, GetModuleHandleW(u"libquorla-platform.so"));
  FreeLibrary(module);
}

TEST(Modules, ProgramFileNameIsAbsoluteAndCutsWhenTheBufferIsSmall) {
  std::u16string program = FileNameOf(nullptr);
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program[0], u'/');
  EXPECT_EQ(program, Wide(QUORLA_TEST_DIR "/platform_tests"));

  WCHAR small[8];
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 8), 8u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::u16string(small), program.substr(0, 7));
}

TEST(Modules, FreeLibraryCountsLoads) {
  HMODULE first = LoadLibraryW(u"LayerProbe.dll");
  HMODULE second = LoadLibraryW(u"LAYERPROBE.dll");
  ASSERT_EQ(first, second);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_NE(GetProcAddress(second, "LayerProbeAnswer"), nullptr);  // still loaded
  EXPECT_TRUE(FreeLibrary(second));
  EXPECT_EQ(GetModuleHandleW(u"LayerProbe.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(second));
}

}  // namespace
