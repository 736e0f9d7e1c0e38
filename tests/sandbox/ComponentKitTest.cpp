// The component boundary: what any host may throw at a control, and what must
// never cross back into the host.
#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <set>
#include <stdexcept>

#include "sandbox/fixture/FixtureProtocol.h"
#include "sandbox/kit/ComponentKit.h"
#include "tests/sandbox/AbiTestHost.h"
#include "tests/support/BuiltFile.h"

namespace zqk::test {
namespace {

class KitBoundaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ZQK_SANDBOX_SETTINGS", "/nonexistent/zqk-sandbox.json", 1);
    ASSERT_EQ(host_.Create(kAgentClassId), ZQK_OK);
  }
  AbiTestHost host_{ZQK_SANDBOX_AGENT};
};

TEST_F(KitBoundaryTest, WrongArgumentsAreRefusedWithAReason) {
  struct Case {
    const char* name;
    int32_t dispid;
    std::vector<zqk_value> args;
    int32_t status;
  };
  const zqk_value i4{ZQK_VT_I4, 1, nullptr, 0};
  const zqk_value str{ZQK_VT_STR, 0, "demo", 4};
  const zqk_value empty{ZQK_VT_EMPTY, 0, nullptr, 0};
  const zqk_value badType{42, 0, nullptr, 0};
  const zqk_value noData{ZQK_VT_STR, 0, nullptr, 5};
  const Case cases[] = {
      {"too few", 3, {str, str}, ZQK_E_ARG_COUNT},
      {"too many", 11, {i4}, ZQK_E_ARG_COUNT},
      {"long for string", 4, {i4}, ZQK_E_ARG_TYPE},
      {"string for long", 1, {str}, ZQK_E_ARG_TYPE},
      {"empty value", 1, {empty}, ZQK_E_ARG_TYPE},
      {"unknown tag", 1, {badType}, ZQK_E_ARG_TYPE},
      {"string without data", 4, {noData}, ZQK_E_ARG_TYPE},
      {"unknown dispid", 16, {}, ZQK_E_UNKNOWN_DISPID},
      {"negative dispid", -1, {}, ZQK_E_UNKNOWN_DISPID},
      {"fixture control on the real agent", fixture::kFixtureTakeCalls, {}, ZQK_E_UNKNOWN_DISPID},
  };
  for (const Case& c : cases) {
    const CallResult r =
        host_.CallRaw(c.dispid, c.args.data(), static_cast<uint32_t>(c.args.size()));
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.value.type, ZQK_VT_STR) << c.name;
    EXPECT_FALSE(r.value.str.empty()) << c.name;
  }
  EXPECT_EQ(host_.CallRaw(1, nullptr, 1).status, ZQK_E_ARG_COUNT) << "count without arguments";
  EXPECT_EQ(host_.Long(Dispid::kGetCommState), 0) << "the control is unharmed";
}

TEST_F(KitBoundaryTest, MissingResultOrForeignControlIsABadStruct) {
  zqk_control* c = host_.control();
  EXPECT_EQ(c->invoke(c, 11, nullptr, 0, nullptr), ZQK_E_BAD_STRUCT);
  zqk_control forged = *c;
  zqk_value result{};
  EXPECT_EQ(forged.invoke(&forged, 11, nullptr, 0, &result), ZQK_E_BAD_STRUCT);
  EXPECT_EQ(forged.invoke(nullptr, 11, nullptr, 0, &result), ZQK_E_BAD_STRUCT);
}

TEST_F(KitBoundaryTest, NulBytesAndMegabyteStringsPassIntact) {
  ASSERT_EQ(host_.Long(Dispid::kStartComm, {1}), 0);
  const std::string big(1 << 20, '\0');
  std::string withNul(
      "12\0"
      "34",
      5);
  EXPECT_EQ(host_.Str(Dispid::kFormatValue, {"101", withNul, 0}), withNul);
  std::string pattern = big;
  for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<char>(i * 7);
  EXPECT_EQ(host_.Str(Dispid::kFormatValue, {"101", pattern, 0}), pattern);
  EXPECT_GT(host_.Long(Dispid::kRequestTr, {"g11002.DQ0107&", big, 1 << 20, big}), 0);
  EXPECT_EQ(host_.Long(Dispid::kLogin, {big, big, big}), -101);
}

TEST(KitCreateTest, UnusableHostTablesAreRefused) {
  struct Case {
    const char* name;
    void (*damage)(zqk_host&);
  };
  const Case cases[] = {
      {"newer major version", [](zqk_host& h) { h.version = (2u << 16); }},
      {"shorter table", [](zqk_host& h) { h.size = sizeof(zqk_host) - sizeof(void*); }},
      {"no post", [](zqk_host& h) { h.post = nullptr; }},
      {"no fire_event", [](zqk_host& h) { h.fire_event = nullptr; }},
      {"no now_ms", [](zqk_host& h) { h.now_ms = nullptr; }},
  };
  for (const char* library : {ZQK_SANDBOX_AGENT, ZQK_FIXTURE_AGENT}) {
    for (const Case& c : cases) {
      AbiTestHost host(library);
      c.damage(host.abi);
      EXPECT_EQ(host.Create(kAgentClassId), ZQK_E_BAD_STRUCT) << library << ": " << c.name;
      EXPECT_EQ(host.control(), nullptr);
    }
    AbiTestHost newerMinor(library);
    newerMinor.abi.version = ZQK_ABI_VERSION + 1;
    EXPECT_EQ(newerMinor.Create(kAgentClassId), ZQK_OK) << "a newer minor version is fine";
    AbiTestHost unknownClass(library);
    EXPECT_EQ(unknownClass.Create("{00000000-0000-0000-0000-000000000000}"), ZQK_E_FAILED);
    zqk_control* out = nullptr;
    EXPECT_EQ(unknownClass.entry.createControl(nullptr, &unknownClass.abi, &out), ZQK_E_FAILED);
  }
}

TEST(KitExportsTest, ComponentsExportOnlyTheirEntryPoints) {
  for (const char* library : {ZQK_SANDBOX_AGENT, ZQK_FIXTURE_AGENT}) {
    const std::string command = std::string("nm -D --defined-only '") + library + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[4096];
    while (fgets(line, sizeof line, pipe)) {
      std::string s(line);
      while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
      symbols.insert(s.substr(s.find_last_of(' ') + 1));
    }
    ASSERT_EQ(pclose(pipe), 0) << command;
    EXPECT_EQ(symbols, (std::set<std::string>{"DllRegisterServer", "ZQKCreateControl"})) << library;
  }
}

TEST(KitNestingTest, HostMayDestroyTheControlInsideAnEvent) {
  unsetenv(fixture::kFixtureFileEnv);
  AbiTestHost host(ZQK_FIXTURE_AGENT);
  ASSERT_EQ(host.Create(fixture::kFixtureClassId), ZQK_OK);
  zqk_control* control = host.control();
  host.onEvent = [&](const FiredEvent&) { host.Destroy(); };
  const zqk_value args[] = {{ZQK_VT_STR, 0, "OnAgentMessage", 14},
                            {ZQK_VT_STR, 0, "[\"a\", \"b\"]", 10}};
  zqk_value result{};
  // The control outlives its own destroy until the call that fired returns.
  EXPECT_EQ(control->invoke(control, fixture::kFixtureFireEvent, args, 2, &result), ZQK_OK);
  EXPECT_EQ(result.type, ZQK_VT_I4);
  EXPECT_EQ(host.control(), nullptr);
  EXPECT_EQ(host.events.size(), 1u);
}

// A component that fails in every way a C++ component can.
class Faulty : public kit::Component {
 public:
  explicit Faulty(kit::Host& host) : host_(host) {}
  kit::Result Invoke(int32_t dispid, const kit::Args& args) override {
    switch (static_cast<Dispid>(dispid)) {
      case Dispid::kStartComm:
        throw std::runtime_error("start failed");
      case Dispid::kGetCommState:
        throw 42;
      case Dispid::kGetLastData:
        throw std::bad_alloc();
      case Dispid::kGetInfo:
        return kit::Result::Long(1);  // declared a string
      case Dispid::kStopComm:
        host_.Post(0, [] { throw std::runtime_error("posted"); });
        host_.Post(5, [this] { host_.Fire(EventDispid::kOnAgentMessage, {"late", "x"}); });
        cancelled_ = host_.Post(1, [this] {
          host_.Fire(EventDispid::kOnAgentMessage, {"no", "x"});
        });
        host_.Cancel(cancelled_);
        return kit::Result::None();
      default:
        return kit::Result::Long(args.size() > 0 ? args.Long(0) : 0);
    }
  }

 private:
  kit::Host& host_;
  kit::Host::Ticket cancelled_ = 0;
};

class KitExceptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const kit::ClassEntry classes[] = {
        {"{faulty}", [](kit::Host& h) -> std::unique_ptr<kit::Component> {
           return std::make_unique<Faulty>(h);
         }}};
    host_.entry.createControl = [](const char* id, const zqk_host* h, zqk_control** out) {
      return kit::CreateControl(id, h, out, classes);
    };
    ASSERT_EQ(host_.Create("{faulty}"), ZQK_OK);
  }
  AbiTestHost host_{ZQK_FIXTURE_AGENT};
};

TEST_F(KitExceptionTest, NoExceptionCrossesTheBoundary) {
  const CallResult start = host_.Call(Dispid::kStartComm, {1});
  EXPECT_EQ(start.status, ZQK_E_FAILED);
  EXPECT_EQ(start.value.str, "StartComm: start failed");
  const CallResult state = host_.Call(Dispid::kGetCommState, {});
  EXPECT_EQ(state.status, ZQK_E_FAILED);
  EXPECT_EQ(state.value.str, "GetCommState: unknown error");
  const CallResult last = host_.Call(Dispid::kGetLastData, {});
  EXPECT_EQ(last.status, ZQK_E_FAILED);
  EXPECT_NE(last.value.str.find("bad_alloc"), std::string::npos) << last.value.str;
  EXPECT_EQ(host_.Call(Dispid::kGetInfo, {"a", "b"}).status, ZQK_E_FAILED);
  EXPECT_EQ(host_.Long(Dispid::kLogout, {"x"}), 0) << "still answering";
}

TEST_F(KitExceptionTest, PostedWorkRunsOnceAndCancelledWorkNever) {
  ASSERT_EQ(host_.Call(Dispid::kStopComm, {1}).status, ZQK_OK);
  host_.Advance(100);
  ASSERT_EQ(host_.events.size(), 1u) << "a throwing task is contained, a cancelled one dropped";
  EXPECT_EQ(host_.events[0].args.at(0), S("late"));
  EXPECT_EQ(host_.events[0].at, 5);
}

}  // namespace
}  // namespace zqk::test
