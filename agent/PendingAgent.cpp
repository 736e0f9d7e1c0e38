// TEMPORARY stubs so that the core links while the agent binding and the
// connection handlers are written; this file is deleted when they land.
#include "ui/CZQKCommClientDlg.h"

namespace zqk {
struct CZQKCommAgent::Impl {};
CZQKCommAgent::CZQKCommAgent(UiThread&, AgentEventSink&, std::filesystem::path) {}
CZQKCommAgent::~CZQKCommAgent() = default;
void CZQKCommClientDlg::OnLogin() {}
void CZQKCommClientDlg::OnLogout() {}
void CZQKCommClientDlg::OnConnect() {}
void CZQKCommClientDlg::OnDisconnect() {}
}  // namespace zqk
