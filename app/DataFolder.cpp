#include "app/DataFolder.h"

#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <system_error>

namespace zqk {
namespace {

constexpr const char* kProgram = "ZQKCommClient";

// /usr holds what packages install and is never written at run time, also
// not by root, who may write anything.
bool IsSystemTree(const std::filesystem::path& dir) {
  const std::filesystem::path usr("/usr");
  auto it = dir.begin();
  for (const std::filesystem::path& part : usr) {
    if (it == dir.end() || *it != part) return false;
    ++it;
  }
  return true;
}

}  // namespace

DataFolder ChooseDataFolder(const std::filesystem::path& executableDir) {
  if (!executableDir.empty() && !IsSystemTree(executableDir) &&
      ::access(executableDir.c_str(), W_OK | X_OK) == 0) {
    return {executableDir, std::nullopt};
  }
  const std::string exe =
      executableDir.empty() ? "the executable's folder" : executableDir.string();
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) {
    return {executableDir, std::string(kProgram) + ": " + exe +
                               " is not to be written and there is no user data folder: the log "
                               "(ocx_log.log) and mst/ cannot be saved"};
  }
  const std::filesystem::path folder =
      std::filesystem::path(QFile::encodeName(base).toStdString()) / kProgram;
  std::string notice = std::string(kProgram) + ": " + exe +
                       " is not to be written: the log (ocx_log.log) and mst/ are kept in " +
                       folder.string();
  // The downloads need mst/ there as much as beside the executable, where the
  // install makes it: with nobody else to make it, start-up does.
  std::error_code ec;
  std::filesystem::create_directories(folder / "mst", ec);
  if (ec) notice += " (which cannot be made: " + ec.message() + ")";
  return {folder, notice};
}

}  // namespace zqk
