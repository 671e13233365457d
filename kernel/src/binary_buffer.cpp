#include "binary_buffer.h"

#include <cstdlib>

CBinaryBuffer::~CBinaryBuffer() { std::free(m_data); }

char* CBinaryBuffer::Alloc(unsigned size) {
  if (m_size >= size) return m_data;  // also Alloc(0) on a new buffer: null
  // size + 2 in 64 bits: a request near 4 GiB must not wrap to a tiny block.
  auto* block = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 2));
  if (!block) return nullptr;
  std::free(m_data);
  m_data = block;
  m_size = size;
  m_data[size] = 0;
  m_data[size + 1] = 0;
  return m_data;
}
