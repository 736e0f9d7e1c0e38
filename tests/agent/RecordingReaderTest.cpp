// Recordings that cannot be replayed are refused with their line and the
// reason, before anything runs; the faults a file, a hand or another version
// can bring.
#include "agent/RecordingReader.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace zqk {
namespace {

constexpr std::string_view kHeader =
    R"({"recording":"ZQKCommClient session","version":1,"classId":"{5B1E7C2A-3D94-4F6B-9A0E-6C1D2E8F4A71}"})";
constexpr std::string_view kCreate = R"({"t":0,"control":"create","ok":true})";

struct CheckCase {
  const char* name;
  std::vector<std::string> lines;  // each written with its line feed
  std::string tail = "";           // written after them as it is
  size_t line = 0;                 // of the fault; 0: none
  std::string reason = "";         // a fragment of it
  size_t sparseBytes = 0;          // > 0: the file is grown to this size with zeros
};

void PrintTo(const CheckCase& c, std::ostream* os) {
  *os << c.name;
}

class CheckRecordingTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckRecordingTest, NamesTheLineAndWhy) {
  const CheckCase& c = GetParam();
  test::TempDir dir;
  const std::filesystem::path file = dir / "session.jsonl";
  {
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : c.lines) out << line << '\n';
    out << c.tail;
  }
  if (c.sparseBytes > 0) std::filesystem::resize_file(file, c.sparseBytes);
  RecordingReadOptions options;
  options.maxLineBytes = size_t{1} << 20;
  options.masterFileReplyCode = "v90001";
  const std::optional<RecordingError> error = CheckRecording(file, options);
  if (c.line == 0) {
    EXPECT_FALSE(error) << "line " << error->line << ": " << error->reason;
    return;
  }
  ASSERT_TRUE(error);
  EXPECT_EQ(error->line, c.line) << error->reason;
  EXPECT_NE(error->reason.find(c.reason), std::string::npos) << error->reason;
}

std::vector<std::string> After(std::initializer_list<std::string_view> lines) {
  std::vector<std::string> all{std::string(kHeader)};
  for (std::string_view l : lines) all.emplace_back(l);
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckRecordingTest,
    testing::Values(
        CheckCase{
            "whole",
            After(
                {kCreate,
                 R"({"t":1,"call":"RequestTr","args":["o51200","x",1,""],"result":3,"ns":5})",
                 R"({"t":9,"event":"OnTrReply","args":["o51200",3]})",
                 R"({"t":9,"call":"GetFieldValue","args":["o51200",-1,"OutRec1",0,{"hex":"c7f6"}],"result":{"hex":"00ff"},"ns":2})"})},
        CheckCase{"empty", {}, "", 1, "the recording is empty"},
        CheckCase{"no recording", {R"({"log":"x"})"}, "", 1, "this is no session recording"},
        CheckCase{"newer version",
                  {R"({"recording":"ZQKCommClient session","version":2,"classId":"x","more":1})"},
                  "",
                  1,
                  "format version 2, newer than this console reads (1)"},
        CheckCase{"cut short", After({kCreate}), R"({"t":1,"call":"StartComm","args":[1],"res)", 3,
                  "the file ends inside this line"},
        CheckCase{"broken JSON", After({R"({"t":0,"step":"cli)"}), "", 2, "not JSON"},
        CheckCase{"time as text", After({R"({"t":"0","step":"ok"})"}), "", 2,
                  "t: must be a whole number"},
        CheckCase{"argument of the wrong type",
                  After({kCreate, R"({"t":0,"call":"StartComm","args":["1"],"result":0,"ns":1})"}),
                  "", 3, "args[0]: must be a whole number"},
        CheckCase{
            "too few arguments",
            After({kCreate, R"({"t":0,"call":"AddReal","args":["ESU16"],"result":0,"ns":1})"}), "",
            3, "AddReal takes 2 argument(s), not 1"},
        CheckCase{"no such operation",
                  After({kCreate, R"({"t":0,"call":"Launch","args":[],"ns":1})"}), "", 3,
                  "call: names no operation of the agent"},
        CheckCase{"control ID as text", After({R"({"t":0,"step":"click","id":"1005"})"}), "", 2,
                  "id: must be a whole number"},
        CheckCase{"inspect not on or off", After({R"({"t":0,"step":"inspect","on":1})"}), "", 2,
                  "on: must be"},
        CheckCase{"unknown field", After({R"({"t":0,"step":"ok","why":1})"}), "", 2,
                  "\"why\": is no field of this line"},
        CheckCase{"two kinds in a line", After({R"({"t":0,"step":"ok","control":"destroy"})"}), "",
                  2, "exactly one of"},
        CheckCase{"odd hex", After({R"({"t":0,"step":"set","id":1002,"text":{"hex":"abc"}})"}), "",
                  2, "text.hex: has an odd number of hex digits"},
        CheckCase{"not hex", After({R"({"t":0,"step":"set","id":1002,"text":{"hex":"0g"}})"}), "",
                  2, "text.hex: is not hexadecimal"},
        CheckCase{"text CP949 lacks",
                  After({"{\"t\":0,\"step\":\"set\",\"id\":1002,\"text\":\"\\u0e01\"}"}), "", 2,
                  "text: holds a character that CP949 cannot represent"},
        CheckCase{
            "box of no known buttons",
            After(
                {R"({"t":0,"step":"box","text":"?","caption":"c","buttons":"maybe","icon":"none","answer":"ok"})"}),
            "", 2, "buttons: must be one of ok, yesno"},
        // A gigabyte of one line, never written out: refused at the limit.
        CheckCase{"a gigabyte in one line", After({}), R"({"t":0,"step":"set","id":1,"text":")", 2,
                  "longer than the limit of 1 MiB", size_t{1} << 30},
        CheckCase{"time going back", After({R"({"t":5,"step":"ok"})", R"({"t":4,"step":"ok"})"}),
                  "", 3, "the time goes back (4 after 5)"},
        CheckCase{"state after the start",
                  After({R"({"t":0,"step":"ok"})",
                         R"({"t":0,"state":{"control":false,"members":{},"controls":[]}})"}),
                  "", 3, "the state can only follow the header"},
        CheckCase{"call without a control",
                  After({R"({"t":0,"call":"GetCommState","args":[],"result":1,"ns":1})"}), "", 2,
                  "a call while no agent control exists"},
        CheckCase{"event without a control",
                  After({R"({"t":0,"event":"OnAgentMessage","args":["0000","x"]})"}), "", 2,
                  "an event while no agent control exists"},
        CheckCase{"control created twice", After({kCreate, kCreate}), "", 3,
                  "created while it exists"},
        CheckCase{
            "reply to a code never requested",
            After({kCreate,
                   R"({"t":1,"call":"RequestTr","args":["o51000","x",1,""],"result":3,"ns":5})",
                   R"({"t":9,"event":"OnTrReply","args":["o51200",3]})"}),
            "", 4,
            "a reply to \"o51200\", which no request since the agent control's creation named"},
        CheckCase{
            "requests of an earlier control do not count",
            After({kCreate,
                   R"({"t":1,"call":"RequestTr","args":["o51200","x",1,""],"result":3,"ns":5})",
                   R"({"t":2,"control":"destroy"})", R"({"t":3,"control":"create","ok":true})",
                   R"({"t":9,"event":"OnTrReply","args":["o51200",3]})"}),
            "", 6, "a reply to \"o51200\""},
        CheckCase{
            "real-time record of a key never registered",
            After({kCreate, R"({"t":1,"call":"AddReal","args":["ESU16",82],"result":0,"ns":5})",
                   R"({"t":9,"event":"OnRealData","args":["CLV16",82]})"}),
            "", 4, "a real-time record for \"CLV16\""},
        CheckCase{
            "order feed by its account",
            After({kCreate,
                   R"({"t":1,"call":"AddOrderReal","args":["demo","06801004"],"result":0,"ns":5})",
                   R"({"t":9,"event":"OnRealData","args":["06801004",181]})"})},
        CheckCase{"master files after their request",
                  After({kCreate, R"({"t":1,"call":"RequestMasterFile","args":["all",0],"ns":5})",
                         R"({"t":9,"event":"OnTrReply","args":["v90001",0]})"})},
        CheckCase{"master files without one",
                  After({kCreate, R"({"t":9,"event":"OnTrReply","args":["v90001",0]})"}), "", 3,
                  "a reply to \"v90001\""},
        // Begun with the control up: what was asked before the start is unknown.
        CheckCase{"begun with the control up",
                  After({R"({"t":0,"state":{"control":true,"members":{},"controls":[]}})",
                         R"({"t":9,"event":"OnRealData","args":["ESU16",82]})"})}));

}  // namespace
}  // namespace zqk
