// Entry points of TR replies and real-time data. The decoders of TR replies
// are not part of the console yet: those events arrive and are accepted, and
// nothing is logged for them. Real-time data is decoded by its real type.
#include "replies/AgentReader.h"
#include "replies/DialogDecoderOutput.h"
#include "replies/RealTimeDecoder.h"
#include "ui/CZQKCommClientDlg.h"

namespace zqk {

void CZQKCommClientDlg::OnTrReply(const std::string& /*trCode*/, int32_t /*rqId*/) {}

void CZQKCommClientDlg::OnRealData(const std::string& key, int32_t realType) {
  WrapperReader reader(m_agent);
  DialogDecoderOutput out(*this, *env_.host);
  DecodeRealData(key, realType, reader, out, m_strLastOrderNo);
}

}  // namespace zqk
