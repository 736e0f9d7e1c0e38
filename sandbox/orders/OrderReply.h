#pragma once
// The reply to SendOrder, under the order's TR code and RQID: record
// "OutRec1", one row. 접수구분 is the kind of order received ("1" new,
// "2" amend, "3" cancel); 처리코드 and 처리메시지 say whether it was
// accepted ("0000") or why not; 처리구분 holds both in one text, for the
// domestic reply's line, which shows no 처리코드. 주문번호 is the new order's
// number (the amend's or cancel's own), blank when refused.

#include <string_view>

#include "sandbox/events/EventData.h"
#include "sandbox/events/SandboxMessages.h"
#include "sandbox/ledger/Ledger.h"

namespace zqk::sandbox::orders {

struct ReplyValues {
  market::OrderAction action = market::OrderAction::kNew;
  Message message{0, ""};
  std::string_view detail = {};  // appended to the message in brackets
  std::string_view account = {};
  std::string_view number = {};
  std::string_view original = {};
  std::string_view product = {};
  int32_t time = 0;  // HHMMSS
};

// The reply under the order code `code`, by its layout.
EventData OrderReplyData(std::string_view code, const ReplyValues& v);

}  // namespace zqk::sandbox::orders
