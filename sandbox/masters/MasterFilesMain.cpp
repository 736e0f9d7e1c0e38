// zqk-sandbox-masters DIR [all|futures|option]: writes the master files that
// the sandbox agent delivers for the kind (default "all") into the existing
// directory DIR, so that a script can compare downloaded files with them
// byte for byte. Exit status 0, 1 when a file cannot be written, 2 on bad
// arguments.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "sandbox/market/ProductUniverse.h"
#include "sandbox/masters/MasterFiles.h"
#include "text/Cp949.h"

int main(int argc, char** argv) {
  using namespace zqk;
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: zqk-sandbox-masters DIR [all|futures|option]\n");
    return 2;
  }
  // Arguments are UTF-8 at the terminal; the kinds are ASCII either way.
  const std::string kind = argc == 3 ? Utf8ToCp949(argv[2]) : "all";
  const auto files = sandbox::MasterFilesOfKind(kind);
  if (files.empty()) {
    std::fprintf(stderr, "zqk-sandbox-masters: unknown kind \"%s\"\n", argv[2]);
    return 2;
  }
  const sandbox::market::ProductUniverse universe;
  int status = 0;
  for (const sandbox::MasterFile* file : files) {
    const std::filesystem::path path = std::filesystem::path(argv[1]) / Cp949ToUtf8(file->fileName);
    const std::string content = sandbox::MasterFileContent(*file, universe);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "zqk-sandbox-masters: cannot write %s\n", path.c_str());
      status = 1;
    }
  }
  return status;
}
