#pragma once
// A dialog connected to the fixture agent (ZQKFixtureAgent.ocx, through its
// real ABI): results and reply data come from JSON that a test loads or fires,
// every agent call the dialog makes is recorded, and the log is read back
// without timestamps. Needs ZQK_FIXTURE_AGENT, the component's path.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "agent/ComponentRegistry.h"
#include "sandbox/FixtureProtocol.h"
#include "tests/support/FakeHost.h"
#include "text/Cp949.h"
#include "ui/LogTimestamp.h"

namespace zqk::test {

// One agent call: the operation's name and its arguments (longs in decimal,
// strings as the CP949 bytes passed).
struct AgentCall {
  std::string name;
  std::vector<std::string> args;
  bool operator==(const AgentCall&) const = default;
};

inline void PrintTo(const AgentCall& c, std::ostream* os) {
  *os << c.name << '(';
  for (size_t i = 0; i < c.args.size(); ++i) *os << (i ? ", " : "") << Cp949ToUtf8(c.args[i]);
  *os << ')';
}

// Fixture text is UTF-8, while narrow literals are CP949: JSON is written as
// u8 literals.
inline std::string Utf8(std::u8string_view s) {
  return {reinterpret_cast<const char*>(s.data()), s.size()};
}

class FixtureDialog {
 public:
  FixtureDialog() {
    // The library stays loaded for the life of the test process, so that a
    // leak report can still name its frames.
    static void* const kKeptLoaded = ::dlopen(ZQK_FIXTURE_AGENT, RTLD_NOW | RTLD_LOCAL);
    EXPECT_TRUE(kKeptLoaded) << ::dlerror();
    ::unsetenv(fixture::kFixtureFileEnv);
    std::string error;
    EXPECT_TRUE(
        RegisterComponent(rig.dir() / "components.conf", kAgentClassId, ZQK_FIXTURE_AGENT, &error))
        << error;
    dlg().OnInitDialog();
    dlg().Click(id::kConnect);
    EXPECT_TRUE(dlg().Agent().HasWindow());
    dlg().Log().Clear();
    dlg().Agent().SetCallObserver([this](const OperationInfo& op, std::span<const AgentArg> args,
                                         const AgentResult&) {
      if (!FindOperation(static_cast<int32_t>(op.dispid))) return;  // fixture control
      AgentCall call{std::string(op.name), {}};
      for (const AgentArg& a : args) {
        call.args.push_back(a.type == ValueType::kLong ? std::to_string(a.i4) : std::string(a.str));
      }
      calls.push_back(std::move(call));
    });
  }

  CZQKCommClientDlg& dlg() { return rig.dlg(); }
  ControlModel& model() { return rig.model(); }

  // Replaces the fixture (results, replies) by this JSON.
  void Load(std::u8string_view json) {
    const std::string text = Utf8(json);
    const AgentArg args[] = {AgentArg(text)};
    dlg().Agent().InvokeExtension(fixture::kFixtureLoadJson, "FixtureLoadJson", args,
                                  ValueType::kLong);
  }

  // The agent fires OnTrReply(trCode, rqId) delivering `page` (fixture JSON).
  void FireReply(std::string_view trCode, int32_t rqId, std::u8string_view page) {
    std::string json = "{\"args\": [\"";
    json.append(Cp949ToUtf8(trCode)).append("\", ").append(std::to_string(rqId));
    json.append("], \"data\": ").append(Utf8(page)).append("}");
    const AgentArg args[] = {AgentArg("OnTrReply"), AgentArg(json)};
    const AgentResult r = dlg().Agent().InvokeExtension(fixture::kFixtureFireEvent,
                                                        "FixtureFireEvent", args, ValueType::kLong);
    EXPECT_EQ(r.i4, ZQK_OK);
  }

  // The log's lines without their timestamps.
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (size_t i = 0; i < dlg().Log().Count(); ++i) {
      lines.emplace_back(StripLogTimestamp(dlg().Log().Line(LineIndex{i})));
    }
    return lines;
  }

  // The recorded calls of one operation.
  std::vector<AgentCall> CallsOf(std::string_view name) const {
    std::vector<AgentCall> found;
    for (const AgentCall& c : calls) {
      if (c.name == name) found.push_back(c);
    }
    return found;
  }

  DialogRig rig;
  std::vector<AgentCall> calls;
};

}  // namespace zqk::test
