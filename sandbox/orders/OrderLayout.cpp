#include "sandbox/orders/OrderLayout.h"

#include <algorithm>

#include "sandbox/orders/OrderMessages.h"
#include "text/Cp949Bytes.h"

namespace zqk::sandbox::orders {
namespace {

using enum Field;

struct FieldInfo {
  std::string_view name;
  Syntax syntax;
};

// By Field.
constexpr FieldInfo kFieldInfo[] = {
    {"계좌번호", Syntax::kDigits},   {"비밀번호", Syntax::kText},
    {"종목코드", Syntax::kText},     {"매매구분", Syntax::kText},
    {"가격조건", Syntax::kText},     {"체결조건", Syntax::kText},
    {"주문가격", Syntax::kPrice},    {"주문수량", Syntax::kDigits},
    {"원주문번호", Syntax::kDigits}, {"전략구분", Syntax::kText},
    {"지정가격", Syntax::kPrice},    {"IOC수량", Syntax::kDigits},
    {"옵션행사", Syntax::kText},     {"주문유효일자", Syntax::kDigits},
    {"주문유형", Syntax::kText},     {"사용자필드", Syntax::kText},
};
static_assert(std::size(kFieldInfo) == static_cast<size_t>(kCount));

constexpr FieldSpec kDomesticNew[] = {
    {kAccount, 11},      {kPassword, 8}, {kProduct, 32}, {kSide, 1},       {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 13},   {kQuantity, 5}, {kUserField, 60},
};
constexpr FieldSpec kDomesticAmendCancel[] = {
    {kAccount, 11},      {kPassword, 8}, {kProduct, 32}, {kSide, 1},     {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 13},   {kQuantity, 5}, {kOriginal, 7}, {kUserField, 60},
};
constexpr FieldSpec kOverseasNew[] = {
    {kAccount, 6},       {kPassword, 8}, {kProduct, 32},   {kSide, 1},       {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 15},   {kQuantity, 10},  {kStrategy, 1},   {kStopPrice, 15},
    {kIocQuantity, 10},  {kExercise, 1}, {kValidUntil, 8}, {kUserField, 60},
};
constexpr FieldSpec kOverseasAmendCancel[] = {
    {kAccount, 6},       {kPassword, 8},   {kProduct, 32},     {kPriceType, 1},
    {kFillCondition, 1}, {kPrice, 15},     {kQuantity, 10},    {kOriginal, 10},
    {kStrategy, 1},      {kStopPrice, 15}, {kIocQuantity, 10}, {kUserField, 60},
};
// FX New as the console's FX sample record has it: the side and the price
// share what the sample shows as one 21-byte stretch ("11.24633": buy at
// 1.24633), then the quantity in lots and a three-letter order type.
constexpr FieldSpec kFxNew[] = {
    {kAccount, 6}, {kPassword, 8},  {kProduct, 32},    {kSide, 1},
    {kPrice, 20},  {kQuantity, 15}, {kFxOrderType, 3}, {kUserField, 60},
};
// FX Amend: FX Cancel's fields, then the new price and quantity in FX New's
// widths.
constexpr FieldSpec kFxAmend[] = {
    {kAccount, 6}, {kPassword, 8},  {kProduct, 32},   {kOriginal, 20},
    {kPrice, 20},  {kQuantity, 15}, {kUserField, 60},
};
constexpr FieldSpec kFxCancel[] = {
    {kAccount, 6},
    {kPassword, 8},
    {kProduct, 32},
    {kOriginal, 20},
};

// By LayoutId.
constexpr Layout kLayouts[] = {
    {"D-N", kDomesticNew}, {"D-AC", kDomesticAmendCancel},
    {"O-N", kOverseasNew}, {"O-AC", kOverseasAmendCancel},
    {"F-N", kFxNew},       {"F-A", kFxAmend},
    {"F-C", kFxCancel},
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Digits, optionally with a sign, one decimal point or one fraction mark
// ("2175.25", "167'16"); the value itself is checked against the product
// later.
bool IsPriceText(std::string_view s) {
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
  int marks = 0;
  int digits = 0;
  for (char c : s) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.' || c == '\'') {
      ++marks;
    } else {
      return false;
    }
  }
  return digits > 0 && marks <= 1;
}

bool Fits(Syntax syntax, std::string_view value) {
  if (value.empty()) return true;
  switch (syntax) {
    case Syntax::kText:
      return true;
    case Syntax::kDigits:
      return std::all_of(value.begin(), value.end(), IsDigit);
    case Syntax::kPrice:
      return IsPriceText(value);
  }
  return false;
}

}  // namespace

size_t Layout::FullLength() const {
  size_t n = 0;
  for (const FieldSpec& f : fields) n += f.width;
  return n;
}

bool Layout::Has(Field f) const {
  return std::any_of(fields.begin(), fields.end(),
                     [f](const FieldSpec& s) { return s.field == f; });
}

const Layout& LayoutOf(LayoutId id) {
  return kLayouts[static_cast<size_t>(id)];
}

std::string_view FieldName(Field f) {
  return kFieldInfo[static_cast<size_t>(f)].name;
}

Syntax SyntaxOf(Field f) {
  return kFieldInfo[static_cast<size_t>(f)].syntax;
}

ParseResult ParseRecord(const Layout& layout, std::string_view record) {
  // Trailing blanks are optional: a record may stop anywhere, the bytes it
  // lacks count as blanks, and what that leaves empty is refused later for
  // what it is (no product, no quantity, ...). Only a record longer than its
  // layout is refused for its length.
  const size_t full = layout.FullLength();
  if (record.size() > full) {
    std::string detail = std::to_string(record.size());
    return Refusal{kMsgBadLength, detail.append("/").append(std::to_string(full))};
  }

  // Cut the record into fields, the last ones short or empty where the
  // record stops; a double-byte character must start and end inside one
  // field, and is cut when the record stops after its first byte.
  OrderRecord values;
  size_t at = 0;
  for (const FieldSpec& spec : layout.fields) {
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
  for (const FieldSpec& spec : layout.fields) {
    const std::string_view value = values[spec.field];
    if (!Fits(SyntaxOf(spec.field), value)) {
      std::string detail(FieldName(spec.field));
      detail.append("=").append(value);
      return Refusal{kMsgNotANumber, detail};
    }
  }
  return values;
}

}  // namespace zqk::sandbox::orders
