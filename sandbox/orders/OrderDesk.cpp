#include "sandbox/orders/OrderDesk.h"

#include "sandbox/Broker.h"
#include "text/Cp949.h"

namespace zqk::sandbox {

void OrderDesk::Send(int32_t rqId, std::string_view code, std::string_view /*record*/) {
  kit::LogLine("ZQKCommAgent", Cp949ToUtf8(code) + ": orders not simulated yet, request " +
                                   std::to_string(rqId) + " refused");
  broker_.poster.RequestMessage(rqId, kMsgNotSimulated, code);
}

}  // namespace zqk::sandbox
