// Entry points of TR replies and real-time data. The decoders that read the
// data of these events are not part of the console yet: the events arrive and
// are accepted, and nothing is logged for them.
#include "ui/CZQKCommClientDlg.h"

namespace zqk {

void CZQKCommClientDlg::OnTrReply(const std::string& /*trCode*/, int32_t /*rqId*/) {}

void CZQKCommClientDlg::OnRealData(const std::string& /*key*/, int32_t /*realType*/) {}

}  // namespace zqk
