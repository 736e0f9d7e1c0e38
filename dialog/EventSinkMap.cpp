// The dialog's event-sink map: agent events by dispatch ID to their handlers,
// with each event's arguments checked against the interface table.
#include <array>
#include <string>

#include "dialog/CZQKCommClientDlg.h"

namespace zqk {
namespace {

std::string Str(const zqk_value& v) {
  return v.len ? std::string(v.str, v.len) : std::string();
}

using Sink = void (*)(CZQKCommClientDlg&, std::span<const zqk_value>);

struct EventSinkEntry {
  EventDispid dispid;
  Sink sink;
};

constexpr std::array<EventSinkEntry, 4> kEventSinkMap{{
    {EventDispid::kOnTrReply,
     [](CZQKCommClientDlg& d, std::span<const zqk_value> a) { d.OnTrReply(Str(a[0]), a[1].i4); }},
    {EventDispid::kOnRealData,
     [](CZQKCommClientDlg& d, std::span<const zqk_value> a) { d.OnRealData(Str(a[0]), a[1].i4); }},
    {EventDispid::kOnAgentMessage,
     [](CZQKCommClientDlg& d, std::span<const zqk_value> a) {
       d.OnAgentMessage(Str(a[0]), Str(a[1]));
     }},
    {EventDispid::kOnRequestMessage,
     [](CZQKCommClientDlg& d, std::span<const zqk_value> a) {
       d.OnRequestMessage(a[0].i4, Str(a[1]), Str(a[2]));
     }},
}};

// Throws AgentError when the event's arguments do not match its signature.
void CheckArguments(const EventInfo& info, std::span<const zqk_value> args) {
  if (args.size() != info.params.size()) {
    throw AgentError(ZQK_E_ARG_COUNT, std::string(info.name) + ": " + std::to_string(args.size()) +
                                          " arguments, expected " +
                                          std::to_string(info.params.size()));
  }
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].type != static_cast<int32_t>(info.params[i])) {
      throw AgentError(ZQK_E_ARG_TYPE, std::string(info.name) + ": argument " +
                                           std::to_string(i + 1) + " has the wrong type");
    }
    if (args[i].type == ZQK_VT_STR && args[i].len > 0 && !args[i].str) {
      throw AgentError(ZQK_E_ARG_TYPE, std::string(info.name) + ": argument " +
                                           std::to_string(i + 1) + " has no bytes");
    }
  }
}

}  // namespace

int32_t CZQKCommClientDlg::OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) {
  if (destroyed_) return ZQK_E_UNKNOWN_DISPID;
  const EventInfo* info = FindEvent(dispid);
  if (!info) return ZQK_E_UNKNOWN_DISPID;
  Guarded([&] {
    CheckArguments(*info, args);
    for (const EventSinkEntry& entry : kEventSinkMap) {
      if (entry.dispid == info->dispid) entry.sink(*this, args);
    }
  });
  return ZQK_OK;
}

}  // namespace zqk
