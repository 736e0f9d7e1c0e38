// The sandbox agent through its real ABI: ZQKCommAgent.ocx loaded with dlopen.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDate>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <variant>

#include "agent/abi/ComponentRegistry.h"
#include "sandbox/settings/SandboxSettings.h"
#include "tests/sandbox/SandboxFixture.h"
#include "tests/support/BuiltFile.h"
#include "tests/support/OddFiles.h"

namespace zqk::test {
namespace {

struct SignInCase {
  const char* name;
  bool connect;
  const char* user;
  const char* password;
  const char* cert;
  int32_t result;
  const char* code;
  const char* text;
};

class SignInTest : public SandboxTest, public ::testing::WithParamInterface<SignInCase> {};

TEST_P(SignInTest, AnswersWithResultAndMessage) {
  const SignInCase& c = GetParam();
  if (c.connect) Connect();
  Drain();
  EXPECT_EQ(host_->Long(Dispid::kLogin, {c.user, c.password, c.cert}), c.result);
  EXPECT_TRUE(host_->events.empty()) << "messages arrive later, never inside the call";
  const std::vector<FiredEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].dispid, kOnAgentMessage);
  EXPECT_EQ(events[0].args, (std::vector<Value>{S(c.code), S(c.text)}));
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"사용자ID", ""}), c.result > 0 ? c.user : "");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SignInTest,
    ::testing::Values(SignInCase{"Good", true, "demo", "demo1234", "cert1234", 1, "0000",
                                 "로그인 되었습니다[demo]"},
                      SignInCase{"Guest", true, "guest", "guest1234", "cert5678", 1, "0000",
                                 "로그인 되었습니다[guest]"},
                      SignInCase{"UnknownUser", true, "nobody", "demo1234", "cert1234", -101,
                                 "-101", "등록되지 않은 사용자입니다"},
                      SignInCase{"UserIdIsCaseSensitive", true, "Demo", "demo1234", "cert1234",
                                 -101, "-101", "등록되지 않은 사용자입니다"},
                      SignInCase{"WrongPassword", true, "demo", "demo12345", "cert1234", -102,
                                 "-102", "비밀번호가 일치하지 않습니다"},
                      SignInCase{"EmptyPassword", true, "demo", "", "cert1234", -102, "-102",
                                 "비밀번호가 일치하지 않습니다"},
                      SignInCase{"WrongCert", true, "demo", "demo1234", "cert5678", -103, "-103",
                                 "공인인증 비밀번호가 일치하지 않습니다"},
                      SignInCase{"NotConnected", false, "demo", "demo1234", "cert1234", -100,
                                 "-100", "통신이 연결되어 있지 않습니다"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LogoutCase {
  const char* name;
  bool connect;
  bool signIn;
  const char* user;
  int32_t result;
  const char* code;
};

class LogoutTest : public SandboxTest, public ::testing::WithParamInterface<LogoutCase> {};

TEST_P(LogoutTest, AnswersWithResultAndMessage) {
  const LogoutCase& c = GetParam();
  if (c.connect) Connect();
  if (c.signIn) {
    ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  }
  Drain();
  EXPECT_EQ(host_->Long(Dispid::kLogout, {c.user}), c.result);
  const std::vector<FiredEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].args.at(0), S(c.code));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LogoutTest,
    ::testing::Values(LogoutCase{"AfterLogin", true, true, "demo", 1, "0000"},
                      LogoutCase{"BeforeLogin", true, false, "demo", -104, "-104"},
                      LogoutCase{"OtherUser", true, true, "guest", -105, "-105"},
                      LogoutCase{"EmptyUser", true, true, "", -105, "-105"},
                      LogoutCase{"NotConnected", false, false, "demo", -100, "-100"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SandboxTest, LogoutEndsTheSession) {
  SignIn();
  ASSERT_EQ(host_->Long(Dispid::kLogout, {"demo"}), 1);
  EXPECT_EQ(host_->Long(Dispid::kLogout, {"demo"}), -104);
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"06801004   "}), "");
}

TEST_F(SandboxTest, CommStateFollowsStartAndStop) {
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 0);
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 0);
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 1);
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 0) << "a second start is harmless";
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 1);
  ASSERT_EQ(host_->Call(Dispid::kStopComm, {1}).status, ZQK_OK);
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 0);
  EXPECT_EQ(host_->Long(Dispid::kStartComm, {1}), 0) << "a stopped agent starts again";
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 1);
}

TEST_F(SandboxTest, StartWithAnUnknownModeFails) {
  EXPECT_LT(host_->Long(Dispid::kStartComm, {7}), 0);
  EXPECT_EQ(host_->Long(Dispid::kGetCommState), 0);
  const std::vector<FiredEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].args.at(0), S("-106"));
}

TEST_F(SandboxTest, StopCommCancelsEverythingPendingAndSignsOut) {
  SignIn();
  const int32_t rqId = host_->Long(Dispid::kRequestTr, {"g11002.DQ0107&", "", 0, ""});
  host_->Call(Dispid::kRequestMasterFile, {"all", 0});
  ASSERT_EQ(host_->Long(Dispid::kAddReal, {"101G3000", 65}), 0);
  EXPECT_GT(rqId, 0);
  ASSERT_EQ(host_->Call(Dispid::kStopComm, {1}).status, ZQK_OK);
  EXPECT_TRUE(Drain().empty());

  Connect();
  EXPECT_EQ(host_->Long(Dispid::kRemoveReal, {"101G3000", 65}), -104) << "the session is gone";
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"사용자ID", ""}), "");
}

TEST_F(SandboxTest, DestroyWithPendingEventsFiresNothing) {
  SignIn();
  host_->Long(Dispid::kRequestTr, {"o51200", "", 0, ""});
  host_->Destroy();
  host_->Advance(10'000);
  EXPECT_TRUE(host_->events.empty());
}

struct RefusalCase {
  const char* name;
  bool connect;
  bool signIn;
  Dispid operation;
  const char* code;
  const char* input;
  int32_t inputLength;  // -2: SendOrder, which takes no length
  const char* messageCode;
  const char* messageText;
};

class RefusalTest : public SandboxTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, ReturnsAFreshRqIdAndExplainsLater) {
  const RefusalCase& c = GetParam();
  if (c.connect) Connect();
  if (c.signIn) {
    ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  }
  Drain();
  const int64_t sentAt = host_->now();
  int32_t rqId = 0;
  switch (c.operation) {
    case Dispid::kRequestTr:
      rqId = host_->Long(c.operation, {c.code, c.input, c.inputLength, ""});
      break;
    case Dispid::kRequestFid:
      rqId = host_->Long(c.operation, {c.code, c.input, "000001", c.inputLength, ""});
      break;
    default:
      rqId = host_->Long(c.operation, {c.code, c.input});
  }
  EXPECT_GT(rqId, 0);
  EXPECT_TRUE(host_->events.empty());
  const std::vector<FiredEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].at, sentAt + kLatency);
  EXPECT_EQ(events[0].dispid, kOnRequestMessage);
  EXPECT_EQ(events[0].args, (std::vector<Value>{I4(rqId), S(c.messageCode), S(c.messageText)}));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RefusalTest,
    ::testing::Values(
        RefusalCase{"NotConnected", false, false, Dispid::kRequestTr, "g11002.DQ0107&", "", 0,
                    "-100", "통신이 연결되어 있지 않습니다"},
        RefusalCase{"NotSignedIn", true, false, Dispid::kRequestTr, "g11002.DQ0107&", "", 0, "-104",
                    "로그인되어 있지 않습니다"},
        RefusalCase{"FidNotSignedIn", true, false, Dispid::kRequestFid, "s20001", "101", 3, "-104",
                    "로그인되어 있지 않습니다"},
        RefusalCase{"OrderNotConnected", false, false, Dispid::kSendOrder, "g12001.DO1601&", "x",
                    -2, "-100", "통신이 연결되어 있지 않습니다"},
        RefusalCase{"UnknownTrCode", true, true, Dispid::kRequestTr, "zz9999", "", 0, "-110",
                    "등록되지 않은 TR코드입니다[zz9999]"},
        RefusalCase{"TrCodeIsCaseSensitive", true, true, Dispid::kRequestTr, "G11002.DQ0107&", "",
                    0, "-110", "등록되지 않은 TR코드입니다[G11002.DQ0107&]"},
        RefusalCase{"TrCodeWithTrailingBlank", true, true, Dispid::kRequestTr, "g11002.DQ0107& ",
                    "", 0, "-110", "등록되지 않은 TR코드입니다[g11002.DQ0107& ]"},
        // A code sent by the wrong operation: the message names the right one.
        RefusalCase{"FidCodeAsTr", true, true, Dispid::kRequestTr, "o51000", "", 0, "-110",
                    "등록되지 않은 TR코드입니다[o51000: RequestFid로 요청하십시오]"},
        RefusalCase{"TrCodeAsFid", true, true, Dispid::kRequestFid, "o51100", "", 0, "-110",
                    "등록되지 않은 TR코드입니다[o51100: RequestTr로 요청하십시오]"},
        RefusalCase{"QueryCodeAsOrder", true, true, Dispid::kSendOrder, "g11002.DQ0107&", "x", -2,
                    "-110", "등록되지 않은 TR코드입니다[g11002.DQ0107&: RequestTr로 요청하십시오]"},
        RefusalCase{"OrderCodeAsTr", true, true, Dispid::kRequestTr, "g12001.DO1601&", "", 0,
                    "-110", "등록되지 않은 TR코드입니다[g12001.DO1601&: SendOrder로 요청하십시오]"},
        RefusalCase{"LengthDiffersFromInput", true, true, Dispid::kRequestTr, "g11002.DQ0107&",
                    "0680100", 30, "-111", "입력 길이가 입력 데이터와 다릅니다[30/7]"},
        RefusalCase{"NegativeLength", true, true, Dispid::kRequestFid, "s20001", "", -1, "-111",
                    "입력 길이가 입력 데이터와 다릅니다[-1/0]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SandboxTest, RqIdsIncreaseAcrossAllRequestKinds) {
  SignIn();
  const int32_t a = host_->Long(Dispid::kRequestTr, {"o51200", "", 0, ""});
  const int32_t b = host_->Long(Dispid::kRequestFid, {"s20001", "", "", 0, ""});
  const int32_t c = host_->Long(Dispid::kSendOrder, {"g12001.DO1601&", ""});
  host_->Call(Dispid::kStopComm, {1});
  const int32_t d = host_->Long(Dispid::kRequestTr, {"o51200", "", 0, ""});
  EXPECT_GT(a, 0);
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_LT(c, d) << "RQIDs are never reused, not even across connections";
}

TEST_F(SandboxTest, RegistrationsNeedASessionAndTheUsersAccounts) {
  Connect();
  EXPECT_EQ(host_->Long(Dispid::kAddReal, {"101G3000", 65}), -104);
  EXPECT_EQ(host_->Long(Dispid::kAddOrderReal, {"demo", "07215003   "}), -104);
  ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  EXPECT_EQ(host_->Long(Dispid::kAddReal, {"101G3000", 65}), 0);
  EXPECT_EQ(host_->Long(Dispid::kRemoveReal, {"101G3000", 65}), 0);
  EXPECT_EQ(host_->Long(Dispid::kRemoveReal, {"101G3000", 65}), -107);
  EXPECT_EQ(host_->Long(Dispid::kAddOrderReal, {"demo", "07215003   "}), 0);
  EXPECT_EQ(host_->Long(Dispid::kAddOrderReal, {"guest", "07215003   "}), -105);
  EXPECT_EQ(host_->Long(Dispid::kAddOrderReal, {"demo", "07300001   "}), -108)
      << "another user's account";
  EXPECT_EQ(host_->Long(Dispid::kRemoveOrderReal, {"demo", "07215003"}), 0);
  EXPECT_EQ(host_->Long(Dispid::kRemoveOrderReal, {"demo", "07215003"}), -107);
}

TEST_F(SandboxTest, MarketSampleAccountsBelongToTheDemoUser) {
  SignIn();
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"06801004   "}), "6042    ");
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"07215003   "}), "6042    ");
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"016304"}), "3961    ");
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"015872     "}), "6042    ");
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"017539     "}), "6042    ");
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"07300001   "}), "") << "guest's account";
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"0680100"}), "");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"계좌목록", ""}),
            "07215003;06801004;016304;015872;017539");
}

TEST_F(SandboxTest, InfoLookup) {
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"시스템구분", ""}), "모의투자");
  const std::string detailed = host_->Str(Dispid::kGetInfo, {"시스템구분", "1"});
  EXPECT_EQ(detailed.rfind("모의투자 (", 0), 0u) << detailed;
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"시스템구분 ", ""}), "");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"", ""}), "");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"통신상태", ""}), "0");
  Connect();
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"통신상태", ""}), "1");
}

struct BusinessDayCase {
  const char* name;
  const char* clockStart;
  int64_t advanceMs;
  int32_t kind;
  const char* expected;
};

class BusinessDayTest : public SandboxTest, public ::testing::WithParamInterface<BusinessDayCase> {
 protected:
  void SetUp() override {}
};

TEST_P(BusinessDayTest, SkipsWeekendsAndTheMarketsHolidays) {
  const BusinessDayCase& c = GetParam();
  Start(std::string(R"({"holidays": ["20160912"], "overseasHolidays": ["20160913"], )") +
        R"("clockStart": ")" + c.clockStart + "\"}");
  host_->Advance(c.advanceMs);
  EXPECT_EQ(host_->Str(Dispid::kGetBusinessDay, {c.kind}), c.expected);
}

// Kind 3 is the domestic market, kind 1 the overseas market, which also
// closes on the US market holidays.
INSTANTIATE_TEST_SUITE_P(
    Calendar, BusinessDayTest,
    ::testing::Values(
        BusinessDayCase{"Weekday", "2016-09-07T10:00:00", 0, 3, "20160907"},
        BusinessDayCase{"Saturday", "2016-09-03T10:00:00", 0, 3, "20160905"},
        BusinessDayCase{"SundayBeforeLaborDayOverseas", "2016-09-04T23:59:00", 0, 1, "20160906"},
        BusinessDayCase{"AgentTimeMovesTheDate", "2016-09-02T23:59:30", 60'000, 3, "20160905"},
        BusinessDayCase{"HolidayAfterWeekend", "2016-09-10T09:00:00", 0, 3, "20160913"},
        BusinessDayCase{"DomesticHolidayOverseas", "2016-09-12T09:00:00", 0, 1, "20160912"},
        BusinessDayCase{"OverseasHoliday", "2016-09-13T09:00:00", 0, 1, "20160914"},
        BusinessDayCase{"OverseasHolidayDomestic", "2016-09-13T09:00:00", 0, 3, "20160913"},
        BusinessDayCase{"ThanksgivingOverseas", "2016-11-24T09:00:00", 0, 1, "20161125"},
        BusinessDayCase{"GoodFridayOverseas", "2017-04-14T09:00:00", 0, 1, "20170417"},
        BusinessDayCase{"GoodFridayDomestic", "2017-04-14T09:00:00", 0, 3, "20170414"},
        BusinessDayCase{"NewYearObservedOnMonday", "2016-12-31T09:00:00", 0, 1, "20170103"},
        BusinessDayCase{"UnknownKind", "2016-09-07T10:00:00", 0, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClockCase {
  const char* name;
  const char* settings;
  const char* info;      // GetInfo("설정", "")
  const char* firstDay;  // GetBusinessDay(3) at the start; null: the wall clock's
};

class ClockStartTest : public SandboxTest, public ::testing::WithParamInterface<ClockCase> {
 protected:
  void SetUp() override {}
};

// The market's clock starts in the era of the console's samples unless the
// settings name another moment or ask for the wall clock.
TEST_P(ClockStartTest, StartsAtTheConfiguredMoment) {
  const ClockCase& c = GetParam();
  Start(c.settings);
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"설정", ""}), c.info);
  std::string firstDay = c.firstDay ? c.firstDay : "";
  if (!c.firstDay) {
    QDate today = QDate::currentDate();
    while (today.dayOfWeek() > 5) today = today.addDays(1);
    firstDay = today.toString(u"yyyyMMdd").toStdString();
    const std::string detailed = host_->Str(Dispid::kGetInfo, {"설정", "1"});
    EXPECT_NE(detailed.find(" start=now(" + today.toString(u"yyyy-").toStdString()),
              std::string::npos)
        << detailed;
  }
  EXPECT_EQ(host_->Str(Dispid::kGetBusinessDay, {3}), firstDay);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ClockStartTest,
    ::testing::Values(
        ClockCase{"Default", "{}",
                  "seed=20160901 latency=30ms jitter=20ms tick=4/s start=2016-09-01T09:00:00",
                  "20160901"},
        ClockCase{"Fixed", R"({"clockStart": "2017-04-15T23:00:00"})",
                  "seed=20160901 latency=30ms jitter=20ms tick=4/s start=2017-04-15T23:00:00",
                  "20170417"},
        ClockCase{"WallClock", R"({"clockStart": "now"})",
                  "seed=20160901 latency=30ms jitter=20ms tick=4/s start=now", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs one fixed session and returns every event with its time.
std::vector<FiredEvent> Session(const std::string& settingsPath) {
  setenv("ZQK_SANDBOX_SETTINGS", settingsPath.c_str(), 1);
  AbiTestHost host(ZQK_SANDBOX_AGENT);
  EXPECT_EQ(host.Create(kAgentClassId), ZQK_OK);
  host.Long(Dispid::kStartComm, {1});
  host.Long(Dispid::kLogin, {"demo", "wrong", "cert1234"});
  host.Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"});
  for (int i = 0; i < 6; ++i) {
    host.Long(Dispid::kRequestTr, {"zz", "", 0, ""});
    host.Advance(7);
  }
  host.Advance(10'000);
  return host.events;
}

TEST_F(SandboxTest, SameSeedSameEventsAtTheSameTimes) {
  auto write = [&](const char* name, int seed) {
    const std::filesystem::path p = dir_.path() / name;
    std::ofstream(p) << R"({"replyLatencyMs": 10, "replyJitterMs": 500, "seed": )" << seed << "}";
    return p.string();
  };
  const std::vector<FiredEvent> first = Session(write("a.json", 7));
  const std::vector<FiredEvent> again = Session(write("b.json", 7));
  const std::vector<FiredEvent> other = Session(write("c.json", 8));
  ASSERT_EQ(first.size(), 9u);
  EXPECT_EQ(first, again);
  EXPECT_NE(first, other);
  // Jitter moves events in time but never reorders them.
  int32_t lastRqId = 0;
  for (size_t i = 0; i < first.size(); ++i) {
    if (i > 0) {
      EXPECT_GE(first[i].at, first[i - 1].at);
    }
    if (first[i].dispid == kOnRequestMessage) {
      EXPECT_GT(first[i].args.at(0).i4, lastRqId);
      lastRqId = first[i].args.at(0).i4;
    }
  }
  EXPECT_EQ(first.at(0).args.at(0), S("0000")) << "the connection message comes first";
  EXPECT_EQ(first.at(1).args.at(0), S("-102"));
}

struct BadSettings {
  const char* name;
  std::variant<std::string, Special> file;  // its text, or what stands in its place
  const char* reason;
};

void PrintTo(const BadSettings& b, std::ostream* os) {
  *os << b.name;
}

class BadSettingsTest : public SandboxTest, public ::testing::WithParamInterface<BadSettings> {};

// Whatever stands where the settings file is looked for, the sandbox runs on
// its defaults and says why on connecting; nothing blocks or reads without end.
TEST_P(BadSettingsTest, FallsBackToDefaultsAndSaysWhy) {
  const BadSettings& c = GetParam();
  const Special* special = std::get_if<Special>(&c.file);
  if (special && RestsOnModes(*special) && RunningAsRoot()) GTEST_SKIP() << kRootIgnoresModes;
  host_.reset();
  if (special) {
    StartWith(MakeSpecial(*special, dir_ / "elsewhere.json"));
  } else {
    Start(std::get<std::string>(c.file));
  }
  Connect();
  std::vector<std::string> texts;
  for (const FiredEvent& e : Drain()) {
    if (e.args.at(0).str == "-900") texts.push_back(e.args.at(1).str);
  }
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find(c.reason), std::string::npos) << texts[0];
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"설정", ""}),
            "seed=20160901 latency=30ms jitter=20ms tick=4/s start=2016-09-01T09:00:00");
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"?", "a", "b"}), -101);
}

using enum Special;
INSTANTIATE_TEST_SUITE_P(
    Files, BadSettingsTest,
    ::testing::Values(
        BadSettings{"unknown key", R"({"seed": 1, "replyLatency": 5})", "unknown key"},
        BadSettings{"clock start", R"({"clockStart": "Now"})",
                    R"(clockStart: must be "now" or a date and time)"},
        BadSettings{"lone surrogate",
                    R"({"users": [{"id": "\ud800", "password": "a", "certPassword": "b"}]})",
                    "users[0].id: holds a lone surrogate"},
        BadSettings{"over the limit", std::string(sandbox::kMaxSettingsBytes + 1, ' '),
                    "larger than the limit of 4 MiB"},
        BadSettings{"fifo", kFifo, "not a regular file but a FIFO"},
        BadSettings{"dev zero", kLinkToDevZero, "not a regular file but a character device"},
        BadSettings{"dangling link", kDanglingLink,
                    "a symbolic link to a file that does not exist"},
        BadSettings{"looping link", kLoopingLink, "Too many levels of symbolic links"},
        BadSettings{"unsearchable folder", kInUnsearchableFolder, "Permission denied"}));

TEST_F(SandboxTest, SettingsFileAddsUsersAndReplacesBuiltInOnes) {
  host_.reset();
  // Settings files are UTF-8; narrow literals here are CP949.
  const std::u8string json =
      u8R"({"seed": 5, "users": [
    {"id": "kim", "password": "pw", "certPassword": "cpw", "name": "김모의",
     "accounts": [{"number": "55500011", "password": "0000", "market": "domestic"}]},
    {"id": "guest", "password": "new", "certPassword": "cert"}]})";
  Start(std::string(json.begin(), json.end()));
  Connect();
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"kim", "pw", "cpw"}), 1);
  EXPECT_EQ(host_->Str(Dispid::kGetAccountText, {"55500011"}), "0000    ");
  EXPECT_EQ(host_->Str(Dispid::kGetInfo, {"사용자ID", "1"}), "kim (김모의)");
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"guest", "guest1234", "cert5678"}), -102);
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"guest", "new", "cert"}), 1);
  EXPECT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
}

TEST(SandboxRegistration, RecordsTheLibrarysAbsolutePath) {
  TempDir config;
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  const ComponentEntryPoints entry = LoadComponent(ZQK_SANDBOX_AGENT);
  ASSERT_NE(entry.registerServer, nullptr);
  EXPECT_GE(entry.registerServer(), 0);
  const auto path = LookupComponent(DefaultComponentRegistryPath(), kAgentClassId);
  ASSERT_TRUE(path.has_value());
  EXPECT_TRUE(path->is_absolute());
  EXPECT_TRUE(std::filesystem::equivalent(*path, ZQK_SANDBOX_AGENT));
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace zqk::test
