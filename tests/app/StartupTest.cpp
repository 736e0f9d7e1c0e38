#include "app/Startup.h"

#include <dlfcn.h>

#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "agent/abi/ComponentRegistry.h"
#include "agent/abi/DispatchIds.h"
#include "tests/agent/TestComponents.h"
#include "tests/support/FakeHost.h"
#include "tests/support/TempDir.h"
#include "text/Cp949.h"

namespace zqk {
namespace {

class StartupTest : public testing::Test {
 protected:
  // A private copy of a test component under `name`, as it would lie beside
  // the executable.
  std::filesystem::path Install(const std::filesystem::path& component,
                                const std::filesystem::path& name) {
    const std::filesystem::path target = files / name;
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(component, target);
    return target;
  }
  // The one box shown, checked for the form every start-up message has.
  std::string OnlyBox() {
    EXPECT_EQ(boxes.shown.size(), 1u);
    if (boxes.shown.empty()) return {};
    const test::FakeDialogHost::MessageBox& box = boxes.shown[0];
    EXPECT_EQ(box.caption, "ZQKCommClient");
    EXPECT_EQ(box.buttons, MessageBoxButtons::kOk);
    EXPECT_EQ(box.icon, MessageBoxIcon::kExclamation);
    return box.text;
  }

  test::ScopedConfigHome config;
  test::TempDir files;
  test::FakeDialogHost boxes;
};

TEST_F(StartupTest, ExecutableDirectoryIsWhereThisProgramLies) {
  const std::filesystem::path dir = ExecutableDirectory();
  EXPECT_TRUE(dir.is_absolute());
  EXPECT_EQ(dir, std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

TEST_F(StartupTest, RegistersTheComponentAndKeepsItLoaded) {
  const auto path = Install(test::kEchoComponent, "ZQKCommAgent.ocx");
  EXPECT_TRUE(DllRegister(path, boxes));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(LookupComponent(DefaultComponentRegistryPath(), kAgentClassId), path);
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(handle, nullptr);
  if (handle) ::dlclose(handle);
  // Every start registers again.
  std::ofstream(DefaultComponentRegistryPath()) << kAgentClassId << "=/old/place.ocx\n";
  EXPECT_TRUE(DllRegister(path, boxes));
  EXPECT_EQ(LookupComponent(DefaultComponentRegistryPath(), kAgentClassId), path);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupTest, MissingFileShowsThePathAndErrorCodeTwo) {
  const auto path = files / "ZQKCommAgent.ocx";
  EXPECT_FALSE(DllRegister(path, boxes));
  EXPECT_EQ(OnlyBox(), "File Name=" + path.string() + ", GetLastError() NO = 0x00000002\n");
}

TEST_F(StartupTest, PathIsShownInCp949) {
  const auto path = files / Cp949ToUtf8("한글") / "ZQKCommAgent.ocx";
  EXPECT_FALSE(DllRegister(path, boxes));
  EXPECT_EQ(OnlyBox(),
            "File Name=" + Utf8ToCp949(path.string()) + ", GetLastError() NO = 0x00000002\n");
  EXPECT_NE(boxes.shown[0].text.find("한글"), std::string::npos);
}

TEST_F(StartupTest, FileThatIsNoLibraryShowsAnErrorCodeAndTheLoadersReason) {
  const auto path = files / "ZQKCommAgent.ocx";
  std::ofstream(path) << "MZ this is not an ELF file\n";
  EXPECT_FALSE(DllRegister(path, boxes));
  const std::string text = OnlyBox();
  std::smatch m;
  ASSERT_TRUE(std::regex_match(
      text, m, std::regex("File Name=(.*), GetLastError\\(\\) NO = 0x([0-9a-f]{8})\n(.+)")))
      << text;
  EXPECT_EQ(m[1], path.string());
  EXPECT_NE(m[2], "00000000");
  EXPECT_NE(m[3].str().find("ZQKCommAgent.ocx"), std::string::npos);  // dlerror's text
}

TEST_F(StartupTest, RelativePathIsNeverLoaded) {
  const std::filesystem::path old = std::filesystem::current_path();
  Install(test::kEchoComponent, "ZQKCommAgent.ocx");
  std::filesystem::current_path(files.path());
  EXPECT_FALSE(DllRegister("ZQKCommAgent.ocx", boxes));
  std::filesystem::current_path(old);
  EXPECT_NE(OnlyBox().find("File Name=ZQKCommAgent.ocx, GetLastError() NO = 0x00000016\n"),
            std::string::npos);
  EXPECT_EQ(LookupComponent(DefaultComponentRegistryPath(), kAgentClassId), std::nullopt);
}

// Shown for every extension: for ".dll" and ".ocx" too, where staying silent
// would leave the agent unregistered without a word.
class StartupWithoutEntryPoint : public StartupTest,
                                 public testing::WithParamInterface<const char*> {};

TEST_P(StartupWithoutEntryPoint, ShowsGetProcAddressFail) {
  const auto path = Install(test::kNoEntryComponent, GetParam());
  EXPECT_FALSE(DllRegister(path, boxes));
  EXPECT_EQ(OnlyBox(), "File Name=" + path.string() + ", GetProcAddress Fail\n");
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_EQ(handle, nullptr);  // unloaded again
}

INSTANTIATE_TEST_SUITE_P(Extensions, StartupWithoutEntryPoint,
                         testing::Values("ZQKCommAgent.ocx", "agent.OCX", "agent.dll", "agent.so",
                                         "agent"));

TEST_F(StartupTest, FailingEntryPointShowsEntryPointFail) {
  const auto path = Install(test::kFailingRegisterComponent, "ZQKCommAgent.ocx");
  EXPECT_FALSE(DllRegister(path, boxes));
  EXPECT_EQ(OnlyBox(), "File Name=" + path.string() + ", lpDllEntryPoint Fail\n");
}

TEST_F(StartupTest, StartupRegistersTheAgentBesideTheExecutable) {
  const std::filesystem::path expected = ExecutableDirectory() / "ZQKCommAgent.ocx";
  RegisterAgentAtStartup(boxes);
  if (!std::filesystem::exists(expected)) {
    EXPECT_EQ(OnlyBox(),
              "File Name=" + Utf8ToCp949(expected.string()) + ", GetLastError() NO = 0x00000002\n");
  } else if (!boxes.shown.empty()) {
    EXPECT_NE(OnlyBox().find(Utf8ToCp949(expected.string())), std::string::npos);
  } else {
    EXPECT_EQ(LookupComponent(DefaultComponentRegistryPath(), kAgentClassId), expected);
  }
}

}  // namespace
}  // namespace zqk
