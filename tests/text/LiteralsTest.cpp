// Every narrow string literal of the project becomes CP949 bytes through the
// compiler's execution character set; the compiler transliterates what CP949
// lacks (so that libstdc++ builds), which would silently corrupt our own
// texts. This test holds our sources to the strict conversion instead.
#include <gtest/gtest.h>

#include "tests/support/Files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/text/SourceLiterals.h"
#include "text/Cp949.h"

namespace zqk::test {
namespace {

namespace fs = std::filesystem;

bool IsSourceFile(const fs::path& p) {
  const std::string ext = p.extension().string();
  return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".c";
}

// "line: text" of every literal of `source` that CP949 cannot hold.
std::vector<std::string> Unconvertible(std::string_view source) {
  std::vector<std::string> bad;
  for (const SourceLiteral& l : NarrowStringLiterals(source)) {
    if (!Utf8ToCp949Strict(l.text)) bad.push_back(std::to_string(l.line) + ": " + l.text);
  }
  return bad;
}

bool HasNonAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

TEST(Literals, CheckFindsALiteralCp949CannotHold) {
  // An emoji and a replacement character; Korean and the arrow convert.
  const std::string source =
      "auto a = \"\xF0\x9F\x98\x80\";\n"
      "auto b = \"\xED\x95\x9C \xE2\x96\xBC\";\n"
      "auto c = R\"(\xEF\xBF\xBD)\"; // \xF0\x9F\x98\x80\n"
      "auto d = u8\"\xF0\x9F\x98\x80\";\n";
  EXPECT_EQ(Unconvertible(source),
            (std::vector<std::string>{"1: \xF0\x9F\x98\x80", "3: \xEF\xBF\xBD"}));
}

TEST(Literals, EveryNarrowLiteralOfTheSourcesConvertsToCp949) {
  const char* dir = std::getenv("ZQK_SOURCE_DIR");
  ASSERT_NE(dir, nullptr) << "ZQK_SOURCE_DIR names the source tree";
  const fs::path root(dir);
  ASSERT_TRUE(fs::is_directory(root / "ui")) << root;

  std::vector<std::string> failures;
  size_t files = 0;
  size_t literals = 0;
  size_t nonAscii = 0;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::path& p = it->path();
    const std::string name = p.filename().string();
    if (it->is_directory()) {
      const bool topLevelBuild = it.depth() == 0 && name.starts_with("build");
      if (topLevelBuild || name.starts_with(".")) it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file() || !IsSourceFile(p)) continue;
    ++files;
    const std::string source = test::ReadWholeFile(p);
    for (const SourceLiteral& l : NarrowStringLiterals(source)) {
      ++literals;
      nonAscii += HasNonAscii(l.text);
    }
    for (const std::string& bad : Unconvertible(source)) {
      failures.push_back(fs::relative(p, root).string() + ":" + bad);
    }
  }
  // The walk really saw the project: its sources hold many Korean texts.
  EXPECT_GT(files, 20u);
  EXPECT_GT(literals, 200u);
  EXPECT_GT(nonAscii, 50u);

  std::string list;
  for (const std::string& f : failures) list += "\n  " + f;
  EXPECT_TRUE(failures.empty()) << "literals that CP949 cannot hold:" << list;
}

}  // namespace
}  // namespace zqk::test
