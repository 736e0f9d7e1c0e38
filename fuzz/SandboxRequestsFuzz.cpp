// The sandbox agent signed in as the demo user, fed queries and orders from
// the input, with agent time passing between them so that replies go out and
// orders meet the market. One request a line, fields split by tabs (the last
// takes the rest of its line, tabs and all):
//
//   T <tab> code <tab> next key <tab> input          RequestTr
//   F <tab> code <tab> field list <tab> next key <tab> input   RequestFid
//   O <tab> code <tab> record                        SendOrder
//   R <tab> account                                  AddOrderReal
//   W <tab> milliseconds                             agent time passes
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/CannedAgent.h"
#include "fuzz/support/FuzzMain.h"
#include "fuzz/support/InProcessAgent.h"
#include "sandbox/SandboxAgent.h"

namespace zqk::fuzz {
namespace {

int32_t Length(std::string_view s) {
  return static_cast<int32_t>(s.size());
}

void Request(InProcessAgent& agent, std::string_view line) {
  if (line.size() < 2 || line[1] != '\t') return;
  const std::string_view rest = line.substr(2);
  switch (line[0]) {
    case 'T': {
      const auto f = SplitFields(rest, 3);
      if (f.size() == 3) agent.Call(Dispid::kRequestTr, {f[0], f[2], Length(f[2]), f[1]});
      return;
    }
    case 'F': {
      const auto f = SplitFields(rest, 4);
      if (f.size() == 4) agent.Call(Dispid::kRequestFid, {f[0], f[3], f[1], Length(f[3]), f[2]});
      return;
    }
    case 'O': {
      const auto f = SplitFields(rest, 2);
      if (f.size() == 2) agent.Call(Dispid::kSendOrder, {f[0], f[1]});
      return;
    }
    case 'R':
      agent.Call(Dispid::kAddOrderReal, {"demo", rest});
      return;
    case 'W':
      // Up to a minute of trading: longer only costs executions.
      agent.Advance(static_cast<uint32_t>(HeldInt32(rest)) % 60'001);
      return;
    default:
      return;
  }
}

}  // namespace

void RunOne(std::string_view input) {
  InProcessAgent agent([](kit::Host& host) {
    sandbox::LoadedSettings settings;
    settings.settings = sandbox::DefaultSettings();
    return std::make_unique<sandbox::SandboxAgent>(host, std::move(settings), std::string());
  });
  Check(agent.Call(Dispid::kStartComm, {1}).i4 == 0, "the sandbox did not connect");
  Check(agent.Call(Dispid::kLogin, {"demo", "demo1234", "cert1234"}).i4 == 1,
        "the demo user did not sign in");
  agent.Advance(1000);
  size_t requests = 0;
  while (!input.empty() && requests++ < 64) {
    const size_t end = input.find('\n');
    Request(agent, input.substr(0, end));
    agent.Advance(100);
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  // Every reply out, and the orders a while in the market.
  agent.Advance(10'000);
  agent.Call(Dispid::kLogout, {"demo"});
  agent.Call(Dispid::kStopComm, {1});
}

}  // namespace zqk::fuzz
