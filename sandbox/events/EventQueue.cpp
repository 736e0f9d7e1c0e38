#include "sandbox/events/EventQueue.h"

namespace zqk::sandbox {

void EventQueue::Push(std::function<void()> fire) {
  const int64_t now = host_.NowMs();
  // Everything pushed at one agent time is one batch: one delay, one draw of
  // the jitter.
  if (now != batchMs_) {
    batchMs_ = now;
    batchDueMs_ = now + poster_.NextDelay();
  }
  entries_.push_back(Entry{batchDueMs_, std::move(fire)});
  Schedule();
}

void EventQueue::Clear() {
  entries_.clear();
  if (scheduledFor_ >= 0) host_.Cancel(ticket_);
  scheduledFor_ = -1;
  batchMs_ = -1;
}

void EventQueue::Schedule() {
  if (entries_.empty()) return;
  const int64_t due = entries_.front().dueMs;
  if (scheduledFor_ >= 0 && scheduledFor_ <= due) return;
  if (scheduledFor_ >= 0) host_.Cancel(ticket_);
  const int64_t now = host_.NowMs();
  scheduledFor_ = due;
  ticket_ = host_.Post(static_cast<uint32_t>(due > now ? due - now : 0), [this] { Pump(); });
}

void EventQueue::Pump() {
  scheduledFor_ = -1;
  while (!entries_.empty() && entries_.front().dueMs <= host_.NowMs()) {
    std::function<void()> fire = std::move(entries_.front().fire);
    entries_.pop_front();
    fire();
  }
  Schedule();
}

}  // namespace zqk::sandbox
