#include "tests/sandbox/AbiTestHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <mutex>

namespace zqk::test {

ComponentEntryPoints LoadComponent(const char* path) {
  // Libraries stay loaded for the life of the test process, so that a leak
  // report can still name their frames.
  static std::mutex mutex;
  static std::map<std::string, ComponentEntryPoints> loaded;
  std::lock_guard lock(mutex);
  if (auto it = loaded.find(path); it != loaded.end()) return it->second;
  void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
    return {};
  }
  ComponentEntryPoints entry{
      reinterpret_cast<zqk_register_server_fn>(dlsym(handle, ZQK_REGISTER_SERVER_SYMBOL)),
      reinterpret_cast<zqk_create_control_fn>(dlsym(handle, ZQK_CREATE_CONTROL_SYMBOL))};
  loaded[path] = entry;
  return entry;
}

Value Copy(const zqk_value& v) {
  Value out{v.type, v.i4, {}};
  if (v.type == ZQK_VT_STR && v.len > 0) out.str.assign(v.str, v.len);
  return out;
}

AbiTestHost::AbiTestHost(const char* libraryPath) : entry(LoadComponent(libraryPath)) {
  abi.version = ZQK_ABI_VERSION;
  abi.size = sizeof(zqk_host);
  abi.context = this;
  abi.post = &AbiTestHost::Post;
  abi.fire_event = &AbiTestHost::Fire;
  abi.now_ms = &AbiTestHost::Now;
}

AbiTestHost::~AbiTestHost() {
  Destroy();
}

int32_t AbiTestHost::Create(std::string_view classId) {
  if (!entry.createControl) return ZQK_E_FAILED;
  const std::string id(classId);
  return entry.createControl(id.c_str(), &abi, &control_);
}

void AbiTestHost::Destroy() {
  if (control_) {
    zqk_control* c = std::exchange(control_, nullptr);
    c->destroy(c);
  }
  queue_.clear();
}

CallResult AbiTestHost::CallRaw(int32_t dispid, const zqk_value* args, uint32_t count) {
  CallResult r;
  if (!control_) {
    r.status = ZQK_E_FAILED;
    return r;
  }
  zqk_value result{};
  zqk_control* c = control_;
  r.status = c->invoke(c, dispid, args, count, &result);
  r.value = Copy(result);
  c->release_value(c, &result);
  EXPECT_EQ(result.type, ZQK_VT_EMPTY) << "release_value must reset the value";
  return r;
}

CallResult AbiTestHost::Call(int32_t dispid, std::initializer_list<Arg> args) {
  std::vector<zqk_value> values;
  for (const Arg& a : args) {
    if (const int32_t* i = std::get_if<int32_t>(&a)) {
      values.push_back({ZQK_VT_I4, *i, nullptr, 0});
    } else {
      const std::string_view s = std::get<std::string_view>(a);
      values.push_back({ZQK_VT_STR, 0, s.data(), static_cast<uint32_t>(s.size())});
    }
  }
  return CallRaw(dispid, values.data(), static_cast<uint32_t>(values.size()));
}

int32_t AbiTestHost::Long(Dispid dispid, std::initializer_list<Arg> args) {
  const CallResult r = Call(dispid, args);
  EXPECT_EQ(r.status, ZQK_OK) << r.value.str;
  EXPECT_EQ(r.value.type, ZQK_VT_I4);
  return r.value.i4;
}

std::string AbiTestHost::Str(Dispid dispid, std::initializer_list<Arg> args) {
  const CallResult r = Call(dispid, args);
  EXPECT_EQ(r.status, ZQK_OK) << r.value.str;
  EXPECT_EQ(r.value.type, ZQK_VT_STR);
  return r.value.str;
}

void AbiTestHost::Advance(int64_t ms) {
  const int64_t end = now_ + ms;
  while (!queue_.empty() && queue_.begin()->first.first <= end) {
    auto node = queue_.extract(queue_.begin());
    now_ = std::max(now_, node.key().first);
    node.mapped().first(node.mapped().second);
  }
  now_ = end;
}

void AbiTestHost::Post(void* context, void (*fn)(void*), void* arg, uint32_t delayMs) {
  auto* self = static_cast<AbiTestHost*>(context);
  self->queue_.emplace(std::pair{self->now_ + delayMs, self->seq_++}, std::pair{fn, arg});
}

int32_t AbiTestHost::Fire(void* context, int32_t dispid, const zqk_value* args, uint32_t count) {
  auto* self = static_cast<AbiTestHost*>(context);
  FiredEvent ev{self->now_, dispid, {}};
  for (uint32_t i = 0; i < count; ++i) ev.args.push_back(Copy(args[i]));
  self->events.push_back(ev);
  if (self->onEvent) self->onEvent(ev);
  return ZQK_OK;
}

int64_t AbiTestHost::Now(void* context) {
  return static_cast<AbiTestHost*>(context)->now_;
}

}  // namespace zqk::test
