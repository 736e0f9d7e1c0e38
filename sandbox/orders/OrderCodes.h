#pragma once
// The order TR codes the broker takes through SendOrder, as the order desk
// works with them: the market, the action, whether it is the domestic night
// session's (CME: the same layouts under codes of their own), and the record
// layout, all from the broker's order table (protocol/OrderLayouts.h).

#include <string_view>

#include "protocol/OrderLayouts.h"
#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/Users.h"

namespace zqk::sandbox::orders {

struct OrderCode {
  std::string_view code;
  Market market;
  market::OrderAction action;
  bool cme;
  const protocol::OrderLayout* layout;
};

// Null for a code that is not an order code. Codes compare exactly.
const OrderCode* FindOrderCode(std::string_view code);

}  // namespace zqk::sandbox::orders
