// Register and Unregister of the market-quote feed: the key and the real type
// as typed, the agent keeping the registrations.
#include <string>

#include "dialog/CZQKCommClientDlg.h"
#include "text/DecimalText.h"

namespace zqk {

void CZQKCommClientDlg::OnRealRegister() {
  const std::string key = model_.Text(id::kRealKey);
  const std::string typeText = model_.Text(id::kRealType);
  const int32_t realType = LeadingInt32(typeText);
  const int32_t result = m_agent.AddReal(key, realType);
  if (result >= 0) activity_.QuoteFeedAdded(key, realType, NowMs());
  // The typed text is logged, not the number that was registered.
  std::string line(Lang("실시간 종목[", "Market Quotes Real Input Product["));
  line.append(key).append(Lang("] 구분[", "] Type[")).append(typeText);
  line.append(Lang("] 등록결과[", "] Register Result[")).append(std::to_string(result)).append("]");
  AddLog(std::move(line));
}

void CZQKCommClientDlg::OnRealUnregister() {
  // A refused removal is not reported.
  const std::string key = model_.Text(id::kRealKey);
  const int32_t realType = LeadingInt32(model_.Text(id::kRealType));
  if (m_agent.RemoveReal(key, realType) >= 0) activity_.QuoteFeedRemoved(key, realType);
}

}  // namespace zqk
