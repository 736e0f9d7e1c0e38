#pragma once
// The checks an order passes before the broker accepts it, in this order:
// the account (the signed-in user's, of the order's market) and its
// password, the product, then for a new order the side, price condition,
// fill condition, price (on the product's tick grid), quantity and the
// overseas extras; for an amend or cancel the order it names (in the
// account, with something still open, of the same product, side and price
// condition). The first check that fails is the refusal. Margin is not
// checked: the accounts' seeded positions hold more margin than some of them
// have equity, and every order of theirs would be refused; the order feed
// reports the available amount instead.

#include <cstdint>
#include <string>
#include <variant>

#include "sandbox/ledger/Ledger.h"
#include "sandbox/orders/OrderCodes.h"
#include "sandbox/orders/OrderLayout.h"

namespace zqk::sandbox {
class Broker;
}

namespace zqk::sandbox::orders {

// Most orders a record may ask for at once.
inline constexpr int32_t kMaxQuantity = 99'999;

struct ValidOrder {
  market::AccountBook* book = nullptr;
  // New: the whole order. Amend: the product, the new price (0 keeps the
  // old one) and quantity (0 keeps all that is open). Cancel: the product
  // and the quantity (0: all that is open).
  market::OrderTicket ticket;
  const market::Order* target = nullptr;  // amend and cancel
  int32_t validUntil = 0;                 // YYYYMMDD, GTD orders
};

using Validation = std::variant<ValidOrder, Refusal>;

Validation ValidateOrder(const OrderCode& code, const OrderRecord& record, Broker& broker);

// The account's order `number`, also when typed without its leading zeros.
const market::Order* FindOrderByNumber(const market::AccountBook& book, std::string_view number);

}  // namespace zqk::sandbox::orders
