// zqk-script: runs the console's dialog without a window, from a script.
//
//   zqk-script [options] SCRIPT
//     --agent sandbox|fixture   the agent behind Connect (default: sandbox)
//     --agent-library PATH      any other agent component library
//     --fixture FILE            the fixture agent's file (with --agent fixture)
//     --exe-dir DIR             the directory that stands for the executable's
//                               (ocx_log.log, mst/); default: zqk-script's own,
//                               or the user's data folder when that cannot be
//                               written
//     --no-timestamps           log lines without their timestamps
//     --trace-calls             print every agent call with its arguments
//     --record FILE             record the session into FILE
//   zqk-script [options] --replay FILE [SCRIPT]
//     the agent answers from the recording FILE; without SCRIPT its recorded
//     user steps run
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "app/DataFolder.h"
#include "app/Startup.h"
#include "dialog/DialogTemplate.h"
#include "dialog/SessionPlayer.h"
#include "files/RegularFile.h"
#include "sandbox/fixture/FixtureData.h"
#include "tools/zqk-script/ScriptRunner.h"

namespace {

// The largest script that is read.
constexpr size_t kMaxScriptBytes = size_t{64} << 20;

std::optional<zqk::ControlKind> MainDialogControlKind(zqk::ControlId id) {
  const zqk::ControlTemplate* control = zqk::MainDialogTemplate().Find(id);
  if (!control) return std::nullopt;
  return control->kind;
}

int Usage(const std::string& why) {
  std::cerr << "zqk-script: " << why << "\n"
            << "usage: zqk-script [--agent sandbox|fixture] [--agent-library PATH] "
               "[--fixture FILE] [--exe-dir DIR] [--no-timestamps] [--trace-calls] "
               "[--record FILE] SCRIPT\n"
               "       zqk-script [--exe-dir DIR] [--no-timestamps] [--trace-calls] "
               "[--record FILE] --replay FILE [SCRIPT]\n";
  return 2;
}

// A value or a file that cannot be used: one line, before anything runs.
int BadOption(const std::string& why) {
  std::cerr << "zqk-script: " << why << "\n";
  return 2;
}

// A registry of this run's own, so that the chosen agent stands behind the
// agent's class ID without touching the user's registry.
class TemporaryRegistry {
 public:
  TemporaryRegistry() {
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) {
      const char* tmpdir = std::getenv("TMPDIR");
      error_ = "no usable temporary folder" +
               (tmpdir ? std::string(" (TMPDIR=") + tmpdir + ")" : std::string()) + ": " +
               ec.message();
      return;
    }
    std::string pattern = (temp / "zqk-script.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      error_ = "cannot make a folder in " + temp.string() + ": " + std::strerror(errno);
      return;
    }
    dir_ = pattern;
  }
  ~TemporaryRegistry() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  std::filesystem::path File() const { return dir_ / "components"; }
  // Why there is no registry; empty when there is one.
  const std::string& Error() const { return error_; }

 private:
  std::filesystem::path dir_;
  std::string error_;
};

}  // namespace

int main(int argc, char** argv) {
  zqk::script::RunOptions options;
  std::string agent = "sandbox";
  bool agentChosen = false;
  std::filesystem::path library, fixture, scriptPath, replay;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--no-timestamps") {
      options.timestamps = false;
    } else if (arg == "--trace-calls") {
      options.traceCalls = true;
    } else if (arg == "--agent") {
      const char* v = value();
      if (!v) return Usage(arg + " needs a value");
      agent = v;
      agentChosen = true;
    } else if (arg == "--agent-library" || arg == "--fixture" || arg == "--exe-dir" ||
               arg == "--record" || arg == "--replay") {
      const char* v = value();
      if (!v || !*v) return Usage(arg + " needs a path");
      std::error_code ec;
      const std::filesystem::path path = std::filesystem::absolute(v, ec);
      if (ec) return BadOption(arg + " " + v + ": " + ec.message());
      if (arg == "--agent-library") library = path;
      if (arg == "--fixture") fixture = path;
      if (arg == "--exe-dir") options.executableDir = path;
      if (arg == "--record") options.recordFile = path;
      if (arg == "--replay") replay = path;
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (scriptPath.empty()) {
      if (arg.empty()) return Usage("the script's path is empty");
      scriptPath = arg;
    } else {
      return Usage("more than one script");
    }
  }
  if (!replay.empty()) {
    // The recording is the agent.
    if (agentChosen || !library.empty() || !fixture.empty()) {
      return Usage("--replay takes no other agent");
    }
    if (!options.recordFile.empty() && options.recordFile == replay) {
      return Usage("--record would overwrite the recording that --replay plays");
    }
    zqk::RecordingError error;
    options.replay =
        zqk::SessionPlayer::OpenRecording(replay,
                                          scriptPath.empty() ? zqk::ReplaySession::Steps::kReplayed
                                                             : zqk::ReplaySession::Steps::kSkipped,
                                          &error);
    if (!options.replay) {
      if (error.line == 0) return BadOption("--replay " + replay.string() + ": " + error.reason);
      std::cerr << replay.string() << ":" << error.line << ": " << error.reason << "\n";
      return 2;
    }
  } else if (scriptPath.empty()) {
    return Usage("no script");
  }
  if (options.executableDir.empty()) {
    // As the console does: an installed zqk-script writes to the user's data folder.
    const zqk::DataFolder data = zqk::ChooseDataFolder(zqk::ExecutableDirectory());
    if (data.notice) std::cerr << *data.notice << "\n";
    options.executableDir = data.path;
  }
  if (library.empty() && replay.empty()) {
    if (agent == "sandbox") {
      library = zqk::ExecutableDirectory() / "ZQKCommAgent.ocx";
    } else if (agent == "fixture") {
      library = zqk::ExecutableDirectory() / "ZQKFixtureAgent.ocx";
      if (fixture.empty()) return Usage("--agent fixture needs --fixture FILE");
    } else {
      return Usage("unknown agent " + agent);
    }
  }
  if (!fixture.empty()) {
    // The agent reads the file when Connect creates it; a file it cannot use
    // would only show as an error at every call.
    try {
      zqk::fixture::LoadFixtureFile(fixture);
    } catch (const std::invalid_argument& e) {
      return BadOption(std::string("--fixture ") + e.what());
    }
    setenv("ZQK_FIXTURE_FILE", fixture.c_str(), 1);
  }

  zqk::script::ParseResult parsed;
  if (!scriptPath.empty()) {
    const zqk::FileRead script =
        zqk::ReadWholeFile(scriptPath, kMaxScriptBytes, zqk::ReadFrom::kStreamsToo);
    if (script.status == zqk::FileRead::Status::kAbsent) {
      return BadOption("cannot read " + scriptPath.string() + ": no such file");
    }
    if (script.status == zqk::FileRead::Status::kRefused) {
      return BadOption("cannot read " + scriptPath.string() + ": " + script.reason);
    }
    parsed = zqk::script::ParseScript(script.bytes, MainDialogControlKind);
    if (parsed.error) {
      std::cerr << scriptPath.string() << ":" << parsed.error->line << ": " << parsed.error->message
                << "\n";
      return 2;
    }
  }

  TemporaryRegistry registry;
  if (!registry.Error().empty()) return BadOption(registry.Error());
  if (replay.empty()) {
    std::string error;
    if (!zqk::RegisterComponent(registry.File(), zqk::kAgentClassId, library, &error)) {
      return BadOption("cannot set up the agent: " + error);
    }
  }
  options.componentRegistry = registry.File();
  return static_cast<int>(zqk::script::RunScript(parsed.steps, options, std::cout, std::cerr));
}
