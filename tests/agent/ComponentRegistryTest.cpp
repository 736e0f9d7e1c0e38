#include "agent/ComponentRegistry.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

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
  const char* library;
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

INSTANTIATE_TEST_SUITE_P(Entries, ComponentRegistryRefuses,
                         testing::Values(RefusedCase{"{B}", "relative/b.so"},
                                         RefusedCase{"{B}", "b.so"}, RefusedCase{"", "/b.so"},
                                         RefusedCase{"{B}=x", "/b.so"},
                                         RefusedCase{"{B}\n{A}", "/b.so"}));

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
  if (oldHome) {
    ::setenv("HOME", savedHome.c_str(), 1);
  } else {
    ::unsetenv("HOME");
  }
}

}  // namespace
}  // namespace zqk
