#pragma once
// The order TR codes the broker takes through SendOrder, with the market,
// the kind of order and the record layout each one carries. The CME kinds
// are the domestic night session's: the same layouts under codes of their
// own.

#include <string_view>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/Users.h"

namespace zqk::sandbox::orders {

enum class LayoutId : uint8_t {
  kDomesticNew,
  kDomesticAmendCancel,
  kOverseasNew,
  kOverseasAmendCancel,
  kFxNew,
  kFxAmend,
  kFxCancel,
};

struct OrderCode {
  std::string_view code;
  Market market;
  market::OrderAction action;
  bool cme;
  LayoutId layout;
};

// Null for a code that is not an order code. Codes compare exactly.
const OrderCode* FindOrderCode(std::string_view code);

}  // namespace zqk::sandbox::orders
