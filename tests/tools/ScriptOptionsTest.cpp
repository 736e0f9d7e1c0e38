// zqk-script itself, run as a process: options, files and folders that cannot
// be used end with one line of reason and status 2 before anything runs.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace zqk::test {
namespace {

struct ToolRun {
  int status = -1;  // exit status; -1 when it did not end by itself
  std::string out;
  std::string err;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Runs zqk-script with `args` and the environment changed by `env`; one that
// has not ended after a while is killed and reported as hanging.
ToolRun RunScriptTool(const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& env, const TempDir& dir) {
  std::vector<std::string> argStrings{ZQK_SCRIPT_EXE};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (!env.contains(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
  }
  for (const auto& [name, value] : env) envStrings.push_back(name + "=" + value);
  std::vector<char*> argv, envp;
  for (std::string& a : argStrings) argv.push_back(a.data());
  for (std::string& e : envStrings) envp.push_back(e.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  const std::string outFile = (dir / "stdout").string(), errFile = (dir / "stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = 0;
  ToolRun run;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int wstatus = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (::waitpid(pid, &wstatus, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &wstatus, 0);
      run.err = "(hung)";
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  run.out = ReadWholeFile(outFile);
  run.err = ReadWholeFile(errFile);
  return run;
}

struct OptionCase {
  const char* name;
  std::vector<std::string> args;  // "{dir}" stands for the test's folder
  std::map<std::string, std::string> env;
  int status;
  std::string err;  // a fragment of standard error ({dir} as in args)
  std::string out = "";
  bool restsOnModes = false;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
  *os << c.name;
}

class ScriptOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(ScriptOptions, EndWithAReasonAndTheDocumentedStatus) {
  const OptionCase& c = GetParam();
  if (c.restsOnModes && RunningAsRoot()) GTEST_SKIP() << kRootIgnoresModes;
  TempDir dir;
  std::ofstream(dir / "s.zqk") << "click 1005\nwait 100\n";
  std::ofstream(dir / "wide.json") << R"({"results": {"GetInfo": {"concat": [)"
                                   << R"({"text": "", "width": 2147483647},)"
                                   << R"({"text": "", "width": 2147483647}]}}})";
  MakeSpecial(Special::kFifo, dir / "fifo");
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_directory(dir / "shut");
  std::filesystem::permissions(
      dir / "shut", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const std::string d = dir.path().string();

  std::vector<std::string> args;
  for (const std::string& a : c.args) args.push_back(Replace(a, "{dir}", d));
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", d}};
  for (const auto& [name, value] : c.env) env[name] = Replace(value, "{dir}", d);
  const ToolRun run = RunScriptTool(args, env, dir);

  EXPECT_EQ(run.status, c.status) << run.err;
  // The reason comes first, on one line.
  const std::string firstLine = run.err.substr(0, run.err.find('\n'));
  EXPECT_NE(firstLine.find(Replace(c.err, "{dir}", d)), std::string::npos) << run.err;
  EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
  if (c.status == 2) {
    EXPECT_EQ(run.out, "") << "nothing runs";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScriptOptions,
    testing::Values(
        OptionCase{"empty exe-dir",
                   {"--exe-dir", "", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: --exe-dir needs a path"},
        OptionCase{"empty fixture",
                   {"--agent", "fixture", "--fixture", "", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: --fixture needs a path"},
        OptionCase{"empty agent library",
                   {"--agent-library", "", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: --agent-library needs a path"},
        OptionCase{"missing temporary folder",
                   {"{dir}/s.zqk"},
                   {{"TMPDIR", "/nonexistent"}},
                   2,
                   "zqk-script: no usable temporary folder (TMPDIR=/nonexistent): "},
        OptionCase{"unwritable temporary folder",
                   {"{dir}/s.zqk"},
                   {{"TMPDIR", "{dir}/shut"}},
                   2,
                   "zqk-script: cannot make a folder in {dir}/shut: Permission denied",
                   "",
                   true},
        OptionCase{"folder as script",
                   {"{dir}/folder"},
                   {},
                   2,
                   "zqk-script: cannot read {dir}/folder: not a regular file but a directory"},
        OptionCase{"missing script",
                   {"{dir}/none.zqk"},
                   {},
                   2,
                   "zqk-script: cannot read {dir}/none.zqk: no such file"},
        OptionCase{"missing fixture",
                   {"--agent", "fixture", "--fixture", "{dir}/none.json", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: --fixture {dir}/none.json: no such file"},
        OptionCase{"fifo as fixture",
                   {"--agent", "fixture", "--fixture", "{dir}/fifo", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: --fixture {dir}/fifo: not a regular file but a FIFO"},
        OptionCase{"fixture of huge widths",
                   {"--agent", "fixture", "--fixture", "{dir}/wide.json", "{dir}/s.zqk"},
                   {},
                   2,
                   "results.GetInfo.concat[0].width: must be from 0 to 16777216 (16 MiB)"},
        OptionCase{"library path with a line feed",
                   {"--agent-library", "{dir}/new\nline.ocx", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: cannot set up the agent: the library path "
                   "\"{dir}/new\\x0aline.ocx\" holds "
                   "a line feed"},
        // Connect stays silent, the run goes on; the reason is still told.
        OptionCase{"agent that cannot be created",
                   {"--trace-calls", "--agent-library", "{dir}/none.ocx", "{dir}/s.zqk"},
                   {},
                   0,
                   "line 1: the agent cannot be created: cannot load component: {dir}/none.ocx",
                   "## create -> error \"cannot load component: "}));

}  // namespace
}  // namespace zqk::test
