// Entry points of TR replies and real-time data: each event is decoded while
// the agent delivers it, through the agent's reading operations, into the log
// and the dialog's other outputs.
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/DialogDecoderOutput.h"
#include "dialog/ScopedValue.h"
#include "replies/AgentReader.h"
#include "replies/RealTimeDecoder.h"
#include "replies/TrReplyDecoders.h"

namespace zqk {

void CZQKCommClientDlg::OnTrReply(const std::string& trCode, int32_t rqId) {
  activity_.ReplyArrived(rqId, NowMs());
  const ScopedValue decoding(decodingRqId_, std::optional<int32_t>(rqId));
  WrapperReader agent(m_agent);
  DialogDecoderOutput out(*this, *env_.host);
  DecodeTrReply(trCode, rqId, agent, out, ExecutableDir());
}

void CZQKCommClientDlg::OnRealData(const std::string& key, int32_t realType) {
  activity_.RealData(key, realType, NowMs());
  WrapperReader reader(m_agent);
  DialogDecoderOutput out(*this, *env_.host);
  DecodeRealData(key, realType, reader, out, m_strLastOrderNo);
}

}  // namespace zqk
