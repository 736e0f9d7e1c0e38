#pragma once
// The real types of the broker's real-time data: each type's record (row 0
// of OutRec1) field by field, whether it carries an order number, and the
// raw block it comes with. Quote feeds are registered by key (AddReal), the
// order feed by account (AddOrderReal); each market has its own types of the
// order feed's records.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "protocol/Layout.h"
#include "protocol/Market.h"

namespace zqk::real {

// Quote feeds.
inline constexpr int32_t kDomesticBook = 51;
inline constexpr int32_t kOverseasBook = 52;
inline constexpr int32_t kDomesticBestQuotes = 58;
inline constexpr int32_t kDomesticTrade = 65;
inline constexpr int32_t kOptionModel = 66;
inline constexpr int32_t kDomesticTradeAlt = 71;  // the same record as 65
inline constexpr int32_t kFxBook = 75;
inline constexpr int32_t kOverseasTrade = 82;
inline constexpr int32_t kIndex = 101;
inline constexpr int32_t kFxQuote = 171;
inline constexpr int32_t kServerClock = 208;

// The order feed.
inline constexpr int32_t kDomesticAcceptance = 181;
inline constexpr int32_t kDomesticOpenOrder = 182;
inline constexpr int32_t kDomesticConfirmation = 183;
inline constexpr int32_t kDomesticAvailable = 184;
inline constexpr int32_t kDomesticFill = 185;
inline constexpr int32_t kOverseasOpenOrder = 186;
inline constexpr int32_t kForeignConfirmation = 187;  // overseas and FX margin
inline constexpr int32_t kForeignAvailable = 188;
inline constexpr int32_t kForeignFill = 189;
inline constexpr int32_t kFxOpenOrder = 191;
inline constexpr int32_t kPosition = 192;
inline constexpr int32_t kClose = 193;
inline constexpr int32_t kOverseasAcceptance = 196;
inline constexpr int32_t kFxAcceptance = 197;
inline constexpr int32_t kOpenOrderList = 199;  // once, at AddOrderReal

// The key of the server clock's feed, under which its block is read too.
inline constexpr std::string_view kServerClockKey = "0";

// The real types of the order feed, which AddReal does not take.
inline constexpr int32_t kFirstOrderFeedType = 181;
inline constexpr int32_t kLastOrderFeedType = 199;

}  // namespace zqk::real

namespace zqk::protocol {

enum class RealFeed : uint8_t {
  kQuote,  // AddReal, by key
  kOrder,  // AddOrderReal, by account
};

struct RealTypeLayout {
  int32_t realType;
  std::optional<Market> market;  // nullopt: shared by markets
  RealFeed feed;
  std::string_view nameKo;  // CP949
  std::string_view nameEn;
  std::span<const Field> fields;
  // The field that carries an order number; empty for a type without one.
  std::string_view orderNumberField = {};
  // The raw block read beside the record (GetDataBlock), and the key it is
  // read under: empty for the event's own key.
  const BlockLayout* block = nullptr;
  std::string_view blockKey = {};
};

// Every real type, in ascending order.
std::span<const RealTypeLayout> AllRealTypes();
// Null for a real type the broker does not send.
const RealTypeLayout* FindRealType(int32_t realType);
// The record of a real type that exists; another one is a fault of the
// caller (std::logic_error).
const RealTypeLayout& RealTypeOf(int32_t realType);

// The types of the order feed's records in each market. Positions, closes
// and the open-order list sent at registration share their types.
struct OrderFeedTypes {
  int32_t acceptance;
  int32_t open;
  int32_t fill;
  int32_t confirmation;
  int32_t available;
};
const OrderFeedTypes& OrderFeedTypesOf(Market market);

}  // namespace zqk::protocol
