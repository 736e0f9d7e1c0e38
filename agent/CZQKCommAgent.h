#pragma once
// The typed wrapper around one agent control: creation by class ID through the
// component registry, one member function per operation over one InvokeHelper,
// and the routing of the control's events to an event sink.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "agent/UiThread.h"
#include "agent/abi/AgentAbi.h"
#include "agent/abi/DispatchIds.h"

namespace zqk {

class ReplaySession;
class SessionRecorder;

// A failed call on the agent: the component reported an error, or the call
// could not be dispatched. The command or event dispatcher catches it, shows
// it in a message box and abandons that command or event.
class AgentError : public std::runtime_error {
 public:
  AgentError(int32_t status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  int32_t Status() const { return status_; }

 private:
  int32_t status_;
};

// Receives the control's events on the UI thread (the dialog's event-sink map).
class AgentEventSink {
 public:
  virtual ~AgentEventSink() = default;
  // Returns ZQK_OK, or ZQK_E_UNKNOWN_DISPID when there is no handler.
  virtual int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) = 0;
};

// One argument of an operation, as the caller passes it.
struct AgentArg {
  AgentArg(int32_t v) : type(ValueType::kLong), i4(v) {}              // NOLINT: implicit by design
  AgentArg(std::string_view v) : type(ValueType::kString), str(v) {}  // NOLINT
  AgentArg(const std::string& v) : type(ValueType::kString), str(v) {}  // NOLINT
  AgentArg(const char* v) : type(ValueType::kString), str(v) {}         // NOLINT
  ValueType type;
  int32_t i4 = 0;
  std::string_view str;
};

// A result copied out of the component. A failed call (status other than
// ZQK_OK) reaches only the call observer, with the error text in `str`.
struct AgentResult {
  ValueType type = ValueType::kEmpty;
  int32_t i4 = 0;
  std::string str;
  int32_t status = ZQK_OK;
};

// Observes every call made through the wrapper (tracing in the headless driver).
using AgentCallObserver = std::function<void(
    const OperationInfo& op, std::span<const AgentArg> args, const AgentResult& result)>;

// Observes every failed creation with its reason (CP949): Connect stays
// silent about it, the headless driver reports it.
using AgentCreateFailureObserver = std::function<void(std::string_view error)>;

class CZQKCommAgent {
 public:
  // The agent control's child-window style (WS_CHILD alone: invisible).
  static constexpr uint32_t kChildStyle = 0x40000000u;

  // `registryFile`: the per-user component registry that resolves the class ID.
  CZQKCommAgent(UiThread& uiThread, AgentEventSink& sink, std::filesystem::path registryFile);
  ~CZQKCommAgent();
  CZQKCommAgent(const CZQKCommAgent&) = delete;
  CZQKCommAgent& operator=(const CZQKCommAgent&) = delete;

  // Creates the control by kAgentClassId. Returns false (and stays without a
  // window) when the class is not registered, the library cannot be loaded or
  // the component refuses; the reason is kept in LastCreateError().
  // `controlId` is the child window's ID in its parent, a plain number: the
  // wrapper knows nothing of the dialog that hosts it.
  bool Create(std::string_view windowName, uint32_t style, int32_t controlId);
  void DestroyWindow();
  bool HasWindow() const;
  const std::string& WindowName() const { return windowName_; }
  int32_t WindowId() const { return windowId_; }
  const std::string& LastCreateError() const { return lastCreateError_; }

  void SetCallObserver(AgentCallObserver observer) { observer_ = std::move(observer); }

  // Session recording: while a recorder is set, every call of the agent
  // interface (with its result and the time it took), every event and every
  // creation and destruction of the control is written to it. nullptr: off.
  void SetRecorder(SessionRecorder* recorder) { recorder_ = recorder; }
  SessionRecorder* Recorder() const { return recorder_; }
  // Session replay: while a session is set, Create makes a replay control
  // that answers from the recording instead of loading the registered
  // component (ReplayControl.h). nullptr: off.
  void SetReplay(std::shared_ptr<ReplaySession> session);
  ReplaySession* Replay() const { return replay_.get(); }
  void SetCreateFailureObserver(AgentCreateFailureObserver observer) {
    createFailureObserver_ = std::move(observer);
  }

  // The operations. With no control: strings are empty, integers -1. A result
  // the control does not set: strings are empty, integers 0.
  int32_t StartComm(int32_t mode);
  void StopComm(int32_t mode);
  int32_t Login(std::string_view userId, std::string_view password, std::string_view certPassword);
  int32_t Logout(std::string_view userId);
  int32_t RequestTr(std::string_view trCode, std::string_view input, int32_t inputLength,
                    std::string_view nextKey);
  int32_t AddReal(std::string_view key, int32_t realType);
  int32_t RemoveReal(std::string_view key, int32_t realType);
  int32_t GetRepeatCount(std::string_view code, int32_t realType, std::string_view recordName);
  std::string GetFieldValue(std::string_view code, int32_t realType, std::string_view recordName,
                            int32_t row, std::string_view fieldName);
  std::string GetDataBlock(std::string_view code, int32_t realType, int32_t offset, int32_t length,
                           int32_t reserved, std::string_view mode);
  // GetDataBlock whose bytes are lent to `sink` for the duration of the call,
  // straight from the agent, rather than copied: for blocks as large as a
  // whole file. With no control, `sink` gets the empty block.
  void ReadDataBlock(std::string_view code, int32_t realType, int32_t offset, int32_t length,
                     int32_t reserved, std::string_view mode,
                     const std::function<void(std::string_view)>& sink);
  int32_t GetCommState();
  int32_t RequestFid(std::string_view fidCode, std::string_view input, std::string_view fieldList,
                     int32_t inputLength, std::string_view nextKey);
  int32_t AddOrderReal(std::string_view userId, std::string_view accountNumber);
  int32_t RemoveOrderReal(std::string_view userId, std::string_view accountNumber);
  int32_t SendOrder(std::string_view orderTrCode, std::string_view orderRecord);
  std::string GetAccountText(std::string_view accountNumber);
  std::string FormatValue(std::string_view productCode, std::string_view value, int32_t kind);
  std::string GetLastData();
  void RequestMasterFile(std::string_view kind, int32_t option);
  std::string GetNextKey(int32_t rqId, std::string_view reserved);
  std::string GetBusinessDay(int32_t kind);
  std::string GetInfo(std::string_view name, std::string_view option);

  // The generic call under every operation; throws AgentError on failure.
  AgentResult InvokeHelper(Dispid dispid, std::span<const AgentArg> args);
  // A call outside the agent interface, for operations that only some
  // components answer (the fixture agent's control operations); `name` is what
  // errors and the call observer show. Throws AgentError like InvokeHelper.
  AgentResult InvokeExtension(int32_t dispid, std::string_view name, std::span<const AgentArg> args,
                              ValueType result);

 private:
  // A string result goes to `lend` as a view when it is given (and is copied
  // into the result only for the call observer).
  AgentResult Invoke(const OperationInfo& op, std::span<const AgentArg> args,
                     const std::function<void(std::string_view)>* lend = nullptr);
  // Makes the live control as the registry resolves the class ID; an empty
  // text, or why it failed.
  std::string CreateFromRegistry();
  std::string CreateForReplay();
  // What a creation that failed for `why` leaves: the reason kept, observed
  // and recorded.
  bool CreateFailed(std::string why);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  SessionRecorder* recorder_ = nullptr;
  std::shared_ptr<ReplaySession> replay_;
  // Calls of the interface under way: an event fired while one is, is fired
  // inside it. Calls outside it (a driver's control operations) likewise:
  // an event fired inside one is the driver's, not the agent's answer.
  int callDepth_ = 0;
  int extensionDepth_ = 0;
  std::string windowName_;
  int32_t windowId_ = 0;
  std::string lastCreateError_;
  AgentCallObserver observer_;
  AgentCreateFailureObserver createFailureObserver_;
};

}  // namespace zqk
