// The agent's general and per-request messages, one log line each.
#include <cstdio>
#include <string>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {

void CZQKCommClientDlg::OnAgentMessage(const std::string& code, const std::string& text) {
  AddLog("[" + code + "][" + text + "]");
}

void CZQKCommClientDlg::OnRequestMessage(int32_t rqId, const std::string& code,
                                         const std::string& text) {
  activity_.RequestMessage(rqId, NowMs());
  AddLog("RQID[" + std::to_string(rqId) + "][" + code + "][" + text + "]");
}

}  // namespace zqk
