#include "sandbox/feeds/RecordText.h"

#include <cmath>
#include <cstdio>

#include "sandbox/market/PriceFormat.h"

namespace zqk::sandbox::feeds {

std::string Hhmmss(int32_t time) {
  char text[16];
  std::snprintf(text, sizeof text, "%06d", static_cast<int>(time));
  return text;
}

std::string Raw(int64_t raw) {
  return std::to_string(raw);
}

std::string Decimal(const market::Product& p, int64_t raw) {
  return market::FormatDecimal(p, raw);
}

std::string Average(const market::Product& p, double raw) {
  std::string text = market::FormatAmount(raw / std::pow(10.0, p.decimals), p.decimals + 2);
  // Down to the product's own decimals, never below.
  for (int extra = 2; extra > 0 && text.back() == '0'; --extra) text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string Percent(int64_t value, int64_t base) {
  if (base == 0) return "0.00";
  return market::FormatAmount(static_cast<double>(value - base) * 100.0 / static_cast<double>(base),
                              2);
}

std::string Fixed(double value, int decimals) {
  return market::FormatAmount(value, decimals);
}

}  // namespace zqk::sandbox::feeds
