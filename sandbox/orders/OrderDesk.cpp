#include "sandbox/orders/OrderDesk.h"

#include <memory>

#include "sandbox/broker/Broker.h"
#include "sandbox/feeds/FeedDesk.h"
#include "sandbox/orders/OrderCodes.h"
#include "sandbox/orders/OrderFeedRecords.h"
#include "sandbox/orders/OrderLayout.h"
#include "sandbox/orders/OrderMessages.h"
#include "sandbox/orders/OrderReply.h"
#include "sandbox/orders/OrderValidation.h"

namespace zqk::sandbox {

using market::OrderAction;
using orders::Refusal;

OrderDesk::OrderDesk(Broker& broker, FeedDesk& feeds)
    : broker_(broker),
      feeds_(feeds),
      queue_(broker.host, broker.poster),
      exchange_(broker, *this) {}

void OrderDesk::Send(int32_t rqId, std::string_view code, std::string_view record) {
  const orders::OrderCode* orderCode = orders::FindOrderCode(code);
  if (!orderCode) {
    // The services table and this table list the same codes.
    broker_.poster.RequestMessage(rqId, kMsgUnknownTrCode, code);
    return;
  }
  const int64_t now = broker_.Now();
  // Resting orders first: what they met before this order arrived is theirs.
  exchange_.RunTo(broker_.market.StepAt(now));

  orders::ParseResult parsed = orders::ParseRecord(*orderCode->layout, record);
  if (const Refusal* refusal = std::get_if<Refusal>(&parsed)) {
    Refuse(rqId, *orderCode, *refusal, {});
    return;
  }
  const orders::OrderRecord& fields = std::get<orders::OrderRecord>(parsed);
  orders::Validation checked = orders::ValidateOrder(*orderCode, fields, broker_);
  if (const Refusal* refusal = std::get_if<Refusal>(&checked)) {
    Refuse(rqId, *orderCode, *refusal, fields[orders::Field::kAccount]);
    return;
  }
  const orders::ValidOrder& order = std::get<orders::ValidOrder>(checked);
  market::AccountBook& book = *order.book;
  if (order.target && exchange_.IsCme(book, order.target->number) != orderCode->cme) {
    Refuse(rqId, *orderCode, Refusal{orders::kMsgOtherSession, order.target->number},
           book.account().number);
    return;
  }

  const market::Order& entered = Enter(*orderCode, order, now);
  const std::string number = entered.number;
  PushReply(rqId, code,
            orders::OrderReplyData(code, {.action = orderCode->action,
                                          .message = orders::kMsgOrderAccepted,
                                          .account = book.account().number,
                                          .number = number,
                                          .original = entered.original,
                                          .product = entered.ticket.product->code,
                                          .time = broker_.market.clock().Local(now).time}));
  switch (orderCode->action) {
    case OrderAction::kNew:
      exchange_.Placed(book, number, orderCode->cme, order.validUntil);
      break;
    case OrderAction::kAmend:
      exchange_.Amended(book, number);
      break;
    case OrderAction::kCancel:
      exchange_.Cancelled(book, number);
      break;
  }
  ScheduleMatching();
}

const market::Order& OrderDesk::Enter(const orders::OrderCode& code,
                                      const orders::ValidOrder& order, int64_t now) {
  market::AccountBook& book = *order.book;
  if (code.action == OrderAction::kNew) return book.Place(order.ticket, now);
  // Validation found the target with something open, so the book takes
  // the amend or cancel.
  const std::string target = order.target->number;
  if (code.action == OrderAction::kCancel) return *book.Cancel(target, order.ticket.quantity, now);
  // The amending order replaces the old one: it takes the quantity it names
  // (blank: all that is open), and what is left of the old order is
  // cancelled with it.
  const std::string number =
      book.Amend(target, order.ticket.price, order.ticket.quantity, now, order.ticket.stopPrice)
          ->number;
  book.Cancel(target, 0, now);
  return *book.FindOrder(number);
}

void OrderDesk::Refuse(int32_t rqId, const orders::OrderCode& code, const Refusal& refusal,
                       std::string_view account) {
  // A console decodes the replies of new orders only: the request message,
  // which it logs for every kind, says why an amend or cancel was refused.
  queue_.Push([this, rqId, message = refusal.message, detail = refusal.detail] {
    broker_.poster.DeliverRequestMessage(rqId, message, detail);
  });
  orders::ReplyValues v;
  v.action = code.action;
  v.message = refusal.message;
  v.detail = refusal.detail;
  v.account = account;
  v.time = broker_.market.clock().Local(broker_.Now()).time;
  PushReply(rqId, code.code, orders::OrderReplyData(code.code, v));
}

void OrderDesk::PushReply(int32_t rqId, std::string_view code, EventData data) {
  queue_.Push([this, code = std::string(code), rqId,
               data = std::make_shared<const EventData>(std::move(data))] {
    broker_.poster.DeliverReply(code, rqId, data);
  });
}

void OrderDesk::Record(const market::AccountBook& book, int32_t realType, EventData data) {
  const std::string& account = book.account().number;
  if (!feeds_.OrderFeedOn(account)) return;
  // Registered now, and still when it is delivered.
  queue_.Push([this, account, realType, data = std::make_shared<const EventData>(std::move(data))] {
    if (feeds_.OrderFeedOn(account)) broker_.poster.DeliverReal(account, realType, data);
  });
}

void OrderDesk::SendOpenOrders(std::string_view account) {
  const market::AccountBook* book = broker_.UserAccount(account);
  if (!book) return;
  for (const market::Order& o : book->orders()) {
    if (o.Open() > 0) {
      Record(*book, real::kOpenOrderList, feeds::OpenOrderRecord(*book, o, real::kOpenOrderList));
    }
  }
  Record(*book, protocol::OrderFeedTypesOf(book->account().market).available,
         feeds::AvailableRecord(*book, book->MainCurrency(), broker_.market, broker_.Now()));
}

void OrderDesk::ScheduleMatching() {
  if (matching_ || !exchange_.HasWorking() || broker_.commState != Broker::kConnected) return;
  // At the start of every step of the market while an order is working.
  const int64_t now = broker_.Now();
  const int64_t next = broker_.market.MsOfStep(broker_.market.StepAt(now) + 1);
  matching_ = true;
  matchTicket_ = broker_.host.Post(static_cast<uint32_t>(next - now), [this] {
    matching_ = false;
    exchange_.RunTo(broker_.market.StepAt(broker_.Now()));
    ScheduleMatching();
  });
}

void OrderDesk::SignedIn(const User& user) {
  for (market::AccountBook* book : broker_.ledger.OfUser(user.id)) exchange_.Adopt(*book);
  ScheduleMatching();
}

void OrderDesk::Connected() {
  exchange_.SkipTo(broker_.market.StepAt(broker_.Now()));
  ScheduleMatching();
}

void OrderDesk::Disconnected() {
  queue_.Clear();
  if (matching_) broker_.host.Cancel(matchTicket_);
  matching_ = false;
}

}  // namespace zqk::sandbox
