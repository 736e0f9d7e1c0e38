#include "dialog/EventLog.h"

#include <gtest/gtest.h>

#include <string>

namespace zqk {
namespace {

TEST(EventLog, KeepsLinesInOrderAcrossChunksIncludingHugeAndEmptyLines) {
  EventLog log;
  std::vector<std::string> expected;
  for (int i = 0; i < 40000; ++i) {
    std::string line = "line " + std::to_string(i) + std::string(static_cast<size_t>(i % 97), 'x');
    if (i == 1234) line = std::string(3u << 20, 'h');  // larger than a chunk
    if (i == 1235) line.clear();
    if (i == 1236) line = std::string("a\0b", 3);
    expected.push_back(line);
    log.Append(line);
  }
  ASSERT_EQ(log.Count(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(log.Line(LineIndex{i}), expected[i]) << i;
  EXPECT_EQ(log.Line(LineIndex{expected.size()}), "");
}

// Clear keeps the log's first memory for the lines to come: lines added
// afterwards, also beyond that memory, read back as they were added.
TEST(EventLog, ClearedLogTakesLinesAgainBeyondTheMemoryItKept) {
  struct Row {
    int before;  // lines added before the clear
    int after;   // and after it
  };
  // 300,000 lines need more than one chunk of text and one block of positions.
  for (const Row& r : {Row{300000, 10}, Row{300000, 300000}, Row{10, 300000}, Row{0, 5}}) {
    EventLog log;
    for (int i = 0; i < r.before; ++i) log.Append("old " + std::to_string(i));
    log.Clear();
    for (int i = 0; i < r.after; ++i) log.Append(std::to_string(i) + std::string(i % 23, 'y'));
    ASSERT_EQ(log.Count(), static_cast<size_t>(r.after)) << r.before;
    for (int i = 0; i < r.after; ++i) {
      ASSERT_EQ(log.Line(LineIndex{static_cast<size_t>(i)}),
                std::to_string(i) + std::string(i % 23, 'y'))
          << r.before << " then line " << i;
    }
  }
}

TEST(EventLog, ClearEmptiesAndDropsSelection) {
  EventLog log;
  std::vector<LogChange> changes;
  log.AddListener([&](LogChange c) { changes.push_back(c); });
  log.Append("a");
  log.Append("b");
  log.Select(LineIndex{1});
  log.Select(LineIndex{5});  // out of range: nothing selected
  EXPECT_FALSE(log.Selected().has_value());
  log.Select(LineIndex{0});
  log.Clear();
  EXPECT_EQ(log.Count(), 0u);
  EXPECT_FALSE(log.Selected().has_value());
  log.Append("c");
  EXPECT_EQ(log.Line(LineIndex{0}), "c");
  EXPECT_EQ(changes.back(), LogChange::kAppended);
}

TEST(EventLog, MemoryPerLineStaysNearItsText) {
  EventLog log;
  const std::string line(60, 'x');
  for (int i = 0; i < 200000; ++i) log.Append(line);
  EXPECT_LT(log.ReservedBytes() / log.Count(), 80u);
}

}  // namespace
}  // namespace zqk
