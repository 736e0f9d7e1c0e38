#include <cstddef>

#include <gtest/gtest.h>

#include "agent/ComponentLoader.h"
#include "agent/abi/AgentAbi.h"
#include "agent/abi/AgentAbiCheck.h"
#include "agent/abi/DispatchIds.h"
#include "tests/agent/TestComponents.h"

extern "C" size_t zqk_c_layout(int which);

namespace zqk {
namespace {

TEST(AgentAbi, CAndCppAgreeOnEveryStruct) {
  EXPECT_EQ(zqk_c_layout(0), sizeof(zqk_value));
  EXPECT_EQ(zqk_c_layout(1), offsetof(zqk_value, len));
  EXPECT_EQ(zqk_c_layout(2), sizeof(zqk_host));
  EXPECT_EQ(zqk_c_layout(3), offsetof(zqk_host, now_ms));
  EXPECT_EQ(zqk_c_layout(4), sizeof(zqk_control));
  EXPECT_EQ(zqk_c_layout(5), offsetof(zqk_control, destroy));
  EXPECT_EQ(zqk_c_layout(6), 1u);
}

struct VersionCase {
  uint32_t version;
  uint32_t size;
  bool usable;
};

class AbiVersions : public testing::TestWithParam<VersionCase> {};

TEST_P(AbiVersions, ReceiverAcceptsOnlyItsMajorVersionAndEnoughBytes) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(zqk_abi_usable(c.version, c.size, sizeof(zqk_host)) != 0, c.usable);
}

constexpr uint32_t kHostSize = sizeof(zqk_host);
INSTANTIATE_TEST_SUITE_P(
    Structs, AbiVersions,
    testing::Values(VersionCase{ZQK_ABI_VERSION, kHostSize, true},
                    VersionCase{(1u << 16) | 7u, kHostSize + 16, true},  // newer minor, appended
                    VersionCase{(2u << 16), kHostSize, false}, VersionCase{0u, kHostSize, false},
                    VersionCase{ZQK_ABI_VERSION, kHostSize - sizeof(void*), false},
                    VersionCase{ZQK_ABI_VERSION, 0u, false}));

// The component side of the same test: the echo component refuses a host
// table it cannot read.
TEST(AgentAbi, ComponentRefusesHostOfUnknownMajorVersionOrTooSmall) {
  std::string error;
  auto library = ComponentLibrary::Load(test::kEchoComponent, &error);
  ASSERT_TRUE(library) << error;
  EchoState& echo = test::FreshEchoState();
  const std::string classId(kAgentClassId);

  zqk_host host{};
  host.version = ZQK_ABI_VERSION;
  host.size = sizeof host;
  zqk_control* control = nullptr;
  host.version = 2u << 16;
  EXPECT_EQ(library->CreateControl()(classId.c_str(), &host, &control), ZQK_E_BAD_STRUCT);
  host.version = ZQK_ABI_VERSION;
  host.size = offsetof(zqk_host, now_ms);
  EXPECT_EQ(library->CreateControl()(classId.c_str(), &host, &control), ZQK_E_BAD_STRUCT);
  EXPECT_EQ(control, nullptr);
  EXPECT_EQ(echo.creates, 0);
}

}  // namespace
}  // namespace zqk
