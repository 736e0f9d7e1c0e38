#pragma once
// The TR reply dispatcher: the decoder of each TR code that the console reads.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "replies/AgentReader.h"
#include "replies/DecoderOutput.h"

namespace zqk {

// Runs the decoder of `trCode` (compared exactly, letter case included) on the
// reply that `agent` delivers. False when no decoder has that code: nothing is
// read and nothing logged. Master files are written beside `executableDir`.
bool DecodeTrReply(std::string_view trCode, int32_t rqId, AgentReader& agent, DecoderOutput& out,
                   const std::filesystem::path& executableDir);

}  // namespace zqk
