#include "sandbox/orders/OrderLayout.h"

#include <algorithm>

#include "sandbox/orders/OrderMessages.h"
#include "text/Blanks.h"
#include "text/Cp949Bytes.h"

namespace zqk::sandbox::orders {

std::string_view FieldName(Field f) {
  return protocol::OrderFieldName(f);
}

ParseResult ParseRecord(const protocol::OrderLayout& layout, std::string_view record) {
  // Trailing blanks are optional: a record may stop anywhere, the bytes it
  // lacks count as blanks, and what that leaves empty is refused later for
  // what it is (no product, no quantity, ...). Only a record longer than its
  // layout is refused for its length.
  const size_t full = layout.Width();
  if (record.size() > full) {
    std::string detail = std::to_string(record.size());
    return Refusal{kMsgBadLength, detail.append("/").append(std::to_string(full))};
  }

  // Cut the record into fields, the last ones short or empty where the
  // record stops; a double-byte character must start and end inside one
  // field, and is cut when the record stops after its first byte.
  OrderRecord values;
  size_t at = 0;
  for (const protocol::OrderRecordField& spec : layout.fields) {
    const size_t end = std::min(record.size(), at + spec.width);
    size_t i = at;
    while (i < end) {
      if (!IsCp949LeadByte(record[i])) {
        ++i;
        continue;
      }
      if (i + 1 >= end) {
        return Refusal{kMsgSplitCharacter, std::string(FieldName(spec.field))};
      }
      i += 2;
    }
    values.Set(spec.field, TrimBlanks(record.substr(at, end - at)));
    at = end;
  }
  for (const protocol::OrderRecordField& spec : layout.fields) {
    const std::string_view value = values[spec.field];
    if (!protocol::FitsKind(protocol::OrderFieldKind(spec.field), value)) {
      std::string detail(FieldName(spec.field));
      detail.append("=").append(value);
      return Refusal{kMsgNotANumber, detail};
    }
  }
  return values;
}

}  // namespace zqk::sandbox::orders
