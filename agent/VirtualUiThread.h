#pragma once
// A UI thread on a virtual clock: posted work runs only when its owner lets
// agent time pass (the headless driver, the tests), so a run is fast and
// the same every time.

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "agent/UiThread.h"

namespace zqk {

class VirtualUiThread : public UiThread {
 public:
  uint64_t Post(std::function<void()> work, uint32_t delayMs) override;
  void Cancel(uint64_t ticket) override;
  int64_t NowMs() const override;

  // Runs the work that is due now, also what it posts for now. Stops after
  // `limit` pieces (a component that reposts itself forever) and returns false.
  bool RunDue(size_t limit = 1'000'000);
  // Lets `ms` of agent time pass, running work in due order as the clock
  // reaches it. False as RunDue.
  bool Advance(uint32_t ms, size_t limit = 1'000'000);
  size_t Pending() const;

 private:
  using Key = std::pair<int64_t, uint64_t>;  // due time, ticket (posting order)
  bool PopDue(int64_t until, std::function<void()>& work);
  bool RunUntil(int64_t until, size_t limit);

  mutable std::mutex mutex_;
  int64_t now_ = 0;
  uint64_t nextTicket_ = 1;
  std::map<Key, std::function<void()>> queue_;
  std::unordered_map<uint64_t, int64_t> dueOf_;
};

}  // namespace zqk
