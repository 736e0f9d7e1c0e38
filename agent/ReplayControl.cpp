#include "agent/ReplayControl.h"

#include <cstring>
#include <span>

namespace zqk {
namespace {

struct ReplayControl {
  zqk_control abi{};
  std::shared_ptr<ReplaySession> session;
  const zqk_host* host = nullptr;
};

ReplayControl* Self(zqk_control* control) {
  return static_cast<ReplayControl*>(control->self);
}

void SetResult(zqk_value* out, const RecordedValue& value) {
  *out = zqk_value{static_cast<int32_t>(value.type), value.i4, nullptr, 0};
  if (value.type == ValueType::kString && !value.str.empty()) {
    char* bytes = new char[value.str.size()];
    std::memcpy(bytes, value.str.data(), value.str.size());
    out->str = bytes;
    out->len = static_cast<uint32_t>(value.str.size());
  }
}

int32_t Invoke(zqk_control* control, int32_t dispid, const zqk_value* args, uint32_t count,
               zqk_value* result) {
  *result = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
  const OperationInfo* op = FindOperation(dispid);
  if (!op) return ZQK_E_UNKNOWN_DISPID;
  if (count > 0 && !args) return ZQK_E_BAD_STRUCT;
  // Nothing may cross back into the host as an exception.
  try {
    const ReplaySession::Answer answer =
        Self(control)->session->AnswerCall(*op, std::span<const zqk_value>(args, count));
    SetResult(result, answer.result);
    return answer.status;
  } catch (...) {
    return ZQK_E_FAILED;
  }
}

void ReleaseValue(zqk_control*, zqk_value* value) {
  if (value->type == ZQK_VT_STR) delete[] value->str;
  *value = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
}

void Destroy(zqk_control* control) {
  ReplayControl* self = Self(control);
  self->session->Detach(self->host);
  delete self;
}

}  // namespace

int32_t CreateReplayControl(std::shared_ptr<ReplaySession> session, const zqk_host* host,
                            zqk_control** out) {
  if (!session || !host || !out) return ZQK_E_BAD_STRUCT;
  auto* control = new ReplayControl;
  control->abi.version = ZQK_ABI_VERSION;
  control->abi.size = sizeof(zqk_control);
  control->abi.self = control;
  control->abi.invoke = &Invoke;
  control->abi.release_value = &ReleaseValue;
  control->abi.destroy = &Destroy;
  control->session = std::move(session);
  control->host = host;
  control->session->Attach(host);
  *out = &control->abi;
  return ZQK_OK;
}

}  // namespace zqk
