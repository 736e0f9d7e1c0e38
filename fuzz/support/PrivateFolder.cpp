#include "fuzz/support/PrivateFolder.h"

#include <stdlib.h>

#include <string>

#include "fuzz/support/CannedAgent.h"

namespace zqk::fuzz {

PrivateFolder::PrivateFolder() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "zqk-fuzz.XXXXXX").string();
  Check(!ec && mkdtemp(pattern.data()) != nullptr, "no temporary folder");
  path_ = pattern;
  Check(std::filesystem::create_directory(path_ / "mst", ec) && !ec, "no mst/");
}

PrivateFolder::~PrivateFolder() {
  std::error_code ec;
  std::filesystem::permissions(path_ / "mst", std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

}  // namespace zqk::fuzz
