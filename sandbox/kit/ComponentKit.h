#pragma once
// The component side of the agent ABI, for components written in C++: a
// class with one Invoke(dispid, args) becomes a zqk_control. The kit checks
// every call against the operation tables before the class sees it, keeps
// every C++ exception from crossing into the host, owns the memory of the
// results, and schedules work on the host's UI thread with cancellation
// (the host's post service has none).

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

#include "agent/abi/AgentAbi.h"
#include "agent/abi/DispatchIds.h"

namespace zqk::kit {

// The arguments of one call, already checked against the operation's table
// entry: Str(i) and Long(i) are only asked for what the table declares.
class Args {
 public:
  explicit Args(std::span<const zqk_value> values) : values_(values) {}
  size_t size() const { return values_.size(); }
  std::string_view Str(size_t i) const;
  int32_t Long(size_t i) const;
  const zqk_value& Raw(size_t i) const { return values_[i]; }

 private:
  std::span<const zqk_value> values_;
};

// The result of a call, copied into component-owned memory at the boundary.
struct Result {
  ValueType type = ValueType::kEmpty;
  int32_t i4 = 0;
  std::string str;

  static Result None() { return {}; }
  static Result Long(int32_t v) { return {ValueType::kLong, v, {}}; }
  static Result String(std::string v) { return {ValueType::kString, 0, std::move(v)}; }
};

// One argument of an event the component fires.
using EventArg = std::variant<int32_t, std::string_view>;

class ControlImpl;

// The host's services as the component sees them. UI thread only, like the
// component itself. Once the host has destroyed the control, posting and
// firing do nothing: the host must not be called after destroy returns.
class Host {
 public:
  using Ticket = uint64_t;

  explicit Host(const zqk_host& host);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Runs `work` after `delayMs` of agent time. Returns a ticket for Cancel.
  Ticket Post(uint32_t delayMs, std::function<void()> work);
  void Cancel(Ticket ticket);
  // Drops every posted task that has not run yet.
  void CancelAll();
  size_t PendingCount() const;

  // Delivers an event synchronously; returns the host's status.
  int32_t Fire(int32_t dispid, std::span<const EventArg> args);
  int32_t Fire(EventDispid dispid, std::initializer_list<EventArg> args) {
    return Fire(static_cast<int32_t>(dispid), std::span<const EventArg>(args.begin(), args.size()));
  }

  int64_t NowMs() const;
  bool Alive() const { return alive_; }

 private:
  friend class ControlImpl;
  struct Task;
  static void RunTask(void* arg);

  zqk_host host_;
  ControlImpl* owner_ = nullptr;
  bool alive_ = true;
  mutable int64_t lastNow_ = 0;
  Ticket nextTicket_ = 1;
  // Every task the host may still run. The host drops what is pending when
  // the control is destroyed, so these are freed here, never leaked.
  std::unordered_map<Ticket, std::unique_ptr<Task>> pending_;
};

// A component class: one instance per control.
class Component {
 public:
  virtual ~Component() = default;
  // Called only with a dispid that Operations() or ExtraOperations() lists and
  // arguments of the declared count and types. Any exception becomes
  // ZQK_E_FAILED with its message. The result's type must be the declared one.
  virtual Result Invoke(int32_t dispid, const Args& args) = 0;
  // Operations beyond the agent interface that this component answers.
  virtual std::span<const OperationInfo> ExtraOperations() const { return {}; }
};

// A class the library can create.
struct ClassEntry {
  std::string_view classId;
  std::function<std::unique_ptr<Component>(Host&)> create;
};

// The body of a library's creation entry point.
int32_t CreateControl(const char* classId, const zqk_host* host, zqk_control** out,
                      std::span<const ClassEntry> classes);

// The body of a library's DllRegisterServer: records every class ID of the
// library that holds `addressInLibrary` in the per-user component registry.
// Returns 0, or -1 after printing the reason to stderr.
int32_t RegisterServer(const void* addressInLibrary, std::span<const std::string_view> classIds);

// Writes one diagnostic line to stderr, prefixed with the component's name.
// `utf8` is terminal text; CP949 texts are converted by the caller.
void LogLine(std::string_view component, std::string_view utf8);

}  // namespace zqk::kit
