#pragma once
// The orders the exchange is working, filed so that a step of the market
// costs what can happen at that step, not the number of orders resting: by
// account and number (amend, cancel), by the step they expire at, and per
// product by limit and by stop price, so that a step looks only at the
// resting orders that its book reaches, the stops that its trades reach, the
// orders that expire, and the market orders still taking the books. Those
// are handed out in the order they arrived, which decides who takes a book's
// size first; an order the step cannot reach would have done nothing at it.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/orders/OrderLadder.h"

namespace zqk::sandbox::orders {

// Stop orders ('3' stop, '4' stop limit) wait for a trade at or through
// their stop.
inline bool IsStop(const market::OrderTicket& t) {
  return t.priceType == '3' || t.priceType == '4';
}

// The price an awake order may trade at: 0 for market orders and for stop
// orders, which turn into market orders.
inline int64_t LimitOf(const market::OrderTicket& t) {
  return t.priceType == '1' || t.priceType == '4' ? t.price : 0;
}

struct WorkingOrder {
  market::AccountBook* book;
  std::string number;
  bool triggered;  // stop orders: the stop has been reached
  int64_t expiresAtStep;
};

class RestingOrders {
 public:
  using Id = uint32_t;
  // What a step shows of a product: its book (what is left of it for the
  // orders of that step) and its trades.
  using BookOf = std::function<const market::Book&(const market::Product&)>;
  using TradesOf = std::function<std::vector<market::Trade>(const market::Product&)>;

  bool empty() const { return count_ == 0; }
  size_t size() const { return count_; }

  // Files an order after those already working; its order must be in its book.
  void Add(WorkingOrder order);
  WorkingOrder* Find(const market::AccountBook& book, std::string_view number);
  void Remove(const market::AccountBook& book, std::string_view number);

  // The orders that may act at `step`, oldest first: those expiring by then,
  // the awake ones without a limit, the limits that the step's book crosses
  // and the stops that its trades reach. Their places stay theirs until
  // Refile.
  std::vector<Id> DueAt(int64_t step, const BookOf& bookOf, const TradesOf& tradesOf) const;
  WorkingOrder& operator[](Id id) { return slots_[id].order; }
  // After an order has acted: drops it when nothing of it is open, files a
  // stop that woke with the awake orders.
  void Refile(Id id);

 private:
  // The orders of one kind at one product and side, by price.
  using Ladder = OrderLadder<Id>;
  struct ProductOrders {
    Ladder buyLimits, sellLimits, buyStops, sellStops;
    bool empty() const {
      return buyLimits.empty() && sellLimits.empty() && buyStops.empty() && sellStops.empty();
    }
  };
  // Where an order is filed, so that it can be taken out again.
  struct Filing {
    Ladder* ladder = nullptr;  // none: taken at every step (awake, no limit)
    Ladder::Place place;
    const market::Product* product = nullptr;
    bool asleep = false;  // a stop filed by its stop price
    std::optional<Ladder::Place> expiry;
  };
  // A place for one working order; places of orders that ended are reused.
  struct Slot {
    WorkingOrder order;
    Filing filing;
    uint64_t arrival = 0;
    bool used = false;
  };
  // An order by its account's book and its number, looked up without a copy
  // of the number.
  struct NumberView {
    const market::AccountBook* book;
    std::string_view number;
    bool operator==(const NumberView&) const = default;
  };
  struct NumberKey {
    const market::AccountBook* book;
    std::string number;
    operator NumberView() const { return {book, number}; }
  };
  struct NumberHash {
    using is_transparent = void;
    size_t operator()(NumberView k) const {
      return std::hash<std::string_view>()(k.number) ^ (std::hash<const void*>()(k.book) << 1);
    }
  };
  struct NumberEqual {
    using is_transparent = void;
    bool operator()(NumberView a, NumberView b) const { return a == b; }
  };

  // Files the order by what it is now: awake or not, with a limit or not.
  void File(Id id, Slot& slot);
  void Unfile(Id id, Slot& slot);
  void Erase(Id id);

  std::vector<Slot> slots_;
  std::vector<Id> freeSlots_;
  size_t count_ = 0;
  uint64_t nextArrival_ = 0;
  std::unordered_map<NumberKey, Id, NumberHash, NumberEqual> byNumber_;
  Ladder expiries_;  // by the step they expire at
  std::set<Id> everyStep_;
  std::unordered_map<const market::Product*, ProductOrders> products_;
};

}  // namespace zqk::sandbox::orders
