#pragma once
// How busy a product's market is through the local day; the sandbox's clock
// reads as Korean time. An exchange-traded product trades most at the open
// and the close of its exchange's regular session, least at midday (a U over
// the session), and little outside it. FX pairs trade around the clock:
// busiest while London and New York overlap, thinnest between New York's
// close and Tokyo's open, when their spreads widen too.

#include <array>
#include <cstdint>

#include "sandbox/market/Product.h"

namespace zqk::sandbox::market {

class IntradayProfile {
 public:
  static constexpr int32_t kMinutesADay = 24 * 60;

  // The profile of the product's exchange (or of FX pairs).
  static const IntradayProfile& Of(const Product& p);

  // A multiple of the product's mean trade rate at a local minute (0 is
  // midnight).
  double Activity(int32_t minuteOfDay) const { return activity_[Wrap(minuteOfDay)]; }
  // A multiple of the product's usual spread.
  double Spread(int32_t minuteOfDay) const { return spread_[Wrap(minuteOfDay)]; }

  // A regular session from `open` to `close`, local minutes (a session that
  // ends after midnight has close < open).
  static IntradayProfile Session(int32_t open, int32_t close);
  static IntradayProfile Fx();

 private:
  static size_t Wrap(int32_t minute) {
    return static_cast<size_t>(((minute % kMinutesADay) + kMinutesADay) % kMinutesADay);
  }

  std::array<float, kMinutesADay> activity_{};
  std::array<float, kMinutesADay> spread_{};
};

}  // namespace zqk::sandbox::market
