#pragma once
// The programs and components of a build lie beside the test executables
// (bin/ of the build tree). The tests find them there when they run, rather
// than by a path compiled in: a build in another folder (a fresh clone)
// then compiles to the same objects, and the compiler cache serves them.

#include <filesystem>
#include <list>
#include <string>

namespace zqk::test {

// The absolute path of `name` beside the running executable; valid for the
// rest of the process.
inline const char* BuiltFile(const char* name) {
  static std::list<std::string> paths;
  const std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  return paths.emplace_back((dir / name).string()).c_str();
}

}  // namespace zqk::test
