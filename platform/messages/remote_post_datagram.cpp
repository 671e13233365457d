#include "remote_post_datagram.h"

#include <cstdint>
#include <cstring>

namespace quorla {
namespace {

constexpr unsigned char kMagic[4] = {'Q', 'P', 'M', '1'};
constexpr UINT kWmCommand = 0x0111;

void Put(unsigned char* out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t Get(const unsigned char* in, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace

bool MessageMayCross(UINT message) {
  if (message >= WM_USER) return message <= 0xFFFF;
  return message == WM_NULL || message == WM_CLOSE || message == WM_QUIT || message == kWmCommand;
}

void EncodeRemotePost(const RemotePost& post, unsigned char (&datagram)[kRemotePostSize]) {
  std::memcpy(datagram, kMagic, sizeof(kMagic));
  Put(datagram + 4, post.message, 4);
  Put(datagram + 8, reinterpret_cast<ULONG_PTR>(post.hwnd), 8);
  Put(datagram + 16, post.wParam, 8);
  Put(datagram + 24, static_cast<std::uint64_t>(post.lParam), 8);
}

bool DecodeRemotePost(const void* datagram, size_t size, RemotePost* post) {
  const auto* bytes = static_cast<const unsigned char*>(datagram);
  if (size != kRemotePostSize || std::memcmp(bytes, kMagic, sizeof(kMagic)) != 0) return false;
  RemotePost decoded;
  decoded.message = static_cast<UINT>(Get(bytes + 4, 4));
  decoded.hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Get(bytes + 8, 8)));
  decoded.wParam = static_cast<WPARAM>(Get(bytes + 16, 8));
  decoded.lParam = static_cast<LPARAM>(Get(bytes + 24, 8));
  if (!MessageMayCross(decoded.message)) return false;
  *post = decoded;
  return true;
}

}  // namespace quorla
