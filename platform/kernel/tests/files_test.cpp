#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "win/crt_file.h"
#include "win/files.h"
#include "win/handles.h"
#include "win/last_error.h"

namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quorla-files-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::u16string W(const std::string& name) const { return (dir / name).u16string(); }
  fs::path dir;
};

TEST_F(Files, WriteReadSeekAndSize) {
  HANDLE file = CreateFileW(W("data.bin").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "0123456789", 10, &written, nullptr));
  EXPECT_EQ(written, 10u);
  EXPECT_TRUE(FlushFileBuffers(file));
  EXPECT_EQ(GetFileSize(file, nullptr), 10u);
  EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
  char buf[8] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(file, buf, 8, &read, nullptr));
  EXPECT_EQ(read, 4u);  // stops at the end
  EXPECT_EQ(std::string(buf, read), "6789");
  ASSERT_TRUE(ReadFile(file, buf, 8, &read, nullptr));
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
}

TEST_F(Files, CreationModesAndTheirErrors) {
  const std::u16string path = W("modes.txt");
  EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  HANDLE made = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  CloseHandle(made);
  EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  HANDLE again = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(again);
  EXPECT_EQ(CreateFileW(W("no/such/dir.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileW(dir.u16string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(Files, NamesMatchWithoutRegardToCaseAndBackslashes) {
  std::ofstream(dir / "Domain.XML") << "<x/>";
  const std::u16string mixed = dir.u16string() + u"\\sub\\..\\domain.xml";
  HANDLE file = CreateFileW(mixed.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_NE(GetFileAttributesW(mixed.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(dir.u16string().c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Files, MoveReplacesAtomicallyOnlyWhenAsked) {
  std::ofstream(dir / "new.tmp") << "new";
  std::ofstream(dir / "list.fg") << "old";
  EXPECT_FALSE(MoveFileExW(W("new.tmp").c_str(), W("list.fg").c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(MoveFileExW(W("new.tmp").c_str(), W("list.fg").c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  std::ifstream in(dir / "list.fg");
  std::string content;
  in >> content;
  EXPECT_EQ(content, "new");
  EXPECT_FALSE(fs::exists(dir / "new.tmp"));
  EXPECT_TRUE(DeleteFileW(W("list.fg").c_str()));
  EXPECT_FALSE(DeleteFileW(W("list.fg").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(Files, WideFopenOpensBinaryStreams) {
  const std::u16string path = dir.u16string() + u"/价格.fg";
  FILE* out = _wfopen(path.c_str(), u"wb");
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(std::fwrite("a\r\nb", 1, 4, out), 4u);
  std::fclose(out);
  FILE* in = _wfopen(path.c_str(), u"rt");
  ASSERT_NE(in, nullptr);
  char buf[8];
  EXPECT_EQ(std::fread(buf, 1, 8, in), 4u);  // no text translation
  std::fclose(in);
  EXPECT_TRUE(fs::exists(dir / u8"价格.fg"));
  EXPECT_EQ(_wfopen(W("missing").c_str(), u"rb"), nullptr);
  EXPECT_EQ(_wfopen(path.c_str(), u"r\u4e00"), nullptr);
}

HANDLE OpenShared(const std::u16string& path, DWORD access = GENERIC_READ | GENERIC_WRITE) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

BY_HANDLE_FILE_INFORMATION InformationOf(const std::u16string& path) {
  BY_HANDLE_FILE_INFORMATION info = {};
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(GetFileInformationByHandle(file, &info));
  CloseHandle(file);
  return info;
}

ULONGLONG Ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

TEST_F(Files, InformationNamesTheFileAndAReplacementIsAnother) {
  std::ofstream(dir / "list.fg") << "12345";
  BY_HANDLE_FILE_INFORMATION first = InformationOf(W("list.fg"));
  BY_HANDLE_FILE_INFORMATION again = InformationOf(W("LIST.FG"));
  EXPECT_EQ(first.nFileSizeLow, 5u);
  EXPECT_EQ(first.nFileSizeHigh, 0u);
  EXPECT_EQ(first.nNumberOfLinks, 1u);
  EXPECT_EQ(first.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(first.nFileIndexLow, again.nFileIndexLow);
  EXPECT_EQ(first.nFileIndexHigh, again.nFileIndexHigh);
  EXPECT_EQ(first.dwVolumeSerialNumber, again.dwVolumeSerialNumber);
  EXPECT_EQ(Ticks(first.ftLastWriteTime), Ticks(again.ftLastWriteTime));
  // Within a day of now: the times count from 1601 in 100-nanosecond steps.
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  EXPECT_LT(Ticks(now) - Ticks(first.ftLastWriteTime), 864000000000ull);

  std::ofstream(dir / "list.new") << "12345";
  ASSERT_TRUE(MoveFileExW(W("list.new").c_str(), W("list.fg").c_str(), MOVEFILE_REPLACE_EXISTING));
  BY_HANDLE_FILE_INFORMATION replaced = InformationOf(W("list.fg"));
  EXPECT_EQ(replaced.nFileSizeLow, 5u);
  EXPECT_NE(std::make_pair(replaced.nFileIndexHigh, replaced.nFileIndexLow),
            std::make_pair(first.nFileIndexHigh, first.nFileIndexLow));

  EXPECT_FALSE(GetFileInformationByHandle(INVALID_HANDLE_VALUE, &first));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(Files, LocksBelongToHandlesAndEndWithThem) {
  const std::u16string path = W("list.lock");
  HANDLE a = OpenShared(path);
  HANDLE b = OpenShared(path);
  HANDLE readOnly = OpenShared(path, GENERIC_READ);
  ASSERT_NE(a, INVALID_HANDLE_VALUE);
  ASSERT_NE(b, INVALID_HANDLE_VALUE);
  ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
  OVERLAPPED at0 = {};
  OVERLAPPED at100 = {};
  at100.Offset = 100;
  const DWORD tryExclusive = LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY;

  struct Step {
    const char* what;
    HANDLE file;
    DWORD flags;
    OVERLAPPED* at;
    DWORD bytes;
    bool locked;
    DWORD error;
  };
  const Step steps[] = {
      {"a takes bytes 0-99 past the end", a, tryExclusive, &at0, 100, true, 0},
      {"b in the same process is kept out", b, tryExclusive, &at0, 1, false, ERROR_LOCK_VIOLATION},
      {"b may share nothing of an exclusive range", b, LOCKFILE_FAIL_IMMEDIATELY, &at0, 1, false, ERROR_LOCK_VIOLATION},
      {"b takes the range after it", b, tryExclusive, &at100, 10, true, 0},
      {"an exclusive lock needs write access", readOnly, tryExclusive, &at100, 0xFFFFFFFFu, false, ERROR_ACCESS_DENIED},
  };
  for (const Step& step : steps) {
    SetLastError(0);
    EXPECT_EQ(LockFileEx(step.file, step.flags, 0, step.bytes, 0, step.at) != FALSE, step.locked) << step.what;
    if (!step.locked) {
      EXPECT_EQ(GetLastError(), step.error) << step.what;
    }
  }

  ASSERT_TRUE(UnlockFileEx(a, 0, 100, 0, &at0));
  EXPECT_TRUE(LockFileEx(readOnly, LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at0));  // shared locks coexist
  EXPECT_TRUE(LockFileEx(a, LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at0));
  EXPECT_FALSE(LockFileEx(b, tryExclusive, 0, 1, 0, &at0));
  CloseHandle(readOnly);
  CloseHandle(a);
  EXPECT_TRUE(LockFileEx(b, tryExclusive, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, &at0)) << "closing released a's locks";
  EXPECT_FALSE(LockFileEx(b, tryExclusive, 0, 1, 0, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CloseHandle(b);
}

TEST_F(Files, AWaitingLockIsGrantedWhenTheHolderLetsGo) {
  const std::u16string path = W("list.lock");
  HANDLE holder = OpenShared(path);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  OVERLAPPED at0 = {};
  ASSERT_TRUE(LockFileEx(holder, LOCKFILE_EXCLUSIVE_LOCK, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, &at0));
  std::atomic<bool> granted{false};
  std::thread waiter([&] {
    HANDLE mine = OpenShared(path);
    OVERLAPPED start = {};
    EXPECT_TRUE(LockFileEx(mine, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start));
    granted = true;
    CloseHandle(mine);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(granted.load());
  EXPECT_TRUE(UnlockFileEx(holder, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, &at0));
  waiter.join();
  EXPECT_TRUE(granted.load());
  CloseHandle(holder);
}

}  // namespace
