#pragma once
// A component library loaded for its controls, by absolute path only
// (agent/SharedLibrary.h).

#include <filesystem>
#include <memory>
#include <string>

#include "agent/SharedLibrary.h"
#include "agent/abi/AgentAbi.h"

namespace zqk {

class ComponentLibrary {
 public:
  // Loads `library` (RTLD_NOW | RTLD_LOCAL) and resolves ZQKCreateControl.
  // Returns nullptr with a reason in `error` when the path is not absolute,
  // the file cannot be loaded or lacks the entry point (CP949 text).
  static std::shared_ptr<ComponentLibrary> Load(const std::filesystem::path& library,
                                                std::string* error);

  // Unloading the library with the last holder: hold the shared pointer as
  // long as any control of the library lives.
  ComponentLibrary(const ComponentLibrary&) = delete;
  ComponentLibrary& operator=(const ComponentLibrary&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  zqk_create_control_fn CreateControl() const { return create_; }

 private:
  ComponentLibrary(std::filesystem::path path, std::unique_ptr<SharedLibrary> library,
                   zqk_create_control_fn create)
      : path_(std::move(path)), library_(std::move(library)), create_(create) {}

  std::filesystem::path path_;
  std::unique_ptr<SharedLibrary> library_;
  zqk_create_control_fn create_;
};

}  // namespace zqk
