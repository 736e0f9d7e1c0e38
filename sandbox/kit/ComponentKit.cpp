#include "sandbox/kit/ComponentKit.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <limits>
#include <new>
#include <vector>

#include "agent/abi/ComponentRegistry.h"

namespace zqk::kit {

std::string_view Args::Str(size_t i) const {
  const zqk_value& v = values_[i];
  return v.len == 0 ? std::string_view() : std::string_view(v.str, v.len);
}

int32_t Args::Long(size_t i) const {
  return values_[i].i4;
}

// One control: the ABI struct handed to the host, the host's services and the
// component. A host may destroy the control from inside an event that the
// control is firing (a window closed during a nested event loop); the object
// then lives on until the outermost call into it has returned.
class ControlImpl {
 public:
  explicit ControlImpl(const zqk_host& h) : host(h) {
    control.version = ZQK_ABI_VERSION;
    control.size = sizeof(zqk_control);
    control.self = this;
    control.invoke = &ControlImpl::InvokeEntry;
    control.release_value = &ControlImpl::ReleaseEntry;
    control.destroy = &ControlImpl::DestroyEntry;
    host.owner_ = this;
  }

  void Enter() { ++depth_; }
  // Returns false when the control was freed: the caller must not touch it.
  bool Leave() {
    if (--depth_ == 0 && destroyRequested_) {
      delete this;
      return false;
    }
    return true;
  }

  zqk_control control{};
  Host host;
  std::unique_ptr<Component> component;

 private:
  static ControlImpl* From(zqk_control* c) {
    if (!c) return nullptr;
    auto* impl = static_cast<ControlImpl*>(c->self);
    return impl && &impl->control == c ? impl : nullptr;
  }

  static void SetError(zqk_value* result, const std::string& message) noexcept {
    try {
      SetString(result, message);
    } catch (...) {
      *result = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
    }
  }

  static void SetString(zqk_value* result, std::string_view s) {
    if (s.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("result too long");
    char* data = nullptr;
    if (!s.empty()) {
      data = new char[s.size()];
      std::memcpy(data, s.data(), s.size());
    }
    *result = zqk_value{ZQK_VT_STR, 0, data, static_cast<uint32_t>(s.size())};
  }

  const OperationInfo* Find(int32_t dispid) const {
    if (const OperationInfo* op = FindOperation(dispid)) return op;
    for (const OperationInfo& op : component->ExtraOperations()) {
      if (static_cast<int32_t>(op.dispid) == dispid) return &op;
    }
    return nullptr;
  }

  static const char* TypeName(ValueType t) {
    switch (t) {
      case ValueType::kLong:
        return "a long";
      case ValueType::kString:
        return "a string";
      case ValueType::kEmpty:
        break;
    }
    return "empty";
  }

  // Checks the call against the table; on a mismatch returns the status and
  // fills `why`.
  static int32_t Check(const OperationInfo& op, const zqk_value* args, uint32_t count,
                       std::string* why) {
    const std::string name(op.name);
    if (count != op.params.size() || (count > 0 && !args)) {
      *why = name + ": " + std::to_string(op.params.size()) + " argument(s) expected, " +
             std::to_string(args || count == 0 ? count : 0) + " given";
      return ZQK_E_ARG_COUNT;
    }
    for (uint32_t i = 0; i < count; ++i) {
      const ValueType want = op.params[i];
      const zqk_value& v = args[i];
      if (v.type != static_cast<int32_t>(want)) {
        *why = name + ": argument " + std::to_string(i + 1) + " must be " + TypeName(want);
        return ZQK_E_ARG_TYPE;
      }
      if (v.type == ZQK_VT_STR && v.len > 0 && !v.str) {
        *why = name + ": argument " + std::to_string(i + 1) + " is a string without data";
        return ZQK_E_ARG_TYPE;
      }
    }
    return ZQK_OK;
  }

  static int32_t InvokeEntry(zqk_control* c, int32_t dispid, const zqk_value* args, uint32_t count,
                             zqk_value* result) noexcept {
    if (!result) return ZQK_E_BAD_STRUCT;
    *result = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
    ControlImpl* self = From(c);
    if (!self) return ZQK_E_BAD_STRUCT;
    if (self->destroyRequested_) {
      SetError(result, "the control has been destroyed");
      return ZQK_E_FAILED;
    }
    const OperationInfo* op = self->Find(dispid);
    if (!op) {
      SetError(result, "unknown dispatch ID " + std::to_string(dispid));
      return ZQK_E_UNKNOWN_DISPID;
    }
    std::string why;
    if (int32_t status = Check(*op, args, count, &why); status != ZQK_OK) {
      SetError(result, why);
      return status;
    }
    int32_t status = ZQK_OK;
    self->Enter();
    try {
      Result r = self->component->Invoke(dispid, Args(std::span<const zqk_value>(args, count)));
      if (r.type != op->result) {
        SetError(result,
                 std::string(op->name) + ": the component returned a result of the wrong type");
        status = ZQK_E_FAILED;
      } else if (r.type == ValueType::kString) {
        SetString(result, r.str);
      } else if (r.type == ValueType::kLong) {
        *result = zqk_value{ZQK_VT_I4, r.i4, nullptr, 0};
      }
    } catch (const std::exception& e) {
      SetError(result, std::string(op->name) + ": " + e.what());
      status = ZQK_E_FAILED;
    } catch (...) {
      SetError(result, std::string(op->name) + ": unknown error");
      status = ZQK_E_FAILED;
    }
    self->Leave();
    return status;
  }

  static void ReleaseEntry(zqk_control*, zqk_value* value) noexcept {
    if (!value) return;
    if (value->type == ZQK_VT_STR) delete[] value->str;
    *value = zqk_value{ZQK_VT_EMPTY, 0, nullptr, 0};
  }

  static void DestroyEntry(zqk_control* c) noexcept {
    ControlImpl* self = From(c);
    if (!self || self->destroyRequested_) return;
    self->host.alive_ = false;
    if (self->depth_ > 0) {
      self->destroyRequested_ = true;
      return;
    }
    delete self;
  }

  int depth_ = 0;
  bool destroyRequested_ = false;
};

struct Host::Task {
  Host* host;
  Ticket ticket;
  std::function<void()> work;
};

Host::Host(const zqk_host& host) : host_(host) {}
Host::~Host() = default;

Host::Ticket Host::Post(uint32_t delayMs, std::function<void()> work) {
  if (!alive_ || !work) return 0;
  const Ticket ticket = nextTicket_++;
  auto task = std::make_unique<Task>(Task{this, ticket, std::move(work)});
  Task* raw = task.get();
  pending_.emplace(ticket, std::move(task));
  host_.post(host_.context, &Host::RunTask, raw, delayMs);
  return ticket;
}

void Host::Cancel(Ticket ticket) {
  // The host still holds the task's address and runs it later; only its work
  // goes.
  if (auto it = pending_.find(ticket); it != pending_.end()) it->second->work = nullptr;
}

void Host::CancelAll() {
  for (auto& [ticket, task] : pending_) task->work = nullptr;
}

size_t Host::PendingCount() const {
  size_t n = 0;
  for (const auto& [ticket, task] : pending_) n += task->work ? 1 : 0;
  return n;
}

void Host::RunTask(void* arg) {
  auto* task = static_cast<Task*>(arg);
  Host* host = task->host;
  auto node = host->pending_.extract(task->ticket);
  if (node.empty()) return;
  std::function<void()> work = std::move(node.mapped()->work);
  node = {};
  if (!work || !host->alive_) return;
  ControlImpl* owner = host->owner_;
  if (owner) owner->Enter();
  try {
    work();
  } catch (const std::exception& e) {
    LogLine("component", std::string("posted work failed: ") + e.what());
  } catch (...) {
    LogLine("component", "posted work failed");
  }
  if (owner) owner->Leave();
}

int32_t Host::Fire(int32_t dispid, std::span<const EventArg> args) {
  if (!alive_) return ZQK_E_FAILED;
  std::vector<zqk_value> values;
  values.reserve(args.size());
  for (const EventArg& a : args) {
    if (const int32_t* i = std::get_if<int32_t>(&a)) {
      values.push_back(zqk_value{ZQK_VT_I4, *i, nullptr, 0});
    } else {
      std::string_view s = std::get<std::string_view>(a);
      if (s.size() > std::numeric_limits<uint32_t>::max())
        throw std::length_error("event argument too long");
      values.push_back(zqk_value{ZQK_VT_STR, 0, s.data(), static_cast<uint32_t>(s.size())});
    }
  }
  return host_.fire_event(host_.context, dispid, values.data(),
                          static_cast<uint32_t>(values.size()));
}

int64_t Host::NowMs() const {
  if (alive_) lastNow_ = host_.now_ms(host_.context);
  return lastNow_;
}

int32_t CreateControl(const char* classId, const zqk_host* host, zqk_control** out,
                      std::span<const ClassEntry> classes) {
  if (!out) return ZQK_E_FAILED;
  *out = nullptr;
  if (!host || ZQK_ABI_MAJOR(host->version) != ZQK_ABI_VERSION_MAJOR ||
      host->size < sizeof(zqk_host) || !host->post || !host->fire_event || !host->now_ms) {
    return ZQK_E_BAD_STRUCT;
  }
  if (!classId) return ZQK_E_FAILED;
  for (const ClassEntry& entry : classes) {
    if (entry.classId != classId) continue;
    try {
      auto impl = std::make_unique<ControlImpl>(*host);
      impl->component = entry.create(impl->host);
      *out = &impl.release()->control;
      return ZQK_OK;
    } catch (const std::exception& e) {
      LogLine(entry.classId, std::string("cannot create the control: ") + e.what());
      return ZQK_E_FAILED;
    } catch (...) {
      LogLine(entry.classId, "cannot create the control");
      return ZQK_E_FAILED;
    }
  }
  return ZQK_E_FAILED;
}

int32_t RegisterServer(const void* addressInLibrary, std::span<const std::string_view> classIds) {
  try {
    Dl_info info{};
    if (!dladdr(addressInLibrary, &info) || !info.dli_fname || !*info.dli_fname) {
      LogLine("DllRegisterServer", "cannot find the component's own library file");
      return -1;
    }
    const std::filesystem::path library =
        std::filesystem::weakly_canonical(std::filesystem::absolute(info.dli_fname));
    const std::filesystem::path registry = DefaultComponentRegistryPath();
    for (std::string_view id : classIds) {
      std::string error;
      if (!RegisterComponent(registry, id, library, &error)) {
        LogLine("DllRegisterServer", "cannot register " + std::string(id) + ": " + error);
        return -1;
      }
    }
    return 0;
  } catch (const std::exception& e) {
    LogLine("DllRegisterServer", e.what());
    return -1;
  }
}

void LogLine(std::string_view component, std::string_view utf8) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(component.size()), component.data(),
               static_cast<int>(utf8.size()), utf8.data());
}

}  // namespace zqk::kit
