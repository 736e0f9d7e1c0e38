#include "agent/CZQKCommAgent.h"

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "agent/abi/ComponentRegistry.h"
#include "tests/agent/TestComponents.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TempDir.h"

namespace zqk {
namespace {

struct Call {
  std::string name;
  AgentResult result;
};

struct RecordingSink : AgentEventSink {
  std::vector<std::pair<std::string, int32_t>> trReplies;
  std::function<void()> onEvent;
  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override {
    if (dispid != static_cast<int32_t>(EventDispid::kOnTrReply)) return ZQK_E_UNKNOWN_DISPID;
    trReplies.emplace_back(std::string(args[0].str, args[0].len), args[1].i4);
    if (onEvent) onEvent();
    return ZQK_OK;
  }
};

class AgentTest : public testing::Test {
 protected:
  AgentTest() {
    agent.SetCallObserver(
        [this](const OperationInfo& op, std::span<const AgentArg>, const AgentResult& result) {
          calls.push_back({std::string(op.name), result});
        });
  }

  void Register(const std::filesystem::path& library) {
    std::string error;
    ASSERT_TRUE(RegisterComponent(registry, kAgentClassId, library, &error)) << error;
  }
  bool Create() { return agent.Create("ZQK CommAgent", CZQKCommAgent::kChildStyle, 2286); }

  test::TempDir dir;
  std::filesystem::path registry = dir / "components";
  VirtualUiThread ui;
  RecordingSink sink;
  CZQKCommAgent agent{ui, sink, registry};
  std::vector<Call> calls;
  EchoState& echo = test::FreshEchoState();
};

// --- Creation --------------------------------------------------------------

TEST_F(AgentTest, CreatesTheRegisteredComponentOnce) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create()) << agent.LastCreateError();
  EXPECT_TRUE(agent.HasWindow());
  EXPECT_EQ(agent.WindowName(), "ZQK CommAgent");
  EXPECT_EQ(agent.WindowId(), 2286);
  EXPECT_FALSE(Create());
  EXPECT_EQ(echo.creates, 1);
  agent.DestroyWindow();
  EXPECT_FALSE(agent.HasWindow());
  EXPECT_EQ(echo.destroys, 1);
  ASSERT_TRUE(Create());
  EXPECT_EQ(echo.creates, 2);
}

TEST_F(AgentTest, CreateFailsWhenTheClassIsUnknownOrItsLibraryUnusable) {
  std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[] {}, "not registered"},
      {[&] { Register(dir / "gone.so"); }, "gone.so"},
      {[&] { Register(test::kNoEntryComponent); }, "ZQKCreateControl"},
      {[&] { std::ofstream(registry) << kAgentClassId << "=relative/agent.so\n"; }, "not absolute"},
      {[&] {
         std::filesystem::remove(registry);
         ::mkfifo(registry.c_str(), 0600);
       },
       "registry cannot be read: " + registry.string() + ": not a regular file but a FIFO"},
  };
  std::vector<std::string> observed;
  agent.SetCreateFailureObserver([&](std::string_view error) { observed.emplace_back(error); });
  for (auto& [setUp, expected] : cases) {
    setUp();
    EXPECT_FALSE(Create());
    EXPECT_FALSE(agent.HasWindow());
    EXPECT_NE(agent.LastCreateError().find(expected), std::string::npos) << agent.LastCreateError();
    ASSERT_FALSE(observed.empty());
    EXPECT_EQ(observed.back(), agent.LastCreateError());
  }
  EXPECT_EQ(observed.size(), cases.size());
}

struct BadCreateCase {
  int mode;
  std::string expected;
  int destroys;  // whether the host destroys what it cannot use
};

class AgentBadCreate : public AgentTest, public testing::WithParamInterface<BadCreateCase> {};

TEST_P(AgentBadCreate, RefusesAndStaysWithoutAControl) {
  const BadCreateCase& c = GetParam();
  Register(test::kBadCreateComponent);
  test::ComponentHook<void (*)(int)>(test::kBadCreateComponent, "zqk_badcreate_set_mode")(c.mode);
  auto destroys =
      test::ComponentHook<int (*)()>(test::kBadCreateComponent, "zqk_badcreate_destroys");
  const int before = destroys();
  EXPECT_FALSE(Create());
  EXPECT_FALSE(agent.HasWindow());
  EXPECT_NE(agent.LastCreateError().find(c.expected), std::string::npos) << agent.LastCreateError();
  EXPECT_EQ(destroys() - before, c.destroys);
  EXPECT_EQ(agent.GetCommState(), -1);
}

INSTANTIATE_TEST_SUITE_P(Modes, AgentBadCreate,
                         testing::Values(BadCreateCase{0, "refused (operation failed", 0},
                                         BadCreateCase{1, "returned no control", 0},
                                         BadCreateCase{2, "ABI version 2.0", 0},
                                         BadCreateCase{3, "cannot be used", 0},
                                         BadCreateCase{4, "lacks a function", 1},
                                         BadCreateCase{5, "lacks a function", 0}));

// --- Calls -----------------------------------------------------------------

// Every operation, called through its typed member.
struct OpCase {
  Dispid dispid;
  std::function<AgentResult(CZQKCommAgent&)> call;
  std::string echoed;  // the echo component's string result: the arguments joined
};

AgentResult L(int32_t v) {
  return AgentResult{ValueType::kLong, v, {}};
}
AgentResult S(std::string v) {
  return AgentResult{ValueType::kString, 0, std::move(v)};
}
AgentResult None() {
  return AgentResult{};
}

std::vector<OpCase> AllOperations() {
  using D = Dispid;
  using A = CZQKCommAgent&;
  return {
      {D::kStartComm, [](A a) { return L(a.StartComm(1)); }, ""},
      {D::kStopComm, [](A a) { return a.StopComm(1), None(); }, ""},
      {D::kLogin, [](A a) { return L(a.Login("id", "pw", "cert")); }, ""},
      {D::kLogout, [](A a) { return L(a.Logout("id")); }, ""},
      {D::kRequestTr, [](A a) { return L(a.RequestTr("tr", "in", 2, "key")); }, ""},
      {D::kAddReal, [](A a) { return L(a.AddReal("k", 65)); }, ""},
      {D::kRemoveReal, [](A a) { return L(a.RemoveReal("k", 65)); }, ""},
      {D::kGetRepeatCount, [](A a) { return L(a.GetRepeatCount("tr", -1, "OutRec1")); }, ""},
      {D::kGetFieldValue, [](A a) { return S(a.GetFieldValue("tr", -1, "OutRec1", 3, "f")); },
       "tr-1OutRec13f"},
      {D::kGetDataBlock, [](A a) { return S(a.GetDataBlock("tr", -1, 140, 230, 0, "A")); },
       "tr-11402300A"},
      {D::kGetCommState, [](A a) { return L(a.GetCommState()); }, ""},
      {D::kRequestFid, [](A a) { return L(a.RequestFid("fid", "in", "1,2", 2, "key")); }, ""},
      {D::kAddOrderReal, [](A a) { return L(a.AddOrderReal("id", "acct")); }, ""},
      {D::kRemoveOrderReal, [](A a) { return L(a.RemoveOrderReal("id", "acct")); }, ""},
      {D::kSendOrder, [](A a) { return L(a.SendOrder("tr", "record")); }, ""},
      {D::kGetAccountText, [](A a) { return S(a.GetAccountText("12345678901")); }, "12345678901"},
      {D::kFormatValue, [](A a) { return S(a.FormatValue("101", "250.05", 2)); }, "101250.052"},
      {D::kGetLastData, [](A a) { return S(a.GetLastData()); }, ""},
      {D::kRequestMasterFile, [](A a) { return a.RequestMasterFile("all", 0), None(); }, ""},
      {D::kGetNextKey, [](A a) { return S(a.GetNextKey(17, "")); }, "17"},
      {D::kGetBusinessDay, [](A a) { return S(a.GetBusinessDay(3)); }, "3"},
      {D::kGetInfo, [](A a) { return S(a.GetInfo("name", "1")); }, "name1"},
  };
}

TEST_F(AgentTest, WithoutAControlNothingIsCalledStringsAreEmptyAndLongsMinusOne) {
  Register(test::kEchoComponent);  // registered, but never created
  const std::vector<OpCase> ops = AllOperations();
  ASSERT_EQ(ops.size(), Operations().size());
  for (const OpCase& op : ops) {
    const AgentResult r = op.call(agent);
    const OperationInfo& info = *FindOperation(static_cast<int32_t>(op.dispid));
    EXPECT_EQ(r.type, info.result) << info.name;
    EXPECT_EQ(r.i4, info.result == ValueType::kLong ? -1 : 0) << info.name;
    EXPECT_EQ(r.str, "") << info.name;
  }
  EXPECT_EQ(echo.invokes, 0);
  ASSERT_EQ(calls.size(), ops.size());  // the observer still sees each one
  for (size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(calls[i].name, Operations()[i].name);
}

TEST_F(AgentTest, EveryOperationReachesItsDispatchIdWithItsArgumentsInOrder) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  for (const OperationInfo& op : Operations()) {
    const int32_t id = static_cast<int32_t>(op.dispid);
    echo.longResults[id] = 1000 + id;
  }
  for (const OpCase& op : AllOperations()) {
    const int32_t id = static_cast<int32_t>(op.dispid);
    const OperationInfo& info = *FindOperation(id);
    const AgentResult r = op.call(agent);
    if (op.dispid == Dispid::kRequestTr) {
      EXPECT_EQ(r.i4, echo.lastRqId);
    } else if (info.result == ValueType::kLong) {
      EXPECT_EQ(r.i4, 1000 + id) << info.name;
    } else if (info.result == ValueType::kString) {
      EXPECT_EQ(r.str, op.echoed) << info.name;
    }
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().name, info.name);
    EXPECT_EQ(calls.back().result.status, ZQK_OK);
  }
  EXPECT_EQ(echo.invokes, static_cast<int>(Operations().size()));
  EXPECT_EQ(echo.liveResults, 0);  // every result released
}

TEST_F(AgentTest, StringsWithNulBytesAndOfOneMebibyteCrossIntact) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  const std::string withNul("a\0b\0\xC7\xD1", 6);
  std::string large(1 << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 31 + 7);
  EXPECT_EQ(agent.GetInfo(withNul, ""), withNul);
  EXPECT_EQ(agent.GetInfo(large, withNul), large + withNul);
  EXPECT_EQ(agent.GetAccountText(""), "");
  EXPECT_EQ(echo.liveResults, 0);
}

TEST_F(AgentTest, ReadDataBlockLendsTheBlockAndTheObserverSeesACopy) {
  std::vector<std::string> lent;
  const auto keep = [&](std::string_view block) { lent.emplace_back(block); };
  agent.ReadDataBlock("tr", -1, 140, 230, 0, "A", keep);  // no control yet
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  agent.ReadDataBlock("tr", -1, 140, 230, 0, "A", keep);
  EXPECT_EQ(lent, (std::vector<std::string>{"", "tr-11402300A"}));
  EXPECT_EQ(calls.back().name, "GetDataBlock");
  EXPECT_EQ(calls.back().result.str, "tr-11402300A");
  EXPECT_EQ(echo.liveResults, 0);
}

TEST_F(AgentTest, UnknownDispatchIdRaisesWithOrWithoutAControl) {
  const AgentArg arg(1);
  for (bool withControl : {false, true}) {
    if (withControl) {
      Register(test::kEchoComponent);
      ASSERT_TRUE(Create());
    }
    try {
      agent.InvokeHelper(static_cast<Dispid>(99), std::span<const AgentArg>(&arg, 1));
      ADD_FAILURE() << "no AgentError";
    } catch (const AgentError& e) {
      EXPECT_EQ(e.Status(), ZQK_E_UNKNOWN_DISPID);
      EXPECT_NE(std::string(e.what()).find("99"), std::string::npos);
    }
  }
  EXPECT_EQ(echo.invokes, 0);
}

TEST_F(AgentTest, WrongArgumentsToAKnownOperationComeBackAsTheComponentsError) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  // Two arguments, and more than any operation takes.
  const std::vector<AgentArg> few = {AgentArg("one"), AgentArg(2)};
  const std::vector<AgentArg> many(12, AgentArg("x"));
  for (const std::vector<AgentArg>& args : {few, many}) {
    try {
      agent.InvokeHelper(Dispid::kStartComm, args);
      ADD_FAILURE() << "no AgentError for " << args.size();
    } catch (const AgentError& e) {
      EXPECT_EQ(e.Status(), ZQK_E_ARG_COUNT);
      EXPECT_NE(std::string(e.what()).find("StartComm"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(echo.invokes, 2);
}

struct ErrorCase {
  std::string op;
  std::function<void(CZQKCommAgent&)> call;
  int32_t status;
  std::string message;
};

class AgentErrors : public AgentTest, public testing::WithParamInterface<ErrorCase> {};

TEST_P(AgentErrors, FailedCallsAndWrongResultsRaiseNamingTheOperation) {
  const ErrorCase& c = GetParam();
  Register(test::kErrorComponent);
  ASSERT_TRUE(Create()) << agent.LastCreateError();
  auto liveResults =
      test::ComponentHook<int (*)()>(test::kErrorComponent, "zqk_errors_live_results");
  try {
    c.call(agent);
    ADD_FAILURE() << "no AgentError";
  } catch (const AgentError& e) {
    const std::string what = e.what();
    EXPECT_EQ(e.Status(), c.status) << what;
    EXPECT_NE(what.find(c.op), std::string::npos) << what;
    EXPECT_NE(what.find(c.message), std::string::npos) << what;
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].result.status, c.status);
    EXPECT_EQ(calls[0].result.str, what);
  }
  EXPECT_EQ(liveResults(), 0);
  // The control stays and answers the next call.
  EXPECT_TRUE(agent.HasWindow());
  EXPECT_EQ(agent.GetCommState(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    ErrorComponent, AgentErrors,
    testing::Values(
        ErrorCase{"StartComm", [](CZQKCommAgent& a) { a.StartComm(1); }, ZQK_E_FAILED,
                  "comm server unreachable"},
        ErrorCase{"Login", [](CZQKCommAgent& a) { a.Login("", "", ""); }, ZQK_E_ARG_TYPE,
                  "a string instead of a long"},
        ErrorCase{"RemoveReal", [](CZQKCommAgent& a) { a.RemoveReal("k", 65); },
                  ZQK_E_UNKNOWN_DISPID, "no such operation"},
        ErrorCase{"GetFieldValue", [](CZQKCommAgent& a) { a.GetFieldValue("", -1, "", 0, ""); },
                  ZQK_E_ARG_TYPE, "a long instead of a string"},
        ErrorCase{"GetDataBlock", [](CZQKCommAgent& a) { a.GetDataBlock("", -1, 0, 5, 0, "A"); },
                  ZQK_E_ARG_TYPE, "without bytes"},
        ErrorCase{"GetInfo", [](CZQKCommAgent& a) { a.GetInfo("", ""); }, ZQK_E_FAILED,
                  "operation failed"},
        ErrorCase{"AddReal", [](CZQKCommAgent& a) { a.AddReal("", 0); }, 12345, "status 12345"}));

// A call that succeeds without setting its result reads as the type's empty
// value, and the wrapper raises nothing: the command goes on.
TEST_F(AgentTest, ResultsTheControlDoesNotSetAreZeroOrEmpty) {
  Register(test::kErrorComponent);
  ASSERT_TRUE(Create()) << agent.LastCreateError();
  const std::vector<std::pair<std::string, std::function<AgentResult(CZQKCommAgent&)>>> unset = {
      {"Logout", [](CZQKCommAgent& a) { return L(a.Logout("u")); }},
      {"GetRepeatCount", [](CZQKCommAgent& a) { return L(a.GetRepeatCount("tr", -1, "OutRec1")); }},
      {"GetLastData", [](CZQKCommAgent& a) { return S(a.GetLastData()); }},
  };
  for (const auto& [name, call] : unset) {
    calls.clear();
    AgentResult r;
    ASSERT_NO_THROW(r = call(agent)) << name;
    EXPECT_EQ(r.i4, 0) << name;
    EXPECT_EQ(r.str, "") << name;
    ASSERT_EQ(calls.size(), 1u) << name;
    EXPECT_EQ(calls[0].result.status, ZQK_OK) << name;
    EXPECT_EQ(calls[0].result.type, r.type) << name;
  }
}

// --- Events and destruction --------------------------------------------------

TEST_F(AgentTest, EventsPostedByTheComponentReachTheSinkOnTheUiThread) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  const int32_t rqId = agent.RequestTr("g11002.DQ0107&", "in", 2, "");
  EXPECT_TRUE(sink.trReplies.empty());
  ui.Advance(9);
  EXPECT_TRUE(sink.trReplies.empty());
  ui.Advance(1);
  ASSERT_EQ(sink.trReplies.size(), 1u);
  EXPECT_EQ(sink.trReplies[0], std::make_pair(std::string("g11002.DQ0107&"), rqId));
  EXPECT_EQ(echo.lastFireStatus, ZQK_OK);
}

TEST_F(AgentTest, DestroyingDropsTheComponentsPendingWork) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  agent.RequestTr("o51000", "", 0, "");
  agent.DestroyWindow();
  EXPECT_EQ(echo.destroys, 1);
  EXPECT_EQ(ui.Pending(), 0u);
  ui.Advance(100);
  EXPECT_EQ(echo.fired, 0);
  EXPECT_TRUE(sink.trReplies.empty());
}

TEST_F(AgentTest, DestroyInsideACallOfTheControlWaitsUntilTheCallReturns) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  int destroysInside = -1;
  echo.duringInvoke = [&](int32_t) {
    agent.DestroyWindow();  // as from a nested event loop
    destroysInside = echo.destroys;
  };
  EXPECT_EQ(agent.GetInfo("a", "b"), "ab");
  echo.duringInvoke = nullptr;
  EXPECT_EQ(destroysInside, 0);
  EXPECT_EQ(echo.destroys, 1);
  EXPECT_EQ(echo.liveResults, 0);
  EXPECT_FALSE(agent.HasWindow());
  EXPECT_EQ(agent.GetInfo("a", "b"), "");
}

TEST_F(AgentTest, DestroyInsideAnEventWaitsUntilTheComponentsWorkReturns) {
  Register(test::kEchoComponent);
  ASSERT_TRUE(Create());
  agent.RequestTr("o51000", "", 0, "");
  agent.RequestTr("o51000", "", 0, "");
  int destroysInside = -1;
  sink.onEvent = [&] {
    agent.DestroyWindow();
    destroysInside = echo.destroys;
  };
  ui.Advance(10);
  EXPECT_EQ(destroysInside, 0);
  EXPECT_EQ(echo.destroys, 1);
  EXPECT_EQ(sink.trReplies.size(), 1u);  // the second reply died with the control
}

}  // namespace
}  // namespace zqk
