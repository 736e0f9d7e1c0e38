// Connect, Disconnect, Login and Logout against the echo component, whose
// results a test sets and whose calls the wrapper's observer records.
#include <gtest/gtest.h>

#include "agent/abi/ComponentRegistry.h"
#include "dialog/LogTimestamp.h"
#include "tests/agent/TestComponents.h"
#include "tests/support/FakeHost.h"

namespace zqk {
namespace {

struct Call {
  std::string name;
  std::vector<std::string> args;  // longs in decimal
};

class ConnectionTest : public testing::Test {
 protected:
  ConnectionTest() {
    dlg().OnInitDialog();
    dlg().Agent().SetCallObserver([this](const OperationInfo& op, std::span<const AgentArg> args,
                                         const AgentResult&) {
      Call call{std::string(op.name), {}};
      for (const AgentArg& a : args) {
        call.args.push_back(a.type == ValueType::kLong ? std::to_string(a.i4) : std::string(a.str));
      }
      calls.push_back(std::move(call));
    });
    Register(test::kEchoComponent);
  }

  void Register(const std::filesystem::path& library) {
    std::string error;
    ASSERT_TRUE(RegisterComponent(rig.dir() / "components.conf", kAgentClassId, library, &error))
        << error;
  }
  CZQKCommClientDlg& dlg() { return rig.dlg(); }
  void SetResult(Dispid dispid, int32_t value) {
    echo.longResults[static_cast<int32_t>(dispid)] = value;
  }
  void English() { dlg().Click(id::kEnglish); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const Call& c : calls) names.push_back(c.name);
    return names;
  }
  // The log's lines without their timestamps.
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (size_t i = 0; i < dlg().Log().Count(); ++i) {
      lines.emplace_back(StripLogTimestamp(dlg().Log().Line(LineIndex{i})));
    }
    return lines;
  }

  test::DialogRig rig;
  EchoState& echo = test::FreshEchoState();
  std::vector<Call> calls;
};

using Texts = std::vector<std::string>;

TEST_F(ConnectionTest, ConnectTwiceCreatesOnceAndStartsTwice) {
  dlg().Click(id::kConnect);
  dlg().Click(id::kConnect);
  EXPECT_EQ(echo.creates, 1);
  EXPECT_EQ(Names(), (Texts{"StartComm", "StartComm"}));
  EXPECT_EQ(calls[0].args, std::vector<std::string>{"1"});
  EXPECT_EQ(Lines(), (Texts{"통신프로그램 실행 성공", "통신프로그램 실행 성공"}));
  EXPECT_EQ(dlg().Agent().WindowId(), id::kAgentControl.value);
  EXPECT_EQ(dlg().Agent().WindowName(), "ZQK CommAgent");
}

struct ResultCase {
  int32_t result;
  bool english;
  std::string line;
};

class ConnectResults : public ConnectionTest, public testing::WithParamInterface<ResultCase> {};

TEST_P(ConnectResults, LogTheStartResultWithoutItsValue) {
  SetResult(Dispid::kStartComm, GetParam().result);
  if (GetParam().english) English();
  dlg().Click(id::kConnect);
  EXPECT_EQ(Lines(), Texts{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(
    StartComm, ConnectResults,
    testing::Values(ResultCase{0, false, "통신프로그램 실행 성공"},
                    ResultCase{7, true, "Communication Program Processing Successful"},
                    ResultCase{-1, false, "통신프로그램 실행 오류"},
                    ResultCase{-100, true, "Communication Program Processing Fail"}));

TEST_F(ConnectionTest, ConnectWithoutARegisteredAgentDoesNothing) {
  std::filesystem::remove(rig.dir() / "components.conf");
  dlg().Click(id::kConnect);
  EXPECT_FALSE(dlg().Agent().HasWindow());
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(Lines().empty());
  EXPECT_TRUE(rig.host.shown.empty());
}

TEST_F(ConnectionTest, DisconnectBeforeConnectCallsNothingButLogs) {
  dlg().Click(id::kDisconnect);
  English();
  dlg().Click(id::kDisconnect);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(Lines(), (Texts{"통신프로그램 종료 성공", "Communication Program Terminate"}));
}

struct DisconnectCase {
  int32_t commState;
  std::string userId;
  Texts expected;
};

class DisconnectCalls : public ConnectionTest,
                        public testing::WithParamInterface<DisconnectCase> {};

TEST_P(DisconnectCalls, LogOutOnlyInStateOneWithARememberedUser) {
  const DisconnectCase& c = GetParam();
  SetResult(Dispid::kLogin, 1);
  SetResult(Dispid::kGetCommState, c.commState);
  SetResult(Dispid::kLogout, -5);  // ignored and not logged
  dlg().Click(id::kConnect);
  if (!c.userId.empty()) {
    dlg().EditText(id::kUserId, c.userId);
    dlg().Click(id::kLogin);
  }
  calls.clear();
  dlg().Click(id::kDisconnect);
  EXPECT_EQ(Names(), c.expected);
  if (c.expected.size() == 3) {
    EXPECT_EQ(calls[1].args, std::vector<std::string>{c.userId});
  }
  EXPECT_EQ(calls.back().args, std::vector<std::string>{"1"});
  EXPECT_FALSE(dlg().Agent().HasWindow());
  EXPECT_EQ(echo.destroys, 1);
  EXPECT_EQ(Lines().back(), "통신프로그램 종료 성공");
}

INSTANTIATE_TEST_SUITE_P(
    States, DisconnectCalls,
    testing::Values(DisconnectCase{1, "trader1", {"GetCommState", "Logout", "StopComm"}},
                    DisconnectCase{1, "", {"GetCommState", "StopComm"}},
                    DisconnectCase{0, "trader1", {"GetCommState", "StopComm"}},
                    DisconnectCase{2, "trader1", {"GetCommState", "StopComm"}}));

TEST_F(ConnectionTest, ConnectAfterDisconnectCreatesAFreshControl) {
  dlg().Click(id::kConnect);
  dlg().Click(id::kDisconnect);
  dlg().Click(id::kConnect);
  EXPECT_EQ(echo.creates, 2);
  EXPECT_EQ(echo.destroys, 1);
  EXPECT_TRUE(dlg().Agent().HasWindow());
  EXPECT_EQ(dlg().Agent().WindowId(), id::kAgentControl.value);
}

class LoginResults : public ConnectionTest, public testing::WithParamInterface<ResultCase> {};

TEST_P(LoginResults, LogSuccessAloneAndFailureWithTheResult) {
  SetResult(Dispid::kLogin, GetParam().result);
  if (GetParam().english) English();
  dlg().Click(id::kConnect);
  dlg().EditText(id::kUserId, "trader1");
  dlg().EditText(id::kPassword, "pw");
  dlg().EditText(id::kCertPassword, "");
  dlg().Click(id::kLogin);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].name, "Login");
  EXPECT_EQ(calls[1].args, (std::vector<std::string>{"trader1", "pw", ""}));
  EXPECT_EQ(Lines().back(), GetParam().line);
  EXPECT_EQ(dlg().m_strUserId, "trader1");
  EXPECT_EQ(dlg().m_strPassword, "pw");
}

INSTANTIATE_TEST_SUITE_P(Login, LoginResults,
                         testing::Values(ResultCase{1, false, "로그인 성공"},
                                         ResultCase{42, true, "Login Successful"},
                                         ResultCase{0, false, "로그인 실패[0]"},
                                         ResultCase{0, true, "Login Failure[0]"},
                                         ResultCase{-3, false, "로그인 실패[-3]"}));

class LogoutResults : public ConnectionTest, public testing::WithParamInterface<ResultCase> {};

TEST_P(LogoutResults, LogTheResultEitherWay) {
  SetResult(Dispid::kLogout, GetParam().result);
  if (GetParam().english) English();
  dlg().Click(id::kConnect);
  dlg().Click(id::kLogout);
  EXPECT_EQ(Lines().back(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Logout, LogoutResults,
                         testing::Values(ResultCase{0, false, "로그아웃 성공[0]"},
                                         ResultCase{3, true, "Logout Successful[3]"},
                                         ResultCase{-1, false, "로그아웃 실패[-1]"},
                                         ResultCase{-7, true, "Logout Failure[-7]"}));

TEST_F(ConnectionTest, LogoutUsesTheUserOfTheLastLoginNotTheEdit) {
  dlg().Click(id::kConnect);
  dlg().EditText(id::kUserId, "alice");
  dlg().Click(id::kLogin);
  dlg().EditText(id::kUserId, "bob");
  dlg().Click(id::kLogout);
  EXPECT_EQ(calls.back().name, "Logout");
  EXPECT_EQ(calls.back().args, std::vector<std::string>{"alice"});
}

TEST_F(ConnectionTest, LoginAndLogoutWithoutAControlReachNoAgentAndLogFailure) {
  dlg().EditText(id::kUserId, "alice");
  dlg().Click(id::kLogin);
  dlg().Click(id::kLogout);
  EXPECT_EQ(echo.invokes, 0);
  EXPECT_EQ(Lines(), (Texts{"로그인 실패[-1]", "로그아웃 실패[-1]"}));
}

TEST_F(ConnectionTest, LanguageIsReadAfreshForEveryLine) {
  dlg().Click(id::kConnect);
  English();
  ASSERT_TRUE(dlg().Model().IsChecked(id::kEnglish));
  ASSERT_FALSE(dlg().Model().IsChecked(id::kKorean));
  dlg().Click(id::kConnect);
  dlg().Click(id::kKorean);
  dlg().Click(id::kDisconnect);
  EXPECT_EQ(Lines(), (Texts{"통신프로그램 실행 성공", "Communication Program Processing Successful",
                            "통신프로그램 종료 성공"}));
}

TEST_F(ConnectionTest, DestroyingTheDialogLogsOutAndStopsTheAgent) {
  SetResult(Dispid::kGetCommState, 1);
  dlg().Click(id::kConnect);
  dlg().EditText(id::kUserId, "trader1");
  dlg().Click(id::kLogin);
  calls.clear();
  dlg().OnDestroy();
  EXPECT_EQ(Names(), (Texts{"GetCommState", "Logout", "StopComm"}));
  EXPECT_EQ(echo.destroys, 1);
  EXPECT_EQ(Lines().back(), "통신프로그램 종료 성공");
}

TEST_F(ConnectionTest, AnAgentErrorBecomesAMessageBoxAndTheDialogGoesOn) {
  Register(test::kErrorComponent);
  dlg().Click(id::kConnect);  // StartComm fails inside the component
  ASSERT_EQ(rig.host.shown.size(), 1u);
  EXPECT_NE(rig.host.shown[0].text.find("StartComm"), std::string::npos);
  EXPECT_NE(rig.host.shown[0].text.find("comm server unreachable"), std::string::npos);
  EXPECT_EQ(rig.host.shown[0].caption, "ZQKCommClient");
  EXPECT_EQ(rig.host.shown[0].buttons, MessageBoxButtons::kOk);
  EXPECT_TRUE(Lines().empty());  // the command was abandoned
  dlg().Click(id::kDisconnect);
  EXPECT_EQ(Names(), (Texts{"StartComm", "GetCommState", "StopComm"}));
  EXPECT_EQ(Lines(), Texts{"통신프로그램 종료 성공"});
  EXPECT_EQ(rig.host.shown.size(), 1u);
}

// The error component's Logout sets no result: that reads as 0, so Logout
// succeeds and Disconnect goes on to StopComm and ends the control.
TEST_F(ConnectionTest, AResultTheAgentDoesNotSetNeitherFailsNorAbandonsTheCommand) {
  Register(test::kErrorComponent);
  dlg().Click(id::kConnect);  // StartComm fails: one box
  dlg().EditText(id::kUserId, "trader1");
  dlg().Click(id::kLogin);  // a string where a long is due: a second box
  ASSERT_EQ(rig.host.shown.size(), 2u);
  dlg().Click(id::kLogout);
  calls.clear();
  dlg().Click(id::kDisconnect);
  EXPECT_EQ(Names(), (Texts{"GetCommState", "Logout", "StopComm"}));
  EXPECT_FALSE(dlg().Agent().HasWindow());
  EXPECT_EQ(Lines(), (Texts{"로그아웃 성공[0]", "통신프로그램 종료 성공"}));
  EXPECT_EQ(rig.host.shown.size(), 2u);
}

}  // namespace
}  // namespace zqk
