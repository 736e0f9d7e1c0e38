#include "sandbox/broker/Broker.h"

#include <ctime>

namespace zqk::sandbox {

Broker::Broker(kit::Host& h, const Settings& s)
    : host(h),
      settings(s),
      market(s.seed,
             market::MarketClock(s.clockStart.value_or(static_cast<int64_t>(std::time(nullptr))),
                                 h.NowMs())),
      ledger(s.users, market),
      poster(h, store, s.seed, s.replyLatencyMs, s.replyJitterMs) {}

const Message* Broker::SessionProblem() const {
  if (commState != kConnected) return &kMsgNotConnected;
  if (!user) return &kMsgNotSignedIn;
  return nullptr;
}

market::AccountBook* Broker::UserAccount(std::string_view number) {
  market::AccountBook* book = ledger.Find(number);
  return book && user && book->userId() == user->id ? book : nullptr;
}

}  // namespace zqk::sandbox
