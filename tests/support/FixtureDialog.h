#pragma once
// A dialog connected to the fixture agent (ZQKFixtureAgent.ocx, through its
// real ABI): results and reply data come from JSON that a test loads or fires,
// every agent call the dialog makes is recorded, and the log is read back
// without timestamps. Needs ZQK_FIXTURE_AGENT, the component's path.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "agent/abi/ComponentRegistry.h"
#include "dialog/LogTimestamp.h"
#include "sandbox/fixture/FixtureProtocol.h"
#include "tests/support/BuiltFile.h"
#include "tests/support/FakeHost.h"
#include "text/Cp949.h"

namespace zqk::test {

using Texts = std::vector<std::string>;
using Fields = std::vector<std::pair<std::string, std::string>>;

// One agent call: the operation's name and its arguments (longs in decimal,
// strings as the CP949 bytes passed).
struct AgentCall {
  std::string name;
  Texts args;
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

// The fixture's form of any bytes.
inline std::string HexText(std::string_view bytes) {
  std::string json = "{\"hex\": \"";
  char digits[3];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", c);
    json += digits;
  }
  return json + "\"}";
}

// A fixture page: record "OutRec1" with one row of CP949 fields, and the raw block.
inline std::string PageJson(const Fields& fields, std::string_view block = {}) {
  std::string json = "{\"OutRec1\": {";
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) json += ", ";
    json.append("\"").append(Cp949ToUtf8(fields[i].first)).append("\": ");
    json.append(HexText(fields[i].second));
  }
  return json + "}, \"block\": " + HexText(block) + "}";
}

class FixtureDialog {
 public:
  // `fixture`: fixture text (docs/fixture.md) in CP949 like every literal of
  // the tests; none: every operation answers 0 or "". `exeSubdir`: see DialogRig.
  explicit FixtureDialog(std::string_view fixture = {}, const std::filesystem::path& exeSubdir = {})
      : rig(exeSubdir) {
    // The library stays loaded for the life of the test process, though the
    // console unloads it at every Disconnect, so that a leak report can still
    // name its frames.
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
    if (!fixture.empty())
      Control(fixture::kFixtureLoadJson, "FixtureLoadJson", Cp949ToUtf8(fixture));
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
    Control(fixture::kFixtureLoadJson, "FixtureLoadJson", Utf8(json));
  }

  // The agent fires OnTrReply(trCode, rqId) delivering `page` (fixture JSON).
  void FireReply(std::string_view trCode, int32_t rqId, std::u8string_view page) {
    Fire("OnTrReply", trCode, rqId, Utf8(page));
  }
  // The same with one row of "OutRec1" and the raw block.
  void FireReply(std::string_view trCode, int32_t rqId, const Fields& fields,
                 std::string_view block = {}) {
    Fire("OnTrReply", trCode, rqId, PageJson(fields, block));
  }
  // The agent delivers a real-time record of `realType` under `key`.
  void FireReal(std::string_view key, int32_t realType, const Fields& fields,
                std::string_view block = {}) {
    Fire("OnRealData", key, realType, PageJson(fields, block));
  }

  // The log's lines without their timestamps.
  Texts Lines() {
    Texts lines;
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
  // Their arguments alone.
  std::vector<Texts> ArgsOf(std::string_view name) const {
    std::vector<Texts> found;
    for (const AgentCall& c : CallsOf(name)) found.push_back(c.args);
    return found;
  }

  DialogRig rig;
  std::vector<AgentCall> calls;

 private:
  void Fire(std::string_view event, std::string_view code, int32_t number,
            const std::string& page) {
    std::string json = "{\"args\": [";
    json.append(HexText(code)).append(", ").append(std::to_string(number));
    json.append("], \"data\": ").append(page).append("}");
    const AgentResult r = Control(fixture::kFixtureFireEvent, "FixtureFireEvent", event, json);
    EXPECT_EQ(r.i4, ZQK_OK);
  }
  template <typename... Args>
  AgentResult Control(int32_t dispid, std::string_view name, Args... args) {
    const AgentArg list[] = {AgentArg(args)...};
    try {
      return dlg().Agent().InvokeExtension(dispid, name, list, ValueType::kLong);
    } catch (const AgentError& e) {
      ADD_FAILURE() << name << ": " << Cp949ToUtf8(e.what());
      return {};
    }
  }
};

}  // namespace zqk::test
