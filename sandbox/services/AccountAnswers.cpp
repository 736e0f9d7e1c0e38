#include "sandbox/services/AccountAnswers.h"

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
  EventData::Row& row = d.AddRow("OutRec1");
  row["처리코드"] = match ? "0000" : "0001";
  row["처리메시지"] = match ? "비밀번호가 일치합니다" : "비밀번호가 일치하지 않습니다";
  row["계좌번호"] = book.account().number;
  row["계좌명"] = book.account().name;
  // One-byte texts built apart: g++ 12 at -O3 misreads their assignment as
  // an overlapping copy (-Wrestrict).
  row["일치여부"] = std::string(match ? "Y" : "N");
  row[std::string(kindField)] = AccountKind(book.account().market);
  return d;
}

}  // namespace zqk::sandbox::services
