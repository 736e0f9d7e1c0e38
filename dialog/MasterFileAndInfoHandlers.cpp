// The six small buttons at the top right: master-file requests, business
// days and the information lookup. Their lines are the same in both languages.
#include <string>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {
namespace {

// Kinds of GetBusinessDay.
constexpr int32_t kDomesticDays = 3;
constexpr int32_t kOverseasDays = 1;

}  // namespace

// The request line goes first, so that it is logged even if the call fails.
void CZQKCommClientDlg::OnOverseasAllMst() {
  AddLog("해외 모든MST파일 정보 서비스 요청");
  m_agent.RequestMasterFile("all", 0);
}

void CZQKCommClientDlg::OnOverseasFuturesMst() {
  AddLog("해외 선물MST파일 정보 서비스 요청");
  m_agent.RequestMasterFile("futures", 0);
}

void CZQKCommClientDlg::OnOverseasOptionMst() {
  AddLog("해외 옵션MST파일 정보 서비스 요청");
  m_agent.RequestMasterFile("option", 0);
}

void CZQKCommClientDlg::OnDomesticTDays() {
  AddLog(m_agent.GetBusinessDay(kDomesticDays));
}

void CZQKCommClientDlg::OnOverseasTDays() {
  AddLog(m_agent.GetBusinessDay(kOverseasDays));
}

void CZQKCommClientDlg::OnGetInfoTest() {
  const std::string name = model_.Text(id::kInfoName);
  AddLog(m_agent.GetInfo(name, ""));
  AddLog(m_agent.GetInfo(name, "1"));
}

}  // namespace zqk
