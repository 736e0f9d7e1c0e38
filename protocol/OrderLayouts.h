#pragma once
// The order records: the fixed-width layout of every market and order kind,
// field by field (width, alignment, fill, kind), with the TR code that each
// order kind is sent under in each market. The console composes the records
// of the layouts marked composed; the sandbox reads every layout. FX margin
// New and Amend have layouts the sandbox reads, but Apply Order composes
// neither: the FX margin radio's sample is the FX margin New record the
// console offers.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "protocol/Layout.h"
#include "protocol/Market.h"

namespace zqk {

// Order kinds by their index in the order-kind list 1058. The CME kinds (the
// domestic night session) exist in the domestic market only.
enum class OrderKind { kNew = 0, kAmend, kCancel, kCmeNew, kCmeAmend, kCmeCancel };
inline constexpr int kOrderKindCount = 6;

// The order kind at a list index of 1058; none outside 0 to 5 (no selection).
std::optional<OrderKind> OrderKindAt(int listIndex);

// The TR code under which an order of this kind is sent in this market; none
// for a CME kind outside the domestic market.
std::optional<std::string_view> OrderTrCode(Market market, OrderKind kind);

// The fields of the order records, named after what they carry.
enum class OrderField : uint8_t {
  kAccount,
  kPassword,
  kProduct,
  kBuySell,
  kPriceType,
  kFillCondition,
  kPrice,
  kQuantity,
  kOrigOrderNo,      // the order to amend or cancel
  kStrategy,         // overseas
  kDesignatedPrice,  // overseas: the stop of a stop limit
  kIocQuantity,      // overseas
  kOptionExercise,   // overseas options
  kValidDate,        // overseas GTD
  kFxOrderType,      // FX margin New: CEO limit, CMO market
  kUserField,
  kCount,
};

}  // namespace zqk

namespace zqk::protocol {

// The field's name as the broker's refusals show it ("주문가격"), and the
// kind of value it takes.
std::string_view OrderFieldName(OrderField field);
FieldKind OrderFieldKind(OrderField field);

struct OrderRecordField {
  OrderField field;
  uint16_t width;  // bytes
  Align align = Align::kLeft;
  char fill = ' ';
};

struct OrderLayout {
  std::string_view name;  // "D-N", "D-AC", ...
  std::span<const OrderRecordField> fields;
  // Apply Order composes records of this layout.
  bool composed = true;
  // The record the market radio writes as its sample (it may stop before
  // the layout's end); empty when the market has none of this layout.
  std::string_view sample = {};

  // The record's length when every value fits its field.
  constexpr size_t Width() const {
    size_t width = 0;
    for (const OrderRecordField& f : fields) width += f.width;
    return width;
  }
  bool Has(OrderField field) const;
  // Where the field starts, or nullopt when the layout lacks it.
  std::optional<size_t> OffsetOf(OrderField field) const;
};

struct OrderCode {
  std::string_view code;
  Market market;
  OrderKind kind;
  const OrderLayout* layout;
};

// Every order code, by market and kind.
std::span<const OrderCode> AllOrderCodes();
// Null for a code that is not an order code. Codes compare exactly.
const OrderCode* FindOrderCode(std::string_view code);
const OrderLayout* FindOrderLayout(std::string_view code);

// The field of a record of `layout` that holds byte `offset`, with its own
// offset; nullopt past the layout's end.
struct OrderFieldAt {
  const OrderRecordField* field;
  size_t offset;
};
std::optional<OrderFieldAt> OrderFieldAtOffset(const OrderLayout& layout, size_t offset);

// The account field of an order-feed registration (AddOrderReal): the
// account number, filled with blanks to this width.
inline constexpr size_t kOrderFeedAccountWidth = 11;

}  // namespace zqk::protocol
