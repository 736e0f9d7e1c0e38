#pragma once
// A signed-in sandbox agent behind its real ABI, on the test host's virtual
// clock at a fixed calendar moment (agent time 0 is 2016-09-01 09:00, as in
// MarketFixture.h), with a fixed reply latency. Every event is recorded with
// the values the console would read while it is delivered: the fields of a
// reply or real-time record, and the raw blocks.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tests/sandbox/AbiTestHost.h"

namespace zqk::test {

struct Seen {
  int64_t at = 0;
  int32_t dispid = 0;
  std::string key;                            // OnRealData's key, OnTrReply's TR code
  int32_t type = 0;                           // OnRealData's real type
  int32_t rqId = 0;                           // OnTrReply, OnRequestMessage
  std::map<std::string, std::string> fields;  // read from "OutRec1", row 0
  std::string block;                          // real types 82 and 208
  std::string code;                           // messages
  std::string text;

  std::string operator[](const std::string& name) const {
    auto it = fields.find(name);
    return it == fields.end() ? std::string("<none>") : it->second;
  }
};

inline constexpr int32_t kOnTrReply = static_cast<int32_t>(EventDispid::kOnTrReply);
inline constexpr int32_t kOnRealData = static_cast<int32_t>(EventDispid::kOnRealData);
inline constexpr int32_t kOnAgentMessage = static_cast<int32_t>(EventDispid::kOnAgentMessage);
inline constexpr int32_t kOnRequestMessage = static_cast<int32_t>(EventDispid::kOnRequestMessage);

// The field names each real type and the order replies are read by.
const std::vector<std::string>& FieldsRead(int32_t realType);

// Blank-filled fields joined, as the console's order composer writes them.
std::string Fields(std::initializer_list<std::pair<std::string_view, size_t>> fields);

class SandboxSession : public ::testing::Test {
 protected:
  static constexpr int64_t kLatency = 40;
  static constexpr uint64_t kSeed = 7;

  void SetUp() override { Start(Settings()); }
  void TearDown() override;

  static std::string Settings(int tickRate = 4);
  void Start(const std::string& settingsJson);
  void SignIn();

  int32_t Send(std::string_view code, std::string_view record) {
    return host_->Long(Dispid::kSendOrder, {code, record});
  }
  // Moves agent time on by `ms` and returns the events that arrived.
  std::vector<Seen> Run(int64_t ms);
  // Of the events, those of one kind.
  static std::vector<Seen> Only(const std::vector<Seen>& seen, int32_t dispid);
  static std::vector<Seen> OfType(const std::vector<Seen>& seen, int32_t realType);

  std::unique_ptr<AbiTestHost> host_;

 private:
  void Capture(const FiredEvent& e);

  std::filesystem::path dir_;
  std::vector<Seen> seen_;
};

}  // namespace zqk::test
