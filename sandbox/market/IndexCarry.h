#pragma once
// The carry of equity-index futures. A future is worth its index carried to
// its expiry at the money-market rate of the index's currency, less the
// dividends the index pays meanwhile: forward = index × (1 + (rate − yield) ×
// years). Both are yearly figures in force on a date, from the tables of
// IndexCarry.cpp (docs/sandbox.md gives their sources). Where dividends
// exceed the rate, as for every index in 2016, a later month trades below an
// earlier one.

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "sandbox/market/Calendar.h"
#include "sandbox/market/Product.h"

namespace zqk::sandbox::market {

// A yearly rate in percent, in force from `since` (YYYYMMDD) until the next
// entry of its table; the last entry stays in force.
struct DatedPercent {
  int32_t since;
  double percent;
};

struct IndexCarry {
  std::string_view family;  // the overseas futures' root, or the domestic index
  std::span<const DatedPercent> rate;
  std::span<const DatedPercent> dividendYield;
};

// The carry that prices `p`: a domestic product by the index it follows, an
// overseas future by its family. Null for anything else (an overseas option
// asks for its underlying future).
const IndexCarry* FindIndexCarry(const Product& p);

// Rate less dividend yield on `ymd`, a year, as a fraction (-0.0045 for
// -0.45 %).
double CarryOn(const IndexCarry& carry, int32_t ymd);

// The index carried over `years` (none once expired).
double CarriedForward(double index, double carry, double years);

// One index's carry through agent time: it changes at local midnight of the
// dates of its tables. Cheap to ask at every step of the market.
class CarrySchedule {
 public:
  CarrySchedule(const IndexCarry& carry, const MarketClock& clock);
  double At(int64_t epochMs) const;

 private:
  std::vector<std::pair<int64_t, double>> changes_;  // epoch ms, carry from then
};

}  // namespace zqk::sandbox::market
