#include "sandbox/services/AccountAnswers.h"

#include "protocol/FieldNames.h"
#include "sandbox/ledger/Ledger.h"
#include "sandbox/services/QueryInput.h"

namespace zqk::sandbox::services {

std::string AccountKind(Market m) {
  return m == Market::kDomestic ? "1" : m == Market::kOverseas ? "2" : "3";
}

const User& AskedUser(QueryContext& q, std::string_view id) {
  if (!id.empty() && id != q.user.id) throw Refused(kMsgOtherUser, std::string(id));
  return q.user;
}

EventData PasswordAnswer(QueryContext& q, std::string_view number, std::string_view password,
                         std::initializer_list<Market> markets, std::string_view kindField) {
  const market::AccountBook& book = OwnAccount(q, number, markets);
  const bool match = TrimBlanks(password) == book.account().password;
  EventData d;
  AddReplyRow(d, q)
      .Set(field::kProcessCode, match ? "0000" : "0001")
      .Set(field::kProcessMessage, match ? "비밀번호가 일치합니다" : "비밀번호가 일치하지 않습니다")
      .Set(field::kAccountNumber, book.account().number)
      .Set(field::kAccountName, book.account().name)
      .Set(field::kPasswordMatch, match ? "Y" : "N")
      .Set(kindField, AccountKind(book.account().market));
  return d;
}

}  // namespace zqk::sandbox::services
