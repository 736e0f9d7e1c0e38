#pragma once
// The reply that delivers one master file: its size is logged, and when its
// answer code says so its content replaces the file of its name in "mst"
// beside the executable.

#include <filesystem>
#include <string_view>

#include "protocol/TrCodes.h"
#include "replies/AgentReader.h"
#include "replies/DecoderOutput.h"

namespace zqk {

// The TR code of master-file replies.
inline constexpr std::string_view kMasterFileTrCode = tr::kMasterFile;

// Decodes the reply `trCode` that the agent is delivering; `executableDir` is
// the directory of the running executable (UTF-8, as the file system has it).
void DecodeMasterFile(std::string_view trCode, AgentReader& reader, DecoderOutput& out,
                      const std::filesystem::path& executableDir);

}  // namespace zqk
