#include "app/Startup.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "agent/SharedLibrary.h"
#include "agent/abi/AgentAbi.h"
#include "text/Cp949.h"

namespace zqk {
namespace {

// printf-style formatting of one of the fixed messages with the path.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int n = std::snprintf(nullptr, 0, format, args...);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, args...);
  text.resize(static_cast<size_t>(n));
  return text;
}

void Show(MessageBoxHost& boxes, const std::string& text) {
  boxes.ShowMessageBox(text, kAppTitle, MessageBoxButtons::kOk, MessageBoxIcon::kExclamation);
}

}  // namespace

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || !exe.is_absolute()) return {};
  return exe.parent_path();
}

bool DllRegister(const std::filesystem::path& path, MessageBoxHost& boxes) {
  const std::string shownPath = Utf8ToCp949(path.string());

  // Only the named file may be loaded: a relative name would go through the
  // loader's search path or the current directory.
  SharedLibrary::Failure failure;
  std::unique_ptr<SharedLibrary> library;
  struct stat info {};
  if (!path.is_absolute()) {
    failure = {EINVAL, "not an absolute path"};
  } else if (::stat(path.c_str(), &info) != 0) {
    failure = {errno, ""};
  } else {
    library = SharedLibrary::Open(path, &failure);
  }
  if (!library) {
    std::string text = Format("File Name=%s, GetLastError() NO = 0x%08lx\n", shownPath.c_str(),
                              static_cast<unsigned long>(failure.error));
    text += failure.detail;
    Show(boxes, text);
    return false;
  }

  auto* entry =
      reinterpret_cast<zqk_register_server_fn>(library->Symbol(ZQK_REGISTER_SERVER_SYMBOL));
  if (!entry) {
    // Shown for every file name: a silent failure would leave the agent
    // unregistered without a word.
    Show(boxes, Format("File Name=%s, GetProcAddress Fail\n", shownPath.c_str()));
    return false;
  }
  if (entry() < 0) {
    Show(boxes, Format("File Name=%s, lpDllEntryPoint Fail\n", shownPath.c_str()));
    return false;
  }
  // Stays loaded for the rest of the process, like a registered server.
  library->KeepLoaded();
  return true;
}

void RegisterAgentAtStartup(MessageBoxHost& boxes) {
  DllRegister(ExecutableDirectory() / kAgentFileName, boxes);
}

}  // namespace zqk
