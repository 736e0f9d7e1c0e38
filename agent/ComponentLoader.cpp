#include "agent/ComponentLoader.h"

#include "text/Cp949.h"

namespace zqk {

std::shared_ptr<ComponentLibrary> ComponentLibrary::Load(const std::filesystem::path& library,
                                                         std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return nullptr;
  };
  if (!library.is_absolute()) {
    return fail("component path is not absolute: \"" + Utf8ToCp949(library.string()) + "\"");
  }
  SharedLibrary::Failure failure;
  std::unique_ptr<SharedLibrary> loaded = SharedLibrary::Open(library, &failure);
  if (!loaded) {
    return fail("cannot load component: " +
                (failure.detail.empty() ? std::string("unknown error") : failure.detail));
  }
  std::string why;
  void* symbol = loaded->Symbol(ZQK_CREATE_CONTROL_SYMBOL, &why);
  if (!symbol) {
    return fail(Utf8ToCp949(library.string()) +
                " has no entry point " ZQK_CREATE_CONTROL_SYMBOL ": " +
                (why.empty() ? std::string("unknown error") : why));
  }
  return std::shared_ptr<ComponentLibrary>(new ComponentLibrary(
      library, std::move(loaded), reinterpret_cast<zqk_create_control_fn>(symbol)));
}

}  // namespace zqk
