#pragma once
// The real-time registrations: quote feeds by key and real type, and the
// order feeds of the signed-in user's accounts. The feeds' entry point; for
// now it keeps the registrations only.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace zqk::sandbox {

class Broker;

class FeedDesk {
 public:
  explicit FeedDesk(Broker& broker) : broker_(broker) {}

  // 0, or the code of the refusal (SandboxMessages.h).
  int32_t AddReal(std::string_view key, int32_t realType);
  int32_t RemoveReal(std::string_view key, int32_t realType);
  int32_t AddOrderReal(std::string_view userId, std::string_view account);
  int32_t RemoveOrderReal(std::string_view userId, std::string_view account);
  // Every registration ends (sign-out, another user, disconnection).
  void Clear();

  const std::set<std::pair<std::string, int32_t>>& quoteFeeds() const { return quoteFeeds_; }
  const std::set<std::string>& orderFeeds() const { return orderFeeds_; }

 private:
  int32_t OrderReal(std::string_view userId, std::string_view account, bool add);

  Broker& broker_;
  std::set<std::pair<std::string, int32_t>> quoteFeeds_;
  std::set<std::string> orderFeeds_;  // account numbers
};

}  // namespace zqk::sandbox
