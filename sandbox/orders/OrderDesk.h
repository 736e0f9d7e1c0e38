#pragma once
// Where SendOrder arrives once the session and the order TR code have been
// checked. The record is read by its code's layout (OrderLayout.h) and
// checked (OrderValidation.h); an accepted order goes into its account's
// book in the ledger and to the exchange (Exchange.h), which matches it
// against the simulated market. The reply, then the order-feed records of
// what followed, reach the console in that order through one queue, so that
// an order's acceptance always comes before its fills.

#include <cstdint>
#include <string_view>

#include "sandbox/events/EventQueue.h"
#include "sandbox/kit/ComponentKit.h"
#include "sandbox/orders/Exchange.h"

namespace zqk::sandbox {

class Broker;
class FeedDesk;

namespace orders {
struct OrderCode;
struct Refusal;
struct ValidOrder;
}  // namespace orders

class OrderDesk : private orders::OrderFeedSink {
 public:
  OrderDesk(Broker& broker, FeedDesk& feeds);
  // Answers later through the broker's events, under `rqId`.
  void Send(int32_t rqId, std::string_view code, std::string_view record);
  // The account's open orders (type 199) and its available amount, for an
  // order feed just registered.
  void SendOpenOrders(std::string_view account);
  // The exchange resumes from now, skipping the time it was disconnected.
  void Connected();
  // The user's accounts' resting orders (their seeded history included)
  // work from now on.
  void SignedIn(const User& user);
  // What is on its way goes; the exchange stands still.
  void Disconnected();

 private:
  void Record(const market::AccountBook& book, int32_t realType, EventData data) override;
  // Puts the order into its account's book; returns it as the book has it.
  const market::Order& Enter(const orders::OrderCode& code, const orders::ValidOrder& order,
                             int64_t now);
  void Refuse(int32_t rqId, const orders::OrderCode& code, const orders::Refusal& refusal,
              std::string_view account);
  void PushReply(int32_t rqId, std::string_view code, EventData data);
  void ScheduleMatching();

  Broker& broker_;
  FeedDesk& feeds_;
  EventQueue queue_;
  orders::Exchange exchange_;
  kit::Host::Ticket matchTicket_ = 0;
  bool matching_ = false;
};

}  // namespace zqk::sandbox
