#pragma once
// Reading a query's fixed-width input, and the checks every service shares:
// the account is the signed-in user's, of the right market, with its
// password; the product is listed. Each check throws Refused with the
// reason, so a service reads as the happy path.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/Layout.h"
#include "sandbox/events/LayoutRow.h"
#include "sandbox/market/Users.h"
#include "sandbox/services/ServiceTable.h"
#include "text/Blanks.h"

namespace zqk::sandbox {

namespace market {
class AccountBook;
struct Product;
}  // namespace market

// A query's input, read field by field as its code's layout places them.
class QueryInput {
 public:
  explicit QueryInput(const QueryContext& q) : QueryInput(q.request.input, q.input) {}
  QueryInput(std::string_view text, const protocol::InputLayout& layout)
      : text_(text), layout_(layout) {}

  // The bytes of a field as far as the input holds them.
  std::string_view Raw(std::string_view field) const;
  // The same without blanks around.
  std::string_view Text(std::string_view field) const;
  // A whole number in the field, the layout's fallback when it is blank;
  // refuses one that is not a number or lies outside the layout's range.
  int32_t Number(std::string_view field) const;
  // A date YYYYMMDD in the field; nullopt when blank.
  std::optional<int32_t> Date(std::string_view field) const;

 private:
  // The layout's field of that name; a name the layout lacks is a fault of
  // the service (std::logic_error).
  const protocol::InputField& Field(std::string_view name) const;

  std::string_view text_;
  const protocol::InputLayout& layout_;
};

// A whole number `text` (without blanks around), `fallback` when blank;
// refuses one that is not a number or lies outside [min, max], naming it by
// `what`.
int32_t NumberOf(std::string_view text, int32_t fallback, int32_t min, int32_t max,
                 std::string_view what);

// A row of the record `record` of the query's reply, filled by its layout.
LayoutRow AddReplyRow(EventData& d, const QueryContext& q,
                      std::string_view record = protocol::kOutRec1);

// The signed-in user's account `number` with `password`, of one of
// `markets`; refuses another user's or an unknown account, one of another
// market, and a wrong password.
market::AccountBook& CheckedAccount(QueryContext& q, std::string_view number,
                                    std::string_view password,
                                    std::initializer_list<Market> markets);
// The same without the password (services that report whether it matches).
market::AccountBook& OwnAccount(QueryContext& q, std::string_view number,
                                std::initializer_list<Market> markets);

// A listed product of one of `markets` (trailing blanks ignored); refuses
// an empty or unknown code.
const market::Product& CheckedProduct(QueryContext& q, std::string_view code,
                                      std::initializer_list<Market> markets);

}  // namespace zqk::sandbox
