// Send Order and the account's order feed: the edits' texts passed unchanged.
#include <string>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {
namespace {

// A refused registration must not read as a success: the failure line
// carries the agent's result instead.
std::string OrderFeedLine(int32_t result, std::string_view done, std::string_view failed) {
  if (result >= 0) return std::string(done);
  std::string line(failed);
  return line.append("[").append(std::to_string(result)).append("]");
}

}  // namespace

void CZQKCommClientDlg::OnSendOrder() {
  const std::string trCode = model_.Text(id::kOrderTrCode);
  const int32_t result = m_agent.SendOrder(trCode, model_.Text(id::kOrderRecord));
  activity_.RequestSent(result, trCode, NowMs(), env_.clock());
  std::string line(Lang("주문요청 요청번호[", "Request Order No["));
  line.append(std::to_string(result)).append("]");
  AddLog(std::move(line));
}

void CZQKCommClientDlg::OnOrderRealRegister() {
  // The user ID of edit 1002 as it is now, not the one of the last Login.
  const std::string account = model_.Text(id::kOrderRealAccount);
  const int32_t result = m_agent.AddOrderReal(model_.Text(id::kUserId), account);
  if (result >= 0) activity_.OrderFeedAdded(account);
  AddLog(OrderFeedLine(result, Lang("실시간 주문체결/미체결 등록", "Order Real Input Register"),
                       Lang("실시간 주문체결/미체결 등록 실패", "Order Real Input Register Fail")));
}

void CZQKCommClientDlg::OnOrderRealUnregister() {
  const std::string account = model_.Text(id::kOrderRealAccount);
  const int32_t result = m_agent.RemoveOrderReal(model_.Text(id::kUserId), account);
  if (result >= 0) activity_.OrderFeedRemoved(account);
  AddLog(
      OrderFeedLine(result, Lang("실시간 주문체결/미체결 해지", "Order Real Input UnRegister"),
                    Lang("실시간 주문체결/미체결 해지 실패", "Order Real Input UnRegister Fail")));
}

}  // namespace zqk
