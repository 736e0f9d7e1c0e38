#pragma once
// The initial margin that an account's open orders hold, kept up to date as
// their open quantities change: open quantities and price × quantity summed
// by product and side, so that valuing an account costs the products it has
// orders in, not the number of orders resting.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sandbox/market/Product.h"

namespace zqk::sandbox::market {

class SimulatedMarket;
struct OrderTicket;

class OpenOrderMargin {
 public:
  // Order `at` (its place in the account's book), asking for `t`, has
  // `after` open where it had `before`; an order opens only as it is added.
  void Change(size_t at, const OrderTicket& t, int32_t before, int32_t after);

  // Calls `add(currency, margin)` for every product with open orders, in the
  // order of each product's first open order in the book; an order without a
  // price holds margin at the product's last price at `atMs`.
  template <typename Add>
  void ForEach(SimulatedMarket& market, int64_t atMs, Add&& add) const;

 private:
  struct SideTotals {
    __int128 pricedNotional = 0;  // sum of price × open over orders with a price
    int64_t pricedOpen = 0;
    int64_t unpricedOpen = 0;  // market orders and stops, priced at the market
  };
  struct ProductTotals {
    SideTotals sides[2];  // buy, sell
    int64_t openOrders = 0;
    // Places in the book of its orders that opened, in book order (an order
    // opens only as it is added at the end); closed ones leave from the front.
    std::deque<size_t> openedAt;
  };

  double MarginOf(const Product& p, const ProductTotals& totals, SimulatedMarket& market,
                  int64_t atMs) const;
  // The products with open orders, by their first open order.
  std::vector<const Product*> InBookOrder() const;

  std::unordered_map<const Product*, ProductTotals> products_;
  std::vector<bool> open_;  // by place in the book
};

template <typename Add>
void OpenOrderMargin::ForEach(SimulatedMarket& market, int64_t atMs, Add&& add) const {
  for (const Product* p : InBookOrder()) {
    add(std::string_view(p->currency), MarginOf(*p, products_.at(p), market, atMs));
  }
}

}  // namespace zqk::sandbox::market
