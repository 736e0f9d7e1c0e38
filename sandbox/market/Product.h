#pragma once
// One product of the simulated market: what it is, where it trades and how
// its price is quoted. Prices are held as "raw" integers: the price times
// 10^decimals, so that every price on the product's tick grid is exact.

#include <cstdint>
#include <string>

#include "sandbox/market/Users.h"

namespace zqk::sandbox::market {

enum class ProductKind : uint8_t { kFuture, kCall, kPut, kFxPair, kIndex };

struct Product {
  std::string code;         // as requests carry it, without blank padding (CP949)
  std::string name;         // Korean name (CP949)
  std::string shortName;    // Korean, at most 20 bytes
  std::string englishName;  // ASCII
  Market market = Market::kDomestic;
  ProductKind kind = ProductKind::kFuture;
  std::string exchange;  // "KRX", "CME", ...
  std::string currency;  // "KRW", "USD", ...
  std::string root;      // product family: "101", "ES", "EUR/USD", ...
  std::string rootName;  // Korean name of the family

  int decimals = 2;  // digits after the point of the displayed price
  int64_t tick = 1;  // raw units
  // Options that quote finer below a price (raw): tick `smallTick` there.
  int64_t smallTick = 0;
  int64_t smallTickBelow = 0;
  // Quoted in whole units and 1/fraction (32nds, 8ths); 0: decimal quotes.
  int fraction = 0;
  int spreadTicks = 1;      // ask minus bid, in ticks
  double multiplier = 1;    // currency per 1.0 of price per contract
  double marginRate = 0.1;  // initial margin as a share of the notional

  int32_t listed = 0;      // first trading day YYYYMMDD; 0 for pairs and indices
  int32_t expiry = 0;      // last trading day YYYYMMDD; 0 for pairs and indices
  int64_t strike = 0;      // raw, options only
  std::string underlying;  // options: the underlying; domestic futures: the index

  int64_t reference = 0;   // raw price when the agent starts
  double dailyVol = 0.01;  // standard deviation of a day's log return
  double impliedVol = 0;   // options: the pricing model's volatility a year
  double tradeRate = 1;    // mean trades a second
  double meanQty = 2;      // mean quantity of a trade

  uint64_t id = 0;  // TextHash(code)

  bool IsOption() const { return kind == ProductKind::kCall || kind == ProductKind::kPut; }
  // The tick that applies at raw price `price`.
  int64_t TickAt(int64_t price) const {
    return smallTick > 0 && price < smallTickBelow ? smallTick : tick;
  }
  // Currency value of one raw unit of price for one contract.
  double RawValue() const;
};

}  // namespace zqk::sandbox::market
