#include "agent/ComponentHost.h"

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/FakeHost.h"

namespace zqk {
namespace {

struct RecordingSink : AgentEventSink {
  struct Event {
    int32_t dispid;
    std::vector<int32_t> longs;
    std::vector<std::string> strings;
  };
  std::vector<Event> events;
  int32_t status = ZQK_OK;
  bool throws = false;

  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override {
    if (throws) throw std::runtime_error("handler failed");
    Event e{dispid, {}, {}};
    for (const zqk_value& v : args) {
      if (v.type == ZQK_VT_I4) e.longs.push_back(v.i4);
      if (v.type == ZQK_VT_STR) e.strings.emplace_back(v.str, v.len);
    }
    events.push_back(std::move(e));
    return status;
  }
};

// A UI thread whose Cancel() does not reach work already queued, as when the
// work has been taken off the queue but not run yet.
struct LateCancelUiThread : VirtualUiThread {
  void Cancel(uint64_t) override {}
};

void Count(void* arg) {
  ++*static_cast<int*>(arg);
}

class ComponentHostTest : public testing::Test {
 protected:
  void Post(uint32_t delayMs, int* counter) {
    abi()->post(abi()->context, &Count, counter, delayMs);
  }
  const zqk_host* abi() { return host.Abi(); }

  VirtualUiThread ui;
  RecordingSink sink;
  ComponentHost host{ui, sink};
};

TEST_F(ComponentHostTest, DescribesItselfAndReadsAgentTime) {
  EXPECT_EQ(abi()->version, ZQK_ABI_VERSION);
  EXPECT_EQ(abi()->size, sizeof(zqk_host));
  ui.Advance(1234);
  EXPECT_EQ(abi()->now_ms(abi()->context), 1234);
}

TEST_F(ComponentHostTest, PostedWorkRunsOnceWhenItsDelayHasPassed) {
  int soon = 0, later = 0;
  Post(0, &soon);
  Post(50, &later);
  EXPECT_EQ(soon, 0);  // never inside post
  ui.Advance(49);
  EXPECT_EQ(soon, 1);
  EXPECT_EQ(later, 0);
  ui.Advance(1);
  ui.Advance(100);
  EXPECT_EQ(soon, 1);
  EXPECT_EQ(later, 1);
}

TEST_F(ComponentHostTest, ShutdownCancelsPendingWorkAndDropsLaterPostsAndEvents) {
  int counter = 0;
  Post(10, &counter);
  Post(0, &counter);
  host.Shutdown();
  EXPECT_EQ(ui.Pending(), 0u);
  Post(0, &counter);
  ui.Advance(100);
  EXPECT_EQ(counter, 0);
  EXPECT_TRUE(host.IsShutDown());
  const zqk_value arg{ZQK_VT_I4, 1, nullptr, 0};
  EXPECT_EQ(abi()->fire_event(abi()->context, 3, &arg, 1), ZQK_E_UNKNOWN_DISPID);
  EXPECT_TRUE(sink.events.empty());
}

TEST(ComponentHost, WorkThatEscapedCancellationStillDoesNotRunAfterShutdown) {
  LateCancelUiThread ui;
  RecordingSink sink;
  int counter = 0;
  {
    ComponentHost host(ui, sink);
    host.Abi()->post(host.Abi()->context, &Count, &counter, 5);
  }
  EXPECT_EQ(ui.Pending(), 1u);
  ui.Advance(10);
  EXPECT_EQ(counter, 0);
}

TEST_F(ComponentHostTest, FireEventForwardsToTheSinkAndReturnsItsStatus) {
  const std::string key("101\0S3", 6);
  const zqk_value args[2] = {{ZQK_VT_STR, 0, key.data(), static_cast<uint32_t>(key.size())},
                             {ZQK_VT_I4, 65, nullptr, 0}};
  EXPECT_EQ(abi()->fire_event(abi()->context, 4, args, 2), ZQK_OK);
  sink.status = ZQK_E_UNKNOWN_DISPID;
  EXPECT_EQ(abi()->fire_event(abi()->context, 99, nullptr, 0), ZQK_E_UNKNOWN_DISPID);
  ASSERT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(sink.events[0].dispid, 4);
  EXPECT_EQ(sink.events[0].strings, std::vector<std::string>{key});
  EXPECT_EQ(sink.events[0].longs, std::vector<int32_t>{65});
  EXPECT_EQ(sink.events[1].dispid, 99);
}

TEST_F(ComponentHostTest, FireEventRefusesMissingArgumentsAndKeepsExceptionsInside) {
  EXPECT_EQ(abi()->fire_event(abi()->context, 3, nullptr, 2), ZQK_E_BAD_STRUCT);
  EXPECT_TRUE(sink.events.empty());
  sink.throws = true;
  EXPECT_EQ(abi()->fire_event(abi()->context, 3, nullptr, 0), ZQK_E_FAILED);
}

TEST_F(ComponentHostTest, EventsFromAnotherThreadAreRefused) {
  int32_t status = ZQK_OK;
  std::thread([&] { status = abi()->fire_event(abi()->context, 3, nullptr, 0); }).join();
  EXPECT_EQ(status, ZQK_E_FAILED);
  EXPECT_TRUE(sink.events.empty());
}

TEST_F(ComponentHostTest, PostsFromManyThreadsEachRunExactlyOnce) {
  constexpr int kThreads = 4, kPosts = 500;
  std::vector<int> counters(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kPosts; ++i) Post(static_cast<uint32_t>(i % 3), &counters[t]);
    });
  }
  // The UI thread runs work while the others still post.
  for (int i = 0; i < 50; ++i) ui.Advance(1);
  for (std::thread& t : threads) t.join();
  ui.Advance(10);
  for (int c : counters) EXPECT_EQ(c, kPosts);
  EXPECT_EQ(ui.Pending(), 0u);
}

TEST_F(ComponentHostTest, PostingRacingShutdownNeverRunsWorkAfterIt) {
  std::atomic<bool> stop = false;
  int counter = 0;  // touched on the UI thread only
  std::thread poster([&] {
    // Delay 1, so that Advance() cannot be kept busy forever.
    while (!stop) Post(1, &counter);
  });
  ui.Advance(1);
  host.Shutdown();
  const int atShutdown = counter;
  ui.Advance(1);
  ui.Advance(1);
  stop = true;
  poster.join();
  ui.Advance(1);
  EXPECT_EQ(counter, atShutdown);
}

TEST_F(ComponentHostTest, OwnerIsHeldWhilePostedWorkRuns) {
  struct Owner {
    bool* destroyed = nullptr;
    ~Owner() { *destroyed = true; }
  };
  bool destroyed = false;
  auto owner = std::make_shared<Owner>();
  owner->destroyed = &destroyed;
  host.HoldWhileRunning(owner);
  struct Work {
    std::shared_ptr<Owner>* owner;
    bool* destroyed;
    bool destroyedInside = true;
  } work{&owner, &destroyed};
  abi()->post(
      abi()->context,
      [](void* arg) {
        auto* w = static_cast<Work*>(arg);
        w->owner->reset();  // a nested loop drops the control
        w->destroyedInside = *w->destroyed;
      },
      &work, 0);
  ui.Advance(0);
  EXPECT_FALSE(work.destroyedInside);
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace zqk
