#include "agent/ComponentLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "tests/agent/TestComponents.h"
#include "tests/support/TempDir.h"

namespace zqk {
namespace {

bool IsLoaded(const std::filesystem::path& library) {
  void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) ::dlclose(handle);
  return handle != nullptr;
}

TEST(ComponentLoader, LoadsByAbsolutePathAndUnloadsWithTheLastHolder) {
  // A private copy of the C component (a C++ one may be pinned in memory by
  // unique symbols), so that no other test holds it.
  test::TempDir dir;
  const std::filesystem::path copy = dir / "errors.so";
  std::filesystem::copy_file(test::kErrorComponent, copy);
  ASSERT_FALSE(IsLoaded(copy));
  std::string error;
  std::shared_ptr<ComponentLibrary> library = ComponentLibrary::Load(copy, &error);
  ASSERT_TRUE(library) << error;
  EXPECT_EQ(library->Path(), copy);
  EXPECT_NE(library->CreateControl(), nullptr);
  std::shared_ptr<ComponentLibrary> second = library;
  library.reset();
  EXPECT_TRUE(IsLoaded(copy));
  second.reset();
  EXPECT_FALSE(IsLoaded(copy));
}

TEST(ComponentLoader, RefusesRelativePathsEvenWhenTheFileIsThere) {
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(test::kEchoComponent.parent_path());
  const std::filesystem::path name = test::kEchoComponent.filename();
  for (const std::filesystem::path& relative : {name, "." / name, std::filesystem::path()}) {
    std::string error;
    EXPECT_FALSE(ComponentLibrary::Load(relative, &error)) << relative;
    EXPECT_NE(error.find("not absolute"), std::string::npos) << error;
  }
  std::filesystem::current_path(old);
}

TEST(ComponentLoader, ReportsMissingUnloadableAndEntryLessLibraries) {
  test::TempDir dir;
  std::ofstream(dir / "text.so") << "not a library\n";
  struct Case {
    std::filesystem::path path;
    std::string expected;
  };
  for (const Case& c : {Case{dir / "missing.so", "missing.so"}, Case{dir / "text.so", "text.so"},
                        Case{test::kNoEntryComponent, "ZQKCreateControl"}}) {
    std::string error;
    EXPECT_FALSE(ComponentLibrary::Load(c.path, &error)) << c.path;
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;
  }
  EXPECT_FALSE(IsLoaded(test::kNoEntryComponent));
}

}  // namespace
}  // namespace zqk
