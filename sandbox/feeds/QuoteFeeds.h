#pragma once
// The quote feeds the sandbox sends for AddReal, by real type: which keys
// each takes and the record each tick carries (record "OutRec1", one row,
// and the raw block where the type has one), by the type's layout
// (protocol/RealTypes.h). Prices are in the product's decimal form, except
// the overseas trade and book, which carry them raw (the integer that
// FormatValue kind 0 turns into the decimal form).
//
//   51   domestic futures and options: the five-level book
//   52   overseas futures and options: the five-level book (raw prices)
//   58   domestic futures and options: the best quotes, Latin field names
//   65   domestic futures and options: the last trade
//   66   domestic options: the model's value and sensitivities
//   71   domestic futures and options: the last trade, as 65
//   75   FX pairs: the five-level book
//   82   overseas futures and options: the last trade (raw prices) and its
//        block
//   101  the domestic indices KOSPI200 and KOSPI: the index
//   171  FX pairs: the best quotes
//   208  key "0": the server's date and time and the market state, and its
//        block

#include <cstdint>
#include <string_view>

#include "protocol/RealTypes.h"
#include "sandbox/events/EventData.h"
#include "sandbox/market/SimulatedMarket.h"

namespace zqk::sandbox::feeds {

// What one tick of a feed is built from.
struct QuoteSource {
  int32_t realType;
  const market::Product* product;    // null for key "0"
  const market::Snapshot* snapshot;  // null for key "0"
  market::SimulatedMarket& market;
  int64_t atMs;
  market::LocalTime local;
};

struct QuoteFeedType {
  int32_t realType;
  // Whether the feed takes the product (null: the key names none).
  bool (*takes)(const market::Product* product, std::string_view key);
  EventData (*build)(const QuoteSource& source);
};

// Null for a real type that is no quote feed of the sandbox.
const QuoteFeedType* FindQuoteFeed(int32_t realType);
// The real types of the account order feeds (AddOrderReal), which AddReal
// does not take.
bool IsOrderFeedType(int32_t realType);

}  // namespace zqk::sandbox::feeds
