#include "agent/abi/DispatchIds.h"

namespace zqk {
namespace {

using enum ValueType;
constexpr ValueType kNone[] = {kEmpty};
constexpr std::span<const ValueType> kNoParams{kNone, 0};
constexpr ValueType kL[] = {kLong};
constexpr ValueType kS[] = {kString};
constexpr ValueType kSS[] = {kString, kString};
constexpr ValueType kSL[] = {kString, kLong};
constexpr ValueType kLS[] = {kLong, kString};
constexpr ValueType kSSS[] = {kString, kString, kString};
constexpr ValueType kSSL[] = {kString, kString, kLong};
constexpr ValueType kSLS[] = {kString, kLong, kString};
constexpr ValueType kLSS[] = {kLong, kString, kString};
constexpr ValueType kSSLS[] = {kString, kString, kLong, kString};
constexpr ValueType kSSSLS[] = {kString, kString, kString, kLong, kString};
constexpr ValueType kSLSLS[] = {kString, kLong, kString, kLong, kString};
constexpr ValueType kSLLLLS[] = {kString, kLong, kLong, kLong, kLong, kString};

constexpr OperationInfo kOperations[] = {
    {Dispid::kStartComm, "StartComm", kL, kLong},
    {Dispid::kStopComm, "StopComm", kL, kEmpty},
    {Dispid::kLogin, "Login", kSSS, kLong},
    {Dispid::kLogout, "Logout", kS, kLong},
    {Dispid::kRequestTr, "RequestTr", kSSLS, kLong},
    {Dispid::kAddReal, "AddReal", kSL, kLong},
    {Dispid::kRemoveReal, "RemoveReal", kSL, kLong},
    {Dispid::kGetRepeatCount, "GetRepeatCount", kSLS, kLong},
    {Dispid::kGetFieldValue, "GetFieldValue", kSLSLS, kString},
    {Dispid::kGetDataBlock, "GetDataBlock", kSLLLLS, kString},
    {Dispid::kGetCommState, "GetCommState", kNoParams, kLong},
    {Dispid::kRequestFid, "RequestFid", kSSSLS, kLong},
    {Dispid::kAddOrderReal, "AddOrderReal", kSS, kLong},
    {Dispid::kRemoveOrderReal, "RemoveOrderReal", kSS, kLong},
    {Dispid::kSendOrder, "SendOrder", kSS, kLong},
    {Dispid::kGetAccountText, "GetAccountText", kS, kString},
    {Dispid::kFormatValue, "FormatValue", kSSL, kString},
    {Dispid::kGetLastData, "GetLastData", kNoParams, kString},
    {Dispid::kRequestMasterFile, "RequestMasterFile", kSL, kEmpty},
    {Dispid::kGetNextKey, "GetNextKey", kLS, kString},
    {Dispid::kGetBusinessDay, "GetBusinessDay", kL, kString},
    {Dispid::kGetInfo, "GetInfo", kSS, kString},
};

constexpr EventInfo kEvents[] = {
    {EventDispid::kOnTrReply, "OnTrReply", kSL},
    {EventDispid::kOnRealData, "OnRealData", kSL},
    {EventDispid::kOnAgentMessage, "OnAgentMessage", kSS},
    {EventDispid::kOnRequestMessage, "OnRequestMessage", kLSS},
};

}  // namespace

std::span<const OperationInfo> Operations() {
  return kOperations;
}
std::span<const EventInfo> Events() {
  return kEvents;
}

const OperationInfo* FindOperation(int32_t dispid) {
  for (const OperationInfo& op : kOperations) {
    if (static_cast<int32_t>(op.dispid) == dispid) return &op;
  }
  return nullptr;
}

const EventInfo* FindEvent(int32_t dispid) {
  for (const EventInfo& ev : kEvents) {
    if (static_cast<int32_t>(ev.dispid) == dispid) return &ev;
  }
  return nullptr;
}

}  // namespace zqk
