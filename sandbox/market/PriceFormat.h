#pragma once
// Prices as text. A product's price has three forms:
// - raw: the integer that feeds and price replies carry, the price times
//   10^decimals ("217525" for 2175.25);
// - decimal: the displayed price with the product's decimals ("2175.25");
// - quoted: the exchange's notation, fractions for the products quoted in
//   them ("167'16" for 167 16/32, "132'165" for 132 16.5/32, "335'2" for
//   335 2/8), the decimal price for all others.
// FormatValue's kinds convert along raw -> decimal (0), decimal -> quoted
// (1) and quoted -> raw (2), so that the chain 0, 1, 2, 0 over a raw price
// shows it decimal, quoted, raw again and decimal again.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sandbox/market/Product.h"

namespace zqk::sandbox::market {

std::string FormatDecimal(const Product& p, int64_t raw);
// Decimal text, at most the product's decimals; blanks around are ignored.
std::optional<int64_t> ParseDecimal(const Product& p, std::string_view text);

std::string FormatQuoted(const Product& p, int64_t raw);
// Quoted text, or decimal text for any product.
std::optional<int64_t> ParseQuoted(const Product& p, std::string_view text);

// An amount of money with `decimals` digits, no grouping ("-1234.50").
std::string FormatAmount(double amount, int decimals);

// What the agent's FormatValue answers. A value it cannot read, or a kind
// other than 0, 1 and 2, comes back unchanged.
std::string FormatValue(const Product& p, std::string_view value, int32_t kind);

}  // namespace zqk::sandbox::market
