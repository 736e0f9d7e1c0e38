#pragma once
// Reading the fixed-width order records by their TR code's layout
// (protocol/OrderLayouts.h): every field left-aligned and filled with blanks
// to its width in bytes, joined without separators. A record's trailing
// blanks are optional: it may stop anywhere, and the bytes it lacks count as
// blanks. A record longer than its layout, a double-byte character across a
// field boundary or cut at the end, and letters in a numeric field are
// refused with a reason before any value is looked at.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "protocol/OrderLayouts.h"
#include "sandbox/events/SandboxMessages.h"
#include "sandbox/orders/OrderCodes.h"

namespace zqk::sandbox::orders {

using Field = OrderField;

// The field's name as refusals show it ("주문가격").
std::string_view FieldName(Field f);

// Why an order is refused: the message and its detail (CP949).
struct Refusal {
  Message message;
  std::string detail;
};

// The values of one record, trimmed of blanks; a field the layout lacks is
// empty.
class OrderRecord {
 public:
  std::string_view operator[](Field f) const { return values_[static_cast<size_t>(f)]; }
  void Set(Field f, std::string_view value) { values_[static_cast<size_t>(f)] = value; }

 private:
  std::array<std::string, static_cast<size_t>(Field::kCount)> values_;
};

using ParseResult = std::variant<OrderRecord, Refusal>;

ParseResult ParseRecord(const protocol::OrderLayout& layout, std::string_view record);

}  // namespace zqk::sandbox::orders
