// Every real type's decoder, on records whose key, real type and fields come
// from the input, one after another so that the order feed's filter sees the
// numbers of earlier acceptances.
#include <string>
#include <string_view>

#include "fuzz/support/CannedAgent.h"
#include "fuzz/support/FuzzMain.h"
#include "replies/RealTimeDecoder.h"

namespace zqk::fuzz {

void RunOne(std::string_view input) {
  CannedAgent agent;
  CheckedOutput out;
  std::string lastOrderNo;
  for (const CannedEvent& e : ParseCannedEvents(input, 256)) {
    agent.Deliver(e);
    out.Deliver(e);
    const size_t before = out.lines();
    DecodeRealData(e.code, e.realType, agent, out, lastOrderNo);
    // No real type logs more than a few lines a record.
    Check(out.lines() - before <= 8, "a record logged more lines than its type has");
  }
}

}  // namespace zqk::fuzz
