#pragma once
// The real-time registrations: quote feeds by key and real type
// (QuoteFeeds.h), and the order feeds of the signed-in user's accounts
// (whose records the order desk sends). Every registered quote feed ticks
// `tickRate` times a second of agent time, all at the same moments (tick n
// at n * 1000 / tickRate ms), each tick built from the market at that
// moment. A key is a product code (trailing blanks ignored) or "0" for type
// 208; registering a feed again changes nothing, so each tick comes once.
// Ticks stop when the feed is removed, at sign-out and at disconnection.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "sandbox/events/SandboxMessages.h"
#include "sandbox/kit/ComponentKit.h"

namespace zqk::sandbox {

class Broker;

class FeedDesk {
 public:
  explicit FeedDesk(Broker& broker) : broker_(broker) {}
  FeedDesk(const FeedDesk&) = delete;
  FeedDesk& operator=(const FeedDesk&) = delete;

  // 0, or the code of the refusal (SandboxMessages.h, FeedMessages.h); a
  // key or type the sandbox does not serve is also explained by a message.
  int32_t AddReal(std::string_view key, int32_t realType);
  int32_t RemoveReal(std::string_view key, int32_t realType);
  int32_t AddOrderReal(std::string_view userId, std::string_view account);
  int32_t RemoveOrderReal(std::string_view userId, std::string_view account);
  // Every registration ends (sign-out, another user, disconnection).
  void Clear();

  // Keys without their trailing blanks.
  const std::set<std::pair<std::string, int32_t>>& quoteFeeds() const { return quoteFeeds_; }
  const std::set<std::string, std::less<>>& orderFeeds() const { return orderFeeds_; }
  // Whether the order feed of account `number` (exactly, no blanks) is on.
  bool OrderFeedOn(std::string_view number) const;

 private:
  int32_t OrderReal(std::string_view userId, std::string_view account, bool add);
  int32_t Refuse(const Message& m, std::string_view detail);
  void ScheduleTick();
  void Tick();

  Broker& broker_;
  std::set<std::pair<std::string, int32_t>> quoteFeeds_;
  std::set<std::string, std::less<>> orderFeeds_;  // account numbers
  kit::Host::Ticket tickTicket_ = 0;
  bool ticking_ = false;
};

}  // namespace zqk::sandbox
