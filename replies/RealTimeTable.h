#pragma once
// What the console does with each real type of the agent's real-time data:
// which fields of "OutRec1" row 0 it reads, how it trims them, whether they
// fill the quote display, whether the order-number filter holds them back,
// and which lines it logs. One row per real type.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/FieldNames.h"

namespace zqk {

enum class RealTrim : uint8_t {
  kNone,
  kRight,  // trailing white space
  kBoth,   // leading and trailing white space
};

enum class RealAction : uint8_t {
  kFields,      // read the fields; display, filter, log and store as the row says
  kTradeQuote,  // the overseas trade: the fields, the price conversions and the raw block
  kRawBlock,    // one raw block under the key "0", logged as it comes
  kSilent,      // accepted, nothing read or logged
};

// A line argument that is the real type rather than a field.
inline constexpr int8_t kRealTypeArg = -1;

struct RealLine {
  // %s and %d placeholders, filled in order: %s from a field, %d the real type.
  std::string_view format;
  // One entry per placeholder: a field index, or kRealTypeArg.
  std::span<const int8_t> args;
};

struct RealTypeRow {
  int32_t realType = 0;
  RealAction action = RealAction::kSilent;
  std::span<const std::string_view> fields = {};
  RealTrim trim = RealTrim::kNone;  // every field but the buy/sell code, which is never trimmed
  bool display = false;             // fields 0 to 3 go into the quote display 1027 to 1030
  bool filtered = false;  // logged only when field 0, the order number, is the last accepted one
  bool accepts = false;   // field 0 becomes the last accepted order number, after the lines
  std::span<const RealLine> lines = {};
};

// No row reads more fields, and no line has more arguments, than this: a
// record is decoded without allocating room for them.
inline constexpr size_t kMaxRealFields = 8;

// The row of `realType`; nullptr for a real type the console does not know.
const RealTypeRow* FindRealTypeRow(int32_t realType);

// The field that is never trimmed, whatever the row says.
inline constexpr std::string_view kBuySellField = field::kBuySell;
// The order-number field, which the filter compares and acceptances store.
inline constexpr std::string_view kOrderNumberField = field::kOrderNumber;

}  // namespace zqk
