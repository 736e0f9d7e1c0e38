#pragma once
// The fixture agent: answers every operation from a fixture (FixtureData.h),
// fires events when a driver asks for them (FixtureProtocol.h), and records
// every call with its arguments and result.

#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sandbox/ComponentKit.h"
#include "sandbox/FixtureData.h"

namespace zqk::fixture {

class FixtureAgent : public kit::Component {
 public:
  // Loads $ZQK_FIXTURE_FILE if set and appends recorded calls to
  // $ZQK_FIXTURE_LOG if set.
  explicit FixtureAgent(kit::Host& host);

  kit::Result Invoke(int32_t dispid, const kit::Args& args) override;
  std::span<const OperationInfo> ExtraOperations() const override;

 private:
  kit::Result CallOperation(const OperationInfo& op, const kit::Args& args);
  kit::Result FromData(Dispid dispid, const kit::Args& args) const;
  int32_t FireEvent(std::string_view event, std::string_view json);
  void LoadFile(const std::string& path);
  void Use(Fixture fixture);
  // The page that reads naming `code` and `realType` see.
  const Page* PageFor(std::string_view code, int32_t realType) const;
  Page NextPage(const std::vector<Page>* pages, const std::pair<std::string, int32_t>& id);
  void Record(std::string line);

  kit::Host& host_;
  Fixture fixture_;
  std::optional<std::string> loadError_;  // UTF-8
  std::map<std::pair<std::string, int32_t>, size_t> pagesTaken_;
  // The data of the last reply per TR code (real type -1) and of the last
  // record per key and real type.
  std::map<std::pair<std::string, int32_t>, Page> current_;
  std::map<int32_t, std::string> lastKeyOfRealType_;
  std::map<int32_t, std::string> nextKeys_;  // by RQID
  std::string lastData_;
  std::string untakenCalls_;
  std::ofstream log_;
};

}  // namespace zqk::fixture
