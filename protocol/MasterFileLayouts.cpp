#include "protocol/MasterFileLayouts.h"

#include "protocol/FieldNames.h"
#include "protocol/ReplyFields.h"

namespace zqk::protocol {
namespace {

using namespace fields;
namespace f = field;

constexpr Field kFutureColumns[] = {
    Code(f::kProductCode, 16),   Text(f::kProductName, 40),    Text(f::kEnglishName, 40),
    Code(f::kRootCode, 8),       Text(f::kRootName, 20),       Code(f::kExchange, 8),
    Code(f::kCurrency, 3),       Digits(f::kContractMonth, 6), Digits(f::kDecimals, 1),
    Decimal(f::kTickSize, 12),   Decimal(f::kTickValue, 12),   Digits(f::kContractSize, 12),
    Digits(f::kFractionBase, 2), Date(f::kListedDate),         Date(f::kLastTradingDay),
    Decimal(f::kMarginRate, 5),
};

constexpr Field kOptionColumns[] = {
    Code(f::kProductCode, 16), Text(f::kProductName, 40),    Text(f::kEnglishName, 40),
    Code(f::kRootCode, 8),     Text(f::kRootName, 20),       Code(f::kUnderlying, 16),
    Code(f::kCallOrPut, 1),    Decimal(f::kStrike, 12),      Code(f::kExchange, 8),
    Code(f::kCurrency, 3),     Digits(f::kContractMonth, 6), Digits(f::kDecimals, 1),
    Decimal(f::kTickSize, 12), Decimal(f::kTickValue, 12),   Digits(f::kContractSize, 12),
    Date(f::kListedDate),      Date(f::kLastTradingDay),
};

constexpr MasterFileLayout kFiles[] = {
    {"futures", "ovs_future.mst", kFutureColumns},
    {"option", "ovs_option.mst", kOptionColumns},
};

static_assert(kFiles[0].RowWidth() == 203 && kFiles[1].RowWidth() == 225);

}  // namespace

const MasterFileLayout& OverseasFutureFile() {
  return kFiles[0];
}

const MasterFileLayout& OverseasOptionFile() {
  return kFiles[1];
}

std::span<const MasterFileLayout> MasterFileLayouts() {
  return kFiles;
}

const MasterFileLayout* FindMasterFileLayout(std::string_view fileName) {
  for (const MasterFileLayout& file : kFiles) {
    if (file.fileName == fileName) return &file;
  }
  return nullptr;
}

}  // namespace zqk::protocol
