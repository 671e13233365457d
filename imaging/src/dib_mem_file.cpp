// CDibMemFile: a stream over memory. Positions are kept in 32 bits as the
// interface reports them, but every sum is formed in 64 bits first, so a
// seek or a long write never wraps a position around.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imaging/dib_mem_file.h"

CDibMemFile::CDibMemFile(BYTE* buffer, DWORD size)
    : m_buffer(buffer),
      m_position(0),
      m_capacity(buffer ? size : 0),
      m_size(buffer ? static_cast<LONG>(std::min<DWORD>(size, 0x7FFFFFFFu)) : 0),
      m_ownsBuffer(buffer == nullptr) {}

CDibMemFile::~CDibMemFile() { Close(); }

bool CDibMemFile::Close() {
  if (m_buffer && m_ownsBuffer) {
    std::free(m_buffer);
    m_buffer = nullptr;
    m_size = 0;
    m_capacity = 0;
  }
  return true;
}

DWORD CDibMemFile::Read(void* buffer, DWORD itemSize, DWORD itemCount) {
  if (!buffer || !m_buffer || m_position >= m_size || itemSize == 0 || itemCount == 0) return 0;
  std::uint64_t wanted = static_cast<std::uint64_t>(itemSize) * itemCount;
  std::uint64_t left = static_cast<std::uint64_t>(m_size - m_position);
  std::uint64_t bytes = std::min(wanted, left);
  std::memcpy(buffer, m_buffer + m_position, static_cast<std::size_t>(bytes));
  m_position += static_cast<LONG>(bytes);
  return static_cast<DWORD>(bytes / itemSize);
}

bool CDibMemFile::Alloc(DWORD needed) {
  if (needed <= m_capacity) return m_buffer != nullptr;
  // A caller's block is never reallocated: writes beyond it fail.
  if (m_buffer && !m_ownsBuffer) return false;
  std::uint64_t capacity = (static_cast<std::uint64_t>(needed) / 65536) * 65536 + 65536;
  if (capacity > 0x7FFFFFFFu) return false;
  auto* grown = static_cast<BYTE*>(std::realloc(m_buffer, static_cast<std::size_t>(capacity)));
  if (!grown) return false;
  m_buffer = grown;
  m_capacity = static_cast<DWORD>(capacity);
  m_ownsBuffer = true;
  return true;
}

DWORD CDibMemFile::Write(const void* buffer, DWORD itemSize, DWORD itemCount) {
  if (!buffer || !m_buffer) return 0;
  std::uint64_t bytes = static_cast<std::uint64_t>(itemSize) * itemCount;
  if (bytes == 0) return 0;
  std::uint64_t end = static_cast<std::uint64_t>(m_position) + bytes;
  if (end > 0x7FFFFFFFu || !Alloc(static_cast<DWORD>(end))) return 0;
  std::memcpy(m_buffer + m_position, buffer, static_cast<std::size_t>(bytes));
  m_position = static_cast<LONG>(end);
  if (m_position > m_size) m_size = m_position;
  return itemCount;
}

bool CDibMemFile::Seek(LONG offset, int origin) {
  if (!m_buffer) return false;
  std::int64_t base;
  switch (origin) {
    case 0:
      base = 0;
      break;
    case 1:
      base = m_position;
      break;
    case 2:
      base = m_size;
      break;
    default:
      return false;
  }
  std::int64_t target = base + offset;
  m_position = static_cast<LONG>(std::clamp<std::int64_t>(target, 0, 0x7FFFFFFF));
  return true;
}

LONG CDibMemFile::Tell() { return m_buffer ? m_position : -1; }
LONG CDibMemFile::Size() { return m_buffer ? m_size : -1; }
bool CDibMemFile::Flush() { return m_buffer != nullptr; }
bool CDibMemFile::Eof() { return !m_buffer || m_position >= m_size; }

LONG CDibMemFile::Error() {
  if (!m_buffer) return -1;
  return m_position > m_size ? 1 : 0;
}

bool CDibMemFile::PutC(BYTE c) {
  if (!m_buffer) return false;
  if (static_cast<DWORD>(m_position) >= m_capacity) {
    if (m_position == 0x7FFFFFFF || !Alloc(static_cast<DWORD>(m_position) + 1)) return false;
  }
  m_buffer[m_position++] = c;
  if (m_position > m_size) m_size = m_position;
  return true;
}

LONG CDibMemFile::GetC() {
  if (Eof()) return -1;
  return m_buffer[m_position++];
}

char* CDibMemFile::GetS(char* buffer, int length) {
  if (!buffer || length <= 0) return nullptr;
  int stored = 0;
  while (stored < length - 1) {
    LONG c = GetC();
    if (c < 0) return nullptr;
    buffer[stored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[stored] = 0;
  return buffer;
}

LONG CDibMemFile::Scanf(const char*, void*) { return 0; }
