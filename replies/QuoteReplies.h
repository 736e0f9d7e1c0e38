#pragma once
// The two quote replies that also fill the quote display (edits 1027 to 1030).

#include "replies/TrReply.h"

namespace zqk::reply {

// An overseas current price: the display, the fields, and the agent's chain
// of price conversions, each applied to the result of the one before.
struct OverseasPriceRecord {
  void Decode(const Reply& r) const;
};

// An FX quote: the display shows the ask price as the price and the bid price
// in the volume's place.
struct FxQuoteRecord {
  void Decode(const Reply& r) const;
};

}  // namespace zqk::reply
