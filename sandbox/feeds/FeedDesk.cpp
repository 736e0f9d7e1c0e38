#include "sandbox/feeds/FeedDesk.h"

#include "sandbox/Broker.h"

namespace zqk::sandbox {

int32_t FeedDesk::AddReal(std::string_view key, int32_t realType) {
  if (const Message* refusal = broker_.SessionProblem()) return refusal->code;
  quoteFeeds_.emplace(std::string(key), realType);
  return 0;
}

int32_t FeedDesk::RemoveReal(std::string_view key, int32_t realType) {
  if (const Message* refusal = broker_.SessionProblem()) return refusal->code;
  return quoteFeeds_.erase({std::string(key), realType}) ? 0 : kMsgNotRegistered.code;
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
  return orderFeeds_.erase(number) ? 0 : kMsgNotRegistered.code;
}

void FeedDesk::Clear() {
  quoteFeeds_.clear();
  orderFeeds_.clear();
}

}  // namespace zqk::sandbox
