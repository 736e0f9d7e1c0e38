// RqTest: one TR or FID query per press; ContinueQuery sends the same query
// with the continuation key of a paged reply.
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "dialog/CZQKCommClientDlg.h"
#include "dialog/ScopedValue.h"
#include "requests/QueryInputRewrite.h"

namespace zqk {
namespace {

int32_t ByteLength(const std::string& s) {
  return s.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())
             ? std::numeric_limits<int32_t>::max()
             : static_cast<int32_t>(s.size());
}

}  // namespace

void CZQKCommClientDlg::OnRqTest() {
  int32_t rqId = 0;
  // The code of the request that went out, if one did.
  std::optional<std::string> sent;
  if (model_.IsChecked(id::kTrMode)) {
    const std::string trCode = model_.Text(id::kTrCode);
    std::string input = model_.Text(id::kTrInput);
    const int32_t state = m_agent.GetCommState();
    if (state != 1) {
      // Nothing is sent; the continuation key waits for the next attempt.
      rqId = state;
    } else {
      if (HasAccountRewrite(trCode)) {
        input =
            RewriteAccountInput(trCode, input, m_agent.GetAccountText(InputAccount(trCode, input)));
      }
      rqId = m_agent.RequestTr(trCode, input, ByteLength(input), m_strNextKey);
      m_strNextKey.clear();
      sent = trCode;
    }
  } else {
    const std::string fidCode = model_.Text(id::kFidCode);
    const std::string input = model_.Text(id::kFidInput);
    const std::string fieldList = model_.Text(id::kFidFieldList);
    rqId = m_agent.RequestFid(fidCode, input, fieldList, ByteLength(input), m_strNextKey);
    m_strNextKey.clear();
    sent = fidCode;
  }
  if (sent) activity_.RequestSent(rqId, *sent, NowMs(), env_.clock(), continuing_);
  AddLog(std::string(Lang("요청한 RQID", "Request RQID")) + "[" + std::to_string(rqId) + "]");
}

void CZQKCommClientDlg::ContinueQuery(std::string nextKey) {
  m_strNextKey = std::move(nextKey);
  // The request that goes out asks for the next page of the reply in hand.
  const ScopedValue continuing(continuing_, decodingRqId_);
  OnRqTest();
}

}  // namespace zqk
