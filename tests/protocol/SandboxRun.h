#pragma once
// The sandbox's broker, order desk, feeds and master files run in process on
// a virtual clock, signed in as the demo user, so that a test sees the data
// of every reply and real-time record it delivers as the reading operations
// would find it, field by field.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "agent/abi/AgentAbi.h"
#include "sandbox/broker/Broker.h"
#include "sandbox/feeds/FeedDesk.h"
#include "sandbox/kit/ComponentKit.h"
#include "sandbox/masters/MasterFileDesk.h"
#include "sandbox/orders/OrderDesk.h"
#include "sandbox/services/ServiceTable.h"

namespace zqk::test {

// The data of one delivered event: a reply under its code, a real-time
// record under its key and real type.
struct Delivered {
  std::string code;  // or key
  int32_t realType;  // -1 for a reply
  sandbox::EventData data;
};

class SandboxRun {
 public:
  SandboxRun();
  ~SandboxRun();
  SandboxRun(const SandboxRun&) = delete;
  SandboxRun& operator=(const SandboxRun&) = delete;

  // Runs the posted work that falls due within `ms` of agent time.
  void Advance(int64_t ms);
  // A query answered at once; throws sandbox::Refused when refused.
  sandbox::EventData Query(std::string_view code, std::string_view input);

  sandbox::Broker& broker() { return *broker_; }
  sandbox::FeedDesk& feeds() { return *feeds_; }
  sandbox::OrderDesk& orders() { return *orders_; }
  sandbox::MasterFileDesk& masters() { return *masters_; }
  int32_t NextRqId() { return ++rqId_; }

  std::vector<Delivered> delivered;

 private:
  static void Post(void* context, void (*fn)(void*), void* arg, uint32_t delayMs);
  static int32_t Fire(void* context, int32_t dispid, const zqk_value* args, uint32_t count);
  static int64_t Now(void* context);

  zqk_host abi_{};
  int64_t now_ = 0;
  uint64_t seq_ = 0;
  std::map<std::pair<int64_t, uint64_t>, std::pair<void (*)(void*), void*>> queue_;
  sandbox::Settings settings_;
  std::unique_ptr<kit::Host> host_;
  std::unique_ptr<sandbox::Broker> broker_;
  std::unique_ptr<sandbox::FeedDesk> feeds_;
  std::unique_ptr<sandbox::OrderDesk> orders_;
  std::unique_ptr<sandbox::MasterFileDesk> masters_;
  int32_t rqId_ = 0;
};

}  // namespace zqk::test
