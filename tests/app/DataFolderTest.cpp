// Where the console's log and mst/ go: beside the executable in a folder the
// user may write outside /usr, else the user's data folder, made with its
// mst/ and named on standard error. (That a folder the user cannot write
// sends them there too is run as a normal user by the package test.)
#include "app/DataFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/TempDir.h"

namespace zqk {
namespace {

struct FolderCase {
  const char* name;
  const char* executableDir;  // "$T" stands for a writable temporary folder
  bool beside;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
  *os << c.name;
}

class DataFolderTest : public testing::TestWithParam<FolderCase> {
 protected:
  void SetUp() override { ::setenv("XDG_DATA_HOME", (data.path() / "share").c_str(), 1); }
  void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

  test::TempDir data;
  test::TempDir exe;
};

TEST_P(DataFolderTest, TakesTheExecutablesFolderOnlyWhereItMayBeWritten) {
  std::string dir = GetParam().executableDir;
  if (dir.starts_with("$T")) dir = exe.path().string() + dir.substr(2);
  std::filesystem::create_directories(exe.path() / "usr" / "lib");

  const DataFolder chosen = ChooseDataFolder(dir);
  if (GetParam().beside) {
    EXPECT_EQ(chosen.path, dir);
    EXPECT_FALSE(chosen.notice);
    EXPECT_FALSE(std::filesystem::exists(data.path() / "share"));
    return;
  }
  const std::filesystem::path expected = data.path() / "share" / "ZQKCommClient";
  EXPECT_EQ(chosen.path, expected);
  EXPECT_TRUE(std::filesystem::is_directory(expected / "mst"));
  ASSERT_TRUE(chosen.notice);
  EXPECT_NE(chosen.notice->find(dir), std::string::npos) << *chosen.notice;
  EXPECT_NE(chosen.notice->find("mst/ are kept in " + expected.string()), std::string::npos)
      << *chosen.notice;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DataFolderTest,
    testing::Values(FolderCase{"build_tree", "$T", true},
                    // A folder named usr elsewhere is no system tree.
                    FolderCase{"usr_elsewhere", "$T/usr/lib", true},
                    FolderCase{"system_install", "/usr/lib/zqkcommclient", false},
                    FolderCase{"local_install", "/usr/local/lib/zqkcommclient", false},
                    FolderCase{"usr_itself", "/usr", false},
                    FolderCase{"missing", "$T/gone", false}),
    [](const testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zqk
