#pragma once
// A dialog connected to the fixture agent: results come from fixture text the
// test loads, events carry the data the test gives them, and every agent call
// the dialog makes is recorded. Field names and values are CP949, as the
// console has them; they cross to the fixture as JSON (UTF-8, values in hex).

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "agent/ComponentRegistry.h"
#include "sandbox/FixtureProtocol.h"
#include "tests/support/FakeHost.h"
#include "text/Cp949.h"
#include "ui/LogTimestamp.h"

namespace zqk::test {

using Texts = std::vector<std::string>;
using Fields = std::vector<std::pair<std::string, std::string>>;

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

// A fixture page: record "OutRec1" with one row, and the raw block.
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
  struct Call {
    std::string name;
    Texts args;  // longs in decimal
  };

  // `fixture`: the fixture text (docs/fixture.md), in CP949 like every
  // literal of the tests.
  explicit FixtureDialog(std::string_view fixture = "{}") {
    // The agent stays loaded for the life of the test process, though the
    // console unloads it at every Disconnect, so that a leak report can name
    // its frames and the libraries it brings are loaded once.
    [[maybe_unused]] static void* const kept = ::dlopen(ZQK_FIXTURE_AGENT, RTLD_NOW | RTLD_LOCAL);
    std::string error;
    EXPECT_TRUE(
        RegisterComponent(rig.dir() / "components.conf", kAgentClassId, ZQK_FIXTURE_AGENT, &error))
        << error;
    dlg().OnInitDialog();
    dlg().Click(id::kConnect);
    EXPECT_TRUE(dlg().Agent().HasWindow());
    Control(fixture::kFixtureLoadJson, "FixtureLoadJson", Cp949ToUtf8(fixture));
    dlg().Agent().SetCallObserver([this](const OperationInfo& op, std::span<const AgentArg> args,
                                         const AgentResult&) {
      Call call{std::string(op.name), {}};
      for (const AgentArg& a : args) {
        call.args.push_back(a.type == ValueType::kLong ? std::to_string(a.i4) : std::string(a.str));
      }
      calls.push_back(std::move(call));
    });
    dlg().Log().Clear();
  }

  CZQKCommClientDlg& dlg() { return rig.dlg(); }
  ControlModel& model() { return rig.model(); }

  // The agent delivers a real-time record of `realType` under `key`.
  void FireReal(std::string_view key, int32_t realType, const Fields& fields,
                std::string_view block = {}) {
    Fire("OnRealData", key, realType, PageJson(fields, block));
  }
  // The agent delivers the reply `code` with its page.
  void FireReply(std::string_view code, int32_t rqId, const Fields& fields,
                 std::string_view block = {}) {
    Fire("OnTrReply", code, rqId, PageJson(fields, block));
  }

  // The log's lines without their timestamps (CP949).
  Texts Lines() {
    Texts lines;
    for (size_t i = 0; i < dlg().Log().Count(); ++i) {
      lines.emplace_back(StripLogTimestamp(dlg().Log().Line(LineIndex{i})));
    }
    return lines;
  }
  // The calls named `name`, in order.
  std::vector<Texts> CallsOf(std::string_view name) const {
    std::vector<Texts> found;
    for (const Call& c : calls) {
      if (c.name == name) found.push_back(c.args);
    }
    return found;
  }

  DialogRig rig;
  std::vector<Call> calls;

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
