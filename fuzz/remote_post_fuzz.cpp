// Datagrams that other processes send to a window's process: no crash, and
// whatever is accepted is a message that may cross and encodes back to the
// very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "remote_post_datagram.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorla::RemotePost post;
  if (!quorla::DecodeRemotePost(data, size, &post)) return 0;
  if (!quorla::MessageMayCross(post.message)) std::abort();
  unsigned char again[quorla::kRemotePostSize];
  quorla::EncodeRemotePost(post, again);
  if (size != sizeof(again) || std::memcmp(again, data, size) != 0) std::abort();
  return 0;
}
