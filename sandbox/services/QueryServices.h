#pragma once
// The query services, one function per TR or FID code (ServiceTable.cpp
// pairs them), grouped by family in the files named below. Each reads its
// input and fills its reply by its code's layouts (protocol/) and answers
// from the market and the signed-in user's accounts.

#include "sandbox/services/ServiceTable.h"

namespace zqk::sandbox::services {

// DomesticQueries.cpp: domestic products and accounts.
EventData DomesticProducts(QueryContext& q);
EventData DomesticFills(QueryContext& q);
EventData DomesticOpenOrders(QueryContext& q);
EventData DomesticPasswordCheck(QueryContext& q);
EventData DomesticHolding(QueryContext& q);
EventData UserAccounts(QueryContext& q);
EventData DomesticDeposit(QueryContext& q);
EventData DomesticFuturesValuation(QueryContext& q);
EventData DomesticOptionsValuation(QueryContext& q);
EventData DomesticSettlement(QueryContext& q);

// DomesticSymbol.cpp: the full record of a domestic product.
EventData DomesticSymbol(QueryContext& q);

// OverseasAccountQueries.cpp: overseas and FX accounts.
EventData AccountList(QueryContext& q);
EventData OverseasDeposit(QueryContext& q);
EventData OverseasPasswordCheck(QueryContext& q);
EventData OverseasOpenOrders(QueryContext& q);
EventData OverseasOrderHistory(QueryContext& q);
EventData FxAssets(QueryContext& q);

// OverseasMarketQueries.cpp: overseas prices, lists and charts.
EventData OverseasPrice(QueryContext& q);
EventData OverseasProducts(QueryContext& q);
EventData ProductService(QueryContext& q);
EventData RecentTicks(QueryContext& q);
EventData MinuteBars(QueryContext& q);
EventData Bars(QueryContext& q);
EventData ServerTime(QueryContext& q);
EventData ItemPrice(QueryContext& q);
EventData ItemBoard(QueryContext& q);
EventData ChartData(QueryContext& q);
EventData FxPrice(QueryContext& q);

// NewsQueries.cpp: market news.
EventData NewsTitles(QueryContext& q);
EventData NewsBody(QueryContext& q);

}  // namespace zqk::sandbox::services
