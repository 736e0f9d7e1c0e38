// Entry points of ZQKFixtureAgent.ocx; the library exports nothing else
// (exports.map).
#include <memory>

#include "agent/abi/DispatchIds.h"
#include "sandbox/ComponentKit.h"
#include "sandbox/FixtureAgent.h"
#include "sandbox/FixtureProtocol.h"

namespace {

std::unique_ptr<zqk::kit::Component> Create(zqk::kit::Host& host) {
  return std::make_unique<zqk::fixture::FixtureAgent>(host);
}

const zqk::kit::ClassEntry kClasses[] = {
    {zqk::fixture::kFixtureClassId, &Create},
    {zqk::kAgentClassId, &Create},
};

}  // namespace

extern "C" {

int32_t DllRegisterServer(void) {
  const std::string_view ids[] = {zqk::fixture::kFixtureClassId};
  return zqk::kit::RegisterServer(reinterpret_cast<const void*>(&DllRegisterServer), ids);
}

int32_t ZQKCreateControl(const char* classId, const zqk_host* host, zqk_control** out) {
  return zqk::kit::CreateControl(classId, host, out, kClasses);
}

}  // extern "C"
