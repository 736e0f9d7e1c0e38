#pragma once
// The user-interface thread as the agent binding sees it: work posted to it
// and the clock of agent time. The window runs it on Qt's event loop; the
// headless driver on a virtual clock that advances only when a script waits.

#include <cstdint>
#include <functional>

namespace zqk {

class UiThread {
 public:
  virtual ~UiThread() = default;
  // Runs `work` on the UI thread once `delayMs` of agent time have passed.
  // Thread-safe. Returns a ticket that Cancel() takes.
  virtual uint64_t Post(std::function<void()> work, uint32_t delayMs) = 0;
  // Drops posted work that has not run yet; UI thread only.
  virtual void Cancel(uint64_t ticket) = 0;
  // Milliseconds of agent time; UI thread only.
  virtual int64_t NowMs() const = 0;
};

}  // namespace zqk
