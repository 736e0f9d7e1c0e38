#pragma once
// A window rig whose dialog has connected to the fixture agent (registered
// in the rig's own registry), which answers from `json` when one is given.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "sandbox/fixture/FixtureProtocol.h"
#include "tests/support/BuiltFile.h"
#include "tests/ui/qt/QtRig.h"

namespace zqk::qttest {

inline testing::AssertionResult ConnectFixtureAgent(WindowRig& rig, std::string_view json = {}) {
  std::string error;
  if (!RegisterComponent(rig.dir() / "components", kAgentClassId, ZQK_FIXTURE_AGENT, &error)) {
    return testing::AssertionFailure() << "the fixture agent was not registered: " << error;
  }
  rig.dlg().Click(id::kConnect);
  if (!rig.dlg().Agent().HasWindow()) {
    return testing::AssertionFailure() << "Connect made no agent control";
  }
  if (!json.empty()) {
    const AgentArg args[] = {AgentArg(json)};
    rig.dlg().Agent().InvokeExtension(fixture::kFixtureLoadJson, "FixtureLoadJson", args,
                                      ValueType::kLong);
  }
  return testing::AssertionSuccess();
}

}  // namespace zqk::qttest
