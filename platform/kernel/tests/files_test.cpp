#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace
