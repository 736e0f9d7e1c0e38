#pragma once
// How the sandbox's real-time records and order replies write their values:
// times as HHMMSS, prices in the product's decimal form (or its raw integer
// where a record carries it raw), averages with up to two more decimals,
// rates in percent, amounts in the currency's decimals. No padding: the
// console compares and shows what the fields hold.

#include <cstdint>
#include <string>

#include "sandbox/market/Product.h"

namespace zqk::sandbox::feeds {

// "093005" for 9:30:05.
std::string Hhmmss(int32_t time);
// The raw price as text ("217525").
std::string Raw(int64_t raw);
// The price in the product's decimals ("2175.25").
std::string Decimal(const market::Product& p, int64_t raw);
// An average price (raw, fractional) with up to two decimals beyond the
// product's, trailing zeros dropped down to the product's ("245.125").
std::string Average(const market::Product& p, double raw);
// The change from `base` to `value` in percent with two decimals ("-0.35").
std::string Percent(int64_t value, int64_t base);
// A plain number with `decimals` digits ("0.5312").
std::string Fixed(double value, int decimals);

}  // namespace zqk::sandbox::feeds
