#pragma once
// The controls that the market samples and pick lists of requests/ fill.

#include <array>

#include "dialog/ControlId.h"
#include "requests/MarketSamples.h"

namespace zqk {

constexpr ControlId SampleControl(SampleField field) {
  constexpr std::array<ControlId, kSampleFieldCount> kControls{
      id::kTrCode,  id::kTrInput,  id::kFidCode,          id::kFidInput,    id::kFidFieldList,
      id::kRealKey, id::kRealType, id::kOrderRealAccount, id::kOrderTrCode, id::kOrderRecord};
  return kControls[static_cast<size_t>(field)];
}

constexpr ControlId PickListControl(PickListField field) {
  constexpr std::array<ControlId, 3> kControls{id::kPriceType, id::kFillCondition, id::kOrderKind};
  return kControls[static_cast<size_t>(field)];
}

}  // namespace zqk
