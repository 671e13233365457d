// MiniDumpWriteDump through the library loaded by name, read back by an
// independent reader that knows only the file format's offsets.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win/dbghelp.h"
#include "win/files.h"
#include "win/handles.h"
#include "win/last_error.h"
#include "win/modules.h"
#include "win/threads.h"

namespace fs = std::filesystem;

namespace {

class DumpReader {
 public:
  explicit DumpReader(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), {});
  }
  size_t Size() const { return bytes_.size(); }
  uint32_t U32(size_t at) const { return Read<uint32_t>(at); }
  uint64_t U64(size_t at) const { return Read<uint64_t>(at); }
  // Size and offset of the first stream of the type; {0, 0} when absent.
  std::pair<uint32_t, uint32_t> Stream(uint32_t type) const {
    const uint32_t count = U32(8), directory = U32(12);
    for (uint32_t i = 0; i < count; ++i) {
      if (U32(directory + i * 12) == type) return {U32(directory + i * 12 + 4), U32(directory + i * 12 + 8)};
    }
    return {0, 0};
  }
  std::u16string String(uint32_t at) const {
    std::u16string text(U32(at) / 2, u'\0');
    if (at + 4 + text.size() * 2 <= bytes_.size()) std::memcpy(text.data(), &bytes_[at + 4], text.size() * 2);
    return text;
  }
  std::string Text(uint32_t at, uint32_t size) const { return std::string(&bytes_[at], size); }

 private:
  template <typename T>
  T Read(size_t at) const {
    T value{};
    if (at + sizeof value <= bytes_.size()) std::memcpy(&value, &bytes_[at], sizeof value);
    return value;
  }
  std::vector<char> bytes_;
};

class MiniDump : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quorla-minidump-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    library = LoadLibraryW(u"dbghelp.dll");
    ASSERT_NE(library, nullptr) << "dbghelp.dll is found through the layer's search order";
    write = reinterpret_cast<MINIDUMPWRITEDUMP>(GetProcAddress(library, "MiniDumpWriteDump"));
    ASSERT_NE(write, nullptr);
  }
  void TearDown() override {
    if (library) FreeLibrary(library);
    fs::remove_all(dir);
  }
  BOOL Dump(const fs::path& file, PMINIDUMP_EXCEPTION_INFORMATION exception, DWORD processId = 0) {
    HANDLE handle = CreateFileW(file.u16string().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE);
    BOOL written = write(GetCurrentProcess(), processId ? processId : GetCurrentProcessId(), handle, MiniDumpNormal,
                         exception, nullptr, nullptr);
    CloseHandle(handle);
    return written;
  }

  fs::path dir;
  HMODULE library = nullptr;
  MINIDUMPWRITEDUMP write = nullptr;
};

TEST_F(MiniDump, HeaderDirectoryThreadStackAndModules) {
  volatile char marker[32];
  std::memcpy(const_cast<char*>(marker), "quorla-stack-marker-0123456789ab", 32);
  ASSERT_TRUE(Dump(dir / "self.dmp", nullptr));
  DumpReader dump(dir / "self.dmp");
  ASSERT_GT(dump.Size(), 1000u);
  EXPECT_EQ(dump.U32(0), 0x504D444Du);
  EXPECT_EQ(dump.U32(4) & 0xFFFF, 42899u);
  EXPECT_EQ(dump.U32(12), 32u);
  for (uint32_t type : {3u, 4u, 5u, 7u, 0x47670009u}) EXPECT_NE(dump.Stream(type).second, 0u) << type;
  EXPECT_EQ(dump.Stream(6).second, 0u) << "no exception stream without exception information";

  auto [infoSize, info] = dump.Stream(7);
  EXPECT_EQ(infoSize, 56u);
  EXPECT_EQ(dump.U32(info) & 0xFFFF, 9u);  // x86-64
  EXPECT_EQ(dump.U32(info + 20), 0x8201u);  // Linux
  EXPECT_EQ(dump.String(dump.U32(info + 24)).substr(0, 6), u"Linux ");

  auto [threadsSize, threads] = dump.Stream(3);
  ASSERT_EQ(dump.U32(threads), 1u);
  EXPECT_EQ(threadsSize, 4u + 48u);
  EXPECT_EQ(dump.U32(threads + 4), GetCurrentThreadId());
  const uint64_t stackStart = dump.U64(threads + 4 + 24);
  const uint32_t stackSize = dump.U32(threads + 4 + 32), stackRva = dump.U32(threads + 4 + 36);
  const uint32_t contextSize = dump.U32(threads + 4 + 40), context = dump.U32(threads + 4 + 44);
  EXPECT_EQ(contextSize, 1232u);
  const uint64_t rsp = dump.U64(context + 152), rip = dump.U64(context + 248);
  EXPECT_NE(rip, 0u);
  EXPECT_GE(rsp, stackStart);
  EXPECT_LT(rsp, stackStart + stackSize);
  EXPECT_NE(dump.Text(stackRva, stackSize).find("quorla-stack-marker-0123456789ab"), std::string::npos);
  auto [memorySize, memory] = dump.Stream(5);
  EXPECT_EQ(memorySize, 4u + 16u);
  EXPECT_EQ(dump.U64(memory + 4), stackStart);
  EXPECT_EQ(dump.U32(memory + 16), stackRva);

  auto [modulesSize, modules] = dump.Stream(4);
  const uint32_t moduleCount = dump.U32(modules);
  EXPECT_EQ(modulesSize, 4 + moduleCount * 108);
  char16_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  bool programListed = false, layerListed = false, programHasBuildId = false;
  for (uint32_t i = 0; i < moduleCount; ++i) {
    const uint32_t entry = modules + 4 + i * 108;
    std::u16string name = dump.String(dump.U32(entry + 20));
    if (name == program) {
      programListed = true;
      EXPECT_LE(dump.U64(entry), rip > dump.U64(entry) ? rip : dump.U64(entry));
      programHasBuildId = dump.U32(entry + 76) > 4 && dump.U32(dump.U32(entry + 80)) == 0x4270454Cu;
    }
    if (name.find(u"libquorla-platform.so") != std::u16string::npos) layerListed = true;
  }
  EXPECT_TRUE(programListed);
  EXPECT_TRUE(layerListed);
  EXPECT_TRUE(programHasBuildId);
  auto [mapsSize, maps] = dump.Stream(0x47670009);
  EXPECT_NE(dump.Text(maps, mapsSize).find("libquorla-platform.so"), std::string::npos);
}

TEST_F(MiniDump, ExceptionInformationGivesTheExceptionStream) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  record.ExceptionAddress = reinterpret_cast<PVOID>(0x1234);
  record.NumberParameters = 2;
  record.ExceptionInformation[0] = 1;
  record.ExceptionInformation[1] = 0;
  CONTEXT context{};
  RtlCaptureContext(&context);
  context.Rip = 0x1234;
  EXCEPTION_POINTERS pointers{&record, &context};
  MINIDUMP_EXCEPTION_INFORMATION info{4242, &pointers, FALSE};
  ASSERT_TRUE(Dump(dir / "exception.dmp", &info));
  DumpReader dump(dir / "exception.dmp");
  auto [size, at] = dump.Stream(6);
  ASSERT_EQ(size, 168u);
  EXPECT_EQ(dump.U32(at), 4242u);
  EXPECT_EQ(dump.U32(at + 8), 11u);  // SIGSEGV, as Linux dumps give it
  EXPECT_EQ(dump.U32(at + 12), EXCEPTION_ACCESS_VIOLATION);
  EXPECT_EQ(dump.U64(at + 24), 0x1234u);
  EXPECT_EQ(dump.U32(at + 32), 2u);
  EXPECT_EQ(dump.U64(at + 40), 1u);
  auto [threadsSize, threads] = dump.Stream(3);
  EXPECT_EQ(dump.U32(threads + 4), 4242u);
  EXPECT_EQ(dump.U32(at + 164), dump.U32(threads + 4 + 44)) << "the exception's context is the thread's";
  EXPECT_EQ(dump.U64(dump.U32(at + 164) + 248), 0x1234u);
}

TEST_F(MiniDump, BadArgumentsFailWithoutHarm) {
  HANDLE file = CreateFileW((dir / "bad.dmp").u16string().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_FALSE(write(GetCurrentProcess(), GetCurrentProcessId(), nullptr, MiniDumpNormal, nullptr, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(write(GetCurrentProcess(), 1, file, MiniDumpNormal, nullptr, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CloseHandle(file);
  // Pointers that lead nowhere: a dump all the same, without the exception.
  MINIDUMP_EXCEPTION_INFORMATION wild{1, reinterpret_cast<PEXCEPTION_POINTERS>(16), FALSE};
  ASSERT_TRUE(Dump(dir / "wild.dmp", &wild));
  DumpReader dump(dir / "wild.dmp");
  EXPECT_EQ(dump.U32(0), 0x504D444Du);
  EXPECT_EQ(dump.Stream(6).second, 0u);
}

}  // namespace
