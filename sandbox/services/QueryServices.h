#pragma once
// The query services, one function per TR or FID code, grouped by family in
// the files named below. Each reads its input as docs/sandbox.md lays it out
// and answers from the market and the signed-in user's accounts.

#include "sandbox/services/ServiceTable.h"

namespace zqk::sandbox::services {

// DomesticQueries.cpp: domestic products and accounts.
EventData DomesticProducts(QueryContext& q);          // g11002.DQ0622&
EventData DomesticFills(QueryContext& q);             // g11002.DQ0107&
EventData DomesticOpenOrders(QueryContext& q);        // g11002.DQ0104&
EventData DomesticPasswordCheck(QueryContext& q);     // g11002.DQ0321&
EventData DomesticHolding(QueryContext& q);           // g11002.DQ0110&
EventData UserAccounts(QueryContext& q);              // g11002.CQ0101&
EventData DomesticDeposit(QueryContext& q);           // g11002.DQ0242&
EventData DomesticFuturesValuation(QueryContext& q);  // g11002.DQ1305&
EventData DomesticOptionsValuation(QueryContext& q);  // g11002.DQ1306&
EventData DomesticSettlement(QueryContext& q);        // g11002.DQ1303&

// DomesticSymbol.cpp: the full record of a domestic product.
EventData DomesticSymbol(QueryContext& q);  // s20001

// OverseasAccountQueries.cpp: overseas and FX accounts.
EventData AccountList(QueryContext& q);            // g11004.AQ0101%
EventData OverseasDeposit(QueryContext& q);        // g11004.AQ0605%
EventData OverseasPasswordCheck(QueryContext& q);  // g11004.AQ0207%
EventData OverseasOpenOrders(QueryContext& q);     // g11004.AQ0401%
EventData OverseasOrderHistory(QueryContext& q);   // g11004.AQ0408%
EventData FxAssets(QueryContext& q);               // g11004.AQ0901%

// OverseasMarketQueries.cpp: overseas prices, lists and charts.
EventData OverseasPrice(QueryContext& q);     // o51000
EventData OverseasProducts(QueryContext& q);  // o51100
EventData ProductService(QueryContext& q);    // o51211
EventData RecentTicks(QueryContext& q);       // o44005
EventData MinuteBars(QueryContext& q);        // o51200
EventData Bars(QueryContext& q);              // o44010
EventData ServerTime(QueryContext& q);        // o44011
EventData ItemPrice(QueryContext& q);         // l41600
EventData ItemBoard(QueryContext& q);         // l41601
EventData ChartData(QueryContext& q);         // v90003
EventData FxPrice(QueryContext& q);           // x00001

// NewsQueries.cpp: market news.
EventData NewsTitles(QueryContext& q);  // n51003
EventData NewsBody(QueryContext& q);    // n51006

}  // namespace zqk::sandbox::services
