#include "requests/OrderComposer.h"

#include <array>
#include <utility>

#include "text/Blanks.h"

namespace zqk {
namespace {

using enum OrderField;

constexpr auto kDomesticNew = std::to_array<LayoutField>({
    {kAccount, 11},
    {kPassword, 8},
    {kProduct, 32},
    {kBuySell, 1},
    {kPriceType, 1},
    {kFillCondition, 1},
    {kPrice, 13},
    {kQuantity, 5},
    {kUserField, 60},
});

constexpr auto kDomesticAmendCancel = std::to_array<LayoutField>({
    {kAccount, 11},
    {kPassword, 8},
    {kProduct, 32},
    {kBuySell, 1},
    {kPriceType, 1},
    {kFillCondition, 1},
    {kPrice, 13},
    {kQuantity, 5},
    {kOrigOrderNo, 7},
    {kUserField, 60},
});

constexpr auto kOverseasNew = std::to_array<LayoutField>({
    {kAccount, 6},
    {kPassword, 8},
    {kProduct, 32},
    {kBuySell, 1},
    {kPriceType, 1},
    {kFillCondition, 1},
    {kPrice, 15},
    {kQuantity, 10},
    {kStrategy, 1},
    {kDesignatedPrice, 15},
    {kIocQuantity, 10},
    {kOptionExercise, 1},
    {kValidDate, 8},
    {kUserField, 60},
});

// An amendment or cancellation keeps the side, exercise and expiry of the
// original order, so the overseas record carries none of them.
constexpr auto kOverseasAmendCancel = std::to_array<LayoutField>({
    {kAccount, 6},
    {kPassword, 8},
    {kProduct, 32},
    {kPriceType, 1},
    {kFillCondition, 1},
    {kPrice, 15},
    {kQuantity, 10},
    {kOrigOrderNo, 10},
    {kStrategy, 1},
    {kDesignatedPrice, 15},
    {kIocQuantity, 10},
    {kUserField, 60},
});

constexpr auto kFxCancel = std::to_array<LayoutField>({
    {kAccount, 6},
    {kPassword, 8},
    {kProduct, 32},
    {kOrigOrderNo, 20},
});

const OrderLayout kDomesticNewLayout{"D-N", kDomesticNew};
const OrderLayout kDomesticAmendCancelLayout{"D-AC", kDomesticAmendCancel};
const OrderLayout kOverseasNewLayout{"O-N", kOverseasNew};
const OrderLayout kOverseasAmendCancelLayout{"O-AC", kOverseasAmendCancel};
const OrderLayout kFxCancelLayout{"F-C", kFxCancel};

}  // namespace

const std::string& OrderFormValues::Get(OrderField field) const {
  switch (field) {
    case kAccount:
      return account;
    case kPassword:
      return password;
    case kProduct:
      return product;
    case kBuySell:
      return buySell;
    case kPriceType:
      return priceType;
    case kFillCondition:
      return fillCondition;
    case kPrice:
      return price;
    case kQuantity:
      return quantity;
    case kOrigOrderNo:
      return origOrderNo;
    case kStrategy:
      return strategy;
    case kDesignatedPrice:
      return designatedPrice;
    case kIocQuantity:
      return iocQuantity;
    case kOptionExercise:
      return optionExercise;
    case kValidDate:
      return validDate;
    case kUserField:
      return userField;
  }
  return userField;  // unreachable: every enumerator is handled
}

std::string& OrderFormValues::Get(OrderField field) {
  return const_cast<std::string&>(std::as_const(*this).Get(field));
}

size_t OrderLayout::Width() const {
  size_t width = 0;
  for (const LayoutField& f : fields) width += f.width;
  return width;
}

std::string ListItemCode(std::string_view itemText) {
  return std::string(itemText.substr(0, 1));
}

std::string PadField(std::string_view value, size_t width, bool leftAlign, char fill) {
  if (value.size() >= width) return std::string(value);
  std::string field;
  field.reserve(width);
  if (leftAlign) {
    field.append(value).append(width - value.size(), fill);
  } else {
    field.append(width - value.size(), fill).append(value);
  }
  return field;
}

const OrderLayout& DomesticNewLayout() {
  return kDomesticNewLayout;
}
const OrderLayout& DomesticAmendCancelLayout() {
  return kDomesticAmendCancelLayout;
}
const OrderLayout& OverseasNewLayout() {
  return kOverseasNewLayout;
}
const OrderLayout& OverseasAmendCancelLayout() {
  return kOverseasAmendCancelLayout;
}
const OrderLayout& FxCancelLayout() {
  return kFxCancelLayout;
}

const OrderLayout* LayoutFor(Market market, OrderKind kind) {
  // The CME kinds share the records of the plain kinds; only their TR codes differ.
  const bool isNew = kind == OrderKind::kNew || kind == OrderKind::kCmeNew;
  const bool isCancel = kind == OrderKind::kCancel || kind == OrderKind::kCmeCancel;
  switch (market) {
    case Market::kDomestic:
      return isNew ? &kDomesticNewLayout : &kDomesticAmendCancelLayout;
    case Market::kOverseas:
      return isNew ? &kOverseasNewLayout : &kOverseasAmendCancelLayout;
    case Market::kFxMargin:
      return isCancel ? &kFxCancelLayout : nullptr;
  }
  return nullptr;
}

std::string ComposeRecord(const OrderFormValues& values, const OrderLayout& layout) {
  std::string record;
  record.reserve(layout.Width());
  for (const LayoutField& f : layout.fields) {
    record += PadField(TrimBlanks(values.Get(f.field)), f.width, true, ' ');
  }
  return record;
}

std::string ComposeOrder(const OrderFormValues& values, Market market, int orderKindIndex) {
  const std::optional<OrderKind> kind = OrderKindAt(orderKindIndex);
  if (!kind) return {};
  const OrderLayout* layout = LayoutFor(market, *kind);
  if (!layout) return {};
  return ComposeRecord(values, *layout);
}

}  // namespace zqk
