#include "sandbox/events/FieldText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/PriceFormat.h"

namespace zqk::sandbox {

std::string Price(const market::Product& p, int64_t raw) {
  return market::FormatDecimal(p, raw);
}

std::string Average(const market::Product& p, double raw) {
  std::string text = market::FormatAmount(raw / std::pow(10.0, p.decimals), p.decimals + 2);
  // Down to the product's own decimals, never below.
  for (int extra = 2; extra > 0 && text.back() == '0'; --extra) text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string Number(int64_t n) {
  return std::to_string(n);
}

std::string Fixed(double value, int decimals) {
  return market::FormatAmount(value, decimals);
}

std::string Amount(double amount, std::string_view currency) {
  return market::FormatAmount(amount, market::CurrencyDecimals(currency));
}

std::string ChangeSign(int64_t last, int64_t prev) {
  return last > prev ? "2" : last < prev ? "5" : "3";
}

std::string ChangeRate(int64_t last, int64_t prev) {
  if (prev == 0) return "0.00";
  return Fixed(static_cast<double>(last - prev) * 100.0 / static_cast<double>(prev), 2);
}

std::string Ymd(int32_t ymd) {
  return std::to_string(ymd);
}

std::string Hms(int32_t hms) {
  const int32_t time = hms % 1'000'000;
  if (time < 0) {
    char text[16];
    std::snprintf(text, sizeof text, "%06d", time);
    return text;
  }
  // Six digits, zeros in front.
  char digits[8];
  const size_t n =
      static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, time).ptr - digits);
  std::string text(6 - n, '0');
  return text.append(digits, n);
}

}  // namespace zqk::sandbox
