#include "sandbox/masters/MasterFileDesk.h"

#include <memory>

#include "protocol/TrCodes.h"
#include "sandbox/broker/Broker.h"
#include "sandbox/masters/MasterReply.h"

namespace zqk::sandbox {

void MasterFileDesk::Request(std::string_view kind, int32_t rqId) {
  EventPoster& poster = broker_.poster;
  if (const Message* refusal = broker_.SessionProblem()) {
    poster.RequestMessage(rqId, *refusal);
    return;
  }
  const market::LocalTime now = broker_.market.clock().Local(broker_.Now());
  const std::vector<const MasterFile*> files = MasterFilesOfKind(kind);
  if (files.empty()) {
    poster.RequestMessage(rqId, kMsgUnknownMasterKind, kind);
    poster.Reply(tr::kMasterFile, rqId,
                 std::make_shared<const EventData>(MasterKindUnknownReply(now)));
    return;
  }
  for (const MasterFile* file : files) {
    poster.Reply(
        tr::kMasterFile, rqId,
        std::make_shared<const EventData>(MasterFileReply(*file, broker_.market.products(), now)));
  }
}

}  // namespace zqk::sandbox
