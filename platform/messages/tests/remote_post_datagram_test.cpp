#include "remote_post_datagram.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(RemotePostDatagramTest, NumbersCrossWholeInAFixedLayout) {
  quorla::RemotePost post;
  post.hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x0000123400010010ull));
  post.message = 11111;
  post.wParam = 0xFEDCBA9876543210ull;
  post.lParam = -2;
  unsigned char datagram[quorla::kRemotePostSize];
  quorla::EncodeRemotePost(post, datagram);
  const unsigned char expected[quorla::kRemotePostSize] = {
      'Q',  'P',  'M',  '1',  0x67, 0x2B, 0x00, 0x00,  // message
      0x10, 0x00, 0x01, 0x00, 0x34, 0x12, 0x00, 0x00,  // window
      0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE,  // wParam
      0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // lParam
  };
  EXPECT_EQ(std::memcmp(datagram, expected, sizeof(expected)), 0);
  quorla::RemotePost read;
  ASSERT_TRUE(quorla::DecodeRemotePost(datagram, sizeof(datagram), &read));
  EXPECT_EQ(read.hwnd, post.hwnd);
  EXPECT_EQ(read.message, post.message);
  EXPECT_EQ(read.wParam, post.wParam);
  EXPECT_EQ(read.lParam, post.lParam);
}

TEST(RemotePostDatagramTest, OnlyMessagesOfNumbersCross) {
  const struct {
    UINT message;
    bool crosses;
  } cases[] = {
      {WM_NULL, true},     {WM_CLOSE, true},   {WM_QUIT, true},      {0x0111, true} /* WM_COMMAND */,
      {WM_CREATE, false},  {0x000C, false} /* WM_SETTEXT */,         {0x004A, false} /* WM_COPYDATA */,
      {0x0113, false} /* WM_TIMER: lParam is a procedure */,         {WM_USER - 1, false},
      {WM_USER, true},     {WM_APP, true},     {0xC123, true},       {0xFFFF, true},
      {0x10000, false},    {0xFFFFFFFF, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(quorla::MessageMayCross(c.message), c.crosses) << std::hex << c.message;
    quorla::RemotePost post;
    post.message = c.message;
    unsigned char datagram[quorla::kRemotePostSize];
    quorla::EncodeRemotePost(post, datagram);
    quorla::RemotePost read;
    EXPECT_EQ(quorla::DecodeRemotePost(datagram, sizeof(datagram), &read), c.crosses) << std::hex << c.message;
  }
}

TEST(RemotePostDatagramTest, OtherSizesAndKindsAreDropped) {
  quorla::RemotePost post;
  post.message = WM_USER;
  unsigned char datagram[quorla::kRemotePostSize + 1] = {};
  unsigned char exact[quorla::kRemotePostSize];
  quorla::EncodeRemotePost(post, exact);
  std::memcpy(datagram, exact, sizeof(exact));
  quorla::RemotePost read;
  for (size_t size : {size_t{0}, size_t{4}, quorla::kRemotePostSize - 1, quorla::kRemotePostSize + 1})
    EXPECT_FALSE(quorla::DecodeRemotePost(datagram, size, &read)) << size;
  for (int at = 0; at < 4; ++at) {
    unsigned char changed[quorla::kRemotePostSize];
    std::memcpy(changed, exact, sizeof(exact));
    changed[at] ^= 0x20;
    EXPECT_FALSE(quorla::DecodeRemotePost(changed, sizeof(changed), &read)) << at;
  }
  EXPECT_TRUE(quorla::DecodeRemotePost(exact, sizeof(exact), &read));
}

}  // namespace
