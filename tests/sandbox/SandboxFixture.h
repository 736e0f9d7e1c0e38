#pragma once
// The sandbox agent loaded through its real ABI, on a settings file of the
// test's own in a temporary directory: fixed latency, no jitter.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/sandbox/AbiTestHost.h"
#include "tests/support/BuiltFile.h"
#include "tests/support/TempDir.h"

namespace zqk::test {

inline constexpr int32_t kOnTrReply = static_cast<int32_t>(EventDispid::kOnTrReply);
inline constexpr int32_t kOnAgentMessage = static_cast<int32_t>(EventDispid::kOnAgentMessage);
inline constexpr int32_t kOnRequestMessage = static_cast<int32_t>(EventDispid::kOnRequestMessage);

class SandboxTest : public ::testing::Test {
 protected:
  // Fixed latency, no jitter: events come exactly kLatency after the call.
  static constexpr int64_t kLatency = 40;

  void SetUp() override { Start(R"({"replyLatencyMs": 40, "replyJitterMs": 0})"); }

  void Start(const std::string& settingsJson) {
    const std::filesystem::path settings = dir_.path() / "sandbox.json";
    std::ofstream(settings) << settingsJson;
    StartWith(settings);
  }
  void StartWith(const std::filesystem::path& settings) {
    setenv("ZQK_SANDBOX_SETTINGS", settings.c_str(), 1);
    host_ = std::make_unique<AbiTestHost>(ZQK_SANDBOX_AGENT);
    ASSERT_EQ(host_->Create(kAgentClassId), ZQK_OK);
  }

  void Connect() { ASSERT_EQ(host_->Long(Dispid::kStartComm, {1}), 0); }
  void SignIn() {
    Connect();
    ASSERT_EQ(host_->Long(Dispid::kLogin, {"demo", "demo1234", "cert1234"}), 1);
  }
  // Runs everything pending and returns the events it fired.
  std::vector<FiredEvent> Drain() {
    host_->events.clear();
    host_->Advance(10'000);
    return std::exchange(host_->events, {});
  }

  TempDir dir_;
  std::unique_ptr<AbiTestHost> host_;
};

}  // namespace zqk::test
