#include "agent/abi/ComponentRegistry.h"

#include <fstream>
#include <iterator>
#include <optional>

#include <gtest/gtest.h>

#include "tests/support/OddFiles.h"
#include "tests/support/TempDir.h"

namespace zqk {
namespace {

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ComponentRegistry, RoundTripAndReplacementKeepOtherEntries) {
  test::TempDir dir;
  const auto registry = dir / "sub" / "components";
  std::string error;
  ASSERT_TRUE(RegisterComponent(registry, "{A}", "/opt/a/first.so", &error)) << error;
  ASSERT_TRUE(RegisterComponent(registry, "{B}", "/opt/b/b.so", &error)) << error;
  ASSERT_TRUE(RegisterComponent(registry, "{A}", "/opt/a/second.so", &error)) << error;

  EXPECT_EQ(LookupComponent(registry, "{A}"), std::filesystem::path("/opt/a/second.so"));
  EXPECT_EQ(LookupComponent(registry, "{B}"), std::filesystem::path("/opt/b/b.so"));
  EXPECT_EQ(LookupComponent(registry, "{C}"), std::nullopt);
  // A prefix of a registered ID is another ID.
  EXPECT_EQ(LookupComponent(registry, "{"), std::nullopt);
  EXPECT_EQ(Contents(registry), "{B}=/opt/b/b.so\n{A}=/opt/a/second.so\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(registry.parent_path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(ComponentRegistry, PathsWithBlanksAndNonAsciiSurvive) {
  test::TempDir dir;
  const auto registry = dir / "components";
  const std::filesystem::path library =
      "/home/user/my agents/\xEC\x97\x90\xEC\x9D\xB4\xEC\xA0\x84\xED\x8A\xB8.ocx";
  ASSERT_TRUE(RegisterComponent(registry, "{A}", library, nullptr));
  EXPECT_EQ(LookupComponent(registry, "{A}"), library);
}

struct RefusedCase {
  const char* classId;
  std::string library;
};

class ComponentRegistryRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(ComponentRegistryRefuses, BadEntriesAndLeavesTheFileAlone) {
  test::TempDir dir;
  const auto registry = dir / "components";
  ASSERT_TRUE(RegisterComponent(registry, "{A}", "/a.so", nullptr));
  std::string error;
  EXPECT_FALSE(RegisterComponent(registry, GetParam().classId, GetParam().library, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Contents(registry), "{A}=/a.so\n");
}

// A path the file cannot hold would come back as two entries, or cut short.
INSTANTIATE_TEST_SUITE_P(Entries, ComponentRegistryRefuses,
                         testing::Values(RefusedCase{"{B}", "relative/b.so"},
                                         RefusedCase{"{B}", "b.so"}, RefusedCase{"", "/b.so"},
                                         RefusedCase{"{B}=x", "/b.so"},
                                         RefusedCase{"{B}\n{A}", "/b.so"},
                                         RefusedCase{"{B}", "/opt/new\nline/b.so"},
                                         RefusedCase{"{B}", "/opt/x\r/b.so"},
                                         RefusedCase{"{B}", std::string("/opt/x\0/b.so", 13)}));

struct UnreadableCase {
  const char* name;
  std::optional<test::Special> special;  // nullopt: a registry over the size limit
  const char* reason;
};

void PrintTo(const UnreadableCase& c, std::ostream* os) {
  *os << c.name;
}

class UnreadableRegistry : public testing::TestWithParam<UnreadableCase> {};

// A registry that exists but cannot be read is never replaced by one that
// holds only the new entry; nothing blocks or reads without end.
TEST_P(UnreadableRegistry, IsLeftAloneAndNamedWithTheReason) {
  const UnreadableCase& c = GetParam();
  if (c.special && test::RestsOnModes(*c.special) && test::RunningAsRoot()) {
    GTEST_SKIP() << test::kRootIgnoresModes;
  }
  test::TempDir dir;
  std::filesystem::path registry = dir / "components";
  if (c.special) {
    registry = test::MakeSpecial(*c.special, registry);
  } else {
    std::ofstream(registry) << "{A}=/a.so\n" << std::string(kMaxComponentRegistryBytes, '#');
  }
  std::error_code ec;  // a file in a folder that cannot be searched has no status
  const std::filesystem::file_type before = std::filesystem::symlink_status(registry, ec).type();
  const std::string contentBefore = c.special ? "" : Contents(registry);

  std::string error;
  EXPECT_FALSE(RegisterComponent(registry, "{B}", "/b.so", &error));
  EXPECT_NE(error.find(registry.string() + ": "), std::string::npos) << error;
  EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  std::string lookupError;
  EXPECT_EQ(LookupComponent(registry, "{A}", &lookupError), std::nullopt);
  EXPECT_EQ(lookupError, error);

  EXPECT_EQ(std::filesystem::symlink_status(registry, ec).type(), before);
  if (!c.special) {
    EXPECT_EQ(Contents(registry), contentBefore);
  }
}

using enum test::Special;
INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableRegistry,
    testing::Values(UnreadableCase{"fifo", kFifo, "a FIFO"},
                    UnreadableCase{"dev zero", kLinkToDevZero, "a character device"},
                    UnreadableCase{"over the limit", std::nullopt, "limit of 1 MiB"},
                    UnreadableCase{"unreadable", kUnreadable, "Permission denied"},
                    UnreadableCase{"unsearchable folder", kInUnsearchableFolder,
                                   "Permission denied"}));

// The reason is that of the failure, not of the clean-up after it.
TEST(ComponentRegistry, UnwritableFolderGivesTheWritesOwnReason) {
  if (test::RunningAsRoot()) GTEST_SKIP() << test::kRootIgnoresModes;
  test::TempDir dir;
  const auto registry = dir / "shut" / "components";
  ASSERT_TRUE(RegisterComponent(registry, "{A}", "/a.so", nullptr));
  std::filesystem::permissions(
      dir / "shut", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::string error;
  EXPECT_FALSE(RegisterComponent(registry, "{B}", "/b.so", &error));
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
  EXPECT_EQ(Contents(registry), "{A}=/a.so\n");
}

TEST(ComponentRegistry, MissingFileKnowsNothing) {
  test::TempDir dir;
  EXPECT_EQ(LookupComponent(dir / "none", "{A}"), std::nullopt);
}

TEST(ComponentRegistry, DefaultPathFollowsAbsoluteXdgConfigHomeOnly) {
  test::ScopedConfigHome home;
  EXPECT_EQ(DefaultComponentRegistryPath(), home / "ZQKCommClient" / "components");
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  ::setenv("HOME", "/home/tester", 1);
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(DefaultComponentRegistryPath(), "/home/tester/.config/ZQKCommClient/components");
  ::unsetenv("HOME");
  ::setenv("TMPDIR", "/nonexistent", 1);
  EXPECT_EQ(DefaultComponentRegistryPath(), "/tmp/ZQKCommClient/components");
  ::unsetenv("TMPDIR");
  if (oldHome) {
    ::setenv("HOME", savedHome.c_str(), 1);
  } else {
    ::unsetenv("HOME");
  }
}

}  // namespace
}  // namespace zqk
