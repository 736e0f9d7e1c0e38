#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/layers/IncludeCheck.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

namespace zqk::test {
namespace {

namespace fs = std::filesystem;

std::string Shown(const std::vector<Violation>& found) {
  std::string text;
  for (const Violation& v : found) {
    text += "\n  " + v.file + ":" + std::to_string(v.line) + ": " + v.message;
  }
  return text;
}

TEST(LayerCheck, TheTreeKeepsItsLayers) {
  const char* dir = std::getenv("ZQK_SOURCE_DIR");
  ASSERT_NE(dir, nullptr) << "ZQK_SOURCE_DIR names the source tree";
  const fs::path root(dir);
  const LayerList layers = ParseLayerList(ReadWholeFile(root / "layers.txt"));
  // The list really is the tree's: the console's layers and the sandbox's rooms.
  ASSERT_TRUE(layers.Reach("app").contains("text"));
  ASSERT_FALSE(layers.Reach("requests").contains("replies"));
  ASSERT_TRUE(layers.roomed.contains("sandbox"));
  const std::vector<Violation> found = CheckIncludes(root, layers);
  EXPECT_TRUE(found.empty()) << "includes against layers.txt:" << Shown(found);
}

// A small tree with one of every fault, so that the check cannot pass by
// finding nothing.
TEST(LayerCheck, NamesEveryFaultWithFileAndLine) {
  TempDir root;
  const std::vector<std::pair<std::string, std::string>> files = {
      {"layers.txt", "low:\nleft: low\nright: low\nhigh: left right\nbox: low\nrooms: box\n"},
      {"low/A.h", "#pragma once\n#include <vector>\n#include \"high/B.h\"\n"},
      {"low/A.cpp", "#include \"low/A.h\"\n#include \"Near.h\"\n"},
      {"low/Near.h", "#include \"missing/Gone.h\"\n"},
      {"high/B.h", "#include \"low/A.h\"\n#include \"left/L.h\"\n"},
      {"left/L.h", "\n  #  include \"right/R.h\"\n"},
      {"right/R.h", "#include \"low/A.h\"\n"},
      {"box/Box.cpp", "#include \"box/one/X.h\"\n"},
      {"box/one/X.h", "#include \"box/two/Y.h\"\n#include \"low/A.h\"\n"},
      {"box/two/Y.h", "#include \"box/three/Z.h\"\n"},
      {"box/three/Z.h", "#include \"box/one/X.h\"\n"},
      {"box/four/W.h", "#include \"box/one/X.h\"\n#include \"box/Root.h\"\n"},
      {"box/Root.h", "#include \"box/four/W.h\"\n"},
      {"stray/S.h", "#include \"high/B.h\"\n"},
      {"build-x/Skipped.h", "#include \"high/B.h\"\n"},
  };
  for (const auto& [name, text] : files) {
    fs::create_directories((root / name).parent_path());
    std::ofstream(root / name) << text;
  }
  const LayerList layers = ParseLayerList(ReadWholeFile(root / "layers.txt"));
  const std::vector<Violation> expected = {
      {"box/Root.h", 1, "includes box/four/W.h: rooms in a cycle, box/four reaches back to box"},
      {"box/four/W.h", 2, "includes box/Root.h: rooms in a cycle, box reaches back to box/four"},
      {"box/one/X.h", 1, "includes box/two/Y.h: rooms in a cycle, box/two reaches back to box/one"},
      {"box/three/Z.h", 1,
       "includes box/one/X.h: rooms in a cycle, box/one reaches back to box/three"},
      {"box/two/Y.h", 1,
       "includes box/three/Z.h: rooms in a cycle, box/three reaches back to box/two"},
      {"left/L.h", 2,
       "includes right/R.h: sideways from left to right, which it does not build on"},
      {"low/A.h", 3, "includes high/B.h: points up from low to high, a layer above it"},
      {"stray/S.h", 0, "is in no layer of layers.txt"},
  };
  EXPECT_EQ(CheckIncludes(root.path(), layers), expected)
      << Shown(CheckIncludes(root.path(), layers));
}

TEST(LayerCheck, RefusesAListOutOfOrderOrMalformed) {
  const struct {
    const char* text;
    const char* error;
  } rows[] = {
      {"low:\nhigh: low middle\nmiddle: low\n", "layers.txt:2: middle is not listed above high"},
      {"a: a\n", "layers.txt:1: a is not listed above a"},
      {"low:\nlow:\n", "layers.txt:2: low is listed twice"},
      {"# note\nlow high\n", "layers.txt:2: expected \"layer: layers below\""},
      {"low:\nrooms: box\n", "layers.txt:2: no layer box"},
  };
  for (const auto& row : rows) {
    try {
      ParseLayerList(row.text);
      ADD_FAILURE() << "accepted: " << row.text;
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()), row.error);
    }
  }
}

}  // namespace
}  // namespace zqk::test
