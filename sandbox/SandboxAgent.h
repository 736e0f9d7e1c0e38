#pragma once
// The sandbox agent: a simulated broker behind the agent interface, so that
// the console works with no broker servers. It never touches the network;
// everything it answers later is posted to the UI thread through the host and
// fired from there, after the configured reply latency. Given the same
// settings (seed) and the same calls at the same agent times, it fires the
// same events at the same times.

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "sandbox/ComponentKit.h"
#include "sandbox/SandboxMessages.h"
#include "sandbox/SandboxSettings.h"
#include "sandbox/Services.h"

namespace zqk::sandbox {

class SandboxAgent : public kit::Component {
 public:
  SandboxAgent(kit::Host& host, LoadedSettings settings, std::string settingsPath);

  kit::Result Invoke(int32_t dispid, const kit::Args& args) override;

  // Communication states that GetCommState reports.
  static constexpr int32_t kDisconnected = 0;
  static constexpr int32_t kConnected = 1;

 private:
  int32_t StartComm(int32_t mode);
  void StopComm();
  int32_t Login(std::string_view userId, std::string_view password, std::string_view cert);
  int32_t Logout(std::string_view userId);
  // The common path of RequestTr, RequestFid and SendOrder.
  int32_t Request(ServiceKind kind, std::string_view code, std::string_view input,
                  std::optional<int32_t> inputLength);
  void RequestMasterFile(std::string_view kind);
  int32_t AddReal(std::string_view key, int32_t realType);
  int32_t RemoveReal(std::string_view key, int32_t realType);
  int32_t OrderReal(std::string_view userId, std::string_view account, bool add);
  std::string GetAccountText(std::string_view account) const;
  std::string GetBusinessDay(int32_t kind) const;
  std::string GetInfo(std::string_view name, std::string_view option) const;

  // Refusal checks shared by requests and registrations: nullptr when
  // connected and signed in.
  const Message* SessionProblem() const;

  // Delay of the next event: the reply latency, kept in causal order.
  uint32_t NextDelay();
  int32_t NextRqId();
  void PostAgentMessage(const Message& m, std::string_view detail = {});
  void PostRequestMessage(int32_t rqId, const Message& m, std::string_view detail = {});

  kit::Host& host_;
  LoadedSettings loaded_;
  std::string settingsPath_;  // UTF-8
  std::mt19937_64 random_;
  int32_t commState_ = kDisconnected;
  const User* session_ = nullptr;
  int32_t lastRqId_ = 0;
  int64_t lastDueMs_ = 0;
  std::set<std::pair<std::string, int32_t>> realFeeds_;
  std::set<std::string> orderFeeds_;  // account numbers
  int64_t clockStartSecs_;
  int64_t agentTimeAtStart_;
};

}  // namespace zqk::sandbox
