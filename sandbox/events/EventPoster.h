#pragma once
// Everything the agent tells the console later: messages and replies posted
// to the UI thread after the reply latency (plus a seeded jitter) in the
// order they were caused, and real-time records delivered when a feed's
// tick falls due. A reply or record's data goes into the event store just
// before its event fires.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "sandbox/events/EventData.h"
#include "sandbox/events/EventStore.h"
#include "sandbox/events/SandboxMessages.h"
#include "sandbox/kit/ComponentKit.h"

namespace zqk::sandbox {

class EventPoster {
 public:
  EventPoster(kit::Host& host, EventStore& store, uint64_t seed, uint32_t latencyMs,
              uint32_t jitterMs);

  // After the reply latency, in causal order.
  void AgentMessage(const Message& m, std::string_view detail = {});
  void RequestMessage(int32_t rqId, const Message& m, std::string_view detail = {});
  void Reply(std::string_view code, int32_t rqId, std::shared_ptr<const EventData> data);

  // Now, from inside posted work: stores the data and fires the event.
  void DeliverRequestMessage(int32_t rqId, const Message& m, std::string_view detail = {});
  void DeliverReply(std::string_view code, int32_t rqId, std::shared_ptr<const EventData> data);
  void DeliverReal(std::string_view key, int32_t realType, std::shared_ptr<const EventData> data);

  // Drops whatever has not been delivered yet (the connection ended).
  void CancelAll();

  // The delay of the next event posted in causal order.
  uint32_t NextDelay();

 private:
  kit::Host& host_;
  EventStore& store_;
  std::mt19937_64 random_;
  uint32_t latencyMs_;
  uint32_t jitterMs_;
  int64_t lastDueMs_ = 0;
};

// "text[detail]", or the text alone when there is no detail.
std::string WithDetail(std::string_view text, std::string_view detail);

}  // namespace zqk::sandbox
