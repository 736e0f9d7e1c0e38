// Entry points of TR replies and real-time data: each event is decoded while
// the agent delivers it, through the agent's reading operations, into the log
// and the dialog's other outputs. With the reply inspector on, the event is
// then read in full for it, before any message box of the decoder.
#include "dialog/CZQKCommClientDlg.h"
#include "dialog/DialogDecoderOutput.h"
#include "dialog/ScopedValue.h"
#include "replies/AgentReader.h"
#include "replies/RealTimeDecoder.h"
#include "replies/TrReplyDecoders.h"

namespace zqk {

void CZQKCommClientDlg::OnTrReply(const std::string& trCode, int32_t rqId) {
  const std::optional<int64_t> latency = activity_.ReplyArrived(rqId, NowMs());
  const ScopedValue decoding(decodingRqId_, std::optional<int32_t>(rqId));
  WrapperReader agent(m_agent);
  InspectionPoint inspection;
  if (inspector_.Enabled()) {
    inspection = InspectionPoint([&] {
      InspectorEntry entry{.clock = env_.clock(),
                           .agentMs = NowMs(),
                           .kind = InspectedKind::kReply,
                           .code = trCode,
                           .rqId = rqId,
                           .latencyMs = latency};
      entry.inspection = inspect::InspectReply(agent, trCode, inspector_.EntryBudget());
      inspector_.Add(std::move(entry));
    });
  }
  DialogDecoderOutput out(*this, *env_.host, &inspection);
  DecodeTrReply(trCode, rqId, agent, out, ExecutableDir());
  inspection.Reach();
}

void CZQKCommClientDlg::OnRealData(const std::string& key, int32_t realType) {
  activity_.RealData(key, realType, NowMs());
  WrapperReader reader(m_agent);
  DialogDecoderOutput out(*this, *env_.host);
  DecodeRealData(key, realType, reader, out, m_strLastOrderNo);
  if (!inspector_.Enabled()) return;
  InspectorEntry entry{.clock = env_.clock(),
                       .agentMs = NowMs(),
                       .kind = InspectedKind::kRealTime,
                       .code = key,
                       .realType = realType};
  entry.inspection = inspect::InspectRealData(reader, key, realType, inspector_.EntryBudget());
  inspector_.Add(std::move(entry));
}

}  // namespace zqk
