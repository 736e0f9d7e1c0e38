#include "requests/MarketSamples.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "dialog/SampleControls.h"
#include "protocol/TrCodes.h"
#include "requests/OrderComposer.h"

namespace zqk {
namespace {

std::string B(size_t n) {
  return std::string(n, ' ');
}

struct SampleCase {
  Market market;
  SampleField field;
  std::string text;
};

void PrintTo(const SampleCase& c, std::ostream* os) {
  *os << "market " << int(c.market) << " field " << int(c.field);
}

class Samples : public testing::TestWithParam<SampleCase> {};

TEST_P(Samples, AreByteExact) {
  EXPECT_EQ(MarketSample(GetParam().market, GetParam().field), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    AllMarkets, Samples,
    testing::Values(
        SampleCase{Market::kDomestic, SampleField::kTrCode, "g11002.DQ0622&"},
        SampleCase{Market::kDomestic, SampleField::kTrInput, "101F"},
        SampleCase{Market::kDomestic, SampleField::kFidCode, "s20001"},
        SampleCase{Market::kDomestic, SampleField::kFidInput, "101M300020001"},
        SampleCase{Market::kDomestic, SampleField::kRealKey, "101G3000"},
        SampleCase{Market::kDomestic, SampleField::kRealType, "65"},
        SampleCase{Market::kDomestic, SampleField::kOrderRealAccount, "07215003" + B(3)},
        SampleCase{Market::kDomestic, SampleField::kOrderTrCode, "g12001.DO1601&"},
        SampleCase{Market::kDomestic, SampleField::kOrderRecord,
                   "06801004" + B(3) + "6042" + B(4) + "201JB245" + B(24) + "111110" + B(11) + "1"},
        SampleCase{Market::kOverseas, SampleField::kTrCode, "g11004.AQ0605%"},
        SampleCase{Market::kOverseas, SampleField::kTrInput, "0163043961" + B(4)},
        SampleCase{Market::kOverseas, SampleField::kFidCode, "o51000"},
        SampleCase{Market::kOverseas, SampleField::kFidInput, "ESU16" + B(27)},
        SampleCase{Market::kOverseas, SampleField::kRealKey, "ESU16" + B(27)},
        SampleCase{Market::kOverseas, SampleField::kRealType, "82"},
        SampleCase{Market::kOverseas, SampleField::kOrderRealAccount, "016304" + B(5)},
        SampleCase{Market::kOverseas, SampleField::kOrderTrCode, "g12003.AO0401%"},
        SampleCase{Market::kOverseas, SampleField::kOrderRecord,
                   "015872" + std::string("6042") + B(4) + "ESU16" + B(27) + "120" + "0" + B(14) +
                       "1" + B(9) + "1" + B(34)},
        SampleCase{Market::kFxMargin, SampleField::kTrCode, "g11004.AQ0901%"},
        SampleCase{Market::kFxMargin, SampleField::kTrInput, "1torem58 0175396042" + B(24)},
        SampleCase{Market::kFxMargin, SampleField::kFidCode, "x00001"},
        SampleCase{Market::kFxMargin, SampleField::kFidInput, "EUR/USD" + B(3)},
        SampleCase{Market::kFxMargin, SampleField::kFidFieldList, "000001002010"},
        SampleCase{Market::kFxMargin, SampleField::kRealKey, "EUR/USD" + B(3)},
        SampleCase{Market::kFxMargin, SampleField::kRealType, "171"},
        SampleCase{Market::kFxMargin, SampleField::kOrderRealAccount, "017539" + B(5)},
        SampleCase{Market::kFxMargin, SampleField::kOrderTrCode, "g12003.AO0501%"},
        SampleCase{Market::kFxMargin, SampleField::kOrderRecord,
                   "017539" + std::string("6042") + B(4) + "EUR/USD" + B(25) + "11.24633" + B(13) +
                       "1" + B(14) + "CEO"}));

struct LengthCase {
  Market market;
  SampleField field;
  size_t length;
};

void PrintTo(const LengthCase& c, std::ostream* os) {
  *os << "market " << int(c.market) << " field " << int(c.field);
}

class SampleLengths : public testing::TestWithParam<LengthCase> {};

TEST_P(SampleLengths, CountBytes) {
  EXPECT_EQ(MarketSample(GetParam().market, GetParam().field).size(), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    AllMarkets, SampleLengths,
    testing::Values(LengthCase{Market::kDomestic, SampleField::kOrderRealAccount, 11},
                    LengthCase{Market::kOverseas, SampleField::kOrderRealAccount, 11},
                    LengthCase{Market::kFxMargin, SampleField::kOrderRealAccount, 11},
                    LengthCase{Market::kDomestic, SampleField::kOrderRecord, 69},
                    LengthCase{Market::kOverseas, SampleField::kOrderRecord, 109},
                    LengthCase{Market::kFxMargin, SampleField::kOrderRecord, 85},
                    LengthCase{Market::kOverseas, SampleField::kTrInput, 14},
                    LengthCase{Market::kFxMargin, SampleField::kTrInput, 43},
                    LengthCase{Market::kOverseas, SampleField::kFidInput, 32},
                    LengthCase{Market::kFxMargin, SampleField::kFidInput, 10},
                    LengthCase{Market::kDomestic, SampleField::kFidFieldList, 699},
                    LengthCase{Market::kOverseas, SampleField::kFidFieldList, 114}));

TEST(MarketSamples, FieldListsNumberEveryFieldInOrder) {
  const std::string_view domestic = MarketSample(Market::kDomestic, SampleField::kFidFieldList);
  EXPECT_TRUE(domestic.starts_with("000001002"));
  EXPECT_TRUE(domestic.ends_with("230231232"));
  for (size_t i = 0; i < 233; ++i) {
    const std::string expected =
        std::string(1, char('0' + i / 100)) + char('0' + i / 10 % 10) + char('0' + i % 10);
    ASSERT_EQ(domestic.substr(i * 3, 3), expected) << "field " << i;
  }
  const std::string_view overseas = MarketSample(Market::kOverseas, SampleField::kFidFieldList);
  EXPECT_TRUE(overseas.starts_with("000001002"));
  EXPECT_TRUE(overseas.ends_with("035036037"));
  EXPECT_EQ(FieldNumberList(-1), "");
  EXPECT_EQ(FieldNumberList(0), "000");
}

TEST(MarketSamples, EveryMarketWritesTheSameControlsInOrder) {
  const std::vector<SampleField> expected{
      SampleField::kTrCode,     SampleField::kTrInput,          SampleField::kFidCode,
      SampleField::kFidInput,   SampleField::kFidFieldList,     SampleField::kRealKey,
      SampleField::kRealType,   SampleField::kOrderRealAccount, SampleField::kOrderTrCode,
      SampleField::kOrderRecord};
  for (Market m : {Market::kDomestic, Market::kOverseas, Market::kFxMargin}) {
    std::vector<SampleField> ids;
    for (const SampleText& s : MarketSamples(m)) ids.push_back(s.field);
    EXPECT_EQ(ids, expected);
  }
}

TEST(MarketSamples, OrderTrSampleIsTheNewOrderCodeOfTheMarket) {
  for (Market m : {Market::kDomestic, Market::kOverseas, Market::kFxMargin}) {
    EXPECT_EQ(MarketSample(m, SampleField::kOrderTrCode), OrderTrCode(m, OrderKind::kNew).value());
  }
}

TEST(MarketSamples, OverseasRecordIsTheNewLayoutWithoutItsUserField) {
  OrderFormValues v;
  v.account = "015872";
  v.password = "6042";
  v.product = "ESU16";
  v.buySell = "1";
  v.priceType = "2";
  v.fillCondition = "0";
  v.price = "0";
  v.quantity = "1";
  v.strategy = "1";
  const std::string composed = ComposeOrder(v, Market::kOverseas, 0);
  EXPECT_EQ(MarketSample(Market::kOverseas, SampleField::kOrderRecord), composed.substr(0, 109));
  EXPECT_EQ(composed.substr(109), B(60));
}

TEST(MarketSamples, TheOrderAccountHasNoSample) {
  for (size_t f = 0; f < kSampleFieldCount; ++f) {
    EXPECT_NE(SampleControl(static_cast<SampleField>(f)), id::kOrderAccount);
  }
}

struct ListCase {
  Market market;
  std::vector<std::pair<PickListField, std::vector<std::string>>> lists;
};

void PrintTo(const ListCase& c, std::ostream* os) {
  *os << "market " << int(c.market);
}

class PickLists : public testing::TestWithParam<ListCase> {};

TEST_P(PickLists, HoldTheMarketsItemsInOrder) {
  std::vector<std::pair<PickListField, std::vector<std::string>>> lists;
  for (const PickList& l : MarketPickLists(GetParam().market)) {
    lists.emplace_back(l.field, std::vector<std::string>(l.items.begin(), l.items.end()));
  }
  EXPECT_EQ(lists, GetParam().lists);
}

INSTANTIATE_TEST_SUITE_P(
    AllMarkets, PickLists,
    testing::Values(
        ListCase{Market::kDomestic,
                 {{PickListField::kPriceType, {"1.지정가", "2.시장가"}},
                  {PickListField::kFillCondition, {"1.FAS", "2.FOK", "3.FAK"}}}},
        ListCase{Market::kOverseas,
                 {{PickListField::kPriceType, {"1.지정가", "2.시장가", "3.STOP", "4.STOP지정가"}},
                  {PickListField::kFillCondition, {"0.DAY", "1.GTC", "3.IOC", "4.FOK", "6.GTD"}},
                  {PickListField::kOrderKind, {"신규", "정정", "취소"}}}},
        ListCase{Market::kFxMargin, {{PickListField::kOrderKind, {"신규", "정정", "취소"}}}}));

// --- TR codes -------------------------------------------------------------

TEST(TrCodes, TheNamedCodesAreDistinctAndMarkedByMarket) {
  const std::set<std::string_view> unique(tr::kAll.begin(), tr::kAll.end());
  EXPECT_EQ(unique.size(), 22u);
  for (std::string_view code : tr::kAll) {
    if (code.starts_with("g11002") || code.starts_with("g12001")) {
      EXPECT_TRUE(code.ends_with("&")) << code;
    } else if (code.starts_with("g1")) {
      EXPECT_TRUE(code.ends_with("%")) << code;
    }
  }
}

struct OrderTrCase {
  int index;
  const char* domestic;
  const char* overseas;  // nullptr: none
  const char* fxMargin;
};

class OrderTrCodes : public testing::TestWithParam<OrderTrCase> {};

TEST_P(OrderTrCodes, FollowMarketAndOrderKind) {
  const OrderTrCase& c = GetParam();
  const std::optional<OrderKind> kind = OrderKindAt(c.index);
  ASSERT_TRUE(kind);
  auto expect = [&](Market m, const char* code) {
    const std::optional<std::string_view> got = OrderTrCode(m, *kind);
    if (code) {
      EXPECT_EQ(got, std::optional<std::string_view>(code));
    } else {
      EXPECT_FALSE(got) << *got;
    }
  };
  expect(Market::kDomestic, c.domestic);
  expect(Market::kOverseas, c.overseas);
  expect(Market::kFxMargin, c.fxMargin);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OrderTrCodes,
    testing::Values(OrderTrCase{0, "g12001.DO1601&", "g12003.AO0401%", "g12003.AO0501%"},
                    OrderTrCase{1, "g12001.DO1901&", "g12003.AO0402%", "g12003.AO0502%"},
                    OrderTrCase{2, "g12001.DO1701&", "g12003.AO0403%", "g12003.AO0503%"},
                    OrderTrCase{3, "g12001.DO2201&", nullptr, nullptr},
                    OrderTrCase{4, "g12001.DO2101&", nullptr, nullptr},
                    OrderTrCase{5, "g12001.DO2001&", nullptr, nullptr}));

TEST(TrCodes, OrderKindIndexOutsideTheListHasNoKind) {
  EXPECT_FALSE(OrderKindAt(-1));
  EXPECT_FALSE(OrderKindAt(6));
  EXPECT_EQ(OrderKindAt(5), OrderKind::kCmeCancel);
}

TEST(TrCodes, FirstCheckedMarketTestsDomesticThenOverseasThenFx) {
  EXPECT_EQ(FirstCheckedMarket(true, true, true), Market::kDomestic);
  EXPECT_EQ(FirstCheckedMarket(false, true, true), Market::kOverseas);
  EXPECT_EQ(FirstCheckedMarket(false, false, true), Market::kFxMargin);
  EXPECT_FALSE(FirstCheckedMarket(false, false, false));
}

}  // namespace
}  // namespace zqk
