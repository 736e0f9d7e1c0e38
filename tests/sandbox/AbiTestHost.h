#pragma once
// A host for component tests that goes through the real ABI: it loads a built
// component library, creates a control with a zqk_host of its own, and runs
// posted work only when a test advances its virtual clock.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "agent/abi/AgentAbi.h"
#include "agent/abi/DispatchIds.h"

namespace zqk::test {

struct Value {
  int32_t type = ZQK_VT_EMPTY;
  int32_t i4 = 0;
  std::string str;
  bool operator==(const Value&) const = default;
};

struct CallResult {
  int32_t status = ZQK_OK;
  Value value;  // the result, or the error text
};

struct FiredEvent {
  int64_t at = 0;
  int32_t dispid = 0;
  std::vector<Value> args;
  bool operator==(const FiredEvent&) const = default;
};

using Arg = std::variant<int32_t, std::string_view>;

// The entry points of a component library, loaded once per process.
struct ComponentEntryPoints {
  zqk_register_server_fn registerServer = nullptr;
  zqk_create_control_fn createControl = nullptr;
};
ComponentEntryPoints LoadComponent(const char* path);

class AbiTestHost {
 public:
  explicit AbiTestHost(const char* libraryPath);
  ~AbiTestHost();
  AbiTestHost(const AbiTestHost&) = delete;
  AbiTestHost& operator=(const AbiTestHost&) = delete;

  // Creates the control; returns the creation status.
  int32_t Create(std::string_view classId);
  // Destroys the control and drops its pending work, as a host must.
  void Destroy();
  zqk_control* control() const { return control_; }

  CallResult Call(int32_t dispid, std::initializer_list<Arg> args);
  CallResult Call(Dispid dispid, std::initializer_list<Arg> args) {
    return Call(static_cast<int32_t>(dispid), args);
  }
  CallResult CallRaw(int32_t dispid, const zqk_value* args, uint32_t count);
  // Calls that must succeed (a failed expectation otherwise).
  int32_t Long(Dispid dispid, std::initializer_list<Arg> args = {});
  std::string Str(Dispid dispid, std::initializer_list<Arg> args = {});

  // Moves agent time forward, running the work that falls due on the way.
  void Advance(int64_t ms);
  int64_t now() const { return now_; }
  size_t PendingPosts() const { return queue_.size(); }

  // Every event fired, in order; onEvent runs inside fire_event.
  std::vector<FiredEvent> events;
  std::function<void(const FiredEvent&)> onEvent;
  // Mutable so that tests can hand a component a damaged table.
  zqk_host abi{};
  ComponentEntryPoints entry;

 private:
  static void Post(void* context, void (*fn)(void*), void* arg, uint32_t delayMs);
  static int32_t Fire(void* context, int32_t dispid, const zqk_value* args, uint32_t count);
  static int64_t Now(void* context);

  zqk_control* control_ = nullptr;
  int64_t now_ = 0;
  uint64_t seq_ = 0;
  std::map<std::pair<int64_t, uint64_t>, std::pair<void (*)(void*), void*>> queue_;
};

// A value as the ABI carries it, copied.
Value Copy(const zqk_value& v);

inline Value I4(int32_t v) {
  return {ZQK_VT_I4, v, {}};
}
inline Value S(std::string v) {
  return {ZQK_VT_STR, 0, std::move(v)};
}

}  // namespace zqk::test
