#pragma once
// The sandbox's exchange: it matches the orders accepted through SendOrder
// against the simulated market and books their fills in the ledger, which
// moves positions and cash. An order meets the book of the step it arrives
// at (Matching.h); what is left rests (limit, stop limit), keeps taking the
// next steps' books (market) or ends (FOK, FAK/IOC). Resting orders meet
// every later step that reaches them (RestingOrders.h), oldest first; stop
// orders wait until the market trades at or through their stop. Day orders
// (domestic, overseas DAY) end at local midnight, GTD orders at the end of
// their date, GTC and FX orders never. Orders of the accounts' seeded history
// join once their user signs in (Adopt), filed with the others, and then work
// like any other.
//
// Everything that happens to an order goes out as order-feed records, in the
// order it happened (OrderFeedRecords.h lists the types).

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "sandbox/events/EventData.h"
#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/orders/RestingOrders.h"

namespace zqk::sandbox {
class Broker;
}

namespace zqk::sandbox::orders {

// Where the records go.
class OrderFeedSink {
 public:
  virtual ~OrderFeedSink() = default;
  virtual void Record(const market::AccountBook& book, int32_t realType, EventData data) = 0;
};

class Exchange {
 public:
  Exchange(Broker& broker, OrderFeedSink& sink) : broker_(broker), sink_(sink) {}

  // An accepted new order, already in its book: its acceptance record, then
  // whatever it meets now. `validUntil`: YYYYMMDD of a GTD order.
  void Placed(market::AccountBook& book, const std::string& number, bool cme, int32_t validUntil);
  // An accepted amend or cancel order, already in its book.
  void Amended(market::AccountBook& book, const std::string& number);
  void Cancelled(market::AccountBook& book, const std::string& number);
  // Every open order of the book that is not working yet (its seeded
  // history) rests from now on.
  void Adopt(market::AccountBook& book);

  bool IsCme(const market::AccountBook& book, std::string_view number) const;
  bool HasWorking() const { return !working_.empty(); }
  // Matches the working orders at every step after the last one matched, up
  // to `step`.
  void RunTo(int64_t step);
  // Continues from `step` without matching the steps before it (the
  // exchange stands still while the agent is disconnected).
  void SkipTo(int64_t step) { lastStep_ = step; }

 private:
  using Working = WorkingOrder;
  static constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

  // Matches an arriving order (new, amended, or a stop just woken) against
  // the step's book, with its fill condition. Records its fills.
  void Arrive(market::AccountBook& book, const std::string& number, int64_t step, int64_t atMs);
  // A resting order at a later step.
  void Rest(Working& w, int64_t step);
  void Execute(market::AccountBook& book, const std::string& number, int64_t price, int32_t qty,
               int64_t atMs);
  // Ends what is open of an order by the broker's own cancel.
  void End(market::AccountBook& book, const std::string& number, std::string_view why,
           int64_t atMs);
  // Whether a stop order's stop has been reached by a trade of the session.
  bool StopReachedNow(const market::OrderTicket& t, int64_t now);
  // An accepted order (new or amending) meets the market if awake, and rests
  // while something is open.
  void Enter(market::AccountBook& book, const std::string& number, bool triggered,
             int64_t expiresAtStep, int64_t step, int64_t now);
  // The acceptance and confirmation records of an amend or cancel.
  void Acknowledge(const market::AccountBook& book, const market::Order& change,
                   std::string_view text, int64_t now);
  // The open-order and available-amount records after a change.
  void Settle(const market::AccountBook& book, const std::string& number, int64_t atMs);
  int64_t ExpiryStep(const market::Order& order, int32_t validUntil, int64_t atMs) const;
  void Track(market::AccountBook& book, const std::string& number, bool triggered,
             int64_t expiresAtStep);
  void Untrack(const market::AccountBook& book, std::string_view number);
  market::Book& Liquidity(const market::Product& p, int64_t step);
  static std::string Key(const market::AccountBook& book, std::string_view number);

  Broker& broker_;
  OrderFeedSink& sink_;
  RestingOrders working_;
  std::set<std::string> cme_;  // Key()s of the night session's orders
  int64_t lastStep_ = std::numeric_limits<int64_t>::min();
  // What each product's book still offers at one step, so that two orders
  // never take the same size.
  int64_t liquidityStep_ = std::numeric_limits<int64_t>::min();
  std::map<const market::Product*, market::Book> liquidity_;
};

}  // namespace zqk::sandbox::orders
