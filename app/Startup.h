#pragma once
// Start-up: registration of the agent component that stands beside the
// executable, on every start, before the main dialog opens. Failures are shown
// in message boxes and never stop start-up.

#include <filesystem>
#include <string_view>

#include "dialog/DialogHost.h"

namespace zqk {

// The agent component's file name, beside the executable.
inline constexpr std::string_view kAgentFileName = "ZQKCommAgent.ocx";

// The directory of the running executable (from /proc/self/exe); empty when
// it cannot be read.
std::filesystem::path ExecutableDirectory();

// Loads the component library `path` (absolute), runs its DllRegisterServer
// and keeps it loaded. Returns true when the component registered itself;
// otherwise shows why in a message box and returns false.
bool DllRegister(const std::filesystem::path& path, MessageBoxHost& boxes);

// DllRegister(ExecutableDirectory() / kAgentFileName); the result only shows.
void RegisterAgentAtStartup(MessageBoxHost& boxes);

}  // namespace zqk
