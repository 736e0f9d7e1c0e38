#pragma once
// Runs a parsed script against the console's dialog with no window.

#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

#include "agent/ReplaySession.h"

#include "tools/zqk-script/Script.h"

namespace zqk::script {

struct RunOptions {
  bool timestamps = true;                   // print log lines with their timestamps
  bool traceCalls = false;                  // print every agent call with its arguments and result
  std::filesystem::path executableDir;      // where ocx_log.log goes
  std::filesystem::path componentRegistry;  // resolves the agent's class ID
  std::filesystem::path recordFile;         // --record: the session is recorded there
  // --replay: the agent is the recording's; with its steps replayed, the
  // script's steps are not run.
  std::shared_ptr<ReplaySession> replay;
};

// Exit status of a run.
enum class RunStatus { kOk = 0, kFailed = 1, kBadScript = 2 };

// Prints log lines (UTF-8) and "## " lines to `out`, failures to `err`.
RunStatus RunScript(const std::vector<Step>& steps, const RunOptions& options, std::ostream& out,
                    std::ostream& err);

}  // namespace zqk::script
