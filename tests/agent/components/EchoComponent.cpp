// A well-behaved test component: checks every call against the interface
// tables, echoes its arguments, counts what it allocates, and fires an event
// through the host's post service.
#include "tests/agent/components/EchoComponent.h"

#include <dlfcn.h>

#include <cstring>
#include <set>
#include <string>

#include "agent/abi/AgentAbiCheck.h"
#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"

#define ZQK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

EchoState g_state;

struct PendingReply;

struct Echo {
  zqk_control control;
  const zqk_host* host;
  // Replies posted and not yet fired; freed with the control.
  std::set<PendingReply*> pending;
};

struct PendingReply {
  Echo* echo;
  std::string trCode;
  int32_t rqId;
};

Echo* Self(zqk_control* c) {
  return static_cast<Echo*>(c->self);
}

void SetString(zqk_value* out, const std::string& s) {
  char* bytes = new char[s.size() + 1];
  std::memcpy(bytes, s.data(), s.size());
  out->type = ZQK_VT_STR;
  out->str = bytes;
  out->len = static_cast<uint32_t>(s.size());
  ++g_state.liveResults;
}

void FireReply(void* arg) {
  auto* reply = static_cast<PendingReply*>(arg);
  reply->echo->pending.erase(reply);
  ++g_state.fired;
  zqk_value args[2] = {};
  args[0].type = ZQK_VT_STR;
  args[0].str = reply->trCode.data();
  args[0].len = static_cast<uint32_t>(reply->trCode.size());
  args[1].type = ZQK_VT_I4;
  args[1].i4 = reply->rqId;
  const zqk_host* host = reply->echo->host;
  g_state.lastFireStatus =
      host->fire_event(host->context, static_cast<int32_t>(zqk::EventDispid::kOnTrReply), args, 2);
  // Touches the control after the event: it must still be alive here.
  reply->echo->control.version = ZQK_ABI_VERSION;
  delete reply;
}

int32_t Invoke(zqk_control* c, int32_t dispid, const zqk_value* args, uint32_t count,
               zqk_value* result) {
  ++g_state.invokes;
  *result = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
  const zqk::OperationInfo* op = zqk::FindOperation(dispid);
  if (!op) {
    SetString(result, "echo: no operation " + std::to_string(dispid));
    return ZQK_E_UNKNOWN_DISPID;
  }
  if (count != op->params.size()) return ZQK_E_ARG_COUNT;
  std::string joined;
  for (uint32_t i = 0; i < count; ++i) {
    if (args[i].type != static_cast<int32_t>(op->params[i])) return ZQK_E_ARG_TYPE;
    if (args[i].type == ZQK_VT_STR) {
      if (args[i].len) joined.append(args[i].str, args[i].len);
    } else {
      joined += std::to_string(args[i].i4);
    }
  }
  if (g_state.duringInvoke) g_state.duringInvoke(dispid);

  if (op->dispid == zqk::Dispid::kRequestTr) {
    const int32_t rqId = ++g_state.lastRqId;
    auto* reply = new PendingReply{Self(c), std::string(args[0].str, args[0].len), rqId};
    Self(c)->pending.insert(reply);
    Self(c)->host->post(Self(c)->host->context, &FireReply, reply, 10);
    result->type = ZQK_VT_I4;
    result->i4 = rqId;
    return ZQK_OK;
  }
  switch (op->result) {
    case zqk::ValueType::kLong:
      result->type = ZQK_VT_I4;
      result->i4 = dispid < 64 ? g_state.longResults[dispid] : 0;
      break;
    case zqk::ValueType::kString:
      SetString(result, joined);
      break;
    case zqk::ValueType::kEmpty:
      break;
  }
  return ZQK_OK;
}

void ReleaseValue(zqk_control*, zqk_value* value) {
  if (value->type == ZQK_VT_STR && value->str) {
    delete[] value->str;
    --g_state.liveResults;
  }
  *value = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
}

void Destroy(zqk_control* c) {
  ++g_state.destroys;
  // The host drops what is still posted; the replies are ours to free.
  for (PendingReply* reply : Self(c)->pending) delete reply;
  delete Self(c);
}

}  // namespace

ZQK_EXPORT EchoState* zqk_echo_state() {
  return &g_state;
}

ZQK_EXPORT int32_t DllRegisterServer() {
  Dl_info info{};
  if (!::dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname) return -1;
  return zqk::RegisterComponent(zqk::DefaultComponentRegistryPath(), zqk::kAgentClassId,
                                info.dli_fname, nullptr)
             ? 0
             : -1;
}

ZQK_EXPORT int32_t ZQKCreateControl(const char* classId, const zqk_host* host, zqk_control** out) {
  if (!host || !zqk_abi_usable(host->version, host->size, sizeof(zqk_host))) {
    return ZQK_E_BAD_STRUCT;
  }
  if (!classId || zqk::kAgentClassId != classId) return ZQK_E_FAILED;
  auto* echo = new Echo{};
  echo->host = host;
  echo->control.version = ZQK_ABI_VERSION;
  echo->control.size = sizeof(zqk_control);
  echo->control.self = echo;
  echo->control.invoke = &Invoke;
  echo->control.release_value = &ReleaseValue;
  echo->control.destroy = &Destroy;
  ++g_state.creates;
  *out = &echo->control;
  return ZQK_OK;
}
