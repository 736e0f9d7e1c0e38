#pragma once
// What the parts of the sandbox agent share: the connection and session, the
// market, the accounts ledger, and the events on their way to the console.
// The agent owns one Broker; its services, order desk, feeds and master
// files work on it.

#include <cstdint>

#include "sandbox/events/EventPoster.h"
#include "sandbox/events/EventStore.h"
#include "sandbox/events/SandboxMessages.h"
#include "sandbox/kit/ComponentKit.h"
#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/settings/SandboxSettings.h"

namespace zqk::sandbox {

class Broker {
 public:
  // Communication states that GetCommState reports.
  static constexpr int32_t kDisconnected = 0;
  static constexpr int32_t kConnected = 1;

  // The market's clock starts at the settings' clockStart, else now.
  Broker(kit::Host& host, const Settings& settings);
  Broker(const Broker&) = delete;
  Broker& operator=(const Broker&) = delete;

  int64_t Now() const { return host.NowMs(); }
  // Why a request or registration is refused now: nullptr when connected and
  // signed in.
  const Message* SessionProblem() const;
  // The signed-in user's account `number` (trailing blanks ignored), or null.
  market::AccountBook* UserAccount(std::string_view number);

  kit::Host& host;
  const Settings& settings;
  market::SimulatedMarket market;
  market::Ledger ledger;
  EventStore store;
  EventPoster poster;
  int32_t commState = kDisconnected;
  const User* user = nullptr;  // signed in
};

}  // namespace zqk::sandbox
