#include "sandbox/services/ServiceTable.h"

#include "sandbox/services/QueryServices.h"

namespace zqk::sandbox {
namespace {

using enum ServiceKind;
using namespace services;

constexpr ServiceEntry kServices[] = {
    // Domestic futures and options.
    {"g11002.DQ0622&", kTr, DomesticProducts},
    {"g11002.DQ0107&", kTr, DomesticFills},
    {"g11002.DQ0104&", kTr, DomesticOpenOrders},
    {"g11002.DQ0321&", kTr, DomesticPasswordCheck},
    {"g11002.DQ0110&", kTr, DomesticHolding},
    {"g11002.CQ0101&", kTr, UserAccounts},
    {"g11002.DQ0242&", kTr, DomesticDeposit},
    {"g11002.DQ1305&", kTr, DomesticFuturesValuation},
    {"g11002.DQ1306&", kTr, DomesticOptionsValuation},
    {"g11002.DQ1303&", kTr, DomesticSettlement},
    {"s20001", kFid, DomesticSymbol},
    {"g12001.DO1601&", kOrder, nullptr},
    {"g12001.DO1901&", kOrder, nullptr},
    {"g12001.DO1701&", kOrder, nullptr},
    {"g12001.DO2201&", kOrder, nullptr},
    {"g12001.DO2101&", kOrder, nullptr},
    {"g12001.DO2001&", kOrder, nullptr},
    // Overseas futures.
    {"g11004.AQ0101%", kTr, AccountList},
    {"g11004.AQ0605%", kTr, OverseasDeposit},
    {"g11004.AQ0207%", kTr, OverseasPasswordCheck},
    {"g11004.AQ0401%", kTr, OverseasOpenOrders},
    {"g11004.AQ0408%", kTr, OverseasOrderHistory},
    {"o44005", kTr, RecentTicks},
    {"o44010", kTr, Bars},
    {"o44011", kTr, ServerTime},
    {"o51100", kTr, OverseasProducts},
    {"o51200", kTr, MinuteBars},
    {"o51211", kTr, ProductService},
    {"n51003", kTr, NewsTitles},
    {"n51006", kTr, NewsBody},
    {"l41600", kTr, ItemPrice},
    {"l41601", kTr, ItemBoard},
    {"v90003", kTr, ChartData},
    {"o51000", kFid, OverseasPrice},
    {"g12003.AO0401%", kOrder, nullptr},
    {"g12003.AO0402%", kOrder, nullptr},
    {"g12003.AO0403%", kOrder, nullptr},
    // FX margin.
    {"g11004.AQ0901%", kTr, FxAssets},
    {"x00001", kFid, FxPrice},
    {"g12003.AO0501%", kOrder, nullptr},
    {"g12003.AO0502%", kOrder, nullptr},
    {"g12003.AO0503%", kOrder, nullptr},
};

}  // namespace

std::string_view OperationOf(ServiceKind kind) {
  switch (kind) {
    case kTr:
      return "RequestTr";
    case kFid:
      return "RequestFid";
    case kOrder:
      break;
  }
  return "SendOrder";
}

const ServiceEntry* FindService(std::string_view code) {
  for (const ServiceEntry& entry : kServices) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace zqk::sandbox
