#include "agent/VirtualUiThread.h"

namespace zqk {

uint64_t VirtualUiThread::Post(std::function<void()> work, uint32_t delayMs) {
  std::lock_guard lock(mutex_);
  const uint64_t ticket = nextTicket_++;
  const int64_t due = now_ + delayMs;
  queue_.emplace(Key{due, ticket}, std::move(work));
  dueOf_.emplace(ticket, due);
  return ticket;
}

void VirtualUiThread::Cancel(uint64_t ticket) {
  std::lock_guard lock(mutex_);
  auto it = dueOf_.find(ticket);
  if (it == dueOf_.end()) return;
  queue_.erase(Key{it->second, ticket});
  dueOf_.erase(it);
}

int64_t VirtualUiThread::NowMs() const {
  std::lock_guard lock(mutex_);
  return now_;
}

size_t VirtualUiThread::Pending() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool VirtualUiThread::PopDue(int64_t until, std::function<void()>& work) {
  std::lock_guard lock(mutex_);
  if (queue_.empty() || queue_.begin()->first.first > until) return false;
  auto it = queue_.begin();
  if (it->first.first > now_) now_ = it->first.first;
  work = std::move(it->second);
  dueOf_.erase(it->first.second);
  queue_.erase(it);
  return true;
}

bool VirtualUiThread::RunUntil(int64_t until, size_t limit) {
  std::function<void()> work;
  for (size_t n = 0; n < limit; ++n) {
    if (!PopDue(until, work)) return true;
    work();
  }
  std::lock_guard lock(mutex_);
  return queue_.empty() || queue_.begin()->first.first > until;
}

bool VirtualUiThread::RunDue(size_t limit) {
  return RunUntil(NowMs(), limit);
}

bool VirtualUiThread::Advance(uint32_t ms, size_t limit) {
  const int64_t until = NowMs() + ms;
  if (!RunUntil(until, limit)) return false;
  std::lock_guard lock(mutex_);
  now_ = until;
  return true;
}

}  // namespace zqk
