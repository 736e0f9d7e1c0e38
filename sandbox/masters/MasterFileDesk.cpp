#include "sandbox/masters/MasterFileDesk.h"

#include "sandbox/Broker.h"

namespace zqk::sandbox {

void MasterFileDesk::Request(std::string_view kind) {
  if (const Message* refusal = broker_.SessionProblem()) {
    broker_.poster.AgentMessage(*refusal);
  } else if (kind != "all" && kind != "futures" && kind != "option") {
    broker_.poster.AgentMessage(kMsgUnknownMasterKind, kind);
  } else {
    kit::LogLine("ZQKCommAgent", "master files not simulated yet");
    broker_.poster.AgentMessage(kMsgNotSimulated, "v90001");
  }
}

}  // namespace zqk::sandbox
