#pragma once
// The sample requests that a market radio writes into the dialog, so that each
// request of the console has a ready sample in its market: query, FID,
// real-time and order-feed inputs, the order TR code and a sample order
// record; and the pick lists of the order form in that market.

#include <span>
#include <string>
#include <string_view>

#include "dialog/ControlId.h"
#include "protocol/Market.h"

namespace zqk {

struct SampleText {
  ControlId id;
  std::string text;  // CP949
};

// The samples of a market, in the order they are written: TR code 1010,
// TR input 1012, FID code 1011, FID input 1013, FID field list 1025,
// real-time key 1016, real type 1017, order-feed account 1020, order TR
// code 1022 and order record 1023.
std::span<const SampleText> MarketSamples(Market market);

// The sample text of one control in a market; empty for a control without one.
std::string_view MarketSample(Market market, ControlId id);

// Three-digit field numbers from 0 to `last`, one after another.
std::string FieldNumberList(int last);

struct PickList {
  ControlId id;
  std::span<const std::string_view> items;
};

// The lists a market radio refills, in the order it fills them: price
// condition 1048 and fill condition 1049 (domestic, overseas), and the order
// kinds 1058 (overseas, FX margin; the domestic kinds follow the language).
// FX margin leaves 1048 and 1049 as the previous market filled them.
std::span<const PickList> MarketPickLists(Market market);

}  // namespace zqk
