#include "agent/VirtualUiThread.h"

#include <gtest/gtest.h>

#include <string>

namespace zqk {
namespace {

TEST(VirtualUiThread, RunsWorkInDueOrderOnlyAsTimePasses) {
  VirtualUiThread ui;
  std::string order;
  ui.Post([&] { order += 'c'; }, 30);
  ui.Post([&] { order += 'a'; }, 10);
  ui.Post([&] { order += 'b'; }, 10);  // same due time: posting order
  ui.Post([&] { order += '0'; }, 0);
  EXPECT_TRUE(ui.RunDue());
  EXPECT_EQ(order, "0");
  EXPECT_TRUE(ui.Advance(10));
  EXPECT_EQ(order, "0ab");
  EXPECT_EQ(ui.NowMs(), 10);
  EXPECT_TRUE(ui.Advance(100));
  EXPECT_EQ(order, "0abc");
  EXPECT_EQ(ui.NowMs(), 110);
}

TEST(VirtualUiThread, WorkSeesItsOwnDueTimeAndCanChain) {
  VirtualUiThread ui;
  std::vector<int64_t> seen;
  std::function<void()> tick = [&] {
    seen.push_back(ui.NowMs());
    if (seen.size() < 4) ui.Post(tick, 25);
  };
  ui.Post(tick, 25);
  ui.Advance(1000);
  EXPECT_EQ(seen, (std::vector<int64_t>{25, 50, 75, 100}));
}

TEST(VirtualUiThread, CancelledWorkNeverRuns) {
  VirtualUiThread ui;
  int ran = 0;
  const uint64_t t = ui.Post([&] { ++ran; }, 5);
  ui.Post([&] { ++ran; }, 5);
  ui.Cancel(t);
  ui.Cancel(t);  // twice is harmless
  ui.Advance(5);
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(ui.Pending(), 0u);
}

TEST(VirtualUiThread, WorkThatRepostsItselfForNowIsStoppedNotHung) {
  VirtualUiThread ui;
  int ran = 0;
  std::function<void()> forever = [&] {
    ++ran;
    ui.Post(forever, 0);
  };
  ui.Post(forever, 0);
  EXPECT_FALSE(ui.RunDue(100));
  EXPECT_EQ(ran, 100);
}

}  // namespace
}  // namespace zqk
