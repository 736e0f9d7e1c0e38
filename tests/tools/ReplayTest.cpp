// zqk-script's replay of recordings: the recorded steps or a script against
// the recorded agent, and the first divergence named by the console's call,
// the recording's line and what that line holds.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog/DialogTemplate.h"
#include "dialog/SessionPlayer.h"
#include "tests/support/TempDir.h"
#include "tools/zqk-script/Script.h"
#include "tools/zqk-script/ScriptRunner.h"

namespace zqk::script {
namespace {

std::string U8(std::u8string_view s) {
  return {reinterpret_cast<const char*>(s.data()), s.size()};
}

std::optional<ControlKind> Known(ControlId id) {
  const ControlTemplate* control = MainDialogTemplate().Find(id);
  if (!control) return std::nullopt;
  return control->kind;
}

const std::string kHeader =
    R"({"recording":"ZQKCommClient session","version":1,"classId":"{5B1E7C2A-3D94-4F6B-9A0E-6C1D2E8F4A71}"})";
const std::string kConnect = R"({"t":0,"step":"click","id":1005})";
const std::string kCreate = R"({"t":0,"control":"create","ok":true})";
const std::string kStart = R"({"t":0,"call":"StartComm","args":[1],"result":0,"ns":1})";
const std::string kHello = R"({"t":5,"event":"OnAgentMessage","args":["0000","hello"]})";
const std::string kStartFails =
    R"({"t":0,"call":"StartComm","args":[1],"status":-4,"result":"down","ns":1})";
const std::string kInspectOn = R"({"t":1,"step":"inspect","on":true})";
const std::string kDownText = "Agent call StartComm failed: down (operation failed, status -4)";

struct ReplayCase {
  const char* name;
  std::vector<std::string> recording;  // the lines after the header
  std::string script;                  // empty: the recorded steps replay
  RunStatus status;
  std::string err = "";  // a fragment of standard error
  std::string out = "";  // a fragment of standard output
};

void PrintTo(const ReplayCase& c, std::ostream* os) {
  *os << c.name;
}

class ReplayTest : public testing::TestWithParam<ReplayCase> {};

TEST_P(ReplayTest, PlaysOrNamesTheDivergence) {
  const ReplayCase& c = GetParam();
  test::TempDir dir;
  {
    std::ofstream file(dir / "session.jsonl", std::ios::binary);
    file << kHeader << '\n';
    for (const std::string& line : c.recording) file << line << '\n';
  }
  RecordingError error;
  RunOptions options;
  options.timestamps = false;
  options.executableDir = dir.path();
  options.componentRegistry = dir / "components";
  options.replay = SessionPlayer::OpenRecording(
      dir / "session.jsonl",
      c.script.empty() ? ReplaySession::Steps::kReplayed : ReplaySession::Steps::kSkipped, &error);
  ASSERT_TRUE(options.replay) << error.line << ": " << error.reason;
  const ParseResult parsed = ParseScript(c.script, Known);
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(parsed.steps, options, out, err), c.status) << err.str();
  EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
  EXPECT_NE(out.str().find(c.out), std::string::npos) << out.str();
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplayTest,
    testing::Values(
        ReplayCase{"the recorded steps",
                   {kConnect, kCreate, kStart, kHello},
                   "",
                   RunStatus::kOk,
                   "",
                   U8(u8"통신프로그램 실행 성공\n[0000][hello]\n")},
        ReplayCase{
            "an event fired inside a call comes before its return",
            {kConnect, kCreate,
             R"({"t":0,"event":"OnAgentMessage","args":["0000","inside"],"nested":true})", kStart},
            "",
            RunStatus::kOk,
            "",
            U8(u8"[0000][inside]\n통신프로그램 실행 성공\n")},
        ReplayCase{
            "other arguments",
            {kConnect, kCreate, R"({"t":0,"call":"StartComm","args":[2],"result":0,"ns":1})"},
            "",
            RunStatus::kFailed,
            "the replay diverged: the console called StartComm(1), but line 4 of the "
            "recording has the call StartComm(2)"},
        ReplayCase{"a call where the recording has an event",
                   {kConnect, kCreate, R"({"t":0,"event":"OnAgentMessage","args":["0000","x"]})"},
                   "",
                   RunStatus::kFailed,
                   "the console called StartComm(1), but line 4 of the recording has the event "
                   "OnAgentMessage(\"0000\", \"x\")"},
        ReplayCase{"no call where the recording has one",
                   {kConnect, kCreate, kStart, R"({"t":1,"step":"set","id":1002,"text":"x"})",
                    R"({"t":1,"call":"GetCommState","args":[],"result":1,"ns":1})"},
                   "",
                   RunStatus::kFailed,
                   "the console had nothing more to do after the step set 1002 \"x\" (line 5), but "
                   "line 6 of the recording has the call GetCommState()"},
        ReplayCase{"a message box the recording lacks",
                   {kConnect, kCreate, kStartFails},
                   "",
                   RunStatus::kFailed,
                   "the console showed the message box \"Agent call StartComm failed: down "},
        ReplayCase{
            "a message box answered as recorded",
            {kConnect, kCreate, kStartFails,
             R"({"t":0,"step":"box","text":")" + kDownText +
                 R"(","caption":"ZQKCommClient","buttons":"ok","icon":"error","answer":"ok"})"},
            "",
            RunStatus::kOk,
            "",
            "## box error \"ZQKCommClient\" \"" + kDownText + "\" -> ok\n"},
        ReplayCase{"a creation the recording lacks",
                   {},
                   "click 1005\n",
                   RunStatus::kFailed,
                   "the console created the agent control, but the recording has ended"},
        ReplayCase{"a script that goes on after the recording",
                   {kConnect, kCreate, kStart},
                   "click 1005\nclick 1001\n",
                   RunStatus::kFailed,
                   "the console called Logout(\"\"), but the recording has ended"},
        ReplayCase{"a script that ends before the recording",
                   {kConnect, kCreate, kStart, kHello},
                   "click 1005\n",
                   RunStatus::kFailed,
                   "the console called GetCommState(), but line 5 of the recording has the event "
                   "OnAgentMessage(\"0000\", \"hello\")"},
        // The inspector's reading is a step a script's replay meets too: it
        // changes the calls that follow.
        ReplayCase{"the recorded inspector turned on",
                   {kConnect, kCreate, kStart, kInspectOn, kHello},
                   "",
                   RunStatus::kOk,
                   "",
                   "[0000][hello]\n"},
        ReplayCase{"a script's inspector turned on as recorded",
                   {kConnect, kCreate, kStart, kInspectOn, kHello},
                   "click 1005\ninspect on\nwait 5\n",
                   RunStatus::kOk,
                   "",
                   "[0000][hello]\n"},
        ReplayCase{"a script without the recorded inspector",
                   {kConnect, kCreate, kStart, kInspectOn, kHello},
                   "click 1005\nwait 5\n",
                   RunStatus::kFailed,
                   "line 5 of the recording has the step inspect on"},
        ReplayCase{"a script's inspector the recording lacks",
                   {kConnect, kCreate, kStart, kHello},
                   "click 1005\ninspect on\n",
                   RunStatus::kFailed,
                   "the console received the step inspect on, but line 5 of the recording has the "
                   "event OnAgentMessage"},
        // The script's waits let the recorded events come at their times.
        ReplayCase{"events at their recorded times",
                   {kConnect, kCreate, kStart, kHello},
                   "click 1005\nwait 4\nprint 1002\nwait 1\nprint 1002\n",
                   RunStatus::kOk,
                   "",
                   "## print 1002 \"\"\n[0000][hello]\n## print 1002 \"\"\n"}));

}  // namespace
}  // namespace zqk::script
