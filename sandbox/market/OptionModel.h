#pragma once
// Option values of the simulated market: Black's model on the forward price
// of the underlying, without discounting (the sandbox's rates are near zero).

namespace zqk::sandbox::market {

struct Greeks {
  double value = 0;
  double delta = 0;
  double gamma = 0;
  double theta = 0;  // per calendar day
  double vega = 0;   // per volatility point (1%)
  double rho = 0;    // per rate point (1%)
};

// `years` to expiry; at or below zero the option is worth its intrinsic value.
Greeks BlackValue(bool call, double forward, double strike, double years, double vol);

// The volatility at which the model gives `price` (bisection); 0 when the
// price is at or below the intrinsic value.
double ImpliedVol(bool call, double forward, double strike, double years, double price);

}  // namespace zqk::sandbox::market
