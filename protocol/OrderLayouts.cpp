#include "protocol/OrderLayouts.h"

#include <algorithm>

#include "protocol/FieldNames.h"
#include "protocol/TrCodes.h"

namespace zqk::protocol {
namespace {

using enum OrderField;
using K = FieldKind;

struct OrderFieldInfo {
  std::string_view name;
  FieldKind kind;
};

// By OrderField.
constexpr OrderFieldInfo kFieldInfo[] = {
    {field::kAccountNumber, K::kAccount}, {field::kPassword, K::kText},
    {field::kProductCode, K::kCode},      {field::kBuySell, K::kCode},
    {field::kPriceType, K::kCode},        {field::kFillCondition, K::kCode},
    {field::kOrderPrice, K::kDecimal},    {field::kOrderQuantity, K::kDigits},
    {field::kOriginalOrder, K::kDigits},  {field::kStrategy, K::kCode},
    {field::kStopPrice, K::kDecimal},     {field::kIocQuantity, K::kDigits},
    {field::kOptionExercise, K::kCode},   {field::kValidDate, K::kDateTime},
    {field::kFxOrderType, K::kCode},      {field::kUserField, K::kText},
};
static_assert(std::size(kFieldInfo) == static_cast<size_t>(OrderField::kCount));

constexpr OrderRecordField kDomesticNew[] = {
    {kAccount, 11},      {kPassword, 8}, {kProduct, 32}, {kBuySell, 1},    {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 13},   {kQuantity, 5}, {kUserField, 60},
};
constexpr OrderRecordField kDomesticAmendCancel[] = {
    {kAccount, 11},      {kPassword, 8}, {kProduct, 32}, {kBuySell, 1},     {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 13},   {kQuantity, 5}, {kOrigOrderNo, 7}, {kUserField, 60},
};
constexpr OrderRecordField kOverseasNew[] = {
    {kAccount, 6},   {kPassword, 8},         {kProduct, 32},     {kBuySell, 1},
    {kPriceType, 1}, {kFillCondition, 1},    {kPrice, 15},       {kQuantity, 10},
    {kStrategy, 1},  {kDesignatedPrice, 15}, {kIocQuantity, 10}, {kOptionExercise, 1},
    {kValidDate, 8}, {kUserField, 60},
};
// An amendment or cancellation keeps the side, exercise and expiry of the
// original order, so the overseas record carries none of them.
constexpr OrderRecordField kOverseasAmendCancel[] = {
    {kAccount, 6},       {kPassword, 8},         {kProduct, 32},     {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 15},           {kQuantity, 10},    {kOrigOrderNo, 10},
    {kStrategy, 1},      {kDesignatedPrice, 15}, {kIocQuantity, 10}, {kUserField, 60},
};
// FX New as the FX margin sample record has it: the side and the price share
// what the sample shows as one 21-byte stretch ("11.24633": buy at 1.24633),
// then the quantity in lots and a three-letter order type.
constexpr OrderRecordField kFxNew[] = {
    {kAccount, 6}, {kPassword, 8},  {kProduct, 32},    {kBuySell, 1},
    {kPrice, 20},  {kQuantity, 15}, {kFxOrderType, 3}, {kUserField, 60},
};
// FX Amend: FX Cancel's fields, then the new price and quantity in FX New's
// widths.
constexpr OrderRecordField kFxAmend[] = {
    {kAccount, 6}, {kPassword, 8},  {kProduct, 32},   {kOrigOrderNo, 20},
    {kPrice, 20},  {kQuantity, 15}, {kUserField, 60},
};
constexpr OrderRecordField kFxCancel[] = {
    {kAccount, 6},
    {kPassword, 8},
    {kProduct, 32},
    {kOrigOrderNo, 20},
};

// The samples stop early: the domestic one inside the quantity (" 1"), the
// overseas one before the user field, the FX margin one after the order type.
constexpr OrderLayout kDomesticNewLayout{
    "D-N", kDomesticNew, true,
    "06801004   6042    201JB245                        111110           1"};
constexpr OrderLayout kDomesticAmendCancelLayout{"D-AC", kDomesticAmendCancel};
constexpr OrderLayout kOverseasNewLayout{"O-N", kOverseasNew, true,
                                         "0158726042    ESU16                           1200       "
                                         "       1         1                                  "};
constexpr OrderLayout kOverseasAmendCancelLayout{"O-AC", kOverseasAmendCancel};
constexpr OrderLayout kFxNewLayout{
    "F-N", kFxNew, false,
    "0175396042    EUR/USD                         11.24633             1              CEO"};
constexpr OrderLayout kFxAmendLayout{"F-A", kFxAmend, false};
constexpr OrderLayout kFxCancelLayout{"F-C", kFxCancel};

// The CME kinds share the layouts of the plain kinds; only their codes differ.
constexpr OrderCode kOrderCodes[] = {
    {tr::kDomesticNewOrder, Market::kDomestic, OrderKind::kNew, &kDomesticNewLayout},
    {tr::kDomesticAmendOrder, Market::kDomestic, OrderKind::kAmend, &kDomesticAmendCancelLayout},
    {tr::kDomesticCancelOrder, Market::kDomestic, OrderKind::kCancel, &kDomesticAmendCancelLayout},
    {tr::kDomesticCmeNewOrder, Market::kDomestic, OrderKind::kCmeNew, &kDomesticNewLayout},
    {tr::kDomesticCmeAmendOrder, Market::kDomestic, OrderKind::kCmeAmend,
     &kDomesticAmendCancelLayout},
    {tr::kDomesticCmeCancelOrder, Market::kDomestic, OrderKind::kCmeCancel,
     &kDomesticAmendCancelLayout},
    {tr::kOverseasNewOrder, Market::kOverseas, OrderKind::kNew, &kOverseasNewLayout},
    {tr::kOverseasAmendOrder, Market::kOverseas, OrderKind::kAmend, &kOverseasAmendCancelLayout},
    {tr::kOverseasCancelOrder, Market::kOverseas, OrderKind::kCancel, &kOverseasAmendCancelLayout},
    {tr::kFxNewOrder, Market::kFxMargin, OrderKind::kNew, &kFxNewLayout},
    {tr::kFxAmendOrder, Market::kFxMargin, OrderKind::kAmend, &kFxAmendLayout},
    {tr::kFxCancelOrder, Market::kFxMargin, OrderKind::kCancel, &kFxCancelLayout},
};

static_assert(kDomesticNewLayout.Width() == 132 && kDomesticAmendCancelLayout.Width() == 139);
static_assert(kOverseasNewLayout.Width() == 169 && kOverseasAmendCancelLayout.Width() == 169);
static_assert(kFxCancelLayout.Width() == 66);

}  // namespace

std::string_view OrderFieldName(OrderField field) {
  return kFieldInfo[static_cast<size_t>(field)].name;
}

FieldKind OrderFieldKind(OrderField field) {
  return kFieldInfo[static_cast<size_t>(field)].kind;
}

bool OrderLayout::Has(OrderField field) const {
  return std::any_of(fields.begin(), fields.end(),
                     [field](const OrderRecordField& f) { return f.field == field; });
}

std::optional<size_t> OrderLayout::OffsetOf(OrderField field) const {
  size_t offset = 0;
  for (const OrderRecordField& f : fields) {
    if (f.field == field) return offset;
    offset += f.width;
  }
  return std::nullopt;
}

std::span<const OrderCode> AllOrderCodes() {
  return kOrderCodes;
}

const OrderCode* FindOrderCode(std::string_view code) {
  for (const OrderCode& c : kOrderCodes) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

const OrderLayout* FindOrderLayout(std::string_view code) {
  const OrderCode* c = FindOrderCode(code);
  return c ? c->layout : nullptr;
}

std::optional<OrderFieldAt> OrderFieldAtOffset(const OrderLayout& layout, size_t offset) {
  size_t start = 0;
  for (const OrderRecordField& f : layout.fields) {
    if (offset < start + f.width) return OrderFieldAt{&f, start};
    start += f.width;
  }
  return std::nullopt;
}

}  // namespace zqk::protocol

namespace zqk {

std::optional<OrderKind> OrderKindAt(int listIndex) {
  if (listIndex < 0 || listIndex >= kOrderKindCount) return std::nullopt;
  return static_cast<OrderKind>(listIndex);
}

std::optional<std::string_view> OrderTrCode(Market market, OrderKind kind) {
  for (const protocol::OrderCode& c : protocol::AllOrderCodes()) {
    if (c.market == market && c.kind == kind) return c.code;
  }
  return std::nullopt;
}

}  // namespace zqk
