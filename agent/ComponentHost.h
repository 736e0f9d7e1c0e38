#pragma once
// The host's services for one control (the zqk_host table): posting work to
// the UI thread, firing events into the event sink, agent time. One host per
// control; it must outlive the control's `destroy`.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "agent/CZQKCommAgent.h"
#include "agent/UiThread.h"
#include "agent/abi/AgentAbi.h"

namespace zqk {

class ComponentHost {
 public:
  // Constructed on the UI thread, which is then the only thread that may fire
  // events.
  ComponentHost(UiThread& uiThread, AgentEventSink& sink);
  // Shuts down.
  ~ComponentHost();
  ComponentHost(const ComponentHost&) = delete;
  ComponentHost& operator=(const ComponentHost&) = delete;

  // The table handed to the component's ZQKCreateControl.
  const zqk_host* Abi() const { return &abi_; }

  // While posted work runs, `owner` is held (if it still exists), so that a
  // nested event loop that drops the control cannot free it under the
  // component's feet.
  void HoldWhileRunning(std::weak_ptr<void> owner);

  // From now on nothing of the component reaches the UI thread: pending work
  // is cancelled, later posts are dropped, events are refused. UI thread only.
  void Shutdown();
  bool IsShutDown() const;

 private:
  // What posted closures share with the host; outlives it.
  struct State {
    std::mutex mutex;
    bool live = true;
    uint64_t nextId = 1;
    // Our id -> UiThread ticket (none while Post() has not returned yet).
    std::map<uint64_t, std::optional<uint64_t>> pending;
    std::weak_ptr<void> owner;
  };

  static void Post(void* context, void (*fn)(void*), void* arg, uint32_t delayMs);
  static int32_t FireEvent(void* context, int32_t dispid, const zqk_value* args, uint32_t count);
  static int64_t NowMs(void* context);

  UiThread& uiThread_;
  AgentEventSink& sink_;
  // The thread that created the host: the UI thread.
  std::thread::id uiThreadId_ = std::this_thread::get_id();
  std::shared_ptr<State> state_;
  zqk_host abi_;
};

}  // namespace zqk
