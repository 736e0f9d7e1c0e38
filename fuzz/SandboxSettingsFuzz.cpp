// The sandbox's settings file: parsed, and when it is accepted the sandbox
// runs on it, its first users signing in and opening their order feeds on
// the calendar and clock the file sets.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fuzz/support/CannedAgent.h"
#include "fuzz/support/FuzzMain.h"
#include "fuzz/support/InProcessAgent.h"
#include "sandbox/SandboxAgent.h"
#include "sandbox/settings/SandboxSettings.h"

namespace zqk::fuzz {

void RunOne(std::string_view input) {
  sandbox::LoadedSettings loaded;
  try {
    loaded.settings = sandbox::ParseSettings(input);
  } catch (const std::invalid_argument&) {
    return;  // refused with a reason, as it should be
  }
  loaded.fromFile = true;
  const sandbox::Settings settings = loaded.settings;
  InProcessAgent agent([&loaded](kit::Host& host) {
    return std::make_unique<sandbox::SandboxAgent>(host, loaded, std::string());
  });
  agent.Call(Dispid::kStartComm, {1});
  agent.Call(Dispid::kGetBusinessDay, {1});
  agent.Call(Dispid::kGetBusinessDay, {3});
  const size_t users = std::min<size_t>(settings.users.size(), 3);
  for (size_t i = 0; i < users; ++i) {
    const sandbox::User& u = settings.users[i];
    if (agent.Call(Dispid::kLogin, {u.id, u.password, u.certPassword}).i4 != 1) continue;
    for (const sandbox::Account& a : u.accounts)
      agent.Call(Dispid::kAddOrderReal, {u.id, a.number});
    agent.Advance(2'000);
    agent.Call(Dispid::kLogout, {u.id});
  }
  agent.Call(Dispid::kStopComm, {1});
}

}  // namespace zqk::fuzz
