#include "requests/OrderComposer.h"

#include <utility>

#include "protocol/TrCodes.h"
#include "text/Blanks.h"

namespace zqk {
namespace {

using enum OrderField;

const OrderLayout& LayoutOf(std::string_view trCode) {
  return *protocol::FindOrderLayout(trCode);
}

OrderKind PlainKind(OrderKind kind) {
  switch (kind) {
    case OrderKind::kCmeNew:
      return OrderKind::kNew;
    case OrderKind::kCmeAmend:
      return OrderKind::kAmend;
    case OrderKind::kCmeCancel:
      return OrderKind::kCancel;
    default:
      return kind;
  }
}

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
    case kFxOrderType:
      return fxOrderType;
    case kUserField:
    case kCount:
      break;
  }
  return userField;
}

std::string& OrderFormValues::Get(OrderField field) {
  return const_cast<std::string&>(std::as_const(*this).Get(field));
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
  return LayoutOf(tr::kDomesticNewOrder);
}
const OrderLayout& DomesticAmendCancelLayout() {
  return LayoutOf(tr::kDomesticAmendOrder);
}
const OrderLayout& OverseasNewLayout() {
  return LayoutOf(tr::kOverseasNewOrder);
}
const OrderLayout& OverseasAmendCancelLayout() {
  return LayoutOf(tr::kOverseasAmendOrder);
}
const OrderLayout& FxCancelLayout() {
  return LayoutOf(tr::kFxCancelOrder);
}

const OrderLayout* LayoutFor(Market market, OrderKind kind) {
  // The CME kinds take the records of the plain kinds, in any market: only
  // their codes differ.
  const std::optional<std::string_view> code = OrderTrCode(market, PlainKind(kind));
  const OrderLayout* layout = code ? protocol::FindOrderLayout(*code) : nullptr;
  return layout && layout->composed ? layout : nullptr;
}

std::string ComposeRecord(const OrderFormValues& values, const OrderLayout& layout) {
  std::string record;
  record.reserve(layout.Width());
  for (const protocol::OrderRecordField& f : layout.fields) {
    record += PadField(TrimBlanks(values.Get(f.field)), f.width, f.align != protocol::Align::kRight,
                       f.fill);
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
