#pragma once
// How the sandbox writes values into replies and real-time records: prices
// in the product's decimal form, amounts in the currency's decimals, signs
// and rates of change, dates and times of the agent's clock. Where a value
// stands fixed-width (raw blocks, the fields a layout pads) its layout says
// (LayoutRow.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox {

std::string Price(const market::Product& p, int64_t raw);  // decimal ("2175.25")
// An average price (raw, fractional) with up to two decimals beyond the
// product's, trailing zeros dropped down to the product's ("245.125").
std::string Average(const market::Product& p, double raw);
std::string Number(int64_t n);  // also a raw price ("217525")
std::string Fixed(double value, int decimals);
std::string Amount(double amount, std::string_view currency);
// The change of `last` from `prev`: "2" up, "3" unchanged, "5" down.
std::string ChangeSign(int64_t last, int64_t prev);
// Percent change, two decimals with a sign for falls ("-0.35").
std::string ChangeRate(int64_t last, int64_t prev);
std::string Ymd(int32_t ymd);
std::string Hms(int32_t hms);  // six digits

}  // namespace zqk::sandbox
