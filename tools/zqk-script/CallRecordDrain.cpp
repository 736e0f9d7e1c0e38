#include "tools/zqk-script/CallRecordDrain.h"

#include "sandbox/fixture/FixtureProtocol.h"

namespace zqk::script {

void CallRecordDrain::Take() {
  if (refused_ || !agent_.HasWindow()) return;
  try {
    agent_.InvokeExtension(fixture::kFixtureTakeCalls, "FixtureTakeCalls", {}, ValueType::kString);
    ++takes_;
  } catch (const AgentError&) {
    refused_ = true;  // the sandbox agent, or any other that keeps no calls
  }
}

}  // namespace zqk::script
