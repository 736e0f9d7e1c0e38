#include "sandbox/events/EventPoster.h"

#include <algorithm>

namespace zqk::sandbox {

std::string WithDetail(std::string_view text, std::string_view detail) {
  std::string s(text);
  if (!detail.empty()) s.append("[").append(detail).append("]");
  return s;
}

EventPoster::EventPoster(kit::Host& host, EventStore& store, uint64_t seed, uint32_t latencyMs,
                         uint32_t jitterMs)
    : host_(host), store_(store), random_(seed), latencyMs_(latencyMs), jitterMs_(jitterMs) {}

uint32_t EventPoster::NextDelay() {
  // One connection delivers in order: an event never overtakes one that was
  // caused before it, whatever the jitter.
  const int64_t now = host_.NowMs();
  const int64_t latency =
      latencyMs_ + (jitterMs_ ? static_cast<int64_t>(random_() % (jitterMs_ + 1)) : 0);
  lastDueMs_ = std::max(lastDueMs_, now + latency);
  return static_cast<uint32_t>(lastDueMs_ - now);
}

void EventPoster::AgentMessage(const Message& m, std::string_view detail) {
  host_.Post(NextDelay(), [this, code = MessageCode(m), text = WithDetail(m.text, detail)] {
    host_.Fire(EventDispid::kOnAgentMessage, {code, text});
  });
}

void EventPoster::RequestMessage(int32_t rqId, const Message& m, std::string_view detail) {
  host_.Post(NextDelay(), [this, rqId, code = MessageCode(m), text = WithDetail(m.text, detail)] {
    host_.Fire(EventDispid::kOnRequestMessage, {rqId, code, text});
  });
}

void EventPoster::Reply(std::string_view code, int32_t rqId,
                        std::shared_ptr<const EventData> data) {
  host_.Post(NextDelay(), [this, code = std::string(code), rqId, data = std::move(data)]() mutable {
    DeliverReply(code, rqId, std::move(data));
  });
}

void EventPoster::DeliverRequestMessage(int32_t rqId, const Message& m, std::string_view detail) {
  host_.Fire(EventDispid::kOnRequestMessage, {rqId, MessageCode(m), WithDetail(m.text, detail)});
}

void EventPoster::DeliverReply(std::string_view code, int32_t rqId,
                               std::shared_ptr<const EventData> data) {
  store_.PutReply(code, rqId, std::move(data));
  host_.Fire(EventDispid::kOnTrReply, {code, rqId});
}

void EventPoster::DeliverReal(std::string_view key, int32_t realType,
                              std::shared_ptr<const EventData> data) {
  store_.PutReal(key, realType, std::move(data));
  host_.Fire(EventDispid::kOnRealData, {key, realType});
}

void EventPoster::CancelAll() {
  host_.CancelAll();
  lastDueMs_ = 0;
}

}  // namespace zqk::sandbox
