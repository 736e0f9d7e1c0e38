#include "agent/ComponentLoader.h"

#include <dlfcn.h>

#include "text/Cp949.h"

namespace zqk {
namespace {

std::string DlError() {
  const char* e = ::dlerror();
  return e ? Utf8ToCp949(e) : std::string("unknown error");
}

}  // namespace

std::shared_ptr<ComponentLibrary> ComponentLibrary::Load(const std::filesystem::path& library,
                                                         std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return nullptr;
  };
  if (!library.is_absolute()) {
    return fail("component path is not absolute: \"" + Utf8ToCp949(library.string()) + "\"");
  }
  ::dlerror();
  void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return fail("cannot load component: " + DlError());
  ::dlerror();
  void* symbol = ::dlsym(handle, ZQK_CREATE_CONTROL_SYMBOL);
  if (!symbol) {
    const std::string why = DlError();
    ::dlclose(handle);
    return fail(Utf8ToCp949(library.string()) +
                " has no entry point " ZQK_CREATE_CONTROL_SYMBOL ": " + why);
  }
  return std::shared_ptr<ComponentLibrary>(
      new ComponentLibrary(library, handle, reinterpret_cast<zqk_create_control_fn>(symbol)));
}

ComponentLibrary::~ComponentLibrary() {
  ::dlclose(handle_);
}

}  // namespace zqk
