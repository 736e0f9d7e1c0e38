#pragma once
// Events that must reach the console in the order they were caused, whatever
// the host's timers do with two that fall due at the same moment: an order's
// reply, its acceptance record and its fills. Each push is due after the
// poster's causal delay (so it never overtakes a reply or message caused
// before it); one posted task delivers everything due, front first. A
// delivery that runs a nested event loop lets the next ones out inside it,
// still in order.

#include <cstdint>
#include <deque>
#include <functional>

#include "sandbox/events/EventPoster.h"
#include "sandbox/kit/ComponentKit.h"

namespace zqk::sandbox {

class EventQueue {
 public:
  EventQueue(kit::Host& host, EventPoster& poster) : host_(host), poster_(poster) {}
  EventQueue(const EventQueue&) = delete;
  EventQueue& operator=(const EventQueue&) = delete;

  // Delivers `fire` after the poster's next causal delay; the deliveries of
  // one batch (pushed before control returns to the host) share one moment.
  void Push(std::function<void()> fire);
  // Drops everything not yet delivered (the connection ended).
  void Clear();

 private:
  struct Entry {
    int64_t dueMs;
    std::function<void()> fire;
  };
  void Schedule();
  void Pump();

  kit::Host& host_;
  EventPoster& poster_;
  std::deque<Entry> entries_;
  kit::Host::Ticket ticket_ = 0;
  int64_t scheduledFor_ = -1;  // -1: nothing posted
  int64_t batchMs_ = -1;       // the agent time of the batch being pushed
  int64_t batchDueMs_ = 0;
};

}  // namespace zqk::sandbox
