#pragma once
// The pages waiting for the parse worker, first in, first out, at most one
// per view: a view's newer page replaces its waiting one in its place, so a
// parser that is stuck on one page never lets the queue grow beyond one page
// per open tab. Any thread; one lock of its own, never held while another
// lock of the engine is taken.
#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "engine_lock.h"
#include "win/oleauto.h"

struct BstrFree {
  void operator()(OLECHAR* text) const { SysFreeString(text); }
};
using OwnedBstr = std::unique_ptr<OLECHAR, BstrFree>;

struct ParseRequest {
  const void* view = nullptr;                // the browser view; only compared
  std::atomic<uint8_t>* captured = nullptr;  // its PriceCaptured flag
  uint64_t generation = 0;                   // the view's generation when queued
  std::u16string url;
  OwnedBstr html;                            // the page's source, as the parser gave it
};

class ParseQueue {
 public:
  ParseQueue() = default;
  ParseQueue(const ParseQueue&) = delete;
  ParseQueue& operator=(const ParseQueue&) = delete;

  // Appends the request, or puts it in the place of the view's waiting one.
  void Put(ParseRequest request);
  // The request at the head, taken out of the queue; nothing when empty.
  std::optional<ParseRequest> Take();
  // Drops every waiting request of the view.
  void Drop(const void* view);
  size_t Size();

 private:
  EngineLock m_lock;
  std::list<ParseRequest> m_requests;
};
