#include "sandbox/orders/OrderReply.h"

#include "sandbox/events/EventPoster.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/orders/OrderFeedRecords.h"

namespace zqk::sandbox::orders {

EventData OrderReplyData(const ReplyValues& v) {
  EventData data;
  EventData::Row& row = data.AddRow("OutRec1");
  const std::string code = MessageCode(v.message);
  const std::string text = WithDetail(v.message.text, v.detail);
  row["접수구분"] = market::ActionCode(v.action);
  row["처리코드"] = code;
  row["처리메시지"] = text;
  std::string both = code;
  row["처리구분"] = both.append(" ").append(text);
  row["계좌번호"] = std::string(v.account);
  row["주문번호"] = std::string(v.number);
  row["원주문번호"] = std::string(v.original);
  row["종목코드"] = std::string(v.product);
  row["접수시간"] = Hms(v.time);
  return data;
}

}  // namespace zqk::sandbox::orders
