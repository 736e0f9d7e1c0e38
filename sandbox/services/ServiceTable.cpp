#include "sandbox/services/ServiceTable.h"

#include "protocol/TrCodes.h"
#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox {
namespace {

using namespace services;

constexpr ServiceEntry kServices[] = {
    // Domestic futures and options.
    {tr::kDomesticProducts, DomesticProducts},
    {tr::kDomesticFills, DomesticFills},
    {tr::kDomesticOpenOrders, DomesticOpenOrders},
    {tr::kDomesticPasswordCheck, DomesticPasswordCheck},
    {tr::kDomesticHolding, DomesticHolding},
    {tr::kUserAccounts, UserAccounts},
    {tr::kDomesticDeposit, DomesticDeposit},
    {tr::kDomesticFuturesValuation, DomesticFuturesValuation},
    {tr::kDomesticOptionsValuation, DomesticOptionsValuation},
    {tr::kDomesticSettlement, DomesticSettlement},
    {tr::kDomesticSymbol, DomesticSymbol},
    // Overseas futures.
    {tr::kAccountList, AccountList},
    {tr::kOverseasDeposit, OverseasDeposit},
    {tr::kOverseasPasswordCheck, OverseasPasswordCheck},
    {tr::kOverseasOpenOrders, OverseasOpenOrders},
    {tr::kOverseasOrderHistory, OverseasOrderHistory},
    {tr::kRecentTrades, RecentTicks},
    {tr::kBars, Bars},
    {tr::kServerTime, ServerTime},
    {tr::kOverseasProducts, OverseasProducts},
    {tr::kMinuteBars, MinuteBars},
    {tr::kOverseasSymbolService, ProductService},
    {tr::kNewsTitles, NewsTitles},
    {tr::kNewsBody, NewsBody},
    {tr::kItemPrice, ItemPrice},
    {tr::kItemBoard, ItemBoard},
    {tr::kChartData, ChartData},
    {tr::kOverseasPrice, OverseasPrice},
    // FX margin.
    {tr::kFxAssets, FxAssets},
    {tr::kFxMaster, FxPrice},
};

}  // namespace

const ServiceEntry* FindService(std::string_view code) {
  for (const ServiceEntry& entry : kServices) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace zqk::sandbox
