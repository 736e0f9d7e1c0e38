// The reading operations over delivered events: what each finds, for how
// long, and rows out of range. (Block bounds: QueryServiceTest, through the
// agent.)
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "sandbox/events/EventStore.h"

namespace zqk::test {
namespace {

using sandbox::EventData;
using sandbox::EventStore;

std::shared_ptr<const EventData> Data(std::string block, std::string nextKey = {}) {
  auto d = std::make_shared<EventData>();
  d->block = std::move(block);
  d->nextKey = std::move(nextKey);
  d->AddRow("OutRec1")["종목코드"] = "ESU16";
  d->AddRow("OutRec1")["종목코드"] = "ESZ16";
  return d;
}

TEST(EventStoreTest, RowsAndFieldsOutOfRangeAreEmpty) {
  EventStore store;
  store.PutReply("o51100", 3, Data(""));
  struct Case {
    const char* record;
    int32_t row;
    const char* field;
    const char* expected;
  };
  const Case cases[] = {
      {"OutRec1", 0, "종목코드", "ESU16"},  {"OutRec1", 1, "종목코드", "ESZ16"},
      {"OutRec1", 2, "종목코드", ""},       {"OutRec1", -1, "종목코드", ""},
      {"OutRec1", INT_MAX, "종목코드", ""}, {"OutRec1", 0, "종목명", ""},
      {"OutRec2", 0, "종목코드", ""},       {"outrec1", 0, "종목코드", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store.FieldValue("o51100", -1, c.record, c.row, c.field), c.expected)
        << c.record << " " << c.row;
  }
  EXPECT_EQ(store.RepeatCount("o51100", -1, "OutRec1"), 2);
  EXPECT_EQ(store.RepeatCount("o51100", -1, "OutRec2"), 0);
  EXPECT_EQ(store.RepeatCount("nothing", -1, "OutRec1"), 0);
}

TEST(EventStoreTest, EachEventStaysUntilTheNextOfItsCodeOrKey) {
  EventStore store;
  store.PutReply("o51200", 1, Data("first", "K1"));
  store.PutReal("ESU16", 82, Data("tick"));
  EXPECT_EQ(store.LastData(), "tick") << "the last data received, reply or real-time";
  EXPECT_EQ(store.DataBlock("o51200", -1, 0, 5), "first") << "a tick does not replace a reply";
  store.PutReply("o51200", 2, Data("second"));
  EXPECT_EQ(store.DataBlock("o51200", -1, 0, 6), "second");
  EXPECT_EQ(store.NextKey(1), "K1") << "keys are kept by RQID";
  EXPECT_EQ(store.NextKey(2), "");
  EXPECT_EQ(store.NextKey(99), "");

  auto last = std::make_shared<EventData>();
  last->block = "block";
  last->lastData = "00001account";
  store.PutReply("g11004.AQ0101%", 3, last);
  EXPECT_EQ(store.LastData(), "00001account");
}

TEST(EventStoreTest, RealTimeReadsUnderAnotherKeyFindTheLatestOfTheType) {
  EventStore store;
  store.PutReal("ESU16", 208, Data("first"));
  store.PutReal("NQU16", 208, Data("second"));
  EXPECT_EQ(store.DataBlock("0", 208, 0, 15), "second");
  EXPECT_EQ(store.DataBlock("ESU16", 208, 0, 15), "first");
  EXPECT_EQ(store.DataBlock("0", 82, 0, 15), "") << "no record of that type";
  EXPECT_EQ(store.DataBlock("0", -1, 0, 15), "") << "replies are found by code only";
  store.Clear();
  EXPECT_EQ(store.DataBlock("NQU16", 208, 0, 15), "");
  EXPECT_EQ(store.LastData(), "");
}

TEST(EventStoreTest, KeepsTheNewestContinuationKeysOnly) {
  EventStore store;
  for (int32_t id = 1; id <= static_cast<int32_t>(EventStore::kKeptKeys) + 10; ++id) {
    // Appended piece by piece: g++ 12 at -O3 takes "literal" + std::string for
    // an overlapping copy (-Wrestrict).
    store.PutReply("n51003", id, Data("", std::string("K").append(std::to_string(id))));
  }
  EXPECT_EQ(store.NextKey(1), "");
  EXPECT_EQ(store.NextKey(static_cast<int32_t>(EventStore::kKeptKeys) + 10),
            std::string("K").append(std::to_string(EventStore::kKeptKeys + 10)));
}

}  // namespace
}  // namespace zqk::test
