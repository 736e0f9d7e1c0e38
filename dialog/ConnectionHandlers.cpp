// Connect, Disconnect, Login and Logout: the agent's communication and sign-in.
#include <string>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {
namespace {

std::string WithResult(std::string_view text, int32_t result) {
  return std::string(text) + "[" + std::to_string(result) + "]";
}

}  // namespace

void CZQKCommClientDlg::OnConnect() {
  // The control is created lazily; a Connect while it is up only starts again.
  if (!m_agent.HasWindow()) CreateAgentControl();
  if (!m_agent.HasWindow()) return;
  const int32_t result = m_agent.StartComm(1);
  if (result >= 0) {
    AddLog(
        std::string(Lang("통신프로그램 실행 성공", "Communication Program Processing Successful")));
  } else {
    AddLog(std::string(Lang("통신프로그램 실행 오류", "Communication Program Processing Fail")));
  }
}

void CZQKCommClientDlg::CreateAgentControl() {
  m_agent.Create("ZQK CommAgent", CZQKCommAgent::kChildStyle, id::kAgentControl.value);
}

void CZQKCommClientDlg::OnDisconnect() {
  if (m_agent.HasWindow()) {
    // The implicit logout is not reported, whatever its result.
    if (m_agent.GetCommState() == 1 && !m_strUserId.empty()) m_agent.Logout(m_strUserId);
    m_agent.StopComm(1);
    m_agent.DestroyWindow();
    activity_.Disconnected(NowMs());
  }
  AddLog(std::string(Lang("통신프로그램 종료 성공", "Communication Program Terminate")));
}

void CZQKCommClientDlg::OnLogin() {
  m_strUserId = model_.Text(id::kUserId);
  m_strPassword = model_.Text(id::kPassword);
  m_strCertPassword = model_.Text(id::kCertPassword);
  const int32_t result = m_agent.Login(m_strUserId, m_strPassword, m_strCertPassword);
  if (result >= 1) {
    AddLog(std::string(Lang("로그인 성공", "Login Successful")));
  } else {
    AddLog(WithResult(Lang("로그인 실패", "Login Failure"), result));
  }
}

void CZQKCommClientDlg::OnLogout() {
  // The ID of the last Login, not what edit 1002 holds now.
  const int32_t result = m_agent.Logout(m_strUserId);
  if (result >= 0) {
    AddLog(WithResult(Lang("로그아웃 성공", "Logout Successful"), result));
  } else {
    AddLog(WithResult(Lang("로그아웃 실패", "Logout Failure"), result));
  }
}

}  // namespace zqk
