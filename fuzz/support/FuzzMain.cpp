// main() of every fuzz target: the inputs named on the command line (files,
// or folders whose files are taken in name order), else standard input.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/support/FuzzMain.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files of `path`: itself, or a folder's regular files in name order.
// False when it is neither (a missing folder is a mistake of the caller).
bool Collect(const fs::path& path, std::vector<fs::path>& files) {
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) {
    files.push_back(path);
    return true;
  }
  if (!fs::is_directory(path, ec)) return false;
  std::vector<fs::path> found;
  for (const fs::directory_entry& e : fs::directory_iterator(path, ec)) {
    if (e.is_regular_file() && !e.path().filename().string().starts_with(".")) {
      found.push_back(e.path());
    }
  }
  std::sort(found.begin(), found.end());
  files.insert(files.end(), found.begin(), found.end());
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    zqk::fuzz::RunOne(ReadAll(std::cin));
    return 0;
  }
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    if (!Collect(argv[i], files)) {
      std::cerr << argv[0] << ": " << argv[i] << " is neither a file nor a folder\n";
      return 2;
    }
  }
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::cerr << argv[0] << ": cannot read " << file.string() << "\n";
      return 2;
    }
    // Named before it runs: the last name printed is the input that failed.
    std::cout << file.filename().string() << std::endl;
    zqk::fuzz::RunOne(ReadAll(in));
  }
  std::cout << files.size() << " inputs\n";
  return 0;
}
