#include "parse_queue.h"

#include <utility>

void ParseQueue::Put(ParseRequest request) {
  ParseRequest replaced;  // freed once the lock is left
  EngineLockHold hold(m_lock);
  for (ParseRequest& waiting : m_requests) {
    if (waiting.view == request.view) {
      replaced = std::exchange(waiting, std::move(request));
      return;
    }
  }
  m_requests.push_back(std::move(request));
}

std::optional<ParseRequest> ParseQueue::Take() {
  EngineLockHold hold(m_lock);
  if (m_requests.empty()) return std::nullopt;
  std::optional<ParseRequest> head(std::move(m_requests.front()));
  m_requests.pop_front();
  return head;
}

void ParseQueue::Drop(const void* view) {
  std::list<ParseRequest> dropped;  // freed once the lock is left
  EngineLockHold hold(m_lock);
  for (auto it = m_requests.begin(); it != m_requests.end();) {
    auto next = std::next(it);
    if (it->view == view) dropped.splice(dropped.end(), m_requests, it);
    it = next;
  }
}

size_t ParseQueue::Size() {
  EngineLockHold hold(m_lock);
  return m_requests.size();
}
