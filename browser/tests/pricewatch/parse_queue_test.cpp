// The parse queue (one waiting page per view, in its place) and the parsed
// records with their generations, alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse_queue.h"
#include "parsed_records.h"

namespace {

ParseRequest Request(const void* view, const std::u16string& page) {
  ParseRequest request;
  request.view = view;
  request.url = u"http://shop.example/" + page;
  request.html.reset(SysAllocStringLen(page.data(), static_cast<UINT>(page.size())));
  return request;
}

// What the queue gives, head first, as "view:page" with views named a, b, c.
std::vector<std::string> Drain(ParseQueue& queue, const int (&views)[3]) {
  std::vector<std::string> taken;
  while (auto request = queue.Take()) {
    const char name = static_cast<char>('a' + (static_cast<const int*>(request->view) - views));
    std::string page;
    for (const OLECHAR* c = request->html.get(); *c; ++c) page += static_cast<char>(*c);
    taken.push_back(std::string(1, name) + ":" + page);
  }
  return taken;
}

TEST(ParseQueue, KeepsOnePagePerViewInItsPlace) {
  const int views[3] = {};
  const void* a = &views[0];
  const void* b = &views[1];
  const void* c = &views[2];
  struct Case {
    const char* name;
    std::vector<std::pair<const void*, std::u16string>> puts;
    std::vector<const void*> drops;
    std::vector<std::string> taken;
  };
  const Case cases[] = {
      {"first in, first out", {{a, u"1"}, {b, u"1"}, {c, u"1"}}, {}, {"a:1", "b:1", "c:1"}},
      {"a newer page takes the waiting one's place", {{a, u"1"}, {b, u"1"}, {a, u"2"}}, {}, {"a:2", "b:1"}},
      {"a hundred ticks leave one page", {}, {}, {"a:99"}},
      {"a forgotten view's page goes", {{a, u"1"}, {b, u"1"}, {c, u"1"}}, {b}, {"a:1", "c:1"}},
      {"forgetting a view without pages changes nothing", {{a, u"1"}}, {c}, {"a:1"}},
  };
  for (const Case& each : cases) {
    ParseQueue queue;
    auto puts = each.puts;
    if (puts.empty())
      for (int i = 0; i < 100; ++i) puts.push_back({a, std::u16string(u"") + std::u16string(1, u'0' + i / 10) + std::u16string(1, u'0' + i % 10)});
    for (auto& [view, page] : puts) queue.Put(Request(view, page));
    for (const void* view : each.drops) queue.Drop(view);
    EXPECT_EQ(queue.Size(), each.taken.size()) << each.name;
    EXPECT_EQ(Drain(queue, views), each.taken) << each.name;
    EXPECT_EQ(queue.Size(), 0u) << each.name;
  }
}

TEST(ParsedRecords, GenerationsComeFromOneCounterAndChangeOnlyWhenAViewIsForgotten) {
  ParsedRecords records;
  ParsedRecords others;  // another engine of the process
  const int views[2] = {};
  const uint64_t first = records.GenerationOf(&views[0]);
  EXPECT_EQ(records.GenerationOf(&views[0]), first) << "queueing again keeps it";
  const uint64_t second = records.GenerationOf(&views[1]);
  const uint64_t another = others.GenerationOf(&views[0]);
  EXPECT_NE(second, first);
  EXPECT_NE(another, first);
  EXPECT_NE(another, second);
  records.Forget(&views[0]);
  const uint64_t renewed = records.GenerationOf(&views[0]);
  EXPECT_NE(renewed, first);
  EXPECT_NE(renewed, another);
  EXPECT_EQ(records.GenerationOf(&views[1]), second) << "other views keep theirs";
}

TEST(ParsedRecords, AResultIsKeptOnlyWhileItsViewIsOnTheSamePage) {
  ParsedRecords records;
  const int view = 0;
  ReducePriceItem parsed;
  InitReducePriceItem(&parsed);
  parsed.CurrentPrice = 42.0;

  const uint64_t before = records.GenerationOf(&view);
  records.Forget(&view);  // the view navigated while the page was parsed
  bool ran = false;
  EXPECT_FALSE(records.WhileCurrent(&view, before, [&] { ran = true; }));
  EXPECT_FALSE(ran);
  const int unknown = 0;
  EXPECT_FALSE(records.WhileCurrent(&unknown, before, [&] { ran = true; })) << "a view never queued";
  EXPECT_FALSE(ran);

  const uint64_t now = records.GenerationOf(&view);
  EXPECT_TRUE(records.WhileCurrent(&view, now, [&] { records.Store(&view, parsed); }));
  ReducePriceItem copy;
  InitReducePriceItem(&copy);
  ASSERT_TRUE(records.Copy(&view, &copy));
  EXPECT_EQ(copy.CurrentPrice, 42.0);
  EXPECT_FALSE(records.Copy(&view, nullptr));

  records.Forget(&view);
  copy.CurrentPrice = 1.0;
  EXPECT_FALSE(records.Copy(&view, &copy));
  EXPECT_EQ(copy.CurrentPrice, 1.0) << "untouched";
}

}  // namespace
