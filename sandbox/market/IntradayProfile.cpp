#include "sandbox/market/IntradayProfile.h"

#include <string_view>

namespace zqk::sandbox::market {
namespace {

constexpr int32_t Hm(int32_t hours, int32_t minutes) {
  return hours * 60 + minutes;
}

// Inside a regular session: `kMidday` at its middle, rising as a parabola to
// kMidday + kRise at its open and close; outside it, kOffHours.
constexpr double kMidday = 0.7;
constexpr double kRise = 2.0;
constexpr double kOffHours = 0.2;

// Regular sessions in Korean time: the exchanges' own hours as they stood
// in September 2016 (US summer time, Hong Kong and Singapore an hour behind).
struct ExchangeHours {
  std::string_view exchange;
  int32_t open;
  int32_t close;
};
constexpr ExchangeHours kHours[] = {
    {"KRX", Hm(9, 0), Hm(15, 45)},     // 09:00-15:45
    {"CME", Hm(22, 30), Hm(5, 15)},    // 09:30-16:15 New York
    {"CBOT", Hm(22, 30), Hm(5, 15)},   //
    {"NYMEX", Hm(22, 0), Hm(3, 30)},   // 09:00-14:30 New York
    {"COMEX", Hm(21, 20), Hm(2, 30)},  // 08:20-13:30 New York
    {"EUREX", Hm(16, 0), Hm(0, 30)},   // 09:00-17:30 Frankfurt
    {"HKEX", Hm(10, 15), Hm(17, 30)},  // 09:15-16:30 Hong Kong
    {"SGX", Hm(9, 45), Hm(17, 35)},    // 08:45-16:35 Singapore
};

// FX by the hour of the Korean day: Tokyo, London, the London and New York
// overlap, New York's afternoon, then the gap before Tokyo opens.
struct FxHours {
  int32_t from;
  double activity;
  double spread;
};
constexpr FxHours kFxHours[] = {
    {Hm(0, 0), 1.6, 1.0},   // London and New York together (from 21:00)
    {Hm(1, 0), 0.7, 1.25},  // New York's afternoon
    {Hm(6, 0), 0.25, 2.0},  // after New York's close, before Tokyo's open
    {Hm(9, 0), 0.8, 1.0},   // Tokyo
    {Hm(16, 0), 1.2, 1.0},  // London
    {Hm(21, 0), 1.6, 1.0},  // London and New York together
};

const IntradayProfile& Flat() {
  static const IntradayProfile flat = IntradayProfile::Session(0, 0);
  return flat;
}

}  // namespace

IntradayProfile IntradayProfile::Session(int32_t open, int32_t close) {
  IntradayProfile p;
  const int32_t length = ((close - open) % kMinutesADay + kMinutesADay) % kMinutesADay;
  for (int32_t m = 0; m < kMinutesADay; ++m) {
    p.spread_[static_cast<size_t>(m)] = 1.0f;
    const int32_t into = ((m - open) % kMinutesADay + kMinutesADay) % kMinutesADay;
    if (length == 0) {
      p.activity_[static_cast<size_t>(m)] = 1.0f;
    } else if (into < length) {
      // The middle of the minute, from -1 at the open to 1 at the close.
      const double x = 2 * (into + 0.5) / length - 1;
      p.activity_[static_cast<size_t>(m)] = static_cast<float>(kMidday + kRise * x * x);
    } else {
      p.activity_[static_cast<size_t>(m)] = static_cast<float>(kOffHours);
    }
  }
  return p;
}

IntradayProfile IntradayProfile::Fx() {
  IntradayProfile p;
  for (int32_t m = 0; m < kMinutesADay; ++m) {
    const FxHours* in = &kFxHours[0];
    for (const FxHours& h : kFxHours) {
      if (h.from <= m) in = &h;
    }
    p.activity_[static_cast<size_t>(m)] = static_cast<float>(in->activity);
    p.spread_[static_cast<size_t>(m)] = static_cast<float>(in->spread);
  }
  return p;
}

const IntradayProfile& IntradayProfile::Of(const Product& p) {
  static const IntradayProfile fx = Fx();
  static const auto sessions = [] {
    std::array<IntradayProfile, std::size(kHours)> all;
    for (size_t i = 0; i < all.size(); ++i) all[i] = Session(kHours[i].open, kHours[i].close);
    return all;
  }();
  if (p.market == Market::kFxMargin) return fx;
  for (size_t i = 0; i < std::size(kHours); ++i) {
    if (kHours[i].exchange == p.exchange) return sessions[i];
  }
  return Flat();
}

}  // namespace zqk::sandbox::market
