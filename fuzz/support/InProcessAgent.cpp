#include "fuzz/support/InProcessAgent.h"

#include <string>
#include <vector>

#include "fuzz/support/CannedAgent.h"

namespace zqk::fuzz {

InProcessAgent::InProcessAgent(Factory create) : host_(uiThread_, *this) {
  const kit::ClassEntry classes[] = {{kAgentClassId, std::move(create)}};
  const std::string classId(kAgentClassId);
  Check(kit::CreateControl(classId.c_str(), host_.Abi(), &control_, classes) == ZQK_OK,
        "the component was not created");
}

InProcessAgent::~InProcessAgent() {
  host_.Shutdown();
  control_->destroy(control_);
}

AgentResult InProcessAgent::Call(Dispid dispid, std::initializer_list<AgentArg> args) {
  std::vector<zqk_value> values;
  for (const AgentArg& a : args) {
    if (a.type == ValueType::kLong) {
      values.push_back({ZQK_VT_I4, a.i4, nullptr, 0});
    } else {
      values.push_back({ZQK_VT_STR, 0, a.str.data(), static_cast<uint32_t>(a.str.size())});
    }
  }
  zqk_value result{};
  AgentResult r;
  r.status = control_->invoke(control_, static_cast<int32_t>(dispid), values.data(),
                              static_cast<uint32_t>(values.size()), &result);
  r.type = static_cast<ValueType>(result.type);
  r.i4 = result.i4;
  if (result.type == ZQK_VT_STR && result.len > 0) r.str.assign(result.str, result.len);
  control_->release_value(control_, &result);
  return r;
}

void InProcessAgent::Advance(uint32_t ms) {
  // A component that keeps posting work for now would never let time pass:
  // a hang, which afl-fuzz reports as one.
  Check(uiThread_.Advance(ms), "the component's posted work never ends");
}

int32_t InProcessAgent::OnAgentEvent(int32_t, std::span<const zqk_value>) {
  return ZQK_OK;
}

}  // namespace zqk::fuzz
