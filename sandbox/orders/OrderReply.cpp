#include "sandbox/orders/OrderReply.h"

#include "protocol/FieldNames.h"
#include "protocol/Replies.h"
#include "sandbox/events/EventPoster.h"
#include "sandbox/events/FieldText.h"
#include "sandbox/events/LayoutRow.h"
#include "sandbox/orders/OrderFeedRecords.h"

namespace zqk::sandbox::orders {

EventData OrderReplyData(std::string_view code, const ReplyValues& v) {
  namespace f = field;
  EventData data;
  const std::string processCode = MessageCode(v.message);
  const std::string text = WithDetail(v.message.text, v.detail);
  std::string both = processCode;
  both.append(" ").append(text);
  AddRow(data, protocol::ReplyOf(code).records[0])
      .Set(f::kReceiptKind, market::ActionCode(v.action))
      .Set(f::kProcessCode, processCode)
      .Set(f::kProcessMessage, text)
      .Set(f::kProcessKind, std::move(both))
      .Set(f::kAccountNumber, v.account)
      .Set(f::kOrderNumber, v.number)
      .Set(f::kOriginalOrder, v.original)
      .Set(f::kProductCode, v.product)
      .Set(f::kReceiptTime, Hms(v.time));
  return data;
}

}  // namespace zqk::sandbox::orders
