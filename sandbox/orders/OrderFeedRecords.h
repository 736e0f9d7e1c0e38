#pragma once
// The records of an account's order feed, each by its real type's layout
// (protocol/RealTypes.h): each market has its own acceptance, open-order,
// fill, confirmation and available-amount types; positions, closes and the
// open-order list sent at registration are common.
//
// Order numbers stand without blanks in every record, as in the order
// reply, so that the acceptance's number equals its fills' exactly.
// Open-order records of the overseas, FX margin and registration types carry
// the quantity still open in 주문수량 (their lines show no 잔량); the
// domestic one carries the order's quantity there and the open part in 잔량.
// Fills of the overseas and FX margin type carry the fill price and quantity
// in 주문가격 and 주문수량 too.

#include <cstdint>
#include <string_view>

#include "protocol/RealTypes.h"
#include "sandbox/events/EventData.h"
#include "sandbox/ledger/Ledger.h"
#include "sandbox/market/Calendar.h"

namespace zqk::sandbox::feeds {

// Values of the records: the account, the order as it stands now.
EventData AcceptanceRecord(const market::AccountBook& book, const market::Order& order,
                           const market::LocalTime& at);
EventData OpenOrderRecord(const market::AccountBook& book, const market::Order& order,
                          int32_t realType);
EventData FillRecord(const market::AccountBook& book, const market::Order& order,
                     const market::Fill& fill, const market::LocalTime& at, int32_t realType);
EventData PositionRecord(const market::AccountBook& book, std::string_view orderNumber,
                         const market::Position& position);
EventData CloseRecord(const market::AccountBook& book, const market::Fill& fill,
                      int32_t closedQuantity);
// `confirming`: the amend or cancel order; `text` says what happened.
EventData ConfirmationRecord(const market::AccountBook& book, const market::Order& confirming,
                             std::string_view text);
// The amount available in `currency` (the currency that orders in a
// product count in, AccountBook::CurrencyOf).
EventData AvailableRecord(const market::AccountBook& book, std::string_view currency,
                          market::SimulatedMarket& market, int64_t atMs);

// The price an order shows: its limit, else its stop, else "0" (market).
std::string OrderPriceText(const market::Order& order);

}  // namespace zqk::sandbox::feeds
