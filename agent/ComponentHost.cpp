#include "agent/ComponentHost.h"

#include <span>
#include <utility>

namespace zqk {

ComponentHost::ComponentHost(UiThread& uiThread, AgentEventSink& sink)
    : uiThread_(uiThread), sink_(sink), state_(std::make_shared<State>()) {
  abi_.version = ZQK_ABI_VERSION;
  abi_.size = sizeof(zqk_host);
  abi_.context = this;
  abi_.post = &ComponentHost::Post;
  abi_.fire_event = &ComponentHost::FireEvent;
  abi_.now_ms = &ComponentHost::NowMs;
}

ComponentHost::~ComponentHost() {
  Shutdown();
}

void ComponentHost::HoldWhileRunning(std::weak_ptr<void> owner) {
  std::lock_guard lock(state_->mutex);
  state_->owner = std::move(owner);
}

void ComponentHost::Shutdown() {
  std::map<uint64_t, std::optional<uint64_t>> pending;
  {
    std::lock_guard lock(state_->mutex);
    if (!state_->live) return;
    state_->live = false;
    pending.swap(state_->pending);
  }
  // Work whose ticket is not known yet still finds `live` false when it runs.
  for (const auto& [id, ticket] : pending) {
    if (ticket) uiThread_.Cancel(*ticket);
  }
}

bool ComponentHost::IsShutDown() const {
  std::lock_guard lock(state_->mutex);
  return !state_->live;
}

void ComponentHost::Post(void* context, void (*fn)(void*), void* arg, uint32_t delayMs) {
  if (!context || !fn) return;
  auto* self = static_cast<ComponentHost*>(context);
  std::shared_ptr<State> state = self->state_;
  uint64_t id;
  {
    std::lock_guard lock(state->mutex);
    if (!state->live) return;
    id = state->nextId++;
    state->pending.emplace(id, std::nullopt);
  }
  // Not under the lock: a UI thread that ran work inside Post() would deadlock.
  const uint64_t ticket = self->uiThread_.Post(
      [state, id, fn, arg] {
        std::shared_ptr<void> hold;
        {
          std::lock_guard lock(state->mutex);
          // Dropped by Shutdown(): the component, maybe its code, is gone.
          if (!state->live || state->pending.erase(id) == 0) return;
          hold = state->owner.lock();
        }
        fn(arg);
      },
      delayMs);
  std::lock_guard lock(state->mutex);
  if (auto it = state->pending.find(id); it != state->pending.end()) it->second = ticket;
}

int32_t ComponentHost::FireEvent(void* context, int32_t dispid, const zqk_value* args,
                                 uint32_t count) {
  if (!context) return ZQK_E_BAD_STRUCT;
  auto* self = static_cast<ComponentHost*>(context);
  // From another thread the event would race every handler of the dialog.
  if (std::this_thread::get_id() != self->uiThreadId_) return ZQK_E_FAILED;
  if (self->IsShutDown()) return ZQK_E_UNKNOWN_DISPID;
  if (count > 0 && !args) return ZQK_E_BAD_STRUCT;
  // No exception may cross back into the component.
  try {
    return self->sink_.OnAgentEvent(dispid, std::span<const zqk_value>(args, count));
  } catch (...) {
    return ZQK_E_FAILED;
  }
}

int64_t ComponentHost::NowMs(void* context) {
  return context ? static_cast<ComponentHost*>(context)->uiThread_.NowMs() : 0;
}

}  // namespace zqk
