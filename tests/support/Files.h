#pragma once
// Reading back what the code under test wrote.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zqk::test {

// The whole content of `path`, byte for byte; empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace zqk::test
