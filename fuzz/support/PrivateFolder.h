#pragma once
// A folder of the fuzz run's own under the temporary directory, standing for
// the executable's folder: downloads go to its mst/. Removed with everything
// in it when the run ends.

#include <filesystem>

namespace zqk::fuzz {

class PrivateFolder {
 public:
  // Aborts when no folder can be made: without one nothing can be checked.
  PrivateFolder();
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zqk::fuzz
