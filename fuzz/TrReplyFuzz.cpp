// Every TR reply decoder, reached by the reply's code in the input, with the
// agent's answers from the input: the decoders must neither crash nor let the
// agent size their work beyond what its data holds.
#include <string_view>

#include "fuzz/support/CannedAgent.h"
#include "fuzz/support/FuzzMain.h"
#include "fuzz/support/PrivateFolder.h"
#include "replies/TrReplyDecoders.h"

namespace zqk::fuzz {

void RunOne(std::string_view input) {
  const PrivateFolder folder;
  CannedAgent agent;
  CheckedOutput out;
  int32_t rqId = 0;
  for (const CannedEvent& e : ParseCannedEvents(input, 64)) {
    agent.Deliver(e);
    out.Deliver(e);
    const size_t before = out.lines();
    DecodeTrReply(e.code, ++rqId, agent, out, folder.path());
    // A row a line, each row taking at least a byte of the reply's data once
    // a count passes 10,000, and a few lines of the decoder's own.
    const size_t data = agent.GetLastData().size() + e.block.size();
    Check(out.lines() - before <= 10'000 + data + 16, "more lines than the reply can hold");
  }
}

}  // namespace zqk::fuzz
