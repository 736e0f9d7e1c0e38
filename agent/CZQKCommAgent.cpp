#include "agent/CZQKCommAgent.h"

#include <array>
#include <chrono>
#include <initializer_list>
#include <limits>
#include <span>
#include <utility>
#include <vector>

#include "agent/ComponentHost.h"
#include "agent/ComponentLoader.h"
#include "agent/ReplayControl.h"
#include "agent/ReplaySession.h"
#include "agent/SessionRecorder.h"
#include "agent/abi/AgentAbiCheck.h"
#include "agent/abi/ComponentRegistry.h"
#include "text/Cp949.h"

namespace zqk {
namespace {

// More arguments than any operation of the interface takes.
constexpr size_t kArgsOnStack = 8;

// One live control with what it needs: its library stays loaded and its host
// stays valid until the control's `destroy` has returned.
struct ControlInstance {
  std::shared_ptr<ComponentLibrary> library;
  std::unique_ptr<ComponentHost> host;
  zqk_control* control = nullptr;

  ~ControlInstance() {
    host->Shutdown();
    if (control) control->destroy(control);
    host.reset();
    library.reset();
  }
};

// A control that cannot be used and cannot safely be destroyed (a struct of
// another ABI version): its library and host are kept for the rest of the
// process, because the component may still call the host or run its code.
void Abandon(std::shared_ptr<ControlInstance> instance) {
  instance->host->Shutdown();
  static auto* abandoned = new std::vector<std::shared_ptr<ControlInstance>>();
  abandoned->push_back(std::move(instance));
}

std::string_view TypeName(int32_t type) {
  switch (type) {
    case ZQK_VT_EMPTY:
      return "no value";
    case ZQK_VT_I4:
      return "a long";
    case ZQK_VT_STR:
      return "a string";
    default:
      return "a value of unknown type";
  }
}

std::string StatusText(int32_t status) {
  std::string text;
  switch (status) {
    case ZQK_E_UNKNOWN_DISPID:
      text = "no such operation";
      break;
    case ZQK_E_ARG_COUNT:
      text = "wrong number of arguments";
      break;
    case ZQK_E_ARG_TYPE:
      text = "argument of the wrong type";
      break;
    case ZQK_E_FAILED:
      text = "operation failed";
      break;
    case ZQK_E_BAD_STRUCT:
      text = "struct of an unknown version or size";
      break;
    default:
      text = "error";
      break;
  }
  return text + ", status " + std::to_string(status);
}

AgentResult Call(CZQKCommAgent& agent, Dispid dispid, std::initializer_list<AgentArg> args) {
  return agent.InvokeHelper(dispid, std::span<const AgentArg>(args.begin(), args.size()));
}

int32_t CallLong(CZQKCommAgent& agent, Dispid dispid, std::initializer_list<AgentArg> args) {
  return Call(agent, dispid, args).i4;
}

std::string CallString(CZQKCommAgent& agent, Dispid dispid, std::initializer_list<AgentArg> args) {
  return std::move(Call(agent, dispid, args).str);
}

// Events on their way from the control to the sink: recorded first, when a
// recording runs, so that the calls their handlers make follow them.
class EventTap : public AgentEventSink {
 public:
  EventTap(AgentEventSink& sink, SessionRecorder* const& recorder, const int& callDepth,
           const int& extensionDepth)
      : sink_(sink), recorder_(recorder), callDepth_(callDepth), extensionDepth_(extensionDepth) {}
  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override {
    if (recorder_) recorder_->Event(dispid, args, callDepth_ > 0, extensionDepth_ > 0);
    return sink_.OnAgentEvent(dispid, args);
  }

 private:
  AgentEventSink& sink_;
  SessionRecorder* const& recorder_;
  const int& callDepth_;
  const int& extensionDepth_;
};

}  // namespace

struct CZQKCommAgent::Impl {
  UiThread& uiThread;
  EventTap tap;
  std::filesystem::path registry;
  std::shared_ptr<ControlInstance> live;
};

CZQKCommAgent::CZQKCommAgent(UiThread& uiThread, AgentEventSink& sink,
                             std::filesystem::path registryFile)
    : impl_(new Impl{uiThread, EventTap(sink, recorder_, callDepth_, extensionDepth_),
                     std::move(registryFile), nullptr}) {}

CZQKCommAgent::~CZQKCommAgent() {
  DestroyWindow();
}

void CZQKCommAgent::SetReplay(std::shared_ptr<ReplaySession> session) {
  replay_ = std::move(session);
}

bool CZQKCommAgent::CreateFailed(std::string why) {
  lastCreateError_ = std::move(why);
  if (recorder_) recorder_->ControlCreated(false, lastCreateError_);
  if (createFailureObserver_) createFailureObserver_(lastCreateError_);
  return false;
}

bool CZQKCommAgent::Create(std::string_view windowName, uint32_t style, int32_t controlId) {
  // The control never shows a window, so no style bit has anything to act on.
  (void)style;
  lastCreateError_.clear();
  if (impl_->live) {
    // Nothing reaches a component: not part of a recorded session.
    lastCreateError_ = "the agent control exists already";
    if (createFailureObserver_) createFailureObserver_(lastCreateError_);
    return false;
  }
  const std::string error = replay_ ? CreateForReplay() : CreateFromRegistry();
  if (!error.empty()) return CreateFailed(error);
  windowName_ = windowName;
  windowId_ = controlId;
  if (recorder_) recorder_->ControlCreated(true, {});
  return true;
}

std::string CZQKCommAgent::CreateForReplay() {
  std::string recorded;
  if (!replay_->MatchCreate(recorded)) return recorded;
  auto instance = std::make_shared<ControlInstance>();
  instance->host = std::make_unique<ComponentHost>(impl_->uiThread, impl_->tap);
  instance->host->HoldWhileRunning(instance);
  zqk_control* control = nullptr;
  const int32_t status = CreateReplayControl(replay_, instance->host->Abi(), &control);
  if (status != ZQK_OK) return "the replay control refused (" + StatusText(status) + ")";
  instance->control = control;
  impl_->live = std::move(instance);
  return {};
}

std::string CZQKCommAgent::CreateFromRegistry() {
  const std::string classId(kAgentClassId);
  std::string registryError;
  const std::optional<std::filesystem::path> path =
      LookupComponent(impl_->registry, classId, &registryError);
  if (!registryError.empty()) {
    return "the component registry cannot be read: " + Utf8ToCp949(registryError);
  }
  if (!path) {
    return "class " + classId + " is not registered in " + Utf8ToCp949(impl_->registry.string());
  }
  std::string error;
  std::shared_ptr<ComponentLibrary> library = ComponentLibrary::Load(*path, &error);
  if (!library) return error;
  const std::string shownPath = Utf8ToCp949(path->string());

  auto instance = std::make_shared<ControlInstance>();
  instance->library = std::move(library);
  instance->host = std::make_unique<ComponentHost>(impl_->uiThread, impl_->tap);
  instance->host->HoldWhileRunning(instance);
  zqk_control* control = nullptr;
  const int32_t status =
      instance->library->CreateControl()(classId.c_str(), instance->host->Abi(), &control);
  if (status != ZQK_OK) {
    return shownPath + ": " ZQK_CREATE_CONTROL_SYMBOL " refused (" + StatusText(status) + ")";
  }
  if (!control) return shownPath + ": " ZQK_CREATE_CONTROL_SYMBOL " returned no control";
  if (!zqk_abi_usable(control->version, control->size, sizeof(zqk_control))) {
    const std::string why = shownPath + ": the control's ABI version " +
                            std::to_string(ZQK_ABI_MAJOR(control->version)) + "." +
                            std::to_string(control->version & 0xFFFFu) + " (size " +
                            std::to_string(control->size) + ") cannot be used";
    Abandon(std::move(instance));
    return why;
  }
  if (!control->invoke || !control->release_value || !control->destroy) {
    if (control->destroy) {
      instance->control = control;
    } else {
      Abandon(std::move(instance));
    }
    return shownPath + ": the control lacks a function";
  }
  instance->control = control;
  impl_->live = std::move(instance);
  return {};
}

void CZQKCommAgent::DestroyWindow() {
  std::shared_ptr<ControlInstance> instance = std::exchange(impl_->live, nullptr);
  windowName_.clear();
  windowId_ = 0;
  if (!instance) return;
  instance->host->Shutdown();
  if (replay_) replay_->MatchDestroy();
  if (recorder_) recorder_->ControlDestroyed();
  // The control is destroyed here, or, when this runs in a nested event loop
  // inside one of its own calls, as soon as that call has returned.
}

bool CZQKCommAgent::HasWindow() const {
  return impl_->live != nullptr;
}

AgentResult CZQKCommAgent::InvokeHelper(Dispid dispid, std::span<const AgentArg> args) {
  const int32_t id = static_cast<int32_t>(dispid);
  const OperationInfo* op = FindOperation(id);
  if (!op) {
    throw AgentError(ZQK_E_UNKNOWN_DISPID,
                     "The agent has no operation with dispatch ID " + std::to_string(id));
  }
  return Invoke(*op, args);
}

AgentResult CZQKCommAgent::InvokeExtension(int32_t dispid, std::string_view name,
                                           std::span<const AgentArg> args, ValueType result) {
  if (FindOperation(dispid)) {
    throw AgentError(ZQK_E_UNKNOWN_DISPID, "Dispatch ID " + std::to_string(dispid) +
                                               " is an operation of the agent interface");
  }
  std::vector<ValueType> params;
  for (const AgentArg& a : args) params.push_back(a.type);
  const OperationInfo op{static_cast<Dispid>(dispid), name, params, result};
  return Invoke(op, args);
}

AgentResult CZQKCommAgent::Invoke(const OperationInfo& opInfo, std::span<const AgentArg> args,
                                  const std::function<void(std::string_view)>* lend) {
  const OperationInfo* op = &opInfo;
  const int32_t id = static_cast<int32_t>(op->dispid);
  const std::string_view name = op->name;
  AgentResult result;

  // Held for the whole call: a nested event loop may destroy the window.
  const std::shared_ptr<ControlInstance> instance = impl_->live;
  if (!instance) {
    result.type = op->result;
    if (op->result == ValueType::kLong) result.i4 = -1;
    if (observer_) observer_(*op, args, result);
    return result;
  }

  // The arguments of every operation fit on the stack; a decoder makes
  // hundreds of calls for one reply, and each would otherwise allocate.
  std::array<zqk_value, kArgsOnStack> stackValues{};
  std::vector<zqk_value> heapValues;
  if (args.size() > stackValues.size()) heapValues.resize(args.size());
  const std::span<zqk_value> values = heapValues.empty()
                                          ? std::span<zqk_value>(stackValues).first(args.size())
                                          : std::span<zqk_value>(heapValues);
  for (size_t i = 0; i < args.size(); ++i) {
    zqk_value& v = values[i];
    v.type = static_cast<int32_t>(args[i].type);
    if (args[i].type == ValueType::kLong) {
      v.i4 = args[i].i4;
    } else {
      if (args[i].str.size() > std::numeric_limits<uint32_t>::max()) {
        throw AgentError(ZQK_E_ARG_TYPE, std::string(name) + ": argument " + std::to_string(i + 1) +
                                             " is too long");
      }
      v.str = args[i].str.data();
      v.len = static_cast<uint32_t>(args[i].str.size());
    }
  }

  zqk_control* control = instance->control;
  zqk_value out{ZQK_VT_EMPTY, 0, nullptr, 0};
  // Only the interface's calls are the session's: a driver's own requests to
  // a component (the fixture agent's control operations) are not.
  const std::span<const OperationInfo> ops = Operations();
  const bool interfaceCall = op >= ops.data() && op < ops.data() + ops.size();
  using SteadyClock = std::chrono::steady_clock;
  const bool timed = interfaceCall && recorder_;
  const SteadyClock::time_point start = timed ? SteadyClock::now() : SteadyClock::time_point();
  int& depth = interfaceCall ? callDepth_ : extensionDepth_;
  ++depth;
  const int32_t status =
      control->invoke(control, id, values.data(), static_cast<uint32_t>(values.size()), &out);
  --depth;
  // Read again: a nested event loop inside the call may have started or
  // stopped the recording.
  if (interfaceCall && recorder_) {
    const int64_t ns =
        timed ? std::chrono::duration_cast<std::chrono::nanoseconds>(SteadyClock::now() - start)
                    .count()
              : 0;
    recorder_->Call(*op, values, status, out, ns);
  }
  std::string error;
  try {
    if (out.type == ZQK_VT_STR && out.len > 0 && !out.str) {
      error = "the agent returned a string without bytes";
    } else if (status != ZQK_OK) {
      error = out.type == ZQK_VT_STR && out.len > 0
                  ? std::string(out.str, out.len) + " (" + StatusText(status) + ")"
                  : StatusText(status);
    } else if (op->result != ValueType::kEmpty && out.type == ZQK_VT_EMPTY) {
      // A result the control does not set reads as an empty string or 0, as
      // an automation call's untouched result does; the command goes on.
      result.type = op->result;
    } else if (op->result != ValueType::kEmpty && out.type != static_cast<int32_t>(op->result)) {
      error = std::string("the agent returned ") + std::string(TypeName(out.type)) +
              " instead of " + std::string(TypeName(static_cast<int32_t>(op->result)));
    } else if (op->result == ValueType::kLong) {
      result.type = ValueType::kLong;
      result.i4 = out.i4;
    } else if (op->result == ValueType::kString) {
      result.type = ValueType::kString;
      const std::string_view bytes = out.len > 0 ? std::string_view(out.str, out.len) : "";
      if (lend) (*lend)(bytes);
      if (!lend || observer_) result.str.assign(bytes);
    }
  } catch (...) {
    control->release_value(control, &out);
    throw;
  }
  control->release_value(control, &out);

  if (!error.empty()) {
    const int32_t code = status != ZQK_OK ? status : ZQK_E_ARG_TYPE;
    result = AgentResult{};
    result.status = code;
    result.str = std::string("Agent call ").append(name).append(" failed: ").append(error);
    if (observer_) observer_(*op, args, result);
    throw AgentError(code, result.str);
  }
  if (observer_) observer_(*op, args, result);
  return result;
}

int32_t CZQKCommAgent::StartComm(int32_t mode) {
  return CallLong(*this, Dispid::kStartComm, {mode});
}

void CZQKCommAgent::StopComm(int32_t mode) {
  Call(*this, Dispid::kStopComm, {mode});
}

int32_t CZQKCommAgent::Login(std::string_view userId, std::string_view password,
                             std::string_view certPassword) {
  return CallLong(*this, Dispid::kLogin, {userId, password, certPassword});
}

int32_t CZQKCommAgent::Logout(std::string_view userId) {
  return CallLong(*this, Dispid::kLogout, {userId});
}

int32_t CZQKCommAgent::RequestTr(std::string_view trCode, std::string_view input,
                                 int32_t inputLength, std::string_view nextKey) {
  return CallLong(*this, Dispid::kRequestTr, {trCode, input, inputLength, nextKey});
}

int32_t CZQKCommAgent::AddReal(std::string_view key, int32_t realType) {
  return CallLong(*this, Dispid::kAddReal, {key, realType});
}

int32_t CZQKCommAgent::RemoveReal(std::string_view key, int32_t realType) {
  return CallLong(*this, Dispid::kRemoveReal, {key, realType});
}

int32_t CZQKCommAgent::GetRepeatCount(std::string_view code, int32_t realType,
                                      std::string_view recordName) {
  return CallLong(*this, Dispid::kGetRepeatCount, {code, realType, recordName});
}

std::string CZQKCommAgent::GetFieldValue(std::string_view code, int32_t realType,
                                         std::string_view recordName, int32_t row,
                                         std::string_view fieldName) {
  return CallString(*this, Dispid::kGetFieldValue, {code, realType, recordName, row, fieldName});
}

std::string CZQKCommAgent::GetDataBlock(std::string_view code, int32_t realType, int32_t offset,
                                        int32_t length, int32_t reserved, std::string_view mode) {
  return CallString(*this, Dispid::kGetDataBlock, {code, realType, offset, length, reserved, mode});
}

void CZQKCommAgent::ReadDataBlock(std::string_view code, int32_t realType, int32_t offset,
                                  int32_t length, int32_t reserved, std::string_view mode,
                                  const std::function<void(std::string_view)>& sink) {
  bool lent = false;
  const std::function<void(std::string_view)> lend = [&](std::string_view bytes) {
    lent = true;
    sink(bytes);
  };
  const AgentArg args[] = {code, realType, offset, length, reserved, mode};
  Invoke(*FindOperation(static_cast<int32_t>(Dispid::kGetDataBlock)), args, &lend);
  if (!lent) sink({});
}

int32_t CZQKCommAgent::GetCommState() {
  return CallLong(*this, Dispid::kGetCommState, {});
}

int32_t CZQKCommAgent::RequestFid(std::string_view fidCode, std::string_view input,
                                  std::string_view fieldList, int32_t inputLength,
                                  std::string_view nextKey) {
  return CallLong(*this, Dispid::kRequestFid, {fidCode, input, fieldList, inputLength, nextKey});
}

int32_t CZQKCommAgent::AddOrderReal(std::string_view userId, std::string_view accountNumber) {
  return CallLong(*this, Dispid::kAddOrderReal, {userId, accountNumber});
}

int32_t CZQKCommAgent::RemoveOrderReal(std::string_view userId, std::string_view accountNumber) {
  return CallLong(*this, Dispid::kRemoveOrderReal, {userId, accountNumber});
}

int32_t CZQKCommAgent::SendOrder(std::string_view orderTrCode, std::string_view orderRecord) {
  return CallLong(*this, Dispid::kSendOrder, {orderTrCode, orderRecord});
}

std::string CZQKCommAgent::GetAccountText(std::string_view accountNumber) {
  return CallString(*this, Dispid::kGetAccountText, {accountNumber});
}

std::string CZQKCommAgent::FormatValue(std::string_view productCode, std::string_view value,
                                       int32_t kind) {
  return CallString(*this, Dispid::kFormatValue, {productCode, value, kind});
}

std::string CZQKCommAgent::GetLastData() {
  return CallString(*this, Dispid::kGetLastData, {});
}

void CZQKCommAgent::RequestMasterFile(std::string_view kind, int32_t option) {
  Call(*this, Dispid::kRequestMasterFile, {kind, option});
}

std::string CZQKCommAgent::GetNextKey(int32_t rqId, std::string_view reserved) {
  return CallString(*this, Dispid::kGetNextKey, {rqId, reserved});
}

std::string CZQKCommAgent::GetBusinessDay(int32_t kind) {
  return CallString(*this, Dispid::kGetBusinessDay, {kind});
}

std::string CZQKCommAgent::GetInfo(std::string_view name, std::string_view option) {
  return CallString(*this, Dispid::kGetInfo, {name, option});
}

}  // namespace zqk
