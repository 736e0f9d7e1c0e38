#include "protocol/TrCodes.h"

namespace zqk {
namespace {

struct OrderTrRow {
  std::string_view domestic;
  std::string_view overseas;  // empty: no such order kind
  std::string_view fxMargin;
};

// Rows by order kind, columns by market.
constexpr std::array<OrderTrRow, kOrderKindCount> kOrderTrCodes{{
    {tr::kDomesticNewOrder, tr::kOverseasNewOrder, tr::kFxNewOrder},
    {tr::kDomesticAmendOrder, tr::kOverseasAmendOrder, tr::kFxAmendOrder},
    {tr::kDomesticCancelOrder, tr::kOverseasCancelOrder, tr::kFxCancelOrder},
    {tr::kDomesticCmeNewOrder, {}, {}},
    {tr::kDomesticCmeAmendOrder, {}, {}},
    {tr::kDomesticCmeCancelOrder, {}, {}},
}};

}  // namespace

std::optional<OrderKind> OrderKindAt(int listIndex) {
  if (listIndex < 0 || listIndex >= kOrderKindCount) return std::nullopt;
  return static_cast<OrderKind>(listIndex);
}

std::optional<std::string_view> OrderTrCode(Market market, OrderKind kind) {
  const OrderTrRow& row = kOrderTrCodes[static_cast<size_t>(kind)];
  std::string_view code;
  switch (market) {
    case Market::kDomestic:
      code = row.domestic;
      break;
    case Market::kOverseas:
      code = row.overseas;
      break;
    case Market::kFxMargin:
      code = row.fxMargin;
      break;
  }
  if (code.empty()) return std::nullopt;
  return code;
}

}  // namespace zqk
