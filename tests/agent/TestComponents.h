#pragma once
// The test components (tests/agent/components) as the tests reach them: their
// absolute paths, and their exported test hooks. Opening a component here
// shares its state with the copy the console loads from the same path, and
// keeps it loaded for the rest of the test.

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

#include "tests/agent/components/EchoComponent.h"
#include "tests/support/BuiltFile.h"

namespace zqk::test {

inline const std::filesystem::path kEchoComponent = ZQK_TEST_ECHO;
inline const std::filesystem::path kErrorComponent = ZQK_TEST_ERRORS;
inline const std::filesystem::path kBadCreateComponent = ZQK_TEST_BADCREATE;
inline const std::filesystem::path kFailingRegisterComponent = ZQK_TEST_FAILREG;
inline const std::filesystem::path kNoEntryComponent = ZQK_TEST_NOENTRY;

template <typename Fn>
Fn ComponentHook(const std::filesystem::path& library, const char* symbol) {
  void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* fn = handle ? ::dlsym(handle, symbol) : nullptr;
  if (!fn) std::abort();
  return reinterpret_cast<Fn>(fn);
}

// The echo component's state, reset for a new test.
inline EchoState& FreshEchoState() {
  EchoState& state = *ComponentHook<EchoStateFn>(kEchoComponent, ZQK_ECHO_STATE_SYMBOL)();
  state = EchoState{};
  return state;
}

}  // namespace zqk::test
