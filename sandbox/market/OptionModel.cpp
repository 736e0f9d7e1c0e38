#include "sandbox/market/OptionModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zqk::sandbox::market {
namespace {

double NormCdf(double x) {
  return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

double NormPdf(double x) {
  return std::exp(-0.5 * x * x) / std::sqrt(2 * std::numbers::pi);
}

}  // namespace

Greeks BlackValue(bool call, double forward, double strike, double years, double vol) {
  Greeks g;
  if (forward <= 0 || strike <= 0 || years <= 0 || vol <= 0) {
    g.value = std::max(0.0, call ? forward - strike : strike - forward);
    g.delta = (call ? forward > strike : forward < strike) ? (call ? 1.0 : -1.0) : 0.0;
    return g;
  }
  const double sd = vol * std::sqrt(years);
  const double d1 = (std::log(forward / strike) + sd * sd / 2) / sd;
  const double d2 = d1 - sd;
  const double pdf = NormPdf(d1);
  if (call) {
    g.value = forward * NormCdf(d1) - strike * NormCdf(d2);
    g.delta = NormCdf(d1);
  } else {
    g.value = strike * NormCdf(-d2) - forward * NormCdf(-d1);
    g.delta = NormCdf(d1) - 1;
  }
  g.gamma = pdf / (forward * sd);
  g.vega = forward * pdf * std::sqrt(years) / 100;
  g.theta = -forward * pdf * vol / (2 * std::sqrt(years)) / 365;
  g.rho = (call ? strike * NormCdf(d2) : -strike * NormCdf(-d2)) * years / 100;
  return g;
}

double ImpliedVol(bool call, double forward, double strike, double years, double price) {
  const double intrinsic = std::max(0.0, call ? forward - strike : strike - forward);
  if (years <= 0 || price <= intrinsic) return 0;
  double lo = 0.0001;
  double hi = 5.0;
  for (int i = 0; i < 60; ++i) {
    const double mid = (lo + hi) / 2;
    (BlackValue(call, forward, strike, years, mid).value < price ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace zqk::sandbox::market
