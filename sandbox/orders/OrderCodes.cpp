#include "sandbox/orders/OrderCodes.h"

namespace zqk::sandbox::orders {
namespace {

using market::OrderAction;
using enum LayoutId;

constexpr OrderCode kOrderCodes[] = {
    {"g12001.DO1601&", Market::kDomestic, OrderAction::kNew, false, kDomesticNew},
    {"g12001.DO1901&", Market::kDomestic, OrderAction::kAmend, false, kDomesticAmendCancel},
    {"g12001.DO1701&", Market::kDomestic, OrderAction::kCancel, false, kDomesticAmendCancel},
    {"g12001.DO2201&", Market::kDomestic, OrderAction::kNew, true, kDomesticNew},
    {"g12001.DO2101&", Market::kDomestic, OrderAction::kAmend, true, kDomesticAmendCancel},
    {"g12001.DO2001&", Market::kDomestic, OrderAction::kCancel, true, kDomesticAmendCancel},
    {"g12003.AO0401%", Market::kOverseas, OrderAction::kNew, false, kOverseasNew},
    {"g12003.AO0402%", Market::kOverseas, OrderAction::kAmend, false, kOverseasAmendCancel},
    {"g12003.AO0403%", Market::kOverseas, OrderAction::kCancel, false, kOverseasAmendCancel},
    {"g12003.AO0501%", Market::kFxMargin, OrderAction::kNew, false, kFxNew},
    {"g12003.AO0502%", Market::kFxMargin, OrderAction::kAmend, false, kFxAmend},
    {"g12003.AO0503%", Market::kFxMargin, OrderAction::kCancel, false, kFxCancel},
};

}  // namespace

const OrderCode* FindOrderCode(std::string_view code) {
  for (const OrderCode& c : kOrderCodes) {
    if (c.code == code) return &c;
  }
  return nullptr;
}

}  // namespace zqk::sandbox::orders
