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

#include "sandbox/market/Users.h"
#include "sandbox/services/ServiceTable.h"
#include "text/Blanks.h"

namespace zqk::sandbox {

namespace market {
class AccountBook;
struct Product;
}  // namespace market

class QueryInput {
 public:
  explicit QueryInput(std::string_view text) : text_(text) {}

  size_t size() const { return text_.size(); }
  // The bytes of a field as far as the input holds them.
  std::string_view Raw(size_t offset, size_t width) const;
  // The same without blanks around.
  std::string_view Text(size_t offset, size_t width) const;
  // A whole number in the field, `fallback` when it is blank; refuses one
  // that is not a number or lies outside [min, max]. `what` names the field.
  int32_t Number(size_t offset, size_t width, int32_t fallback, int32_t min, int32_t max,
                 std::string_view what) const;
  // A date YYYYMMDD in the field; nullopt when blank.
  std::optional<int32_t> Date(size_t offset, std::string_view what) const;

 private:
  std::string_view text_;
};

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
