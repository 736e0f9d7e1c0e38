#pragma once
// The fixed-width order records: every field left-aligned and filled with
// blanks to its width in bytes, joined without separators. A record is read
// by the layout of its TR code. Its trailing blanks are optional: it may
// stop anywhere, and the bytes it lacks count as blanks. A record longer
// than its layout, a double-byte character across a field boundary or cut
// at the end, and letters in a numeric field are refused with a reason
// before any value is looked at.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "sandbox/events/SandboxMessages.h"
#include "sandbox/orders/OrderCodes.h"
#include "text/Blanks.h"

namespace zqk::sandbox::orders {

enum class Field : uint8_t {
  kAccount,
  kPassword,
  kProduct,
  kSide,
  kPriceType,
  kFillCondition,
  kPrice,
  kQuantity,
  kOriginal,     // the order to amend or cancel
  kStrategy,     // overseas
  kStopPrice,    // overseas: the designated price of a stop limit
  kIocQuantity,  // overseas
  kExercise,     // overseas options
  kValidUntil,   // overseas GTD
  kFxOrderType,  // FX New
  kUserField,
  kCount,
};

// What a field may hold: any text, digits only, or a price (digits with a
// decimal point or a fraction mark, as prices are typed).
enum class Syntax : uint8_t { kText, kDigits, kPrice };

struct FieldSpec {
  Field field;
  uint16_t width;
};

struct Layout {
  std::string_view name;
  std::span<const FieldSpec> fields;

  // Every field: the longest record of the layout.
  size_t FullLength() const;
  bool Has(Field f) const;
};

const Layout& LayoutOf(LayoutId id);
// The field's name as refusals show it ("주문가격").
std::string_view FieldName(Field f);
Syntax SyntaxOf(Field f);

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

ParseResult ParseRecord(const Layout& layout, std::string_view record);

}  // namespace zqk::sandbox::orders
