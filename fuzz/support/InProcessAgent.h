#pragma once
// A component class of the sandbox's kind, created in the fuzz target's own
// process through the component kit (so that calls are checked and
// exceptions caught exactly as in the built component), on the console's
// own host services over a virtual clock: agent time passes only when the
// target lets it.

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "agent/CZQKCommAgent.h"
#include "agent/ComponentHost.h"
#include "agent/VirtualUiThread.h"
#include "sandbox/kit/ComponentKit.h"

namespace zqk::fuzz {

class InProcessAgent final : private AgentEventSink {
 public:
  using Factory = std::function<std::unique_ptr<kit::Component>(kit::Host&)>;

  explicit InProcessAgent(Factory create);
  ~InProcessAgent() override;
  InProcessAgent(const InProcessAgent&) = delete;
  InProcessAgent& operator=(const InProcessAgent&) = delete;

  // The call's status and result; a failed call is an answer like any other.
  AgentResult Call(Dispid dispid, std::initializer_list<AgentArg> args);
  // Lets `ms` of agent time pass; the component's posted work runs.
  void Advance(uint32_t ms);

 private:
  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override;

  VirtualUiThread uiThread_;
  ComponentHost host_;
  zqk_control* control_ = nullptr;
};

}  // namespace zqk::fuzz
