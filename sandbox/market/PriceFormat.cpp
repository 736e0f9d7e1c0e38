#include "sandbox/market/PriceFormat.h"

#include "text/Blanks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zqk::sandbox::market {
namespace {

int64_t Pow10(int n) {
  int64_t v = 1;
  while (n-- > 0) v *= 10;
  return v;
}

// Digits only, into a non-negative value; nullopt on anything else or
// overflow.
std::optional<int64_t> Digits(std::string_view s) {
  if (s.empty()) return std::nullopt;
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < 0) return std::nullopt;
  return v;
}

// Splits an optional sign off.
bool TakeSign(std::string_view& s) {
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    const bool negative = s[0] == '-';
    s.remove_prefix(1);
    return negative;
  }
  return false;
}

std::optional<int64_t> ParseRaw(std::string_view text) {
  text = TrimBlanks(text);
  const bool negative = TakeSign(text);
  const std::optional<int64_t> v = Digits(text);
  if (!v) return std::nullopt;
  return negative ? -*v : *v;
}

// Ticks of the product in one whole unit of price, for fraction quotes.
int64_t TicksPerPoint(const Product& p) {
  return p.tick > 0 ? Pow10(p.decimals) / p.tick : 0;
}

}  // namespace

std::string FormatDecimal(const Product& p, int64_t raw) {
  const int64_t scale = Pow10(p.decimals);
  const bool negative = raw < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  // A sign, 20 digits, a point and the decimals (fewer than 20: an int64_t
  // scale).
  char text[48];
  char* const end = text + sizeof text;
  char* out = text;
  if (negative) *out++ = '-';
  out = std::to_chars(out, end, magnitude / static_cast<uint64_t>(scale)).ptr;
  if (p.decimals > 0) {
    *out++ = '.';
    char frac[24];
    const size_t n = static_cast<size_t>(
        std::to_chars(frac, frac + sizeof frac, magnitude % static_cast<uint64_t>(scale)).ptr -
        frac);
    out = std::fill_n(out, static_cast<size_t>(p.decimals) - n, '0');
    out = std::copy_n(frac, n, out);
  }
  return std::string(text, out);
}

std::optional<int64_t> ParseDecimal(const Product& p, std::string_view text) {
  text = TrimBlanks(text);
  const bool negative = TakeSign(text);
  const size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view frac =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && frac.empty()) return std::nullopt;
  while (static_cast<int>(frac.size()) > p.decimals && frac.back() == '0') frac.remove_suffix(1);
  if (static_cast<int>(frac.size()) > p.decimals) return std::nullopt;
  const std::optional<int64_t> w = whole.empty() ? std::optional<int64_t>(0) : Digits(whole);
  const std::optional<int64_t> f = frac.empty() ? std::optional<int64_t>(0) : Digits(frac);
  const int64_t scale = Pow10(p.decimals);
  if (!w || !f || *w > std::numeric_limits<int64_t>::max() / scale - 1) return std::nullopt;
  const int64_t raw = *w * scale + *f * Pow10(p.decimals - static_cast<int>(frac.size()));
  return negative ? -raw : raw;
}

// Fraction quotes: whole points, an apostrophe, and the part of a point in
// 1/fraction steps (two digits for 32nds, one for 8ths). Finer ticks add a
// digit for the part of a step: halves as 5, quarters as 2, 5 and 7.
std::string FormatQuoted(const Product& p, int64_t raw) {
  const int64_t perPoint = TicksPerPoint(p);
  if (p.fraction <= 0 || perPoint <= 0 ||
      (perPoint % p.fraction != 0 && p.fraction % perPoint != 0)) {
    return FormatDecimal(p, raw);
  }
  const int64_t scale = Pow10(p.decimals);
  const bool negative = raw < 0;
  const int64_t magnitude = negative ? -raw : raw;
  const int64_t whole = magnitude / scale;
  const int64_t ticks = magnitude % scale / p.tick;  // ticks into the point
  const int64_t steps = ticks * p.fraction / perPoint;
  const int width = p.fraction >= 10 ? 2 : 1;
  char text[96];
  if (perPoint <= p.fraction) {
    std::snprintf(text, sizeof text, "%s%lld'%0*lld", negative ? "-" : "",
                  static_cast<long long>(whole), width, static_cast<long long>(steps));
  } else {
    const int64_t rest = ticks * p.fraction % perPoint;
    std::snprintf(text, sizeof text, "%s%lld'%0*lld%lld", negative ? "-" : "",
                  static_cast<long long>(whole), width, static_cast<long long>(steps),
                  static_cast<long long>(rest * 10 / perPoint));
  }
  return text;
}

std::optional<int64_t> ParseQuoted(const Product& p, std::string_view text) {
  text = TrimBlanks(text);
  if (text.find('\'') == std::string_view::npos) return ParseDecimal(p, text);
  const int64_t perPoint = TicksPerPoint(p);
  if (p.fraction <= 0 || perPoint <= 0 ||
      (perPoint % p.fraction != 0 && p.fraction % perPoint != 0)) {
    return std::nullopt;
  }
  const bool negative = TakeSign(text);
  const size_t mark = text.find('\'');
  const std::optional<int64_t> whole = Digits(text.substr(0, mark));
  const std::string_view part = text.substr(mark + 1);
  const size_t width = p.fraction >= 10 ? 2 : 1;
  const bool finer = perPoint > p.fraction;
  if (!whole || part.size() < width || part.size() > width + (finer ? 1 : 0)) return std::nullopt;
  const std::optional<int64_t> steps = Digits(part.substr(0, width));
  const std::optional<int64_t> extra =
      part.size() > width ? Digits(part.substr(width)) : std::optional<int64_t>(0);
  if (!steps || !extra || *steps >= p.fraction) return std::nullopt;
  int64_t ticks = 0;
  if (finer) {
    const int64_t sub = perPoint / p.fraction;         // ticks a step
    const int64_t subTicks = (*extra * sub + 9) / 10;  // 5 -> 1 of 2; 2, 5, 7 -> 1, 2, 3 of 4
    if (subTicks >= sub) return std::nullopt;
    ticks = *steps * sub + subTicks;
  } else {
    // Steps finer than the tick: only whole ticks are prices.
    if (*steps * perPoint % p.fraction != 0) return std::nullopt;
    ticks = *steps * perPoint / p.fraction;
  }
  const int64_t scale = Pow10(p.decimals);
  if (*whole > std::numeric_limits<int64_t>::max() / scale - 1) return std::nullopt;
  const int64_t raw = *whole * scale + ticks * p.tick;
  return negative ? -raw : raw;
}

std::string FormatAmount(double amount, int decimals) {
  // No "-0.00" for what rounds to nothing.
  if (std::fabs(amount) < 0.5 / static_cast<double>(Pow10(decimals)) || !std::isfinite(amount)) {
    amount = 0;
  }
  char text[64];
  if (decimals >= 0) {
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed, decimals);
    if (ec == std::errc()) return std::string(text, end);
  }
  // Too long for the buffer: cut as the C library cuts it.
  std::snprintf(text, sizeof text, "%.*f", decimals, amount);
  return text;
}

std::string FormatValue(const Product& p, std::string_view value, int32_t kind) {
  std::optional<int64_t> raw;
  switch (kind) {
    case 0:
      raw = ParseRaw(value);
      return raw ? FormatDecimal(p, *raw) : std::string(value);
    case 1:
      raw = ParseDecimal(p, value);
      return raw ? FormatQuoted(p, *raw) : std::string(value);
    case 2:
      raw = ParseQuoted(p, value);
      return raw ? std::to_string(*raw) : std::string(value);
  }
  return std::string(value);
}

}  // namespace zqk::sandbox::market
