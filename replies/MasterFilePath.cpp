#include "replies/MasterFilePath.h"

#include "text/Cp949.h"
#include "text/Cp949Bytes.h"

namespace zqk {

std::optional<std::filesystem::path> MasterFilePath(const std::filesystem::path& executableDir,
                                                    std::string_view cp949Name) {
  // '/' and '\' never occur inside a CP949 double-byte character, so a byte
  // search finds only real separators.
  if (cp949Name.empty() || cp949Name == "." ||
      cp949Name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos ||
      cp949Name.find("..") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string utf8 = Cp949ToUtf8(cp949Name);
  if (Utf8ToCp949Strict(utf8) != cp949Name) return std::nullopt;
  return executableDir / kMasterFileDirectory / utf8;
}

std::string MasterFileShownPath(const std::filesystem::path& executableDir,
                                std::string_view cp949Name) {
  std::string shown = Utf8ToCp949((executableDir / kMasterFileDirectory).string());
  // The line goes on after the name: a lead byte left at its end would take
  // the line's next byte as its second half.
  shown.append("/").append(Cp949Prefix(cp949Name, cp949Name.size()));
  return shown;
}

}  // namespace zqk
