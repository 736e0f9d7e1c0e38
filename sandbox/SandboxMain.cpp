// Entry points of ZQKCommAgent.ocx, the sandbox agent; the library exports
// nothing else (exports.map).
#include <memory>

#include "agent/abi/DispatchIds.h"
#include "sandbox/SandboxAgent.h"
#include "sandbox/kit/ComponentKit.h"

namespace {

const zqk::kit::ClassEntry kClasses[] = {
    {zqk::kAgentClassId,
     [](zqk::kit::Host& host) -> std::unique_ptr<zqk::kit::Component> {
       const std::filesystem::path path = zqk::sandbox::DefaultSettingsPath();
       return std::make_unique<zqk::sandbox::SandboxAgent>(host, zqk::sandbox::LoadSettings(path),
                                                           path.string());
     }},
};

}  // namespace

extern "C" {

int32_t DllRegisterServer(void) {
  const std::string_view ids[] = {zqk::kAgentClassId};
  return zqk::kit::RegisterServer(reinterpret_cast<const void*>(&DllRegisterServer), ids);
}

int32_t ZQKCreateControl(const char* classId, const zqk_host* host, zqk_control** out) {
  return zqk::kit::CreateControl(classId, host, out, kClasses);
}

}  // extern "C"
