#pragma once
// The three markets of the order form, chosen by radios 1033 to 1035.

#include <optional>

namespace zqk {

enum class Market { kDomestic, kOverseas, kFxMargin };

// The market of the first checked radio, tested in the order domestic,
// overseas, FX margin; none when no radio is checked.
constexpr std::optional<Market> FirstCheckedMarket(bool domestic, bool overseas, bool fxMargin) {
  if (domestic) return Market::kDomestic;
  if (overseas) return Market::kOverseas;
  if (fxMargin) return Market::kFxMargin;
  return std::nullopt;
}

}  // namespace zqk
