// zqk-script: runs the console's dialog without a window, from a script.
//
//   zqk-script [options] SCRIPT
//     --agent sandbox|fixture   the agent behind Connect (default: sandbox)
//     --agent-library PATH      any other agent component library
//     --fixture FILE            the fixture agent's file (with --agent fixture)
//     --exe-dir DIR             the directory that stands for the executable's
//                               (ocx_log.log, mst/); default: zqk-script's own
//     --no-timestamps           log lines without their timestamps
//     --trace-calls             print every agent call with its arguments
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "agent/ComponentRegistry.h"
#include "agent/DispatchIds.h"
#include "app/Startup.h"
#include "tools/zqk-script/ScriptRunner.h"
#include "ui/DialogTemplate.h"

namespace {

bool IsMainDialogControl(zqk::ControlId id) {
  return zqk::MainDialogTemplate().Find(id) != nullptr;
}

int Usage(const std::string& why) {
  std::cerr << "zqk-script: " << why << "\n"
            << "usage: zqk-script [--agent sandbox|fixture] [--agent-library PATH] "
               "[--fixture FILE] [--exe-dir DIR] [--no-timestamps] [--trace-calls] SCRIPT\n";
  return 2;
}

// A registry of this run's own, so that the chosen agent stands behind the
// agent's class ID without touching the user's registry.
class TemporaryRegistry {
 public:
  TemporaryRegistry() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zqk-script.XXXXXX").string();
    if (mkdtemp(pattern.data())) dir_ = pattern;
  }
  ~TemporaryRegistry() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  std::filesystem::path File() const { return dir_ / "components"; }
  bool Ok() const { return !dir_.empty(); }

 private:
  std::filesystem::path dir_;
};

}  // namespace

int main(int argc, char** argv) {
  zqk::script::RunOptions options;
  options.executableDir = zqk::ExecutableDirectory();
  std::string agent = "sandbox";
  std::filesystem::path library, fixture, scriptPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--no-timestamps") {
      options.timestamps = false;
    } else if (arg == "--trace-calls") {
      options.traceCalls = true;
    } else if (arg == "--agent" || arg == "--agent-library" || arg == "--fixture" ||
               arg == "--exe-dir") {
      const char* v = value();
      if (!v) return Usage(arg + " needs a value");
      if (arg == "--agent") agent = v;
      if (arg == "--agent-library") library = std::filesystem::absolute(v);
      if (arg == "--fixture") fixture = std::filesystem::absolute(v);
      if (arg == "--exe-dir") options.executableDir = std::filesystem::absolute(v);
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (scriptPath.empty()) {
      scriptPath = arg;
    } else {
      return Usage("more than one script");
    }
  }
  if (scriptPath.empty()) return Usage("no script");
  if (library.empty()) {
    if (agent == "sandbox") {
      library = zqk::ExecutableDirectory() / "ZQKCommAgent.ocx";
    } else if (agent == "fixture") {
      library = zqk::ExecutableDirectory() / "ZQKFixtureAgent.ocx";
      if (fixture.empty()) return Usage("--agent fixture needs --fixture FILE");
    } else {
      return Usage("unknown agent " + agent);
    }
  }
  if (!fixture.empty()) setenv("ZQK_FIXTURE_FILE", fixture.c_str(), 1);

  std::ifstream in(scriptPath, std::ios::binary);
  if (!in) return Usage("cannot read " + scriptPath.string());
  std::stringstream text;
  text << in.rdbuf();
  const zqk::script::ParseResult parsed = zqk::script::ParseScript(text.str(), IsMainDialogControl);
  if (parsed.error) {
    std::cerr << scriptPath.string() << ":" << parsed.error->line << ": " << parsed.error->message
              << "\n";
    return 2;
  }

  TemporaryRegistry registry;
  std::string error;
  if (!registry.Ok() ||
      !zqk::RegisterComponent(registry.File(), zqk::kAgentClassId, library, &error)) {
    std::cerr << "zqk-script: cannot set up the agent: " << error << "\n";
    return 2;
  }
  options.componentRegistry = registry.File();
  return static_cast<int>(zqk::script::RunScript(parsed.steps, options, std::cout, std::cerr));
}
