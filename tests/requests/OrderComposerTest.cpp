#include "requests/OrderComposer.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "text/Blanks.h"

namespace zqk {
namespace {

std::string B(size_t n) {
  return std::string(n, ' ');
}

// The form as it stands with every edit empty and the first item of every
// list selected.
OrderFormValues FirstItemsOnly() {
  OrderFormValues v;
  v.buySell = v.priceType = v.fillCondition = v.strategy = "1";
  return v;
}

using enum OrderField;

// Field offsets as the agent's order records define them, written down
// independently of the layout tables.
struct LayoutCase {
  Market market;
  OrderKind kind;
  size_t length;
  std::map<OrderField, size_t> offsets;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
  *os << "market " << int(c.market) << " kind " << int(c.kind);
}

class LayoutOffsets : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutOffsets, EachFieldStandsAtItsOffsetAndUnusedFieldsAreIgnored) {
  const LayoutCase& c = GetParam();
  // A distinct one-byte marker per field, so each can be found in the record.
  OrderFormValues v;
  const std::vector<OrderField> all{kAccount,        kPassword,      kProduct,         kBuySell,
                                    kPriceType,      kFillCondition, kPrice,           kQuantity,
                                    kOrigOrderNo,    kStrategy,      kDesignatedPrice, kIocQuantity,
                                    kOptionExercise, kValidDate,     kUserField};
  for (size_t i = 0; i < all.size(); ++i)
    v.Get(all[i]) = std::string(1, static_cast<char>('A' + i));

  const std::string record = ComposeOrder(v, c.market, static_cast<int>(c.kind));
  ASSERT_EQ(record.size(), c.length);
  std::string expected = B(c.length);
  for (const auto& [field, offset] : c.offsets) {
    expected[offset] = v.Get(field)[0];
  }
  EXPECT_EQ(record, expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllLayouts, LayoutOffsets,
    testing::Values(
        // D-N
        LayoutCase{Market::kDomestic,
                   OrderKind::kNew,
                   132,
                   {{kAccount, 0},
                    {kPassword, 11},
                    {kProduct, 19},
                    {kBuySell, 51},
                    {kPriceType, 52},
                    {kFillCondition, 53},
                    {kPrice, 54},
                    {kQuantity, 67},
                    {kUserField, 72}}},
        // D-AC
        LayoutCase{Market::kDomestic,
                   OrderKind::kCancel,
                   139,
                   {{kAccount, 0},
                    {kPassword, 11},
                    {kProduct, 19},
                    {kBuySell, 51},
                    {kPriceType, 52},
                    {kFillCondition, 53},
                    {kPrice, 54},
                    {kQuantity, 67},
                    {kOrigOrderNo, 72},
                    {kUserField, 79}}},
        // O-N
        LayoutCase{Market::kOverseas,
                   OrderKind::kNew,
                   169,
                   {{kAccount, 0},
                    {kPassword, 6},
                    {kProduct, 14},
                    {kBuySell, 46},
                    {kPriceType, 47},
                    {kFillCondition, 48},
                    {kPrice, 49},
                    {kQuantity, 64},
                    {kStrategy, 74},
                    {kDesignatedPrice, 75},
                    {kIocQuantity, 90},
                    {kOptionExercise, 100},
                    {kValidDate, 101},
                    {kUserField, 109}}},
        // O-AC: no buy/sell, option exercise or valid-until date.
        LayoutCase{Market::kOverseas,
                   OrderKind::kAmend,
                   169,
                   {{kAccount, 0},
                    {kPassword, 6},
                    {kProduct, 14},
                    {kPriceType, 46},
                    {kFillCondition, 47},
                    {kPrice, 48},
                    {kQuantity, 63},
                    {kOrigOrderNo, 73},
                    {kStrategy, 83},
                    {kDesignatedPrice, 84},
                    {kIocQuantity, 99},
                    {kUserField, 109}}},
        // F-C: lists, price, quantity and user field play no part.
        LayoutCase{Market::kFxMargin,
                   OrderKind::kCancel,
                   66,
                   {{kAccount, 0}, {kPassword, 6}, {kProduct, 14}, {kOrigOrderNo, 46}}}));

TEST(OrderComposer, LayoutWidthsAreTheRecordLengths) {
  EXPECT_EQ(DomesticNewLayout().Width(), 132u);
  EXPECT_EQ(DomesticAmendCancelLayout().Width(), 139u);
  EXPECT_EQ(OverseasNewLayout().Width(), 169u);
  EXPECT_EQ(OverseasAmendCancelLayout().Width(), 169u);
  EXPECT_EQ(FxCancelLayout().Width(), 66u);
}

TEST(OrderComposer, EmptyFormWithFirstItemsGivesBlanksAroundTheListCodes) {
  EXPECT_EQ(ComposeOrder(FirstItemsOnly(), Market::kDomestic, 0), B(51) + "111" + B(78));
}

TEST(OrderComposer, DomesticNewWithEveryFieldFilled) {
  OrderFormValues v;
  v.account = "06801004";
  v.password = "6042";
  v.product = "101S3000";
  v.buySell = "2";
  v.priceType = "1";
  v.fillCondition = "3";
  v.price = " 250.5 ";
  v.quantity = "3";
  v.userField = "memo";
  const std::string record = ComposeOrder(v, Market::kDomestic, 0);
  EXPECT_EQ(record, "06801004" + B(3) + "6042" + B(4) + "101S3000" + B(24) + "213" + "250.5" +
                        B(8) + "3" + B(4) + "memo" + B(56));
  EXPECT_EQ(record.substr(54, 13), "250.5" + B(8));
}

TEST(OrderComposer, CmeKindsGiveTheRecordsOfThePlainKinds) {
  OrderFormValues v = FirstItemsOnly();
  v.account = "06801004";
  v.product = "101S3000";
  v.price = "250.05";
  v.quantity = "12";
  v.origOrderNo = "1234567";
  v.userField = "u";
  for (int plain = 0; plain < 3; ++plain) {
    const std::string record = ComposeOrder(v, Market::kDomestic, plain);
    EXPECT_FALSE(record.empty());
    EXPECT_EQ(ComposeOrder(v, Market::kDomestic, plain + 3), record) << "kind " << plain;
    // In the other markets too, though their lists have no CME kinds.
    EXPECT_EQ(ComposeOrder(v, Market::kOverseas, plain + 3),
              ComposeOrder(v, Market::kOverseas, plain));
    EXPECT_EQ(ComposeOrder(v, Market::kFxMargin, plain + 3),
              ComposeOrder(v, Market::kFxMargin, plain));
  }
  EXPECT_EQ(ComposeOrder(v, Market::kDomestic, 1), ComposeOrder(v, Market::kDomestic, 2));
}

TEST(OrderComposer, OverseasAmendAndCancelShareOneRecord) {
  OrderFormValues v = FirstItemsOnly();
  v.priceType = "3";
  v.origOrderNo = "0000012345";
  EXPECT_EQ(ComposeOrder(v, Market::kOverseas, 1), ComposeOrder(v, Market::kOverseas, 2));
  EXPECT_EQ(ComposeOrder(v, Market::kOverseas, 1).substr(46, 1), "3");
}

TEST(OrderComposer, OverseasStopWithStopStrategy) {
  OrderFormValues v = FirstItemsOnly();
  v.priceType = "3";
  v.strategy = "2";
  const std::string record = ComposeOrder(v, Market::kOverseas, 0);
  EXPECT_EQ(record[47], '3');
  EXPECT_EQ(record[74], '2');
}

TEST(OrderComposer, FxCancelIgnoresEverythingButItsFourFields) {
  OrderFormValues sparse;
  sparse.account = "017539";
  sparse.password = "6042";
  sparse.product = "EUR/USD";
  sparse.origOrderNo = "42";
  OrderFormValues full = sparse;
  full.buySell = "2";
  full.priceType = "2";
  full.fillCondition = "4";
  full.price = "1.1";
  full.quantity = "5";
  full.strategy = "3";
  full.userField = "note";
  const std::string expected =
      "017539" + std::string("6042") + B(4) + "EUR/USD" + B(25) + "42" + B(18);
  EXPECT_EQ(ComposeOrder(sparse, Market::kFxMargin, 2), expected);
  EXPECT_EQ(ComposeOrder(full, Market::kFxMargin, 2), expected);
}

struct NoLayoutCase {
  Market market;
  int index;
};

void PrintTo(const NoLayoutCase& c, std::ostream* os) {
  *os << "market " << int(c.market) << " index " << c.index;
}

class NoLayout : public testing::TestWithParam<NoLayoutCase> {};

TEST_P(NoLayout, GivesAnEmptyRecord) {
  OrderFormValues v = FirstItemsOnly();
  v.account = "017539";
  EXPECT_EQ(ComposeOrder(v, GetParam().market, GetParam().index), "");
}

INSTANTIATE_TEST_SUITE_P(
    KindsWithoutRecord, NoLayout,
    testing::Values(NoLayoutCase{Market::kFxMargin, 0}, NoLayoutCase{Market::kFxMargin, 1},
                    NoLayoutCase{Market::kDomestic, -1}, NoLayoutCase{Market::kOverseas, -1},
                    NoLayoutCase{Market::kFxMargin, -1}, NoLayoutCase{Market::kDomestic, 6},
                    NoLayoutCase{Market::kOverseas, 100}));

TEST(OrderComposer, OverLongValueIsKeptWholeAndShiftsLaterFields) {
  OrderFormValues v = FirstItemsOnly();
  v.account = "123456789012";
  v.product = "101S3000";
  const std::string record = ComposeOrder(v, Market::kDomestic, 0);
  EXPECT_EQ(record.size(), 133u);
  EXPECT_EQ(record.substr(0, 12), "123456789012");
  EXPECT_EQ(record.substr(20, 8), "101S3000");

  // Exactly as wide as the field: unchanged, no shift.
  v.account = "12345678901";
  EXPECT_EQ(ComposeOrder(v, Market::kDomestic, 0).substr(11 + 8, 8), "101S3000");
}

TEST(OrderComposer, KoreanTextCountsTwoBytesPerSyllable) {
  OrderFormValues v = FirstItemsOnly();
  v.product = "한국물산";  // 8 bytes in CP949
  ASSERT_EQ(v.product.size(), 8u);
  const std::string record = ComposeOrder(v, Market::kDomestic, 0);
  EXPECT_EQ(record.size(), 132u);
  EXPECT_EQ(record.substr(19, 32), v.product + B(24));
  EXPECT_EQ(record[51], '1');
}

struct TrimCase {
  std::string value;
  std::string trimmed;
};

class Trimming : public testing::TestWithParam<TrimCase> {};

TEST_P(Trimming, RemovesOnlyOuterWhiteSpace) {
  EXPECT_EQ(TrimBlanks(GetParam().value), GetParam().trimmed);
  OrderFormValues v;
  v.price = GetParam().value;
  EXPECT_EQ(ComposeOrder(v, Market::kDomestic, 0).substr(54, 13),
            GetParam().trimmed + B(13 - GetParam().trimmed.size()));
}

INSTANTIATE_TEST_SUITE_P(WhiteSpaceSet, Trimming,
                         testing::Values(TrimCase{"", ""}, TrimCase{"   ", ""},
                                         TrimCase{" \t\n\v\f\r", ""},
                                         TrimCase{"\t250.5\r\n", "250.5"}, TrimCase{"\v1\f", "1"},
                                         TrimCase{" 1 2 ", "1 2"}, TrimCase{"1\t\t2", "1\t\t2"},
                                         TrimCase{"\x01"
                                                  "5",
                                                  "\x01"
                                                  "5"},
                                         TrimCase{"가나 ", "가나"}));

struct PadCase {
  std::string value;
  size_t width;
  bool left;
  char fill;
  std::string field;
};

class Padding : public testing::TestWithParam<PadCase> {};

TEST_P(Padding, FillsToTheWidthAndNeverCuts) {
  const PadCase& c = GetParam();
  EXPECT_EQ(PadField(c.value, c.width, c.left, c.fill), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Padding,
    testing::Values(PadCase{"12", 5, true, ' ', "12   "}, PadCase{"12", 5, false, ' ', "   12"},
                    PadCase{"12", 5, false, '0', "00012"}, PadCase{"", 3, true, ' ', "   "},
                    PadCase{"abc", 3, true, ' ', "abc"}, PadCase{"abcd", 3, false, '0', "abcd"},
                    PadCase{"x", 0, true, ' ', "x"}, PadCase{"", 0, true, ' ', ""},
                    PadCase{" a ", 4, true, ' ', " a  "}));

TEST(OrderComposer, ListItemCodeIsTheFirstByteOfTheItem) {
  EXPECT_EQ(ListItemCode("2.매도"), "2");
  EXPECT_EQ(ListItemCode("0.DAY"), "0");
  EXPECT_EQ(ListItemCode("4.가격예약"), "4");
  EXPECT_EQ(ListItemCode(""), "");
}

}  // namespace
}  // namespace zqk
