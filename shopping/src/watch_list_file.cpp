#include "watch_list_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "win/files.h"
#include "win/handles.h"

namespace {

constexpr std::int32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kRecordSize = sizeof(ReducePriceItem);

template <std::size_t N>
void EndWithZero(WCHAR (&text)[N]) {
  text[N - 1] = 0;
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_handle; }
  bool Close() {
    if (!valid()) return true;
    BOOL closed = CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE m_handle;
};

bool WriteAll(HANDLE file, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, p, chunk, &written, nullptr) || written != chunk) return false;
    p += chunk;
    size -= chunk;
  }
  return true;
}

// Reads up to size bytes, fewer only at the end of the file or on an error.
std::size_t ReadUpTo(HANDLE file, void* destination, std::size_t size) {
  char* out = static_cast<char*>(destination);
  std::size_t done = 0;
  while (done < size) {
    DWORD read = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    if (!ReadFile(file, out + done, chunk, &read, nullptr) || read == 0) break;
    done += read;
  }
  return done;
}

}  // namespace

WatchListRecords ReadWatchList(std::uint64_t size, const std::function<std::size_t(void*, std::size_t)>& read) {
  WatchListRecords records;
  if (size < kHeaderSize) return records;
  std::int32_t header[2];
  if (read(header, sizeof header) != sizeof header) return records;
  if (header[0] != kVersion || header[1] <= 0) return records;
  std::uint64_t whole = (size - kHeaderSize) / kRecordSize;
  std::uint64_t count = std::min<std::uint64_t>(static_cast<std::uint64_t>(header[1]), whole);
  // Whole records are read a batch at a time straight into an aligned
  // block and copied once into their nodes.
  constexpr std::size_t kBatch = 192;  // about 1 MiB
  std::vector<ReducePriceItem> batch(static_cast<std::size_t>(std::min<std::uint64_t>(count, kBatch)));
  DWORD position = 0;
  while (position < count) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count - position, kBatch));
    const std::size_t got = read(batch.data(), wanted * kRecordSize) / kRecordSize;  // the source may be shorter
    for (std::size_t i = 0; i < got; ++i) {
      ReducePriceItem& item = records.emplace_hint(records.end(), ++position, batch[i])->second;
      EndWithZero(item.Title);
      EndWithZero(item.Text2);
      EndWithZero(item.Url);
      EndWithZero(item.SiteName);
    }
    if (got < wanted) break;
  }
  return records;
}

WatchListRecords ReadWatchListBytes(const BYTE* data, std::size_t size) {
  std::size_t offset = 0;
  return ReadWatchList(size, [&](void* destination, std::size_t n) {
    std::size_t copied = std::min(n, size - offset);
    if (copied > 0) std::memcpy(destination, data + offset, copied);
    offset += copied;
    return copied;
  });
}

WatchListRecords ReadWatchListFile(const std::u16string& path) {
  if (path.empty()) return {};
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return {};
  return ReadWatchList(static_cast<std::uint64_t>(size.QuadPart),
                       [&](void* destination, std::size_t n) { return ReadUpTo(file.get(), destination, n); });
}

namespace {

// The lock that lets one writer at a time use the file's one temporary
// file: an exclusive lock on "<path>.lock", which other processes' writers
// honour and which ends with the handle, so a killed writer leaves it free.
class WriterLock {
 public:
  explicit WriterLock(const std::u16string& path)
      : m_file(CreateFileW((path + u".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {
    OVERLAPPED start = {};
    m_held = m_file.valid() && LockFileEx(m_file.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start);
  }
  bool held() const { return m_held; }

 private:
  FileHandle m_file;  // closing it releases the lock
  bool m_held = false;
};

}  // namespace

bool WriteWatchListFile(const std::u16string& path, const std::vector<ReducePriceItem>& records) {
  if (path.empty() || records.size() > 0x7FFFFFFF) return false;
  WriterLock lock(path);
  if (!lock.held()) return false;
  // One temporary name per list: a writer killed half-way leaves this one
  // file, which the next save overwrites, instead of a new file per process.
  const std::u16string temporary = path + u".tmp";
  bool written = false;
  {
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return false;
    std::int32_t header[2] = {kVersion, static_cast<std::int32_t>(records.size())};
    written = WriteAll(file.get(), header, sizeof header) &&
              WriteAll(file.get(), records.data(), records.size() * kRecordSize) && FlushFileBuffers(file.get());
    written = file.Close() && written;
  }
  if (written && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temporary.c_str());
  return false;
}

bool DeleteWatchListFile(const std::u16string& path) {
  if (path.empty()) return false;
  WriterLock lock(path);  // not in the middle of another writer's rename
  return DeleteFileW(path.c_str()) != FALSE;
}
