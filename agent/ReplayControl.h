#pragma once
// The replay agent: a control, in this process, whose every answer comes from
// a recording (ReplaySession) and whose events are the recorded ones. It
// stands behind the agent's class ID while a session is replayed, so that the
// console meets the agent of the recorded session without its library.

#include <memory>

#include "agent/ReplaySession.h"
#include "agent/abi/AgentAbi.h"

namespace zqk {

// Creates a replay control for `host` over `session`; ZQK_OK and *out, as a
// component's creation function does.
int32_t CreateReplayControl(std::shared_ptr<ReplaySession> session, const zqk_host* host,
                            zqk_control** out);

}  // namespace zqk
