#pragma once
// What one point of the KOSPI200 family's contracts is worth, in won, on a
// date: the exchange halved every multiplier on 2017-03-27 (futures and
// options 500,000 to 250,000, the mini futures 100,000 to 50,000).

#include <cstdint>
#include <string_view>

namespace zqk::sandbox::market {

// `family`: "101" futures, "105" mini futures, "201"/"301" options.
double KospiMultiplierOn(std::string_view family, int32_t ymd);

}  // namespace zqk::sandbox::market
