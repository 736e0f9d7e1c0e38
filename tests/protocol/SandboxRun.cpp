#include "tests/protocol/SandboxRun.h"

#include <stdexcept>

#include "agent/abi/DispatchIds.h"
#include "protocol/QueryInputs.h"
#include "protocol/Replies.h"

namespace zqk::test {
namespace {

std::string_view Text(const zqk_value& v) {
  return v.str ? std::string_view(v.str, v.len) : std::string_view();
}

}  // namespace

SandboxRun::SandboxRun() : settings_(sandbox::DefaultSettings()) {
  settings_.replyLatencyMs = 10;
  settings_.replyJitterMs = 0;
  abi_ = zqk_host{ZQK_ABI_VERSION, sizeof(zqk_host), this, &Post, &Fire, &Now};
  host_ = std::make_unique<kit::Host>(abi_);
  broker_ = std::make_unique<sandbox::Broker>(*host_, settings_);
  feeds_ = std::make_unique<sandbox::FeedDesk>(*broker_);
  orders_ = std::make_unique<sandbox::OrderDesk>(*broker_, *feeds_);
  masters_ = std::make_unique<sandbox::MasterFileDesk>(*broker_);
  broker_->commState = sandbox::Broker::kConnected;
  orders_->Connected();
  broker_->user = settings_.FindUser("demo");
  // Half an hour of trading before the first question.
  Advance(30 * 60'000);
}

SandboxRun::~SandboxRun() {
  // The desks' pending work goes with them, never run.
  host_->CancelAll();
  queue_.clear();
}

void SandboxRun::Advance(int64_t ms) {
  const int64_t until = now_ + ms;
  while (!queue_.empty() && queue_.begin()->first.first <= until) {
    auto node = queue_.extract(queue_.begin());
    now_ = std::max(now_, node.key().first);
    node.mapped().first(node.mapped().second);
  }
  now_ = until;
}

sandbox::EventData SandboxRun::Query(std::string_view code, std::string_view input) {
  const sandbox::ServiceEntry* service = sandbox::FindService(code);
  if (!service) throw std::logic_error(std::string("no service for ").append(code));
  const sandbox::QueryRequest request{
      protocol::FindCode(code)->operation, code, input, {}, {}, NextRqId()};
  sandbox::QueryContext query{*broker_,
                              request,
                              *broker_->user,
                              broker_->Now(),
                              *protocol::InputLayoutOf(code),
                              protocol::ReplyOf(code)};
  return service->handler(query);
}

void SandboxRun::Post(void* context, void (*fn)(void*), void* arg, uint32_t delayMs) {
  auto* run = static_cast<SandboxRun*>(context);
  run->queue_.emplace(std::make_pair(run->now_ + delayMs, run->seq_++), std::make_pair(fn, arg));
}

int32_t SandboxRun::Fire(void* context, int32_t dispid, const zqk_value* args, uint32_t count) {
  auto* run = static_cast<SandboxRun*>(context);
  int32_t realType = 0;
  if (dispid == static_cast<int32_t>(EventDispid::kOnTrReply) && count == 2) {
    realType = sandbox::EventStore::kReplyType;
  } else if (dispid == static_cast<int32_t>(EventDispid::kOnRealData) && count == 2) {
    realType = args[1].i4;
  } else {
    return ZQK_OK;  // messages
  }
  const std::string_view code = Text(args[0]);
  if (const sandbox::EventData* data = run->broker_->store.Find(code, realType)) {
    run->delivered.push_back({std::string(code), realType, *data});
  }
  return ZQK_OK;
}

int64_t SandboxRun::Now(void* context) {
  return static_cast<SandboxRun*>(context)->now_;
}

}  // namespace zqk::test
