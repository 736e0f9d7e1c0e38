#include "sandbox/orders/OrderFeedRecords.h"

#include "protocol/FieldNames.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/events/LayoutRow.h"
#include "sandbox/market/PriceFormat.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/orders/OrderMessages.h"

namespace zqk::sandbox::feeds {
namespace {

using market::AccountBook;
using market::ActionCode;
using market::Order;
using market::SideCode;

namespace f = field;

// A record of real type `realType`: its row, starting with the account.
LayoutRow Start(EventData& data, const AccountBook& book, int32_t realType) {
  LayoutRow row(data.AddRow(protocol::kOutRec1), protocol::RealTypeOf(realType).fields);
  row.Set(f::kAccountNumber, book.account().number);
  return row;
}

// A record about `order`: the account and the fields that name the order.
LayoutRow StartOrder(EventData& data, const AccountBook& book, const Order& order,
                     int32_t realType) {
  LayoutRow row = Start(data, book, realType);
  row.Set(f::kOrderNumber, order.number)
      .Set(f::kOriginalOrder, order.original)
      .Set(f::kProductCode, order.ticket.product->code)
      .Set(f::kBuySell, SideCode(order.ticket.side));
  return row;
}

const protocol::OrderFeedTypes& TypesOf(const AccountBook& book) {
  return protocol::OrderFeedTypesOf(book.account().market);
}

}  // namespace

std::string OrderPriceText(const Order& order) {
  const market::OrderTicket& t = order.ticket;
  const int64_t price = t.price > 0 ? t.price : t.stopPrice;
  return price > 0 ? Price(*t.product, price) : std::string("0");
}

EventData AcceptanceRecord(const AccountBook& book, const Order& order,
                           const market::LocalTime& at) {
  EventData data;
  const market::OrderTicket& t = order.ticket;
  StartOrder(data, book, order, TypesOf(book).acceptance)
      .Set(f::kPriceType, std::string(1, t.priceType))
      .Set(f::kFillCondition, std::string(1, t.fillCondition))
      .Set(f::kOrderPrice, OrderPriceText(order))
      .Set(f::kStopPrice, t.stopPrice > 0 ? Price(*t.product, t.stopPrice) : "")
      .Set(f::kOrderQuantity, std::to_string(t.quantity))
      .Set(f::kReceiptKind, ActionCode(order.action))
      .Set(f::kProcessCode, MessageCode(orders::kMsgOrderAccepted))
      .Set(f::kProcessMessageFeed, orders::kMsgOrderAccepted.text)
      .Set(f::kReceiptTime, Hms(at.time));
  return data;
}

EventData OpenOrderRecord(const AccountBook& book, const Order& order, int32_t realType) {
  EventData data;
  const market::OrderTicket& t = order.ticket;
  const std::string open = std::to_string(order.Open());
  // Only the domestic type has a line with 잔량; the others show what is
  // open as the quantity.
  const bool showsRemaining = realType == real::kDomesticOpenOrder;
  StartOrder(data, book, order, realType)
      .Set(f::kPriceType, std::string(1, t.priceType))
      .Set(f::kOrderPrice, OrderPriceText(order))
      .Set(f::kOrderQuantity, showsRemaining ? std::to_string(t.quantity) : open)
      .Set(f::kRemaining, open)
      .Set(f::kFillQuantity, std::to_string(order.filled));
  return data;
}

EventData FillRecord(const AccountBook& book, const Order& order, const market::Fill& fill,
                     const market::LocalTime& at, int32_t realType) {
  EventData data;
  const market::Product& p = *fill.product;
  const std::string price = Price(p, fill.price);
  const std::string qty = std::to_string(fill.quantity);
  // The overseas and FX margin fill's line shows 주문가격 and 주문수량 as the
  // fill's.
  const bool showsFill = realType == real::kForeignFill;
  Start(data, book, realType)
      .Set(f::kOrderNumber, order.number)
      .Set(f::kFillNumber, fill.number)
      .Set(f::kProductCode, p.code)
      .Set(f::kBuySell, SideCode(fill.side))
      .Set(f::kFillPrice, price)
      .Set(f::kFillQuantity, qty)
      .Set(f::kFillTime, Hms(at.time))
      .Set(f::kOrderPrice, showsFill ? price : OrderPriceText(order))
      .Set(f::kOrderQuantity, showsFill ? qty : std::to_string(order.ticket.quantity))
      .Set(f::kRemaining, std::to_string(order.Open()))
      .Set(f::kFee, Amount(fill.fee, p.currency))
      .Set(f::kRealizedProfit, Amount(fill.realized, p.currency));
  return data;
}

EventData PositionRecord(const AccountBook& book, std::string_view orderNumber,
                         const market::Position& position) {
  EventData data;
  const market::Product& p = *position.product;
  Start(data, book, real::kPosition)
      .Set(f::kOrderNumber, orderNumber)
      .Set(f::kProductCode, p.code)
      .Set(f::kBuySell, SideCode(position.side))
      .Set(f::kEntryPrice, Average(p, position.averagePrice))
      .Set(f::kEntryQuantity, std::to_string(position.quantity));
  return data;
}

EventData CloseRecord(const AccountBook& book, const market::Fill& fill, int32_t closedQuantity) {
  EventData data;
  const market::Product& p = *fill.product;
  Start(data, book, real::kClose)
      .Set(f::kOrderNumber, fill.orderNumber)
      .Set(f::kProductCode, p.code)
      .Set(f::kBuySell, SideCode(fill.side))
      .Set(f::kClosePrice, Price(p, fill.price))
      .Set(f::kCloseQuantity, std::to_string(closedQuantity))
      .Set(f::kRealizedProfit, Amount(fill.realized, p.currency));
  return data;
}

EventData ConfirmationRecord(const AccountBook& book, const Order& confirming,
                             std::string_view text) {
  EventData data;
  StartOrder(data, book, confirming, TypesOf(book).confirmation)
      .Set(f::kConfirmKind, ActionCode(confirming.action))
      .Set(f::kConfirmPrice, OrderPriceText(confirming))
      .Set(f::kConfirmQuantity, std::to_string(confirming.ticket.quantity))
      .Set(f::kProcessMessageFeed, text);
  return data;
}

EventData AvailableRecord(const AccountBook& book, std::string_view currency,
                          market::SimulatedMarket& market, int64_t atMs) {
  EventData data;
  const market::Valuation v = book.ValueIn(currency, market, atMs);
  Start(data, book, TypesOf(book).available)
      .Set(f::kCurrencyCode, currency)
      .Set(f::kOrderable, Amount(v.Available(), currency))
      .Set(f::kDepositAmount, Amount(v.Equity(), currency))
      .Set(f::kInitialMargin, Amount(v.margin + v.orderMargin, currency))
      .Set(f::kMaintenanceMargin, Amount(v.maintenance, currency));
  return data;
}

}  // namespace zqk::sandbox::feeds
