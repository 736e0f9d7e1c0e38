#pragma once
// The sandbox agent: a simulated broker behind the agent interface, so that
// the console works with no broker servers. It never touches the network;
// everything it answers later is posted to the UI thread through the host and
// fired from there, after the configured reply latency. Given the same
// settings (seed) and the same calls at the same agent times, it fires the
// same events at the same times with the same data.
//
// Invoke only dispatches: sign-in and the session here, queries to the
// services table, orders to the order desk, real-time registrations to the
// feed desk, master files to their desk, reads to the event store.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sandbox/broker/Broker.h"
#include "sandbox/feeds/FeedDesk.h"
#include "sandbox/kit/ComponentKit.h"
#include "sandbox/masters/MasterFileDesk.h"
#include "sandbox/orders/OrderDesk.h"
#include "sandbox/services/ServiceTable.h"
#include "sandbox/settings/SandboxSettings.h"

namespace zqk::sandbox {

class SandboxAgent : public kit::Component {
 public:
  SandboxAgent(kit::Host& host, LoadedSettings settings, std::string settingsPath);

  kit::Result Invoke(int32_t dispid, const kit::Args& args) override;

 private:
  int32_t StartComm(int32_t mode);
  void StopComm();
  int32_t Login(std::string_view userId, std::string_view password, std::string_view cert);
  int32_t Logout(std::string_view userId);
  // The common path of RequestTr, RequestFid and SendOrder.
  int32_t Request(const QueryRequest& request, std::optional<int32_t> inputLength);
  std::string GetAccountText(std::string_view account);
  std::string GetBusinessDay(int32_t kind) const;
  std::string GetInfo(std::string_view name, std::string_view option) const;
  std::string FormatValue(std::string_view code, std::string_view value, int32_t kind) const;

  int32_t NextRqId();
  // A new session (or none): the old one's registrations end.
  void EndSession();

  LoadedSettings loaded_;
  std::string settingsPath_;  // UTF-8
  Broker broker_;
  FeedDesk feeds_;
  OrderDesk orders_;
  MasterFileDesk masterFiles_;
  int32_t lastRqId_ = 0;
};

}  // namespace zqk::sandbox
