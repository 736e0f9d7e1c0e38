#include "sandbox/orders/OrderFeedRecords.h"

#include "sandbox/events/FieldText.h"
#include "sandbox/market/PriceFormat.h"
#include "sandbox/market/SimulatedMarket.h"
#include "sandbox/orders/OrderMessages.h"

namespace zqk::sandbox::feeds {
namespace {

using market::AccountBook;
using market::ActionCode;
using market::Order;
using market::SideCode;

constexpr std::string_view kRecord = "OutRec1";

constexpr OrderFeedTypes kDomestic{181, 182, 185, 183, 184};
constexpr OrderFeedTypes kOverseas{196, 186, 189, 187, 188};
constexpr OrderFeedTypes kFx{197, 191, 189, 187, 188};

EventData::Row& Start(EventData& data, const AccountBook& book) {
  EventData::Row& row = data.AddRow(kRecord);
  row["계좌번호"] = book.account().number;
  return row;
}

// A record about `order`: the account and the fields that name the order.
EventData::Row& StartOrder(EventData& data, const AccountBook& book, const Order& order) {
  EventData::Row& row = Start(data, book);
  row["주문번호"] = order.number;
  row["원주문번호"] = order.original;
  row["종목코드"] = order.ticket.product->code;
  row["매매구분"] = SideCode(order.ticket.side);
  return row;
}

}  // namespace

const OrderFeedTypes& OrderFeedTypesOf(Market market) {
  switch (market) {
    case Market::kDomestic:
      return kDomestic;
    case Market::kOverseas:
      return kOverseas;
    case Market::kFxMargin:
      break;
  }
  return kFx;
}

std::string OrderPriceText(const Order& order) {
  const market::OrderTicket& t = order.ticket;
  const int64_t price = t.price > 0 ? t.price : t.stopPrice;
  return price > 0 ? Price(*t.product, price) : std::string("0");
}

EventData AcceptanceRecord(const AccountBook& book, const Order& order,
                           const market::LocalTime& at) {
  EventData data;
  EventData::Row& row = StartOrder(data, book, order);
  const market::OrderTicket& t = order.ticket;
  row["가격조건"] = std::string(1, t.priceType);
  row["체결조건"] = std::string(1, t.fillCondition);
  row["주문가격"] = OrderPriceText(order);
  row["지정가격"] = t.stopPrice > 0 ? Price(*t.product, t.stopPrice) : "";
  row["주문수량"] = std::to_string(t.quantity);
  row["접수구분"] = ActionCode(order.action);
  row["처리코드"] = MessageCode(orders::kMsgOrderAccepted);
  row["처리메세지"] = orders::kMsgOrderAccepted.text;
  row["접수시간"] = Hms(at.time);
  return data;
}

EventData OpenOrderRecord(const AccountBook& book, const Order& order, int32_t realType) {
  EventData data;
  EventData::Row& row = StartOrder(data, book, order);
  const market::OrderTicket& t = order.ticket;
  const std::string open = std::to_string(order.Open());
  row["가격조건"] = std::string(1, t.priceType);
  row["주문가격"] = OrderPriceText(order);
  // Only type 182 has a line with 잔량; the others show what is open as
  // the quantity.
  row["주문수량"] = realType == 182 ? std::to_string(t.quantity) : open;
  row["잔량"] = open;
  row["체결수량"] = std::to_string(order.filled);
  return data;
}

EventData FillRecord(const AccountBook& book, const Order& order, const market::Fill& fill,
                     const market::LocalTime& at, int32_t realType) {
  EventData data;
  EventData::Row& row = Start(data, book);
  const market::Product& p = *fill.product;
  const std::string price = Price(p, fill.price);
  const std::string qty = std::to_string(fill.quantity);
  row["주문번호"] = order.number;
  row["체결번호"] = fill.number;
  row["종목코드"] = p.code;
  row["매매구분"] = SideCode(fill.side);
  row["체결가격"] = price;
  row["체결수량"] = qty;
  row["체결시간"] = Hms(at.time);
  // Type 189's line shows 주문가격 and 주문수량 as the fill's.
  row["주문가격"] = realType == 189 ? price : OrderPriceText(order);
  row["주문수량"] = realType == 189 ? qty : std::to_string(order.ticket.quantity);
  row["잔량"] = std::to_string(order.Open());
  row["수수료"] = Amount(fill.fee, p.currency);
  row["실현손익"] = Amount(fill.realized, p.currency);
  return data;
}

EventData PositionRecord(const AccountBook& book, std::string_view orderNumber,
                         const market::Position& position) {
  EventData data;
  EventData::Row& row = Start(data, book);
  const market::Product& p = *position.product;
  row["주문번호"] = std::string(orderNumber);
  row["종목코드"] = p.code;
  row["매매구분"] = SideCode(position.side);
  row["진입가격"] = Average(p, position.averagePrice);
  row["진입수량"] = std::to_string(position.quantity);
  return data;
}

EventData CloseRecord(const AccountBook& book, const market::Fill& fill, int32_t closedQuantity) {
  EventData data;
  EventData::Row& row = Start(data, book);
  const market::Product& p = *fill.product;
  row["주문번호"] = fill.orderNumber;
  row["종목코드"] = p.code;
  row["매매구분"] = SideCode(fill.side);
  row["청산가격"] = Price(p, fill.price);
  row["청산수량"] = std::to_string(closedQuantity);
  row["실현손익"] = Amount(fill.realized, p.currency);
  return data;
}

EventData ConfirmationRecord(const AccountBook& book, const Order& confirming,
                             std::string_view text) {
  EventData data;
  EventData::Row& row = StartOrder(data, book, confirming);
  const market::OrderTicket& t = confirming.ticket;
  row["확인구분"] = ActionCode(confirming.action);
  row["확인가격"] = OrderPriceText(confirming);
  row["확인수량"] = std::to_string(t.quantity);
  row["처리메세지"] = std::string(text);
  return data;
}

EventData AvailableRecord(const AccountBook& book, std::string_view currency,
                          market::SimulatedMarket& market, int64_t atMs) {
  EventData data;
  EventData::Row& row = Start(data, book);
  const market::Valuation v = book.ValueIn(currency, market, atMs);
  row["통화코드"] = currency;
  row["주문가능금액"] = Amount(v.Available(), currency);
  row["예탁총액"] = Amount(v.Equity(), currency);
  row["위탁증거금"] = Amount(v.margin + v.orderMargin, currency);
  row["유지증거금"] = Amount(v.maintenance, currency);
  return data;
}

}  // namespace zqk::sandbox::feeds
