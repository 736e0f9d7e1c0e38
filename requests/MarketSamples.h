#pragma once
// The sample requests that a market radio writes into the dialog, so that each
// request of the console has a ready sample in its market: query, FID,
// real-time and order-feed inputs, the order TR code and a sample order
// record; and the pick lists of the order form in that market.

#include <span>
#include <string>
#include <string_view>

#include "protocol/Market.h"

namespace zqk {

// What a sample fills in, by what it holds; the dialog knows its controls.
enum class SampleField {
  kTrCode,
  kTrInput,
  kFidCode,
  kFidInput,
  kFidFieldList,
  kRealKey,
  kRealType,
  kOrderRealAccount,
  kOrderTrCode,
  kOrderRecord,
};
inline constexpr size_t kSampleFieldCount = 10;

struct SampleText {
  SampleField field;
  std::string text;  // CP949
};

// The samples of a market, in the order they are written: TR code, TR input,
// FID code, FID input, FID field list, real-time key, real type, order-feed
// account, order TR code and order record.
std::span<const SampleText> MarketSamples(Market market);

// The sample text of one field in a market.
std::string_view MarketSample(Market market, SampleField field);

// Three-digit field numbers from 0 to `last`, one after another.
std::string FieldNumberList(int last);

// The pick lists of the order form that a market refills.
enum class PickListField { kPriceType, kFillCondition, kOrderKind };

struct PickList {
  PickListField field;
  std::span<const std::string_view> items;
};

// The lists a market radio refills, in the order it fills them: price
// condition and fill condition (domestic, overseas), and the order kinds
// (overseas, FX margin; the domestic kinds follow the language). FX margin
// leaves the price and fill conditions as the previous market filled them.
std::span<const PickList> MarketPickLists(Market market);

}  // namespace zqk
