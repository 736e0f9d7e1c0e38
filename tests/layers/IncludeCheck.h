#pragma once
// The include check: every #include "..." of the tree read against the
// layers of layers.txt. An include may point into the file's own layer or a
// layer below it; in a layer whose subfolders are rooms, no room may include
// one that reaches back to it.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zqk::test {

struct LayerList {
  // Each layer (a folder, '/'-separated) with the layers it builds on directly.
  std::map<std::string, std::vector<std::string>> below;
  // Layers whose subfolders are rooms.
  std::set<std::string> roomed;

  // `layer` and every layer it reaches downward.
  std::set<std::string> Reach(const std::string& layer) const;
};

// Parses the text of layers.txt. Throws std::invalid_argument naming the line
// of a malformed entry, of a layer named below before it is listed (so the
// list reads from the lowest up and holds no cycle), or of a rooms line that
// names no layer.
LayerList ParseLayerList(std::string_view text);

struct Violation {
  std::string file;  // relative to the root, '/'-separated
  int line = 0;      // 0: the file as a whole
  std::string message;

  auto operator<=>(const Violation&) const = default;
};

// Every C and C++ source under `root` (top-level build* and hidden folders
// left out), checked against `layers`; sorted by file and line.
std::vector<Violation> CheckIncludes(const std::filesystem::path& root, const LayerList& layers);

}  // namespace zqk::test
