#pragma once
// A shared library loaded by absolute path only: never through the loader's
// search path or the current directory, so that nothing but the named file
// can end up in the process. The one place that loads libraries: component
// creation and start-up registration both go through it.

#include <filesystem>
#include <memory>
#include <string>

namespace zqk {

class SharedLibrary {
 public:
  struct Failure {
    int error = 0;       // errno of the failure (EINVAL for a relative path)
    std::string detail;  // the loader's reason, CP949; may be empty
  };

  // Loads `path` with RTLD_NOW | RTLD_LOCAL; nullptr with `failure` set when
  // the path is not absolute or the library cannot be loaded.
  static std::unique_ptr<SharedLibrary> Open(const std::filesystem::path& path, Failure* failure);

  // Unloads the library unless it is kept loaded.
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The exported symbol `name`; nullptr with the loader's reason (CP949) in
  // `error` when there is none.
  void* Symbol(const char* name, std::string* error = nullptr) const;

  // Leaves the library loaded for the rest of the process, like a registered
  // server.
  void KeepLoaded() { kept_ = true; }

 private:
  explicit SharedLibrary(void* handle) : handle_(handle) {}

  void* handle_;
  bool kept_ = false;
};

}  // namespace zqk
