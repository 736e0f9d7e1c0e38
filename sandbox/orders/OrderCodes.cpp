#include "sandbox/orders/OrderCodes.h"

#include <vector>

namespace zqk::sandbox::orders {
namespace {

using market::OrderAction;

OrderAction ActionOf(OrderKind kind) {
  switch (kind) {
    case OrderKind::kNew:
    case OrderKind::kCmeNew:
      return OrderAction::kNew;
    case OrderKind::kAmend:
    case OrderKind::kCmeAmend:
      return OrderAction::kAmend;
    case OrderKind::kCancel:
    case OrderKind::kCmeCancel:
      break;
  }
  return OrderAction::kCancel;
}

bool IsCme(OrderKind kind) {
  return kind == OrderKind::kCmeNew || kind == OrderKind::kCmeAmend ||
         kind == OrderKind::kCmeCancel;
}

std::vector<OrderCode> Codes() {
  std::vector<OrderCode> codes;
  for (const protocol::OrderCode& c : protocol::AllOrderCodes()) {
    codes.push_back(OrderCode{c.code, c.market, ActionOf(c.kind), IsCme(c.kind), c.layout});
  }
  return codes;
}

}  // namespace

const OrderCode* FindOrderCode(std::string_view code) {
  static const std::vector<OrderCode> kCodes = Codes();
  for (const OrderCode& c : kCodes) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

}  // namespace zqk::sandbox::orders
