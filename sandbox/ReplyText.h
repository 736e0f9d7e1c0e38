#pragma once
// How the sandbox writes values into replies and real-time records:
// fixed-width fields for raw blocks (left-aligned, filled with blanks, never
// cutting a double-byte character in two), prices in the product's decimal
// form, amounts in the currency's decimals, signs and rates of change, dates
// and times of the agent's clock. Fields outside raw blocks carry no padding:
// the console compares and shows what they hold.

#include <cstdint>
#include <string>
#include <string_view>

#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox {

// The bytes of `text` that fit in `width` without cutting a character; a
// lead byte at its end, without its second byte, is not a whole character.
size_t FitLength(std::string_view text, size_t width);
// `text` left-aligned in `width` bytes, filled with blanks; a longer text is
// cut before the first character that does not fit whole.
std::string Fit(std::string_view text, size_t width);
// `text` right-aligned in `width` bytes (numbers that read as columns).
std::string FitRight(std::string_view text, size_t width);

// Joins fixed-width fields into a block row.
class BlockRow {
 public:
  BlockRow() = default;
  // Room for `width` bytes of fields.
  explicit BlockRow(size_t width) { text_.reserve(width); }
  BlockRow& Add(std::string_view text, size_t width);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

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
