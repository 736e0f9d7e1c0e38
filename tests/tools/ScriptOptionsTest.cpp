// zqk-script itself, run as a process: options, files and folders that cannot
// be used end with one line of reason and status 2 before anything runs.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/BuiltFile.h"
#include "tests/support/Files.h"
#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"

namespace zqk::test {
namespace {

struct ToolRun {
  int status = -1;  // 124 when it had to be stopped
  std::string out;
  std::string err;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Appends ` 'text'` to a shell command. Piece by piece: g++ 12 warns falsely
// (-Wrestrict) on "literal" + string at -O2 and above.
void AppendQuoted(std::string& command, const std::string& text) {
  command += " '";
  command += Replace(text, "'", "'\\''");
  command += '\'';
}

// Runs zqk-script with `args` and the variables of `env`; one that has not
// ended after a while is stopped (status 124).
ToolRun RunScriptTool(const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& env, const TempDir& dir) {
  std::string command = "env";
  for (const auto& [name, value] : env) AppendQuoted(command, name + "=" + value);
  command += " timeout 30";
  AppendQuoted(command, ZQK_SCRIPT_EXE);
  for (const std::string& a : args) AppendQuoted(command, a);
  command += " 2>";
  AppendQuoted(command, (dir / "stderr").string());
  ToolRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int wstatus = ::pclose(pipe);
  if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  run.err = ReadWholeFile(dir / "stderr");
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
  std::ofstream(dir / "cut.jsonl") << R"({"recording":"ZQKCommClient session","version":1,)"
                                   << R"("classId":"x"})"
                                   << "\n{\"t\":0,";
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
        OptionCase{"replay with another agent",
                   {"--agent", "fixture", "--replay", "{dir}/r.jsonl"},
                   {},
                   2,
                   "zqk-script: --replay takes no other agent"},
        OptionCase{"replay that cannot be read",
                   {"--replay", "{dir}/folder"},
                   {},
                   2,
                   "zqk-script: --replay {dir}/folder: cannot be read: a directory"},
        OptionCase{"corrupt replay",
                   {"--replay", "{dir}/cut.jsonl"},
                   {},
                   2,
                   "{dir}/cut.jsonl:2: the file ends inside this line"},
        OptionCase{"record over the replay",
                   {"--record", "{dir}/r.jsonl", "--replay", "{dir}/r.jsonl"},
                   {},
                   2,
                   "zqk-script: --record would overwrite the recording that --replay plays"},
        OptionCase{"record into a folder",
                   {"--record", "{dir}/folder", "{dir}/s.zqk"},
                   {},
                   2,
                   "zqk-script: --record {dir}/folder: not a regular file but a directory"},
        // Connect stays silent, the run goes on; the reason is still told.
        OptionCase{"agent that cannot be created",
                   {"--trace-calls", "--agent-library", "{dir}/none.ocx", "{dir}/s.zqk"},
                   {},
                   0,
                   "line 1: the agent cannot be created: cannot load component: {dir}/none.ocx",
                   "## create -> error \"cannot load component: "}));

}  // namespace
}  // namespace zqk::test
