#include "ui/qt/QtUiThread.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QThread>
#include <thread>
#include <vector>

namespace zqk {
namespace {

TEST(QtUiThreadTest, PostedWorkRunsLaterInPostingOrder) {
  QtUiThread ui;
  std::vector<int> ran;
  for (int i = 0; i < 5; ++i) ui.Post([&ran, i] { ran.push_back(i); }, 0);
  EXPECT_TRUE(ran.empty());  // never inside Post
  EXPECT_EQ(ui.Pending(), 5u);
  QApplication::processEvents();
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(ui.Pending(), 0u);
}

TEST(QtUiThreadTest, DelayedWorkWaitsForItsTime) {
  QtUiThread ui;
  std::vector<int> ran;
  int64_t ranAt = -1;
  const int64_t start = ui.NowMs();
  ui.Post([&] { ran.push_back(2), ranAt = ui.NowMs(); }, 60);
  ui.Post([&] { ran.push_back(1); }, 0);
  QApplication::processEvents();
  EXPECT_EQ(ran, std::vector<int>{1});
  EXPECT_TRUE(QTest::qWaitFor([&] { return ran.size() == 2; }, 5000));
  EXPECT_GE(ranAt - start, 60);
}

TEST(QtUiThreadTest, CancelledWorkNeverRuns) {
  QtUiThread ui;
  bool quick = false;
  bool delayed = false;
  bool kept = false;
  const uint64_t a = ui.Post([&] { quick = true; }, 0);
  const uint64_t b = ui.Post([&] { delayed = true; }, 20);
  ui.Post([&] { kept = true; }, 20);
  EXPECT_NE(a, b);
  ui.Cancel(a);
  QApplication::processEvents();  // b's timer has started
  ui.Cancel(b);
  ui.Cancel(b);      // twice is harmless
  ui.Cancel(12345);  // unknown too
  EXPECT_TRUE(QTest::qWaitFor([&] { return kept; }, 5000));
  QTest::qWait(30);
  EXPECT_FALSE(quick);
  EXPECT_FALSE(delayed);
  EXPECT_EQ(ui.Pending(), 0u);
}

TEST(QtUiThreadTest, PostsFromOtherThreadsRunOnTheUiThreadInOrder) {
  QtUiThread ui;
  std::vector<int> ran;
  bool allOnUiThread = true;
  QThread* uiThread = QThread::currentThread();
  std::thread worker([&] {
    for (int i = 0; i < 1000; ++i) {
      ui.Post(
          [&, i] {
            ran.push_back(i);
            allOnUiThread = allOnUiThread && QThread::currentThread() == uiThread;
          },
          0);
    }
  });
  worker.join();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ran.size() == 1000; }, 5000));
  EXPECT_TRUE(allOnUiThread);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(ran[static_cast<size_t>(i)], i);
}

TEST(QtUiThreadTest, WorkThatPostsWorkIsNotRunInsideItself) {
  QtUiThread ui;
  std::vector<int> ran;
  ui.Post(
      [&] {
        ui.Post([&] { ran.push_back(2); }, 0);
        ran.push_back(1);
      },
      0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ran.size() == 2; }, 5000));
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace zqk
