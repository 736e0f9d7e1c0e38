// zqk-protocol-doc: writes the parts of a document that the broker's tables
// say (the codes and input layouts, raw blocks, FID field numbers and order
// layouts of docs/sandbox.md) anew between their markers.
//
//   zqk-protocol-doc DOCUMENT          prints the document as the tables say
//   zqk-protocol-doc --write DOCUMENT  rewrites it in place
//   zqk-protocol-doc --check DOCUMENT  exits 1 when it differs from the tables
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "files/RegularFile.h"
#include "tools/zqk-protocol-doc/ProtocolDoc.h"

namespace {

constexpr size_t kMaxDocumentBytes = size_t{4} << 20;

int Usage() {
  std::cerr << "usage: zqk-protocol-doc [--write | --check] DOCUMENT\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view mode;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if ((arg == "--write" || arg == "--check") && mode.empty()) {
      mode = arg;
    } else if (path.empty() && !arg.starts_with("--")) {
      path = arg;
    } else {
      return Usage();
    }
  }
  if (path.empty()) return Usage();
  const zqk::FileRead read = zqk::ReadWholeFile(path, kMaxDocumentBytes);
  if (read.status != zqk::FileRead::Status::kRead) {
    std::cerr << path << ": " << (read.reason.empty() ? "no such file" : read.reason) << "\n";
    return 1;
  }
  std::string why;
  const std::optional<std::string> regenerated = zqk::doc::RegenerateDocument(read.bytes, &why);
  if (!regenerated) {
    std::cerr << path << ": " << why << "\n";
    return 1;
  }
  if (mode == "--check") {
    if (*regenerated == read.bytes) return 0;
    std::cerr << path << " differs from the tables of protocol/: run zqk-protocol-doc --write\n";
    return 1;
  }
  if (mode == "--write") {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << *regenerated;
    if (!out.flush()) {
      std::cerr << path << ": cannot write\n";
      return 1;
    }
    return 0;
  }
  std::cout << *regenerated;
  return 0;
}
