#include "agent/SharedLibrary.h"

#include <dlfcn.h>

#include <cerrno>

#include "text/Cp949.h"

namespace zqk {
namespace {

std::string LoaderError() {
  const char* why = ::dlerror();
  return why ? Utf8ToCp949(why) : std::string();
}

}  // namespace

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::filesystem::path& path,
                                                   Failure* failure) {
  if (!path.is_absolute()) {
    if (failure) *failure = {EINVAL, "not an absolute path"};
    return nullptr;
  }
  ::dlerror();
  errno = 0;
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const int error = errno != 0 ? errno : ENOEXEC;
    if (failure) *failure = {error, LoaderError()};
    return nullptr;
  }
  return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() {
  if (!kept_) ::dlclose(handle_);
}

void* SharedLibrary::Symbol(const char* name, std::string* error) const {
  ::dlerror();
  void* symbol = ::dlsym(handle_, name);
  if (!symbol && error) *error = LoaderError();
  return symbol;
}

}  // namespace zqk
