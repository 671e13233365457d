#include "published_windows.h"

#include <gtest/gtest.h>

#include "window_handles.h"

namespace {

quorla::PublishedWindow Window(DWORD pid, DWORD serial, bool visible, std::u16string className, std::u16string title) {
  quorla::PublishedWindow window;
  window.handle = quorla::MakeWindowHandle(pid, serial);
  window.threadId = pid + 1;
  window.visible = visible;
  window.className = std::move(className);
  window.title = std::move(title);
  return window;
}

TEST(PublishedWindowsTest, ListsSurviveTheirTextForm) {
  quorla::PublishedList list;
  list.processId = 4194304;
  list.livenessId = 18446744073709551615ull;
  list.windows = {
      Window(4194304, 0x10010, false, u"VXTrayClassName", u""),
      Window(4194304, 0x10012, true, u"QuorlaMainFrame", u"商品 - Quorla购物浏览器"),
      Window(4194304, 0x7FFFFFEE, true, u"with\nnewline\tand %25 and =", u"  blanks  "),
      Window(4194304, 0x10014, false, u"\x01\x7F", u"🙂"),
  };
  const std::string text = quorla::FormatPublishedList(list);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1), "quorla-windows 1 4194304 18446744073709551615\n");
  EXPECT_NE(text.find("40000000010012 4194305 1 =QuorlaMainFrame =商品%20-%20Quorla购物浏览器\n"), std::string::npos) << text;
  quorla::PublishedList read;
  ASSERT_TRUE(quorla::ParsePublishedList(text, &read)) << text;
  EXPECT_EQ(read.processId, list.processId);
  EXPECT_EQ(read.livenessId, list.livenessId);
  ASSERT_EQ(read.windows.size(), list.windows.size());
  for (size_t i = 0; i < list.windows.size(); ++i) {
    EXPECT_EQ(read.windows[i].handle, list.windows[i].handle);
    EXPECT_EQ(read.windows[i].threadId, list.windows[i].threadId);
    EXPECT_EQ(read.windows[i].visible, list.windows[i].visible);
    EXPECT_EQ(read.windows[i].className, list.windows[i].className);
    EXPECT_EQ(read.windows[i].title, list.windows[i].title);
  }
}

TEST(PublishedWindowsTest, AnythingElseIsRefusedWhole) {
  const char* const texts[] = {
      "",
      "quorla-windows 1 77 5",                          // no line end
      "quorla-windows 2 77 5\n",                        // another version
      "quorla-windows 1 0 5\n",                         // no process
      "quorla-windows 1 077 5\n",                       // leading zero
      "quorla-windows 1 77\n",                          // field missing
      "quorla-windows 1 77 5 6\n",                      // field too many
      "quorla-windows 1 77  5\n",                       // empty field
      "quorla-windows 1 -77 5\n",                       // sign
      "quorla-windows 1 4294967296 5\n",                // too large
      "quorla-windows 1 77 5\n4e00010010 3 0 =a =b\n",  // another process's window
      "quorla-windows 1 77 5\n4d00010010 3 2 =a =b\n",  // visible neither 0 nor 1
      "quorla-windows 1 77 5\n4d00010010 3 0 a =b\n",   // name without '='
      "quorla-windows 1 77 5\n4d00010010 3 0 =a =b =c\n",
      "quorla-windows 1 77 5\n4d00010010 3 0 =a =b",     // last line unended
      "quorla-windows 1 77 5\n4d00010010 3 0 =a% =b\n",  // escape cut short
      "quorla-windows 1 77 5\n4d00010010 3 0 =a%2 =b\n",
      "quorla-windows 1 77 5\n4d00010010 3 0 =a%zz =b\n",
      "quorla-windows 1 77 5\n4d0x10010 3 0 =a =b\n",
      "quorla-windows 1 77 5\n00000004d00010010 3 0 =a =b\n",  // more than 16 digits
      "quorla-windows 1 77 5\n\n",
      "quorla-windows 1 77 5\n4d00010010 3 0 =a =b\n4d00010012 3 0 =a =b\r\n",  // one bad line of two
  };
  for (const char* text : texts) {
    quorla::PublishedList list;
    EXPECT_FALSE(quorla::ParsePublishedList(text, &list)) << text;
    EXPECT_TRUE(list.windows.empty()) << text;
  }
  quorla::PublishedList list;
  EXPECT_TRUE(quorla::ParsePublishedList("quorla-windows 1 77 5\n", &list));
  EXPECT_TRUE(quorla::ParsePublishedList("quorla-windows 1 77 5\n4d00010010 3 0 = =\n", &list));
  ASSERT_EQ(list.windows.size(), 1u);
  EXPECT_EQ(list.windows[0].className, u"");
}

TEST(PublishedWindowsTest, AListHasABoundedNumberOfWindows) {
  std::string text = "quorla-windows 1 77 5\n";
  for (size_t i = 0; i < quorla::kMostPublishedWindows; ++i) text += "4d00010010 3 0 =a =b\n";
  quorla::PublishedList list;
  EXPECT_TRUE(quorla::ParsePublishedList(text, &list));
  text += "4d00010010 3 0 =a =b\n";
  EXPECT_FALSE(quorla::ParsePublishedList(text, &list));
}

}  // namespace
