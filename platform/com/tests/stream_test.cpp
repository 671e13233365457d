#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win/stream.h"

namespace {

// Holds one reference and releases it.
struct StreamRef {
  ~StreamRef() {
    if (p) p->Release();
  }
  IStream* p = nullptr;
};

LARGE_INTEGER Offset(LONGLONG value) {
  LARGE_INTEGER offset;
  offset.QuadPart = value;
  return offset;
}

TEST(HGlobalStream, WriteSeekReadAndTheBlockBehind) {
  StreamRef stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream.p), S_OK);
  ULONG written = 0;
  EXPECT_EQ(stream.p->Write("<html>", 6, &written), S_OK);
  EXPECT_EQ(written, 6u);
  EXPECT_EQ(stream.p->Write("</html>", 7, nullptr), S_OK);
  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromStream(stream.p, &block), S_OK);
  EXPECT_EQ(GlobalSize(block), 13u);
  EXPECT_EQ(std::string(static_cast<char*>(GlobalLock(block)), 13), "<html></html>");
  GlobalUnlock(block);

  ULARGE_INTEGER position;
  EXPECT_EQ(stream.p->Seek(Offset(-7), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 6u);
  char buffer[32] = {};
  ULONG read = 0;
  EXPECT_EQ(stream.p->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(std::string(buffer, read), "</html>");
  EXPECT_EQ(stream.p->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(read, 0u) << "at the end a read gives nothing";

  STATSTG stat;
  EXPECT_EQ(stream.p->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 13u);
  EXPECT_EQ(stat.type, STGTY_STREAM);
}

TEST(HGlobalStream, SeekTable) {
  StreamRef stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream.p);
  stream.p->Write("0123456789", 10, nullptr);
  struct Case {
    LONGLONG move;
    DWORD origin;
    HRESULT hr;
    ULONGLONG position;
  } cases[] = {
      {3, STREAM_SEEK_SET, S_OK, 3},      {2, STREAM_SEEK_CUR, S_OK, 5},  {-1, STREAM_SEEK_END, S_OK, 9},
      {-11, STREAM_SEEK_END, STG_E_INVALIDFUNCTION, 9}, {5, 7, STG_E_INVALIDFUNCTION, 9},
      {20, STREAM_SEEK_SET, S_OK, 20},  // past the end is allowed; a write there fills the gap
  };
  for (const Case& c : cases) {
    ULARGE_INTEGER position{};
    EXPECT_EQ(stream.p->Seek(Offset(c.move), c.origin, &position), c.hr) << c.move << "/" << c.origin;
    ULARGE_INTEGER now;
    stream.p->Seek(Offset(0), STREAM_SEEK_CUR, &now);
    EXPECT_EQ(now.QuadPart, c.position);
  }
  stream.p->Write("x", 1, nullptr);
  STATSTG stat;
  stream.p->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize.QuadPart, 21u);
}

TEST(HGlobalStream, OverAnExistingBlockAndClones) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
  std::memcpy(GlobalLock(block), "hello", 5);
  GlobalUnlock(block);
  {
    StreamRef stream;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream.p), S_OK);
    char buffer[8] = {};
    ULONG read = 0;
    stream.p->Read(buffer, 2, &read);
    StreamRef clone;
    ASSERT_EQ(stream.p->Clone(&clone.p), S_OK);
    clone.p->Read(buffer, 3, &read);
    EXPECT_EQ(std::string(buffer, read), "llo") << "a clone starts at the original's position";
    ULARGE_INTEGER size;
    size.QuadPart = 2;
    EXPECT_EQ(clone.p->SetSize(size), S_OK);
    STATSTG stat;
    stream.p->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.cbSize.QuadPart, 2u) << "clones share the block";
  }
  EXPECT_EQ(GlobalSize(block), 2u) << "not freed without deleteOnRelease";
  GlobalFree(block);
  IStream* stream = reinterpret_cast<IStream*>(1);
  EXPECT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), E_INVALIDARG);
  EXPECT_EQ(stream, nullptr);
}

TEST(HGlobalStream, CopyToAndQueryInterface) {
  StreamRef source, target;
  CreateStreamOnHGlobal(nullptr, TRUE, &source.p);
  CreateStreamOnHGlobal(nullptr, TRUE, &target.p);
  std::string big(100000, 'q');
  source.p->Write(big.data(), static_cast<ULONG>(big.size()), nullptr);
  source.p->Seek(Offset(0), STREAM_SEEK_SET, nullptr);
  ULARGE_INTEGER count, read, written;
  count.QuadPart = 1u << 30;
  EXPECT_EQ(source.p->CopyTo(target.p, count, &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, big.size());
  EXPECT_EQ(written.QuadPart, big.size());
  ISequentialStream* sequential = nullptr;
  EXPECT_EQ(target.p->QueryInterface(IID_ISequentialStream, reinterpret_cast<void**>(&sequential)), S_OK);
  sequential->Release();
  void* none = nullptr;
  EXPECT_EQ(target.p->QueryInterface(GUID_NULL, &none), E_NOINTERFACE);
}

}  // namespace
