#pragma once
// The agent's interface by dispatch ID: 22 operations and 4 events, as tables
// that the wrapper, the components and any tracing use alike.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "agent/abi/AgentAbi.h"

namespace zqk {

enum class Dispid : int32_t {
  kStartComm = 1,
  kStopComm = 2,
  kLogin = 3,
  kLogout = 4,
  kRequestTr = 5,
  kAddReal = 6,
  kRemoveReal = 7,
  kGetRepeatCount = 8,
  kGetFieldValue = 9,
  kGetDataBlock = 10,
  kGetCommState = 11,
  kRequestFid = 12,
  kAddOrderReal = 13,
  kRemoveOrderReal = 14,
  kSendOrder = 15,
  kGetAccountText = 21,
  kFormatValue = 22,
  kGetLastData = 26,
  kRequestMasterFile = 27,
  kGetNextKey = 28,
  kGetBusinessDay = 29,
  kGetInfo = 30,
};

enum class EventDispid : int32_t {
  kOnTrReply = 3,
  kOnRealData = 4,
  kOnAgentMessage = 5,
  kOnRequestMessage = 6,
};

// The type of an argument or result; kEmpty as a result means "none".
enum class ValueType : int32_t {
  kEmpty = ZQK_VT_EMPTY,
  kLong = ZQK_VT_I4,
  kString = ZQK_VT_STR,
};

struct OperationInfo {
  Dispid dispid;
  std::string_view name;
  std::span<const ValueType> params;
  ValueType result;
};

struct EventInfo {
  EventDispid dispid;
  std::string_view name;
  std::span<const ValueType> params;
};

// All operations in dispatch-ID order, and all events.
std::span<const OperationInfo> Operations();
std::span<const EventInfo> Events();
// nullptr for an ID the interface does not have.
const OperationInfo* FindOperation(int32_t dispid);
const EventInfo* FindEvent(int32_t dispid);

// The agent's registered class identifier: what start-up registers and what
// Connect creates.
inline constexpr std::string_view kAgentClassId = "{5B1E7C2A-3D94-4F6B-9A0E-6C1D2E8F4A71}";

}  // namespace zqk
