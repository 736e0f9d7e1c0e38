#include "sandbox/feeds/FeedDesk.h"

#include <map>
#include <memory>
#include <vector>

#include "sandbox/broker/Broker.h"
#include "sandbox/feeds/FeedMessages.h"
#include "sandbox/feeds/QuoteFeeds.h"
#include "text/Blanks.h"

namespace zqk::sandbox {

using feeds::FindQuoteFeed;
using feeds::QuoteFeedType;

int32_t FeedDesk::Refuse(const Message& m, std::string_view detail) {
  broker_.poster.AgentMessage(m, detail);
  return m.code;
}

int32_t FeedDesk::AddReal(std::string_view key, int32_t realType) {
  if (const Message* refusal = broker_.SessionProblem()) return refusal->code;
  const std::string_view code = TrimTrailingBlanks(key);
  const std::string type = std::to_string(realType);
  const QuoteFeedType* feed = FindQuoteFeed(realType);
  if (!feed) {
    return Refuse(
        feeds::IsOrderFeedType(realType) ? feeds::kMsgOrderFeedType : feeds::kMsgUnknownRealType,
        type);
  }
  const market::Product* product = broker_.market.products().Find(code);
  if (!product && code != real::kServerClockKey) return Refuse(feeds::kMsgUnknownKey, code);
  if (!feed->takes(product, code)) {
    std::string detail(code);
    return Refuse(feeds::kMsgKeyDoesNotFit, detail.append("/").append(type));
  }
  quoteFeeds_.emplace(std::string(code), realType);
  ScheduleTick();
  return 0;
}

int32_t FeedDesk::RemoveReal(std::string_view key, int32_t realType) {
  if (const Message* refusal = broker_.SessionProblem()) return refusal->code;
  if (!quoteFeeds_.erase({std::string(TrimTrailingBlanks(key)), realType})) {
    return kMsgNotRegistered.code;
  }
  if (quoteFeeds_.empty() && ticking_) {
    broker_.host.Cancel(tickTicket_);
    ticking_ = false;
  }
  return 0;
}

int32_t FeedDesk::AddOrderReal(std::string_view userId, std::string_view account) {
  return OrderReal(userId, account, true);
}

int32_t FeedDesk::RemoveOrderReal(std::string_view userId, std::string_view account) {
  return OrderReal(userId, account, false);
}

int32_t FeedDesk::OrderReal(std::string_view userId, std::string_view account, bool add) {
  if (const Message* refusal = broker_.SessionProblem()) return refusal->code;
  if (broker_.user->id != userId) return kMsgOtherUser.code;
  const market::AccountBook* book = broker_.UserAccount(account);
  if (!book) return kMsgUnknownAccount.code;
  const std::string& number = book->account().number;
  if (add) {
    orderFeeds_.insert(number);
    return 0;
  }
  auto it = orderFeeds_.find(number);
  if (it == orderFeeds_.end()) return kMsgNotRegistered.code;
  orderFeeds_.erase(it);
  return 0;
}

bool FeedDesk::OrderFeedOn(std::string_view number) const {
  return orderFeeds_.contains(number);
}

void FeedDesk::Clear() {
  quoteFeeds_.clear();
  orderFeeds_.clear();
  if (ticking_) broker_.host.Cancel(tickTicket_);
  ticking_ = false;
}

void FeedDesk::ScheduleTick() {
  const int64_t rate = broker_.settings.tickRate;
  if (ticking_ || quoteFeeds_.empty() || rate <= 0) return;
  // Tick n falls at n * 1000 / rate ms (rounded up), whenever the feeds
  // were registered, so that every feed ticks at the same moments.
  const int64_t now = broker_.Now();
  const int64_t n = now * rate / 1000 + 1;
  const int64_t due = (n * 1000 + rate - 1) / rate;
  ticking_ = true;
  tickTicket_ = broker_.host.Post(static_cast<uint32_t>(due - now), [this] {
    ticking_ = false;
    Tick();
    ScheduleTick();
  });
}

void FeedDesk::Tick() {
  const int64_t now = broker_.Now();
  market::SimulatedMarket& market = broker_.market;
  const market::LocalTime local = market.clock().Local(now);
  // A handler may change the registrations while a tick is delivered.
  const std::vector<std::pair<std::string, int32_t>> feeds(quoteFeeds_.begin(), quoteFeeds_.end());
  std::map<const market::Product*, market::Snapshot> snapshots;
  for (const auto& [key, realType] : feeds) {
    if (broker_.SessionProblem() || !quoteFeeds_.contains({key, realType})) continue;
    const QuoteFeedType* feed = FindQuoteFeed(realType);
    const market::Product* product = market.products().Find(key);
    const market::Snapshot* snapshot = nullptr;
    if (product) {
      auto it = snapshots.find(product);
      if (it == snapshots.end()) it = snapshots.emplace(product, market.At(*product, now)).first;
      snapshot = &it->second;
    }
    broker_.poster.DeliverReal(key, realType,
                               std::make_shared<const EventData>(
                                   feed->build({realType, product, snapshot, market, now, local})));
  }
}

}  // namespace zqk::sandbox
