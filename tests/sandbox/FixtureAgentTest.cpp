// The fixture agent through its real ABI: ZQKFixtureAgent.ocx loaded with dlopen.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>
#include "tests/support/Files.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "sandbox/fixture/FixtureProtocol.h"
#include "tests/sandbox/AbiTestHost.h"
#include "tests/support/BuiltFile.h"

namespace zqk::test {
namespace {

using namespace zqk::fixture;

class FixtureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv(kFixtureFileEnv);
    unsetenv(kFixtureLogEnv);
  }
  void Create() {
    host_ = std::make_unique<AbiTestHost>(ZQK_FIXTURE_AGENT);
    ASSERT_EQ(host_->Create(kFixtureClassId), ZQK_OK);
  }
  // Fixture text is UTF-8, while narrow literals here are CP949: JSON is
  // written as u8 literals.
  void Load(std::u8string_view json) {
    if (!host_) Create();
    const CallResult r = host_->Call(kFixtureLoadJson, {Utf8(json)});
    ASSERT_EQ(r.status, ZQK_OK) << r.value.str;
  }
  CallResult Fire(std::string_view event, std::u8string_view json) {
    return host_->Call(kFixtureFireEvent, {event, Utf8(json)});
  }
  static std::string_view Utf8(std::u8string_view s) {
    return {reinterpret_cast<const char*>(s.data()), s.size()};
  }
  std::string TakeCalls() {
    const CallResult r = host_->Call(kFixtureTakeCalls, {});
    EXPECT_EQ(r.status, ZQK_OK);
    return r.value.str;
  }

  std::unique_ptr<AbiTestHost> host_;
};

TEST_F(FixtureTest, WithoutAFixtureEveryOperationAnswersEmpty) {
  Create();
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 0);
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"시스템구분", ""}), "");
  EXPECT_EQ(host_->Long(Dispid::kGetRepeatCount, {"o51200", -1, "OutRec1"}), 0);
  EXPECT_EQ(host_->Call(Dispid::kStopComm, {1}).value.type, ZQK_VT_EMPTY);
}

TEST_F(FixtureTest, ResultsSequencesAndArgumentCases) {
  Load(
      u8R"({"results": {
    "StartComm": -1,
    "RequestTr": [101, 102],
    "GetInfo": {"cases": [
        {"args": ["시스템구분", ""], "result": "모의투자"},
        {"args": [null, "1"], "results": ["첫째", "둘째"]}],
      "default": "?"},
    "Login": {"cases": [{"args": ["demo"], "result": 1}]}
  }})");
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), -1);
  EXPECT_EQ(host_->Long(Dispid::kRequestTr, {"a", "", 0, ""}), 101);
  EXPECT_EQ(host_->Long(Dispid::kRequestTr, {"a", "", 0, ""}), 102);
  EXPECT_EQ(host_->Long(Dispid::kRequestTr, {"a", "", 0, ""}), 102) << "the last one repeats";
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"시스템구분", ""}), "모의투자");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"아무거나", "1"}), "첫째");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"시스템구분", "1"}), "둘째");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"시스템구분", "2"}), "?");
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"demo", "x", "y"}), 1) << "leading arguments match";
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"guest", "x", "y"}), 0) << "no case: the default 0";
}

TEST_F(FixtureTest, ErrorResultFailsTheCallWithItsText) {
  Load(
      u8R"({"results": {"GetCommState": [1, {"error": "통신 장애"}], "StopComm": {"error": "x"}}})");
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 1);
  const CallResult r = host_->Call(Dispid::kGetCommState, {});
  EXPECT_EQ(r.status, ZQK_E_FAILED);
  EXPECT_EQ(r.value.str, "GetCommState: 통신 장애");
  EXPECT_EQ(host_->Call(Dispid::kStopComm, {1}).status, ZQK_E_FAILED);
  EXPECT_EQ(TakeCalls(), Utf8(u8"GetCommState() -> 1\nGetCommState() -> error \"통신 장애\"\n"
                              u8"StopComm(1) -> error \"x\"\n"));
}

TEST_F(FixtureTest, BytesValuesKeepEveryByte) {
  Load(
      u8R"({"results": {
    "GetLastData": {"hex": "00ff 0d0a"},
    "GetInfo": {"text": "계좌", "width": 6},
    "GetAccountText": {"concat": ["ab", {"hex": "00"}, {"text": "c", "width": 3}]}
  }})");
  EXPECT_EQ(host_->Str(Dispid::kGetLastData), std::string("\x00\xff\r\n", 4));
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"", ""}), "계좌  ") << "4 bytes of CP949, 2 blanks";
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {""}), std::string("ab\0c  ", 6));
}

TEST_F(FixtureTest, RejectedFixturesKeepTheCurrentOne) {
  Load(u8R"({"results": {"StartComm": 5}})");
  const std::string wide = R"({"text": "", "width": 16777216})";
  const std::string fiveWide = "{\"results\": {\"GetInfo\": " + wide +
                               ", \"GetLastData\": " + wide + ", \"FormatValue\": " + wide +
                               ", \"GetAccountText\": " + wide + ", \"GetBusinessDay\": " + wide +
                               "}}";
  const std::pair<std::string, std::string> bad[] = {
      {R"({"results": {"StartComm": 5})", "offset"},  // not JSON
      {R"({"results": {"StartCom": 5}})", "StartCom"},
      {R"({"results": {"StartComm": "5"}})", "results.StartComm"},
      {R"({"results": {"StartComm": 4294967296}})", "32 bits"},
      {R"({"results": {"GetInfo": {"hex": "0"}}})", "even number"},
      {R"({"results": {"GetInfo": {"text": "abc", "width": 2}}})", "does not fit width 2"},
      {R"({"results": {"StopComm": 1}})", "no result"},
      {R"({"results": {"GetInfo": "\u00e9\u4e00\ud83d\ude00"}})", "CP949"},
      {R"({"replies": {"x": []}})", "at least one page"},
      {R"({"real": [{"key": "k", "data": {}}]})", "needs"},
      {R"({"extra": 1})", "unknown key"},
      // Widths could otherwise ask for gigabytes from a few bytes of JSON.
      {R"({"results": {"GetInfo": {"concat": [{"text": "", "width": 2147483647},)"
       R"( {"text": "", "width": 2147483647}]}}})",
       "results.GetInfo.concat[0].width: must be from 0 to 16777216 (16 MiB)"},
      {R"({"results": {"GetInfo": {"text": "", "width": -1}}})", "results.GetInfo.width"},
      {R"({"results": {"GetInfo": {"concat": [{"text": "", "width": 10000000},)"
       R"( {"text": "", "width": 10000000}]}}})",
       "results.GetInfo.concat[1]: makes the text longer than the limit of 16 MiB"},
      {fiveWide, "results.GetLastData: the texts of the fixture exceed the limit of 64 MiB"},
      // A lone surrogate is no character, not a "?".
      {R"({"results": {"GetInfo": "a\ud800"}})", "results.GetInfo: holds a lone surrogate"},
      {R"({"replies": {"x": {"OutRec1": {"\udc00": "1"}}}})",
       "replies.x.OutRec1: holds a lone surrogate"},
  };
  for (const auto& [json, reason] : bad) {
    const CallResult r = host_->Call(kFixtureLoadJson, {json});
    EXPECT_EQ(r.status, ZQK_E_FAILED) << json;
    EXPECT_NE(r.value.str.find(reason), std::string::npos) << r.value.str;
  }
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 5);
}

TEST_F(FixtureTest, UnusableFixtureFileFailsEveryOperationUntilReplaced) {
  const std::string path = ::testing::TempDir() + "/zqk-bad-fixture.json";
  std::ofstream(path) << "{";
  setenv(kFixtureFileEnv, path.c_str(), 1);
  Create();
  const CallResult r = host_->Call(Dispid::kStartComm, {1});
  EXPECT_EQ(r.status, ZQK_E_FAILED);
  EXPECT_NE(r.value.str.find("zqk-bad-fixture.json"), std::string::npos) << r.value.str;

  std::ofstream(path) << R"({"results": {"StartComm": 3}})";
  ASSERT_EQ(host_->Call(kFixtureLoadFile, {path}).status, ZQK_OK);
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 3);
  EXPECT_EQ(host_->Call(kFixtureLoadFile, {"/nonexistent/zqk.json"}).status, ZQK_E_FAILED);
  // Neither blocks nor reads without end.
  const CallResult device = host_->Call(kFixtureLoadFile, {"/dev/zero"});
  EXPECT_EQ(device.status, ZQK_E_FAILED);
  EXPECT_NE(device.value.str.find("not a regular file"), std::string::npos) << device.value.str;
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 3);
  std::filesystem::remove(path);
}

TEST_F(FixtureTest, RepliesArePagedAndReadableWhileDelivered) {
  Load(
      u8R"({"replies": {"o51200": [
    {"OutRec1": [{"일자": "20160901", "종가": "2170.25"}, {"일자": "20160902"}],
     "block": "0123456789", "nextKey": "KEY2"},
    {"OutRec1": {"일자": "20160905"}, "lastData": "raw"}
  ]}})");
  std::vector<std::string> seen;
  host_->onEvent = [&](const FiredEvent& ev) {
    const std::string code = ev.args.at(0).str;
    const int32_t rqId = ev.args.at(1).i4;
    const int32_t n = host_->Long(Dispid::kGetRepeatCount, {code, -1, "OutRec1"});
    // Appended piece by piece: g++ 12 at -O2/-O3 misreads `"|" + string` as an
    // overlapping copy (-Wrestrict).
    std::string line = std::to_string(n);
    // Piece by piece: g++ 12 warns falsely (-Wrestrict) on "literal" + string at -O3.
    for (int32_t i = 0; i < n; ++i) {
      line += '|';
      line += host_->Str(Dispid::kGetFieldValue, {code, -1, "OutRec1", i, "일자"});
      line += ',';
      line += host_->Str(Dispid::kGetFieldValue, {code, -1, "OutRec1", i, "종가"});
    }
    line += '|';
    line += host_->Str(Dispid::kGetDataBlock, {code, -1, 2, 5, 0, "A"});
    line += '|';
    line += host_->Str(Dispid::kGetNextKey, {rqId, ""});
    line += '|';
    line += host_->Str(Dispid::kGetLastData);
    seen.push_back(line);
  };
  for (const char8_t* args : {u8R"(["o51200", 1])", u8R"(["o51200", 2])", u8R"(["o51200", 3])"}) {
    const CallResult r = Fire("OnTrReply", args);
    ASSERT_EQ(r.status, ZQK_OK) << r.value.str;
    EXPECT_EQ(r.value.i4, ZQK_OK);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"2|20160901,2170.25|20160902,|23456|KEY2|0123456789",
                                            "1|20160905,|||raw", "1|20160905,|||raw"}));
  EXPECT_EQ(host_->Str(Dispid::kGetNextKey, {1, ""}), "KEY2") << "keys stay with their RQID";
  EXPECT_EQ(host_->Str(Dispid::kGetDataBlock, {"o51200", 0, 0, 5, 0, "A"}), "")
      << "a real type names another record";
}

TEST_F(FixtureTest, RealTimeRecordsByKeyAndType) {
  Load(
      u8R"({"real": [
    {"key": "101G3000", "realType": 65, "data": {"OutRec1": {"현재가": "250.10"}}},
    {"key": "X", "realType": 208, "data": {"block": "ABCDEFGHIJKLMNOPQRS"}}
  ]})");
  std::vector<std::string> seen;
  host_->onEvent = [&](const FiredEvent& ev) {
    if (ev.args.at(1).i4 == 65) {
      seen.push_back(
          host_->Str(Dispid::kGetFieldValue, {ev.args[0].str, 65, "OutRec1", 0, "현재가"}));
    } else {
      seen.push_back(host_->Str(Dispid::kGetDataBlock, {"0", 208, 0, 15, 0, "A"}));
    }
  };
  ASSERT_EQ(Fire("OnRealData", u8R"(["101G3000", 65])").status, ZQK_OK);
  ASSERT_EQ(Fire("4", u8R"(["X", 208])").status, ZQK_OK);
  ASSERT_EQ(Fire("OnRealData",
                 u8R"({"args": ["101G3000", 65],
                                   "data": {"OutRec1": {"현재가": "251.00"}}})")
                .status,
            ZQK_OK);
  EXPECT_EQ(seen, (std::vector<std::string>{"250.10", "ABCDEFGHIJKLMNO", "251.00"}));
}

TEST_F(FixtureTest, FiresMessagesAndForeignEventsAsGiven) {
  Create();
  ASSERT_EQ(Fire("OnAgentMessage", u8R"(["-101", "등록되지 않은 사용자입니다"])").status, ZQK_OK);
  ASSERT_EQ(Fire("6", u8R"([-7, "", {"hex": "00"}])").status, ZQK_OK);
  ASSERT_EQ(Fire("77", u8R"([1, "a"])").status, ZQK_OK);
  ASSERT_EQ(host_->events.size(), 3u);
  EXPECT_EQ(host_->events[0].args,
            (std::vector<Value>{S("-101"), S("등록되지 않은 사용자입니다")}));
  EXPECT_EQ(host_->events[1].args, (std::vector<Value>{I4(-7), S(""), S(std::string(1, '\0'))}));
  EXPECT_EQ(host_->events[2].dispid, 77);
  EXPECT_EQ(host_->events[2].args, (std::vector<Value>{I4(1), S("a")}));

  const std::pair<const char*, const char8_t*> bad[] = {
      {"OnNothing", u8"[]"},
      {"OnTrReply", u8R"(["a"])"},
      {"OnTrReply", u8R"(["a", "b"])"},
      {"OnTrReply", u8R"(["a", 1.5])"},
      {"OnAgentMessage", u8R"({"args": ["a", "b"], "data": {}})"},
      {"OnAgentMessage", u8"not json"},
  };
  for (const auto& [event, json] : bad) {
    const CallResult r = Fire(event, json);
    EXPECT_EQ(r.status, ZQK_E_FAILED) << event << " " << Utf8(json);
  }
  EXPECT_EQ(host_->events.size(), 3u);
}

TEST_F(FixtureTest, RecordsEveryCallToTheLogAndForTheDriver) {
  const std::string log =
      ::testing::TempDir() + "/zqk-fixture-" + std::to_string(getpid()) + ".log";
  std::filesystem::remove(log);
  setenv(kFixtureLogEnv, log.c_str(), 1);
  Load(u8R"({"results": {"RequestTr": 9}})");
  host_->Long(Dispid::kRequestTr,
              {"g11002.DQ0107&", std::string_view("06801004\0\"\\\n\xff", 13), 13, ""});
  host_->Call(Dispid::kStopComm, {1});
  host_->Str(Dispid::kGetInfo, {"시스템구분", ""});
  const std::string expected =
      std::string(
          "RequestTr(\"g11002.DQ0107&\", \"06801004\\x00\\\"\\\\\\n\\xFF\", 13, \"\") -> 9\n"
          "StopComm(1)\n") +
      "GetInfo(\"" + std::string(Utf8(u8"시스템구분")) + "\", \"\") -> \"\"\n";
  EXPECT_EQ(TakeCalls(), expected);
  EXPECT_EQ(TakeCalls(), "") << "taken calls are not given twice";
  EXPECT_EQ(test::ReadWholeFile(log), expected);
  unsetenv(kFixtureLogEnv);
  std::filesystem::remove(log);
}

TEST_F(FixtureTest, StandsInForTheAgentClass) {
  host_ = std::make_unique<AbiTestHost>(ZQK_FIXTURE_AGENT);
  EXPECT_EQ(host_->Create(kAgentClassId), ZQK_OK);
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 0);
}

}  // namespace
}  // namespace zqk::test
