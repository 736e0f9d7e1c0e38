#pragma once
// A component library loaded for its controls. Libraries are loaded by
// absolute path only: never through the loader's search path or the current
// directory, so that nothing but the registered file can end up in the process.

#include <filesystem>
#include <memory>
#include <string>

#include "agent/abi/AgentAbi.h"

namespace zqk {

class ComponentLibrary {
 public:
  // Loads `library` (RTLD_NOW | RTLD_LOCAL) and resolves ZQKCreateControl.
  // Returns nullptr with a reason in `error` when the path is not absolute,
  // the file cannot be loaded or lacks the entry point (CP949 text).
  static std::shared_ptr<ComponentLibrary> Load(const std::filesystem::path& library,
                                                std::string* error);

  // Unloads the library: hold the shared pointer as long as any control of
  // the library lives.
  ~ComponentLibrary();
  ComponentLibrary(const ComponentLibrary&) = delete;
  ComponentLibrary& operator=(const ComponentLibrary&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  zqk_create_control_fn CreateControl() const { return create_; }

 private:
  ComponentLibrary(std::filesystem::path path, void* handle, zqk_create_control_fn create)
      : path_(std::move(path)), handle_(handle), create_(create) {}

  std::filesystem::path path_;
  void* handle_;
  zqk_create_control_fn create_;
};

}  // namespace zqk
